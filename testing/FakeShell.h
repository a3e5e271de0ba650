#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace tg::testing {

// Records the shell requests; a test may answer them as a program would.
class FakeShell : public Shell {
 public:
  std::intptr_t execute(const ShellRequest& request) override {
    requests.push_back(request);
    if (onExecute) return onExecute(request);
    return kShellSuccess;
  }
  std::string typeName(const std::string& path) override {
    const auto it = typeNames.find(path);
    return it == typeNames.end() ? std::string() : it->second;
  }

  std::vector<ShellFolder> desktopFolders() override { return desktop; }
  bool volumeInformation(const std::string& root) override { return volumes.count(root) != 0; }
  std::string specialFolderPath(int folder) override {
    const auto it = specialFolders.find(folder);
    return it == specialFolders.end() ? std::string() : it->second;
  }
  std::string shortcutTarget(const std::string& path) override {
    const auto it = shortcuts.find(path);
    return it == shortcuts.end() ? std::string() : it->second;
  }
  void emptyRecycleBins() override { ++recycleBinsEmptied; }

  std::vector<ShellRequest> requests;
  std::vector<ShellFolder> desktop = {{"Bureau", "C:\\Users\\Public\\Desktop"}, {"Disque local (C:)", "C:\\"}};
  std::function<std::intptr_t(const ShellRequest&)> onExecute;
  std::map<std::string, std::string> typeNames;
  std::set<std::string> volumes;  // the roots whose volume can be read, as "E:\"
  std::map<int, std::string> specialFolders{{kDesktopFolder, "C:\\Users\\Jean\\Desktop"},
                                            {kCookiesFolder, "C:\\Users\\Jean\\Cookies"}};
  std::map<std::string, std::string> shortcuts;  // shortcut file (as the caller names it) -> target
  int recycleBinsEmptied = 0;
};

}  // namespace tg::testing
