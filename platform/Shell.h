#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace tg {

// A request to the shell to run a program or open a document.
struct ShellRequest {
  std::string verb;  // "open", or empty for the shell's default verb
  std::string file;
  std::string parameters;
  int show = kShowHidden;
  bool ownedByMainWindow = true;  // otherwise no owner window
};

// A folder the desktop shows at its top level: a special folder or a drive.
struct ShellFolder {
  std::string caption;
  std::string path;  // empty for a folder that is no place on a disk
};

constexpr int kDesktopFolder = 16;
constexpr int kCookiesFolder = 33;

// The shell's launch result for success.
constexpr std::intptr_t kShellSuccess = 42;

struct Shell {
  // The shell's launch result: above 32 on success, the error code otherwise.
  virtual std::intptr_t execute(const ShellRequest& request) = 0;
  // The shell's description of a file's type, for example of programs; may be empty.
  virtual std::string typeName(const std::string& path) = 0;
  // The folders under the desktop, in the shell's order.
  virtual std::vector<ShellFolder> desktopFolders() = 0;
  // Whether a drive's volume information can be read through its root
  // ("E:\"): not for a drive without a medium, such as an empty card reader.
  virtual bool volumeInformation(const std::string& root) = 0;
  // The full path of one of the shell's special folders by its folder number
  // (16 the user's desktop, 33 the user's cookies); empty when it is unknown.
  virtual std::string specialFolderPath(int folder) = 0;
  // The target path of the shell shortcut stored in a file; empty for a file
  // that is no shortcut and for a target that is no place on a disk.
  virtual std::string shortcutTarget(const std::string& path) = 0;
  // Empties the recycle bins of every drive without asking.
  virtual void emptyRecycleBins() = 0;
  virtual ~Shell() = default;
};

}  // namespace tg
