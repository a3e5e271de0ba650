#pragma once

#include <string>

namespace tg::testing {

// A fresh folder under the system's temporary folder (or under `base`, a
// folder ending in a backslash), removed with its files and subfolders.
class TempFolder {
 public:
  TempFolder();
  explicit TempFolder(const std::string& base);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder's path, ending in a backslash.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

}  // namespace tg::testing
