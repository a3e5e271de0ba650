#pragma once

#include <map>
#include <string>

#include "platform/Platform.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
#include "stores/TextFile.h"
#include "ui/FileControls.h"
#include "ui/ShellChangeNotifier.h"

namespace tg {

// The folder surveillance: while WatchMode is "1", every plain file that
// appears in the watched folder under a name its snapshot does not hold is
// deleted, and each change event adds the folder's plain files to the day's
// log. It lives with the main window, whatever page is shown.
//
// It deletes only on what it knows: a folder that cannot be listed, a
// snapshot that cannot be read or written, a folder that came back after it
// could not be watched all end the event with nothing deleted.
class FolderSurveillance {
 public:
  FolderSurveillance(Platform& platform, SharedState& state, const LanguageTable& language, ui::FileListBox& listing,
                     ui::ShellChangeNotifier& notifier);
  ~FolderSurveillance();
  FolderSurveillance(const FolderSurveillance&) = delete;
  FolderSurveillance& operator=(const FolderSurveillance&) = delete;

  // A change under the notifier's root. Any failure ends the event quietly.
  void ShellChangeNotifier1Change();
  // The watched folder went away or could not be watched; a folder bears its
  // name again. Both are said in the day's log; the files found in a folder
  // that comes back were never seen appear, so they join the snapshot, and
  // only then is it said to be watched again. A folder that cannot be listed
  // yet is tried again shortly.
  void folderLost();
  void folderFound();
  // The folder chosen for surveillance: a fresh snapshot, then surveille.txt,
  // then the notifier's root. Throws when the folder cannot be listed or a
  // file cannot be written; the earlier choice then stays wholly in force.
  void watchFolder(const std::string& folder);

  std::string snapshotPath() const { return state_.ProgramDirectory + "repertoiresurveille.txt"; }
  std::string choicePath() const { return state_.ProgramDirectory + "surveille.txt"; }
  std::string dayLogPath() const { return state_.ProgramDirectory + state_.DayStamp + "surveillance.txt"; }

  // A new file that could not be deleted (the program writing it still holds
  // it) is tried again after this long, as often as this, unless an event
  // comes first.
  static constexpr int kRetryDelayMs = 500;
  static constexpr int kRetries = 20;
  // Log lines that the day's log could not take (another program holds it)
  // wait, in order, and are tried again this often; at most this many wait.
  static constexpr int kLogRetryMs = 500;
  static constexpr std::size_t kMaxWaitingLogLines = 100000;

  // Log lines still waiting for the day's log.
  std::size_t waitingLogLines() const { return waitingLog_.size(); }

 private:
  bool active() const;
  void handleChange();
  void retryLater();
  // Adds the listed names to the snapshot; false when that could not be done.
  bool takeInFoundFiles();
  // The same, and then the day's log says that the folder is watched again;
  // when it cannot be done yet, it is tried again after kRetryDelayMs.
  bool settleFoundFolder();
  void log(Lines lines);
  void writeWaitingLog();

  Platform& platform_;
  SharedState& state_;
  const LanguageTable& language_;
  ui::FileListBox& listing_;
  ui::ShellChangeNotifier& notifier_;
  std::map<std::string, std::string> deleted_;  // folded name -> name, of the files deleted here
  std::string deletedFrom_;                      // the folder they were deleted from, folded
  TimerId retry_ = 0;
  int retriesLeft_ = kRetries;
  // The snapshot on the disk may not be the watched folder's (a new choice
  // that failed half-way and could not be undone): nothing is deleted until
  // a choice succeeds.
  bool snapshotTrusted_ = true;
  // A folder came back whose files could not yet be taken into the snapshot.
  bool foundFilesPending_ = false;
  TimerId foundRetry_ = 0;
  int foundRetriesLeft_ = kRetries;
  Lines waitingLog_;
  TimerId logRetry_ = 0;
};

}  // namespace tg
