#include "pages/tools/FolderSurveillance.h"

#include <stdexcept>
#include <unordered_set>

#include "stores/PlainFiles.h"
#include "stores/Text.h"
#include "stores/TextFile.h"

namespace tg {

FolderSurveillance::FolderSurveillance(Platform& platform, SharedState& state, ui::FileListBox& listing,
                                       ui::ShellChangeNotifier& notifier)
    : platform_(platform), state_(state), listing_(listing), notifier_(notifier) {}

FolderSurveillance::~FolderSurveillance() {
  if (retry_) platform_.timers.stop(retry_);
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
  if (size && *size > 0) {
    const auto last = files.readRange(path, *size - 1, 1);
    if (!last) return false;
    if (*last != "\n" && *last != "\r") bytes.insert(0, "\r\n");
  }
  return files.appendBytes(path, bytes);
}

}  // namespace

void FolderSurveillance::handleChange() {
  if (state_.WatchMode != '1') return;
  FileSystem& files = platform_.files;
  if (!files.exists(snapshotPath())) return;

  // 1. The day's log, created empty on the first event of the day.
  const std::string log = dayLogPath();
  if (!files.exists(log) && !files.writeBytes(log, "")) return;

  // 2. The watched folder and its plain files as they are now.
  const auto watched = readLines(files, state_.ProgramDirectory + "surveille.txt");
  if (!watched || watched->empty() || watched->front().empty()) return;
  const std::string folder = watched->front();
  listing_.setDirectory(folder);
  const std::vector<std::string> names = listing_.items();

  // 3. The names the folder held when it was chosen.
  const auto snapshot = readLines(files, snapshotPath());
  if (!snapshot) return;
  std::unordered_set<std::string> known;
  for (const std::string& name : *snapshot) known.insert(foldedAscii(name));

  // 4. Every new name is deleted; every name is logged.
  if (foldedAscii(folder) != deletedFrom_) {
    deleted_.clear();
    deletedFrom_ = foldedAscii(folder);
  }
  Lines kept;
  Lines block;
  bool held = false;
  const std::string prefix = folderWithBackslash(folder);
  for (const std::string& name : names) {
    const std::string path = prefix + name;
    block.push_back(path);
    const std::string key = foldedAscii(name);
    if (!known.count(key)) {
      if (!files.remove(path) && files.exists(path)) {
        // Still held by the program writing it: it stays out of the
        // snapshot, so that it is tried again rather than kept for good.
        held = true;
        continue;
      }
      deleted_.emplace(key, name);
    }
    kept.push_back(name);
  }
  // 5. The names deleted here stay known, also once the event that the
  // deletion itself raises has listed the folder without them: the same name
  // coming back is kept.
  std::unordered_set<std::string> listed;
  for (const std::string& name : kept) listed.insert(foldedAscii(name));
  for (const auto& [key, name] : deleted_)
    if (known.count(key) && !listed.count(key)) kept.push_back(name);
  sortIgnoringCase(kept);

  // 5. and 6.
  if (!writeLines(files, snapshotPath(), kept)) return;
  appendLines(files, log, block);
  if (held) retryLater();
}

void FolderSurveillance::retryLater() {
  if (retry_ || retriesLeft_ <= 0) return;
  --retriesLeft_;
  retry_ = platform_.timers.startOnce(kRetryDelayMs, [this] {
    retry_ = 0;
    handleChange();
  });
}

void FolderSurveillance::watchFolder(const std::string& folder) {
  FileSystem& files = platform_.files;
  const std::string choice = state_.ProgramDirectory + "surveille.txt";
  if (!writeLines(files, choice, {folder})) throw std::runtime_error("cannot write " + choice);
  state_.WatchedRoot = folder;
  deleted_.clear();
  notifier_.setRoot(folder);
  listing_.setDirectory(folder);
  if (!writeLines(files, snapshotPath(), listing_.items())) throw std::runtime_error("cannot write " + snapshotPath());
}

}  // namespace tg
