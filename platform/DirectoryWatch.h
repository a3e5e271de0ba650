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

// A watch holds on to its folder, not to the folder's name: a watched folder
// that is moved is still watched where it went, and a new folder of the old
// name is not watched at all. Whoever cares for the name watches the names of
// the folders beside it (watchFolders on its parent).
struct DirectoryWatchers {
  // Null when the folder cannot be watched (for example, it does not exist).
  virtual std::unique_ptr<DirectoryWatch> watch(const std::string& root, std::function<void()> changed) = 0;
  // A watch on the names of the folders directly in a folder (one made, gone
  // or renamed there), not on anything deeper.
  virtual std::unique_ptr<DirectoryWatch> watchFolders(const std::string& folder, std::function<void()> changed) = 0;
  virtual ~DirectoryWatchers() = default;
};

}  // namespace tg
