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
