// Files of a test in one of the test prefix's user folders (the desktop, the
// downloads), where the control centre's cleaners delete. A new wine prefix
// links those folders to the Linux home; the scripts replace the links with
// folders of the prefix's own, and a test makes sure of it before it lets the
// control centre delete anything there.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "win32/TestFiles.h"

namespace tg::e2e {

class UserFolderFiles {
 public:
  explicit UserFolderFiles(std::string folder) : folder_(std::move(folder)) {}
  ~UserFolderFiles() {
    for (const std::string& name : names_) DeleteFileA(path(name).c_str());
  }
  UserFolderFiles(const UserFolderFiles&) = delete;
  UserFolderFiles& operator=(const UserFolderFiles&) = delete;

  // Why the folder may not be used, or empty when it is a folder of the test
  // prefix's own: a file made in it must not show in the home folder. With
  // `onlyOurs`, a file in it that this test did not make also forbids it.
  std::string unusable(bool onlyOurs = false) {
    const char* home = std::getenv("WINEHOMEDIR");  // "\??\Z:\root"
    if (folder_.empty()) return "no folder";
    if (!home) return "no WINEHOMEDIR";
    std::string homePath = home;
    if (homePath.rfind("\\??\\", 0) == 0) homePath = homePath.substr(4);
    if (onlyOurs) {
      WIN32_FIND_DATAA found{};
      HANDLE search = FindFirstFileA(path("*").c_str(), &found);
      std::string others;
      if (search != INVALID_HANDLE_VALUE) {
        do {
          if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) others += std::string(" ") + found.cFileName;
        } while (FindNextFileA(search, &found));
        FindClose(search);
      }
      if (!others.empty()) return folder_ + " holds files of others:" + others;
    }
    const std::string marker = "tg-folder-marker-" + std::to_string(GetCurrentProcessId()) + ".txt";
    if (!testing::writeFile(path(marker), "")) return "cannot write in " + folder_;
    const bool linked = testing::fileExists(homePath + "\\" + marker);
    DeleteFileA(path(marker).c_str());
    if (linked) return folder_ + " is " + homePath;
    return {};
  }
  // A file of this test, removed when the test ends.
  std::string add(const std::string& name) {
    names_.push_back(name);
    return path(name);
  }
  std::string path(const std::string& name) const { return folder_ + "\\" + name; }

 private:
  std::string folder_;
  std::vector<std::string> names_;
};

inline std::string desktopFolder() {
  char path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path)) ? path : "";
}

}  // namespace tg::e2e
