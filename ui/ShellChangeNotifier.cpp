#include "ui/ShellChangeNotifier.h"

namespace tg::ui {

namespace {

// The folder that holds a folder, or empty for a drive's or a share's root.
std::string parentOf(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  const std::size_t slash = folder.find_last_of("\\/");
  if (slash == std::string::npos || (folder.rfind("\\\\", 0) == 0 && folder.find('\\', 2) == slash)) return {};
  if (slash == 2 && folder[1] == ':') return folder.substr(0, 3);
  if (slash == 0) return {};
  return folder.substr(0, slash);
}

}  // namespace

ShellChangeNotifier::ShellChangeNotifier(DirectoryWatchers& watchers, FileSystem& files, Timers& timers,
                                         std::string root)
    : watchers_(watchers), files_(files), timers_(timers) {
  setRoot(std::move(root));
  checkTimer_ = timers_.startRepeating(kCheckMs, [this] { check(); });
}

ShellChangeNotifier::~ShellChangeNotifier() {
  if (checkTimer_) timers_.stop(checkTimer_);
}

void ShellChangeNotifier::setRoot(std::string root) {
  watch_.reset();  // the old root's events stop before the new root's start
  parentWatch_.reset();
  root_ = std::move(root);
  const std::string parent = parentOf(root_);
  if (!parent.empty()) parentWatch_ = watchers_.watchFolders(parent, [this] { check(); });
  arm();
  if (!watch_ && onLost) onLost();
}

void ShellChangeNotifier::arm() {
  // The folder is taken before the watch starts: a folder replaced in
  // between is then seen as replaced at the next check.
  watched_ = files_.identity(root_);
  watch_ = watched_ ? watchers_.watch(root_, [this] {
    if (onChange) onChange();
  })
                    : nullptr;
}

void ShellChangeNotifier::check() {
  const std::optional<FileIdentity> now = files_.identity(root_);
  if (watch_ ? now && now == watched_ : !now) return;  // still the folder watched, or still none
  const bool wasWatching = watch_ != nullptr;
  watch_.reset();  // a folder moved away is no longer this root
  if (now) arm();
  if (watch_) {
    if (onFound) onFound();
  } else if (wasWatching && onLost) {
    onLost();
  }
}

}  // namespace tg::ui
