#include "win32/TempFolder.h"

#include <windows.h>

#include <string>

namespace tg::testing {

TempFolder::TempFolder() {
  char base[MAX_PATH];
  const DWORD n = GetTempPathA(MAX_PATH, base);
  std::string root = n > 0 ? std::string(base, n) : std::string(".\\");
  static int counter = 0;
  for (;;) {
    path_ = root + "tg-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((path_ + "*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      SetFileAttributesA((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((path_ + name).c_str());
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

}  // namespace tg::testing
