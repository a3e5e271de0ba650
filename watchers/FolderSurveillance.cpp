#include "watchers/FolderSurveillance.h"

#include <stdexcept>
#include <unordered_set>

#include "stores/FileReplace.h"
#include "stores/PlainFiles.h"
#include "base/Text.h"

namespace tg {

FolderSurveillance::FolderSurveillance(Platform& platform, SharedState& state, const LanguageTable& language,
                                       ui::FileListBox& listing, ui::ShellChangeNotifier& notifier)
    : platform_(platform), state_(state), language_(language), listing_(listing), notifier_(notifier) {}

FolderSurveillance::~FolderSurveillance() {
  if (retry_) platform_.timers.stop(retry_);
  if (logRetry_) platform_.timers.stop(logRetry_);
  if (foundRetry_) platform_.timers.stop(foundRetry_);
}

void FolderSurveillance::ShellChangeNotifier1Change() {
  retriesLeft_ = kRetries;  // a real change: the files still held get their tries again
  handleChange();
}

namespace {

// Adds lines to a text file; a last line left without its end gets one first,
// so that the file only ever gains whole lines.
bool appendLines(FileSystem& files, const std::string& path, const Lines& lines) {
  std::string bytes = joinLines(lines);
  const auto size = files.size(path);
  if (!size) return false;
  if (*size > 0) {
    const auto last = files.readRange(path, *size - 1, 1);
    if (!last) return false;
    if (*last != "\n" && *last != "\r") bytes.insert(0, "\r\n");
  }
  return files.appendBytes(path, bytes);
}

// The watched folder that surveille.txt names; empty when there is none.
std::string watchedFolder(FileSystem& files, const std::string& choicePath) {
  const auto watched = readLines(files, choicePath);
  return watched && !watched->empty() ? watched->front() : std::string();
}

}  // namespace

bool FolderSurveillance::active() const {
  return state_.WatchMode == '1' && platform_.files.exists(snapshotPath());
}

void FolderSurveillance::handleChange() {
  if (!active() || !snapshotTrusted_) return;
  if (foundFilesPending_ && !settleFoundFolder()) return;
  FileSystem& files = platform_.files;

  // The day's log, created empty on the first event of the day.
  const std::string logPath = dayLogPath();
  if (!files.exists(logPath) && !files.createNew(logPath) && !files.exists(logPath)) return;

  // The watched folder and its plain files as they are now. A folder that
  // cannot be listed (moved away, denied, a share that dropped) is not an
  // empty one: the event ends.
  const std::string folder = watchedFolder(files, choicePath());
  if (folder.empty() || !listing_.setDirectory(folder)) return;
  const std::vector<std::string> names = listing_.items();

  // The names the folder held when it was chosen.
  const auto snapshot = readLines(files, snapshotPath());
  if (!snapshot) return;
  std::unordered_set<std::string> known;
  for (const std::string& name : *snapshot) known.insert(foldedAscii(name));
  if (foldedAscii(folder) != deletedFrom_) {
    deleted_.clear();
    deletedFrom_ = foldedAscii(folder);
  }

  // The snapshot this event leaves is on the disk before anything
  // is deleted, so that a write that fails deletes nothing. It holds every
  // name listed, the new ones included, and the names deleted here before,
  // also once the event their deletion raised has listed the folder without
  // them: the same name coming back is kept.
  Lines kept = names;
  std::unordered_set<std::string> listed;
  for (const std::string& name : names) listed.insert(foldedAscii(name));
  for (const auto& [key, name] : deleted_)
    if (known.count(key) && !listed.count(key)) kept.push_back(name);
  sortIgnoringCase(kept);
  if (!writeLines(files, snapshotPath(), kept)) return;

  // Every new name is deleted; every name is logged.
  Lines block;
  std::unordered_set<std::string> held;
  const std::string prefix = folderWithBackslash(folder);
  for (const std::string& name : names) {
    const std::string path = prefix + name;
    block.push_back(path);
    const std::string key = foldedAscii(name);
    if (known.count(key)) continue;
    if (!files.remove(path) && files.exists(path))
      held.insert(key);  // still held by the program writing it
    else
      deleted_.emplace(key, name);
  }
  // A file still held leaves the snapshot again, so that it is tried again
  // rather than kept for good (should that write fail, it is kept).
  if (!held.empty()) {
    std::erase_if(kept, [&](const std::string& name) { return held.count(foldedAscii(name)) > 0; });
    writeLines(files, snapshotPath(), kept);
    retryLater();
  }

  log(std::move(block));
}

void FolderSurveillance::retryLater() {
  if (retry_ || retriesLeft_ <= 0) return;
  --retriesLeft_;
  retry_ = platform_.timers.startOnce(kRetryDelayMs, [this] {
    retry_ = 0;
    handleChange();
  });
}

void FolderSurveillance::folderLost() {
  if (!active()) return;
  log({language_.text(102) + notifier_.root()});
}

void FolderSurveillance::folderFound() {
  if (!active()) return;
  // Whatever the folder holds now appeared while it was not watched (or it is
  // another folder altogether): none of it was seen to appear, so none of it
  // may be deleted. Until that is in the snapshot, no event deletes.
  foundFilesPending_ = true;
  foundRetriesLeft_ = kRetries;
  settleFoundFolder();
}

bool FolderSurveillance::settleFoundFolder() {
  if (takeInFoundFiles()) {
    log({language_.text(103) + notifier_.root()});
    return true;
  }
  // A folder just put back can refuse its listing for a moment. Tried again
  // soon: were it left to the next event, what the user's programs make in
  // the folder until then would join the snapshot as found.
  if (!foundRetry_ && foundRetriesLeft_ > 0) {
    --foundRetriesLeft_;
    foundRetry_ = platform_.timers.startOnce(kRetryDelayMs, [this] {
      foundRetry_ = 0;
      if (foundFilesPending_ && active()) settleFoundFolder();
    });
  }
  return false;
}

bool FolderSurveillance::takeInFoundFiles() {
  FileSystem& files = platform_.files;
  const std::string folder = watchedFolder(files, choicePath());
  if (folder.empty() || !listing_.setDirectory(folder)) return false;
  const auto snapshot = readLines(files, snapshotPath());
  if (!snapshot) return false;
  Lines merged = *snapshot;
  std::unordered_set<std::string> known;
  for (const std::string& name : merged) known.insert(foldedAscii(name));
  for (const std::string& name : listing_.items())
    if (known.insert(foldedAscii(name)).second) merged.push_back(name);
  sortIgnoringCase(merged);
  if (!writeLines(files, snapshotPath(), merged)) return false;
  foundFilesPending_ = false;
  return true;
}

void FolderSurveillance::log(Lines lines) {
  waitingLog_.insert(waitingLog_.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
  // A log held for very long keeps its latest lines.
  if (waitingLog_.size() > kMaxWaitingLogLines)
    waitingLog_.erase(waitingLog_.begin(), waitingLog_.end() - static_cast<std::ptrdiff_t>(kMaxWaitingLogLines));
  writeWaitingLog();
}

void FolderSurveillance::writeWaitingLog() {
  if (waitingLog_.empty() || logRetry_) return;
  FileSystem& files = platform_.files;
  const std::string logPath = dayLogPath();
  const bool ready = files.exists(logPath) || files.createNew(logPath);
  if (ready && appendLines(files, logPath, waitingLog_)) {
    waitingLog_.clear();
    return;
  }
  // Another program holds the log: the lines wait, in their order, and the
  // window goes on rather than wait for it.
  logRetry_ = platform_.timers.startOnce(kLogRetryMs, [this] {
    logRetry_ = 0;
    writeWaitingLog();
  });
}

void FolderSurveillance::watchFolder(const std::string& folder) {
  FileSystem& files = platform_.files;
  if (!listing_.setDirectory(folder))
    throw std::runtime_error(folder + " cannot be listed: the folder watched stays as it was.");
  // What the snapshot held, to put back should the choice fail half-way.
  const FileRead before = files.read(snapshotPath());
  if (!before.bytes && before.error != FileError::Missing)
    throw std::runtime_error(snapshotPath() + " cannot be read: the folder watched stays as it was.");
  // The new folder's snapshot first: a watch is never moved onto a folder
  // without its own snapshot.
  if (!writeLines(files, snapshotPath(), listing_.items()))
    throw std::runtime_error("cannot write " + snapshotPath() + ": the folder watched stays as it was.");
  if (!writeLines(files, choicePath(), {folder})) {
    // The earlier folder stays watched, against its own snapshot.
    const bool restored = before.bytes ? replaceFile(files, snapshotPath(), *before.bytes) : files.remove(snapshotPath());
    if (!restored) snapshotTrusted_ = false;
    throw std::runtime_error("cannot write " + choicePath() +
                             (restored ? ": the folder watched stays as it was."
                                       : ": nothing is deleted in the folder watched until another folder is chosen."));
  }
  snapshotTrusted_ = true;
  foundFilesPending_ = false;
  deleted_.clear();
  state_.WatchedRoot = folder;
  notifier_.setRoot(folder);
}

}  // namespace tg
