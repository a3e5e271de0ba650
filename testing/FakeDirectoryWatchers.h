#pragma once

#include <list>
#include <memory>
#include <string>

#include "platform/DirectoryWatch.h"
#include "testing/FakeFileSystem.h"

namespace tg::testing {

// Watches that the fake file system's name changes make pending; a test hands
// the pending events out one at a time, as the message loop would. Like a
// real watch, each holds on to its folder: a moved folder is watched where it
// went, a removed one no longer at all.
class FakeDirectoryWatchers : public DirectoryWatchers {
 public:
  explicit FakeDirectoryWatchers(FakeFileSystem& files) : files_(files) {}

  std::unique_ptr<DirectoryWatch> watch(const std::string& root, std::function<void()> changed) override;
  std::unique_ptr<DirectoryWatch> watchFolders(const std::string& folder, std::function<void()> changed) override;

  // A file or folder appeared, went or was renamed at `path`.
  void nameChanged(const std::string& path);
  // Runs pending events until none is left (at most `limit`); how many ran.
  int deliver(int limit = 100);
  // The folders of the live watches of subtrees, oldest first, as they are named now.
  std::vector<std::string> roots() const;

 private:
  struct Entry {
    FileIdentity folder;
    bool subtree = true;
    std::function<void()> changed;
    bool pending = false;
  };
  class Watch;
  std::unique_ptr<DirectoryWatch> add(const std::string& folder, bool subtree, std::function<void()> changed);
  // The folder's name now, folded, with a backslash at the end; empty once it is gone.
  std::string nameOf(const Entry& e) const;
  FakeFileSystem& files_;
  std::list<Entry> entries_;
};

}  // namespace tg::testing
