#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/DirectoryWatch.h"

namespace tg::ui {

// A window's directory change watcher: its root and the whole subtree below,
// for names of files and folders that appear, go or change. A new root
// restarts the watch there; a root that cannot be watched raises no events.
class ShellChangeNotifier {
 public:
  ShellChangeNotifier(DirectoryWatchers& watchers, std::string root) : watchers_(watchers) { setRoot(std::move(root)); }
  ShellChangeNotifier(const ShellChangeNotifier&) = delete;
  ShellChangeNotifier& operator=(const ShellChangeNotifier&) = delete;

  const std::string& root() const { return root_; }
  void setRoot(std::string root) {
    watch_.reset();  // the old root's events stop before the new root's start
    root_ = std::move(root);
    watch_ = watchers_.watch(root_, [this] {
      if (onChange) onChange();
    });
  }
  bool watching() const { return watch_ != nullptr; }
  std::function<void()> onChange;

 private:
  DirectoryWatchers& watchers_;
  std::string root_;
  std::unique_ptr<DirectoryWatch> watch_;
};

}  // namespace tg::ui
