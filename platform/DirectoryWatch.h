#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tg {

// A watch on a folder and its whole subtree for the names of files and folders
// that appear, go or change (not for changes of content). Its events come on
// the user-interface thread through the message loop, one at a time, and a
// burst of changes may come as one event; changes made while an event is
// handled, the handler's own included, lead to at least one further event once
// it has returned. Destroying the watch stops its events, also those already
// on their way.
class DirectoryWatch {
 public:
  virtual ~DirectoryWatch() = default;
};

struct DirectoryWatchers {
  // Null when the folder cannot be watched (for example, it does not exist).
  virtual std::unique_ptr<DirectoryWatch> watch(const std::string& root, std::function<void()> changed) = 0;
  virtual ~DirectoryWatchers() = default;
};

}  // namespace tg
