#pragma once

#include <windows.h>

#include "platform/Shell.h"

namespace tg::win32 {

// Shell execution and type names; requests owned by the main window name it
// as their owner once it exists.
class Win32Shell : public Shell {
 public:
  void setMainWindow(HWND window) { mainWindow_ = window; }
  std::intptr_t execute(const ShellRequest& request) override;
  std::string typeName(const std::string& path) override;
  std::vector<ShellFolder> desktopFolders() override;
  bool volumeInformation(const std::string& root) override;
  std::string specialFolderPath(int folder) override;
  std::string shortcutTarget(const std::string& path) override;
  void emptyRecycleBins() override;

 private:
  HWND mainWindow_ = nullptr;
};

}  // namespace tg::win32
