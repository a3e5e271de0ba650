#include "win32/TempFolder.h"

#include <windows.h>

#include <string>

namespace tg::testing {

namespace {

std::string temporaryFolder() {
  char base[MAX_PATH];
  const DWORD n = GetTempPathA(MAX_PATH, base);
  return n > 0 ? std::string(base, n) : std::string(".\\");
}

}  // namespace

TempFolder::TempFolder() : TempFolder(temporaryFolder()) {}

TempFolder::TempFolder(const std::string& root) {
  static int counter = 0;
  for (;;) {
    path_ = root + "tg-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

namespace {

// Empties and removes a folder of the test's own, its subfolders included. A
// link to a folder elsewhere is removed as a link: what it leads to stays.
void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        RemoveDirectoryA(path.c_str());
      } else {
        removeTree(path + "\\");
      }
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::~TempFolder() { removeTree(path_); }

}  // namespace tg::testing
