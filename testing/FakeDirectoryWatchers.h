#pragma once

#include <list>
#include <memory>
#include <string>

#include "platform/DirectoryWatch.h"
#include "platform/FileSystem.h"

namespace tg::testing {

// Watches that the fake file system's name changes make pending; a test hands
// the pending events out one at a time, as the message loop would.
class FakeDirectoryWatchers : public DirectoryWatchers {
 public:
  explicit FakeDirectoryWatchers(FileSystem& files) : files_(files) {}

  std::unique_ptr<DirectoryWatch> watch(const std::string& root, std::function<void()> changed) override;

  // A file or folder appeared, went or was renamed at `path`.
  void nameChanged(const std::string& path);
  // Runs pending events until none is left (at most `limit`); how many ran.
  int deliver(int limit = 100);
  // The roots of the live watches, oldest first.
  std::vector<std::string> roots() const;

 private:
  struct Entry {
    std::string root;  // folded, with a backslash at the end
    std::function<void()> changed;
    bool pending = false;
  };
  class Watch;
  FileSystem& files_;
  std::list<Entry> entries_;
};

}  // namespace tg::testing
