#pragma once

#include <map>
#include <string>

#include "platform/Platform.h"
#include "stores/SharedState.h"
#include "ui/FileControls.h"
#include "ui/ShellChangeNotifier.h"

namespace tg {

// The folder surveillance: while WatchMode is "1", every plain file that
// appears in the watched folder under a name its snapshot does not hold is
// deleted, and each change event adds the folder's plain files to the day's
// log. It lives with the main window, whatever page is shown.
class FolderSurveillance {
 public:
  FolderSurveillance(Platform& platform, SharedState& state, ui::FileListBox& listing,
                     ui::ShellChangeNotifier& notifier);
  ~FolderSurveillance();
  FolderSurveillance(const FolderSurveillance&) = delete;
  FolderSurveillance& operator=(const FolderSurveillance&) = delete;

  // A change under the notifier's root. Any failure ends the event quietly.
  void ShellChangeNotifier1Change();
  // The folder chosen for surveillance: surveille.txt, the notifier's root and
  // a fresh snapshot. Throws when a file cannot be written.
  void watchFolder(const std::string& folder);

  std::string snapshotPath() const { return state_.ProgramDirectory + "repertoiresurveille.txt"; }
  std::string dayLogPath() const { return state_.ProgramDirectory + state_.DayStamp + "surveillance.txt"; }

  // A new file that could not be deleted (the program writing it still holds
  // it) is tried again after this long, as often as this, unless an event
  // comes first.
  static constexpr int kRetryDelayMs = 500;
  static constexpr int kRetries = 20;

 private:
  void handleChange();
  void retryLater();

  Platform& platform_;
  SharedState& state_;
  ui::FileListBox& listing_;
  ui::ShellChangeNotifier& notifier_;
  std::map<std::string, std::string> deleted_;  // folded name -> name, of the files deleted here
  std::string deletedFrom_;                      // the folder they were deleted from, folded
  TimerId retry_ = 0;
  int retriesLeft_ = kRetries;
};

}  // namespace tg
