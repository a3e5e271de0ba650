#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/DirectoryWatch.h"
#include "platform/FileSystem.h"
#include "platform/Timers.h"

namespace tg::ui {

// A window's directory change watcher: its root and the whole subtree below,
// for names of files and folders that appear, go or change. It watches the
// root's path, not the folder that first had it: when that folder is moved
// away or removed (or its drive goes), the watch ends and onLost says so;
// when a folder bears the path again (the same one back, or a new one), the
// watch is armed there and onFound says so before any of its changes come. A
// watch of the parent's folder names notices at once; a slow check of the
// path covers what that watch cannot see (a parent moved, a share that
// drops).
class ShellChangeNotifier {
 public:
  ShellChangeNotifier(DirectoryWatchers& watchers, FileSystem& files, Timers& timers, std::string root);
  ~ShellChangeNotifier();
  ShellChangeNotifier(const ShellChangeNotifier&) = delete;
  ShellChangeNotifier& operator=(const ShellChangeNotifier&) = delete;

  const std::string& root() const { return root_; }
  // Watches a new root: the old root's events stop before the new root's
  // start. onLost when it cannot be watched.
  void setRoot(std::string root);
  bool watching() const { return watch_ != nullptr; }
  std::function<void()> onChange;
  std::function<void()> onLost;
  std::function<void()> onFound;

  // How often the path is checked besides the parent's watch.
  static constexpr int kCheckMs = 2000;

 private:
  void arm();
  void check();

  DirectoryWatchers& watchers_;
  FileSystem& files_;
  Timers& timers_;
  std::string root_;
  std::unique_ptr<DirectoryWatch> watch_;
  std::unique_ptr<DirectoryWatch> parentWatch_;
  std::optional<FileIdentity> watched_;  // the folder the watch holds on to
  TimerId checkTimer_ = 0;
};

}  // namespace tg::ui
