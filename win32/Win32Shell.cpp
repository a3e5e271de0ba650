#include "win32/Win32Shell.h"

#include <cstring>

#include <shellapi.h>
#include <shlobj.h>

namespace tg::win32 {

std::intptr_t Win32Shell::execute(const ShellRequest& request) {
  const HWND owner = request.ownedByMainWindow ? mainWindow_ : nullptr;
  const HINSTANCE result =
      ShellExecuteA(owner, request.verb.empty() ? nullptr : request.verb.c_str(), request.file.c_str(),
                    request.parameters.empty() ? nullptr : request.parameters.c_str(), nullptr, request.show);
  return reinterpret_cast<std::intptr_t>(result);
}

std::string Win32Shell::typeName(const std::string& path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME)) return {};
  return info.szTypeName;
}

bool Win32Shell::volumeInformation(const std::string& root) {
  char name[260] = {}, fileSystem[260] = {};
  DWORD serial = 0, component = 0, flags = 0;
  // A drive without its medium answers with an error, not with a box asking for one.
  DWORD previous = 0;
  const bool quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous) != 0;
  const BOOL read = GetVolumeInformationA(root.c_str(), name, sizeof name, &serial, &component, &flags, fileSystem,
                                          sizeof fileSystem);
  if (quiet) SetThreadErrorMode(previous, nullptr);
  return read != 0;
}

namespace {

std::string displayName(const std::string& path) {
  SHFILEINFOA info{};
  if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) && info.szDisplayName[0])
    return info.szDisplayName;
  return path;
}

}  // namespace

std::vector<ShellFolder> Win32Shell::desktopFolders() {
  std::vector<ShellFolder> folders;
  for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL}) {
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) && path[0])
      folders.push_back({displayName(path), path});
  }
  char drives[512] = {};
  const DWORD length = GetLogicalDriveStringsA(sizeof drives, drives);
  for (const char* d = drives; length && length < sizeof drives && *d; d += std::strlen(d) + 1) {
    const UINT type = GetDriveTypeA(d);
    if (type == DRIVE_FIXED || type == DRIVE_REMOVABLE || type == DRIVE_CDROM || type == DRIVE_REMOTE)
      folders.push_back({displayName(d), d});
  }
  return folders;
}

}  // namespace tg::win32

namespace tg::win32 {

namespace {

// A library loaded for one call and released when the call ends.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
  ~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  FARPROC function(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

 private:
  HMODULE module_;
};

// COM for the calling thread during one call; an apartment that exists already is kept.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

// Releases a COM interface when it goes.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** put() { return &p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace

std::string Win32Shell::specialFolderPath(int folder) {
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  const LoadedLibrary library("SHFolder.dll");
  const auto get = reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(library.function("SHGetFolderPathA")));
  if (!get) return {};
  char path[MAX_PATH + 1] = {};
  if (FAILED(get(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  path[MAX_PATH] = '\0';
  return path;
}

std::string Win32Shell::shortcutTarget(const std::string& path) {
  const ComScope com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.put()))))
    return {};
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) return {};
  // IPersistFile takes the path in UTF-16; ours is in the system's code page.
  const int wide = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (wide <= 0) return {};
  std::wstring widePath(static_cast<std::size_t>(wide), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath.data(), wide) <= 0) return {};
  if (FAILED(file->Load(widePath.c_str(), STGM_READ))) return {};
  char target[MAX_PATH + 1] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) return {};
  target[MAX_PATH] = '\0';
  return target;
}

void Win32Shell::emptyRecycleBins() {
  // The result is not told: an empty bin answers with an error on some systems.
  SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION);
}

}  // namespace tg::win32
