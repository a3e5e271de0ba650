// The folder surveillance of the real control centre under wine, tried with
// what a real machine does to a watched folder: moved away and back, replaced
// by another of its name, a snapshot that cannot be written, a day's log held
// by another program, a volume that is full. None of it may cost a file of
// the user's, and the watch goes on afterwards.
#include "ControlCentreKit.h"
#include "WatchPageKit.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include "win32/TempFolder.h"
#include "win32/TestFiles.h"

namespace tg::e2e {
namespace {

using testing::fileExists;
using testing::writeFile;

// The surveillance on from the start, on `folder` (without its backslash),
// against a snapshot of `names`: the files the watch page would write.
void watchFromTheStart(ProgramDirectory& dir, const std::string& folder, const std::vector<std::string>& names) {
  ASSERT_TRUE(dir.folder.write("mode.txt", "1\r\n"));
  ASSERT_TRUE(dir.folder.write("surveille.txt", folder + "\r\n"));
  ASSERT_TRUE(dir.folder.write("repertoiresurveille.txt", joinLines(names)));
}

// A new file that the surveillance deletes: the sign that it watches.
bool deletedOnceWritten(const std::string& path) {
  return writeFile(path, "made by another program") && waitFor([&] { return !fileExists(path); }, 10000);
}

// Moves a folder as the user does. The program lists the watched folder at
// each change in it, its own deletions included, and a folder that is being
// listed cannot be moved (on Windows as under wine): a move that meets a
// listing is made again, as the user would.
bool moveFolder(const std::string& from, const std::string& to) {
  return waitFor([&] { return MoveFileA(from.c_str(), to.c_str()) != 0; }, 5000);
}

bool logHolds(const ProgramDirectory& dir, const std::string& line) {
  return waitFor([&] { return dayLog(dir.folder).find(line + "\r\n") != std::string::npos; }, 10000);
}

// A file held open by this test as another program holds one. The program
// may be replacing it just then, after an event its own deletion raised: it
// is opened once free, as that other program would.
class Held {
 public:
  Held(const std::string& path, DWORD share) : h_(testing::openOnceFree(path, GENERIC_READ, share, 10000)) {}
  ~Held() { release(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  void release() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

// The surveillance on from the start, on the folder "Watched" of a folder of
// the test's own, holding one file of the user's.
class SurveillanceUnderWine : public ::testing::Test {
 protected:
  ProgramDirectory dir;
  testing::TempFolder parent;
  const std::string folder = parent / "Watched";
  std::unique_ptr<ControlCentre> centre;

  void startWatching() {
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(writeFile(folder + "\\kept.txt", "the user's"));
    watchFromTheStart(dir, folder, {"kept.txt"});
    centre = std::make_unique<ControlCentre>(dir);
    ASSERT_TRUE(centre->ready);
    ASSERT_TRUE(deletedOnceWritten(folder + "\\first.txt"));
  }
};

TEST_F(SurveillanceUnderWine, AFolderMovedAwayAndBackKeepsWhatWasMadeInItMeanwhileAndIsWatchedAgain) {
  ASSERT_NO_FATAL_FAILURE(startWatching());
  ASSERT_TRUE(moveFolder(folder, parent / "Away"));
  ASSERT_TRUE(logHolds(dir, dir.entry(102) + folder)) << dayLog(dir.folder);
  ASSERT_TRUE(writeFile(parent / "Away\\meanwhile.txt", "the user's, made where no watch is"));
  ASSERT_TRUE(moveFolder(parent / "Away", folder));
  ASSERT_TRUE(logHolds(dir, dir.entry(103) + folder)) << dayLog(dir.folder);

  ASSERT_TRUE(deletedOnceWritten(folder + "\\after.txt"));  // watched again
  EXPECT_TRUE(fileExists(folder + "\\kept.txt"));
  EXPECT_TRUE(fileExists(folder + "\\meanwhile.txt"));
}

TEST_F(SurveillanceUnderWine, ANewFolderOfTheWatchedNameIsWatchedAndKeepsWhatItHeld) {
  ASSERT_NO_FATAL_FAILURE(startWatching());
  // The folder goes, and another takes its name with a file in it already.
  ASSERT_TRUE(CreateDirectoryA((parent / "New").c_str(), nullptr));
  ASSERT_TRUE(writeFile(parent / "New\\theirs.txt", "in the new folder from its start"));
  ASSERT_TRUE(moveFolder(folder, parent / "Old"));
  ASSERT_TRUE(moveFolder(parent / "New", folder));
  ASSERT_TRUE(logHolds(dir, dir.entry(103) + folder)) << dayLog(dir.folder);

  ASSERT_TRUE(deletedOnceWritten(folder + "\\later.txt"));
  EXPECT_TRUE(fileExists(folder + "\\theirs.txt"));
  EXPECT_TRUE(fileExists(parent / "Old\\kept.txt"));
}

TEST_F(SurveillanceUnderWine, ASecondFolderChosenWhileTheSnapshotCannotBeWrittenLeavesTheFirstWatched) {
  const std::string firstFolder = parent / "First";
  const std::string secondFolder = parent / "Second";
  ASSERT_TRUE(CreateDirectoryA(firstFolder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(secondFolder.c_str(), nullptr));
  ASSERT_TRUE(writeFile(secondFolder + "\\theirs.txt", "in the second folder"));
  centre = std::make_unique<ControlCentre>(dir);
  ASSERT_TRUE(centre->ready);
  ASSERT_TRUE(centre->openWindow());
  ASSERT_TRUE(centre->choose(58));
  ASSERT_TRUE(turnWatchModeOn(*centre, dir));
  ASSERT_TRUE(chooseWatchedFolder(*centre, dir, firstFolder));
  ASSERT_TRUE(deletedOnceWritten(firstFolder + "\\a.txt"));

  {
    // Another program reads the snapshot and lets nobody replace it.
    Held snapshot(dir.folder / "repertoiresurveille.txt", FILE_SHARE_READ);
    ASSERT_TRUE(snapshot);
    ASSERT_TRUE(doubleClickFolder(*centre, secondFolder));
    answerNextBox(IDOK);  // the report that the folder could not be chosen
  }
  ASSERT_TRUE(waitFor([&] { return !centre->asking(); }, 10000));
  EXPECT_EQ(splitLines(dir.folder.read("surveille.txt")), (Lines{firstFolder}));
  ASSERT_TRUE(writeFile(secondFolder + "\\new.txt", "made in the second folder"));
  ASSERT_TRUE(deletedOnceWritten(firstFolder + "\\b.txt"));  // the first folder is still the one watched
  EXPECT_TRUE(fileExists(secondFolder + "\\theirs.txt"));
  EXPECT_TRUE(fileExists(secondFolder + "\\new.txt"));
}

TEST_F(SurveillanceUnderWine, ADayLogHeldByAnotherProgramHoldsNeitherTheWindowNorTheDeletions) {
  ASSERT_NO_FATAL_FAILURE(startWatching());
  ASSERT_TRUE(logHolds(dir, folder + "\\first.txt"));
  WIN32_FIND_DATAA log{};
  const HANDLE search = FindFirstFileA((dir.folder / "*surveillance.txt").c_str(), &log);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  Held held(dir.folder / log.cFileName, 0);
  ASSERT_TRUE(held);
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(writeFile(folder + "\\held" + std::to_string(i) + ".txt", "new"));
  const Answering answering = answeringUntil(centre->mainWindow(), [&] {
    for (int i = 0; i < 10; ++i)
      if (fileExists(folder + "\\held" + std::to_string(i) + ".txt")) return false;
    return true;
  }, 20000);
  EXPECT_TRUE(answering.done);
  EXPECT_LT(answering.worstMs, kHeldWindowMs);
  held.release();
  // The lines waited, and come in their order once the log is free.
  ASSERT_TRUE(logHolds(dir, folder + "\\held9.txt")) << dayLog(dir.folder);
  const std::string text = dayLog(dir.folder);
  EXPECT_LT(text.find(folder + "\\first.txt"), text.find(folder + "\\held0.txt"));
  EXPECT_TRUE(fileExists(folder + "\\kept.txt"));
}

// The files of a folder that are made, written, removed or renamed, as a
// watch of the test's own sees them. The watch is armed before the
// constructor returns, so that no change made after it is missed.
class FileChanges {
 public:
  explicit FileChanges(const std::string& folder)
      : folder_(CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr)),
        event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    overlapped_.hEvent = event_;
    armed_ = arm();
    thread_ = std::thread([this] { watch(); });
  }
  ~FileChanges() {
    done_ = true;
    thread_.join();
    if (armed_) {
      DWORD got = 0;
      CancelIoEx(folder_, &overlapped_);
      GetOverlappedResult(folder_, &overlapped_, &got, TRUE);  // the buffer is the system's until then
    }
    CloseHandle(event_);
    CloseHandle(folder_);
  }
  FileChanges(const FileChanges&) = delete;
  FileChanges& operator=(const FileChanges&) = delete;
  explicit operator bool() const { return armed_; }
  // Whether a file whose name starts with `start` changed within the time.
  bool touched(const std::string& start, DWORD milliseconds) const {
    return waitFor([&] {
      std::lock_guard lock(mutex_);
      return std::any_of(changed_.begin(), changed_.end(),
                         [&](const std::string& name) { return _strnicmp(name.c_str(), start.c_str(), start.size()) == 0; });
    }, milliseconds);
  }

 private:
  bool arm() {
    constexpr DWORD kWhat = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
    return folder_ != INVALID_HANDLE_VALUE && event_ &&
           ReadDirectoryChangesW(folder_, buffer_, sizeof buffer_, FALSE, kWhat, nullptr, &overlapped_, nullptr);
  }
  void watch() {
    while (armed_ && !done_) {
      if (WaitForSingleObject(event_, 50) != WAIT_OBJECT_0) continue;
      DWORD got = 0;
      const bool read = GetOverlappedResult(folder_, &overlapped_, &got, FALSE);
      ResetEvent(event_);
      if (read) record(got);
      armed_ = read && arm();
    }
  }
  void record(DWORD got) {
    std::lock_guard lock(mutex_);
    for (DWORD at = 0; got > 0;) {
      const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + at);
      char name[MAX_PATH] = {};
      WideCharToMultiByte(CP_ACP, 0, change->FileName, static_cast<int>(change->FileNameLength / sizeof(WCHAR)), name,
                          sizeof name - 1, nullptr, nullptr);
      changed_.push_back(name);
      if (change->NextEntryOffset == 0) break;
      at += change->NextEntryOffset;
    }
  }
  HANDLE folder_;
  HANDLE event_;
  OVERLAPPED overlapped_{};
  alignas(DWORD) char buffer_[16384];
  std::atomic<bool> armed_{false};
  std::atomic<bool> done_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> changed_;
  std::thread thread_;
};

// The program directory and the watched folder on a volume of their own,
// which the test fills up (scripts of tests/e2e mount it and name it in
// TG_FULL_VOLUME).
TEST(FullVolumeUnderWine, NoFileOfTheUsersIsDeletedWhileTheSnapshotCannotBeWritten) {
  const char* volume = std::getenv("TG_FULL_VOLUME");
  ASSERT_NE(volume, nullptr) << "run by full_volume.sh, which mounts a small volume of its own";
  ProgramDirectory dir(volume);
  testing::TempFolder watched(volume);
  const std::string folder = watched.path().substr(0, watched.path().size() - 1);
  std::vector<std::string> names;
  for (int i = 0; i < 200; ++i) {
    names.push_back("document " + std::to_string(i) + " with a name long enough to need room.txt");
    ASSERT_TRUE(writeFile(watched / names.back(), "the user's"));
  }
  watchFromTheStart(dir, folder, names);
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(deletedOnceWritten(watched / "first.txt"));

  // The volume full: a file as large as the room left, and then some more.
  const std::string filler = dir.folder / "filler.bin";
  {
    const HANDLE f = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    const std::string block(1 << 16, 'f');
    DWORD written = 0;
    while (WriteFile(f, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written == block.size()) {
    }
    const std::string small(512, 'f');
    while (WriteFile(f, small.data(), static_cast<DWORD>(small.size()), &written, nullptr) && written > 0) {
    }
    CloseHandle(f);
  }
  {
    FileChanges changes(dir.folder.path());
    ASSERT_TRUE(changes);
    // An empty file needs no room; the snapshot's new content does.
    ASSERT_TRUE(writeFile(watched / "while full.txt", ""));
    // The sign that the event got as far as the snapshot, which cannot take
    // its new content.
    ASSERT_TRUE(changes.touched("repertoiresurveille.txt", 10000));
  }
  for (const std::string& name : names) ASSERT_TRUE(fileExists(watched / name)) << name;
  EXPECT_TRUE(fileExists(watched / "while full.txt"));  // deleted only once the snapshot says so

  ASSERT_TRUE(DeleteFileA(filler.c_str()));
  ASSERT_TRUE(deletedOnceWritten(watched / "after.txt"));
  EXPECT_FALSE(fileExists(watched / "while full.txt"));
  for (const std::string& name : names) EXPECT_TRUE(fileExists(watched / name)) << name;
}

}  // namespace
}  // namespace tg::e2e
