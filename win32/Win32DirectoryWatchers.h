#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/DirectoryWatch.h"

namespace tg::win32 {

// Folder watches whose threads wait on the system's change notifications and
// post one message per burst to a hidden message-only window, so that their
// events come through the thread's message loop. Created on the
// user-interface thread; the watches are made and destroyed there too.
class Win32DirectoryWatchers : public DirectoryWatchers {
 public:
  Win32DirectoryWatchers();
  ~Win32DirectoryWatchers() override;
  Win32DirectoryWatchers(const Win32DirectoryWatchers&) = delete;
  Win32DirectoryWatchers& operator=(const Win32DirectoryWatchers&) = delete;

  std::unique_ptr<DirectoryWatch> watch(const std::string& root, std::function<void()> changed) override;
  std::unique_ptr<DirectoryWatch> watchFolders(const std::string& folder, std::function<void()> changed) override;

 private:
  class Watch;
  std::unique_ptr<DirectoryWatch> start(const std::string& folder, bool subtree, std::function<void()> changed);
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  void arrived(std::uint64_t id);

  HWND window_ = nullptr;
  std::map<std::uint64_t, Watch*> live_;
  std::uint64_t next_ = 1;
};

}  // namespace tg::win32
