#include "win32/TestFiles.h"

#include <windows.h>

#include <shlobj.h>

#include <cstring>

#include "base/Text.h"
#include "win32/Win32Processes.h"

namespace tg::testing {

namespace {

bool write(const std::string& path, const std::string& bytes, bool toDisk) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && (!toDisk || FlushFileBuffers(file));
  return CloseHandle(file) && ok;
}

}  // namespace

bool writeFile(const std::string& path, const std::string& bytes) { return write(path, bytes, false); }

bool writeFileToDisk(const std::string& path, const std::string& bytes) { return write(path, bytes, true); }

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

HANDLE openOnceFree(const std::string& path, DWORD access, DWORD share, DWORD milliseconds) {
  HANDLE h = INVALID_HANDLE_VALUE;
  waitFor([&] {
    h = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION;
  }, milliseconds);
  return h;
}

std::optional<FileStamp> stampOf(const std::string& path) {
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA(path.c_str(), &data);  // a handle on the folder, not on the file
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  return FileStamp{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime};
}

bool writeShortcut(const std::string& file, const std::string& target) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return false;
  IPersistFile* persist = nullptr;
  bool saved = SUCCEEDED(link->SetPath(target.c_str())) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)));
  if (saved) {
    wchar_t wide[MAX_PATH] = {};
    saved = MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH) > 0 && SUCCEEDED(persist->Save(wide, TRUE));
    persist->Release();
  }
  link->Release();
  return saved;
}

std::vector<HWND> windowsOf(DWORD pid, const char* windowClass) {
  struct Search {
    DWORD pid;
    const char* cls;
    std::vector<HWND> found;
  } search{pid, windowClass, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        char name[64] = {};
        GetClassNameA(w, name, sizeof name);
        if ((s->pid == 0 || owner == s->pid) && std::strcmp(name, s->cls) == 0) s->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND mainWindowOf(DWORD pid) {
  const std::vector<HWND> found = windowsOf(pid, "TgForm");
  return found.empty() ? nullptr : found.front();
}

HWND findChild(HWND parent, const std::function<bool(HWND)>& wanted) {
  struct Search {
    const std::function<bool(HWND)>& wanted;
    HWND found = nullptr;
  } search{wanted};
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (!s->wanted(w)) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string classOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::vector<DWORD> processesNamed(const std::string& exeName) {
  std::vector<DWORD> pids;
  win32::Win32Processes processes;
  for (const ProcessEntry& entry : processes.snapshot().value_or(std::vector<ProcessEntry>{}))
    if (equalsIgnoringAsciiCase(entry.exeName, exeName)) pids.push_back(entry.pid);
  return pids;
}

}  // namespace tg::testing
