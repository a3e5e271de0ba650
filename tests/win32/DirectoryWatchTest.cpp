#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "win32/MessageLoop.h"
#include "win32/TempFolder.h"
#include "win32/Win32DirectoryWatchers.h"

namespace tg::win32 {
namespace {

using testing::TempFolder;

constexpr DWORD kPatienceMs = 5000;

// A folder inside a temporary folder, removed with its plain files before the
// temporary folder goes (which removes plain files only).
class Subfolder {
 public:
  explicit Subfolder(std::string path) : path_(std::move(path)) { CreateDirectoryA(path_.c_str(), nullptr); }
  ~Subfolder() {
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((*this / data.cFileName).c_str());
      } while (FindNextFileA(search, &data));
      FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
  }
  Subfolder(const Subfolder&) = delete;
  Subfolder& operator=(const Subfolder&) = delete;
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

bool createFile(const std::string& path) {
  const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// Serves the thread's messages until `done` holds; false when it never did.
bool pumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  for (;;) {
    pumpMessages({});
    if (done()) return true;
    const DWORD waited = GetTickCount() - start;
    if (waited >= kPatienceMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPatienceMs - waited, QS_ALLINPUT);
  }
}

// Waits until a message has been posted to this thread, without serving it.
bool waitForPostedMessage() {
  const DWORD start = GetTickCount();
  while (!(HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE)) {
    const DWORD waited = GetTickCount() - start;
    if (waited >= kPatienceMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPatienceMs - waited, QS_POSTMESSAGE);
  }
  return true;
}

struct Win32DirectoryWatch : ::testing::Test {
  void SetUp() override { pumpMessages({}); }  // nothing left over from earlier tests
  TempFolder root;
  Win32DirectoryWatchers watchers;
};

// A handler that makes a new file in `folder` each time it runs, so that its
// events go on only while that folder's changes are seen; `thread` is the
// thread it last ran on.
std::function<void()> fileMaker(const std::string& folder, int& events, DWORD& thread) {
  return [folder, &events, &thread] {
    createFile(folder + "\\" + std::to_string(++events) + ".txt");
    thread = GetCurrentThreadId();
  };
}

bool underWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

TEST_F(Win32DirectoryWatch, FoldersBelowTheRootAreWatchedFromTheStart) {
  // wine watches a subtree through inotify, one folder at a time as it meets
  // them: a change in a folder that existed below the root before the watch
  // began is seen in about half of the runs on a busy machine, however the
  // folder is opened first. Windows watches the subtree itself. Nothing of
  // the product depends on it: the surveillance examines the watched folder's
  // own files, and the root's own changes are always seen (the tests below).
  if (underWine()) GTEST_SKIP() << "wine does not see changes in folders that existed before the watch began";
  Subfolder sub(root / "sub");
  Subfolder deep(sub / "deep");
  int events = 0;
  DWORD thread = 0;
  const auto watch = watchers.watch(root.path(), fileMaker(sub / "deep", events, thread));
  ASSERT_TRUE(watch);
  ASSERT_TRUE(createFile(deep / "first.txt"));
  EXPECT_TRUE(pumpUntil([&] { return events >= 3; })) << events;
  EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST_F(Win32DirectoryWatch, FoldersMadeAfterTheStartAreWatchedToo) {
  int events = 0;
  DWORD thread = 0;
  const auto watch = watchers.watch(root.path(), fileMaker(root / "later", events, thread));
  ASSERT_TRUE(watch);
  Subfolder later(root / "later");
  EXPECT_TRUE(pumpUntil([&] { return events >= 3; }));
}

TEST_F(Win32DirectoryWatch, ARenameRaisesAnEvent) {
  ASSERT_TRUE(createFile(root / "old.txt"));
  int events = 0;
  const auto watch = watchers.watch(root.path(), [&] { ++events; });
  ASSERT_TRUE(watch);
  ASSERT_TRUE(MoveFileA((root / "old.txt").c_str(), (root / "new.txt").c_str()));
  EXPECT_TRUE(pumpUntil([&] { return events > 0; }));
}

TEST_F(Win32DirectoryWatch, AWatchOfFolderNamesSeesAFolderMadeOrRenamedInItsFolder) {
  int events = 0;
  const auto watch = watchers.watchFolders(root.path(), [&] { ++events; });
  ASSERT_TRUE(watch);
  ASSERT_TRUE(CreateDirectoryA((root / "made").c_str(), nullptr));
  ASSERT_TRUE(pumpUntil([&] { return events > 0; }));
  const int before = events;
  ASSERT_TRUE(MoveFileA((root / "made").c_str(), (root / "renamed").c_str()));
  EXPECT_TRUE(pumpUntil([&] { return events > before; }));
  RemoveDirectoryA((root / "renamed").c_str());
  EXPECT_FALSE(watchers.watchFolders(root / "missing", [] {}));
}

TEST_F(Win32DirectoryWatch, AMissingFolderCannotBeWatched) {
  EXPECT_FALSE(watchers.watch(root / "missing", [] {}));
  EXPECT_FALSE(watchers.watch(root / "missing\\deeper", [] {}));
}

TEST_F(Win32DirectoryWatch, WhatTheHandlerChangesRaisesAFurtherEventOnceItReturns) {
  int events = 0;
  const auto watch = watchers.watch(root.path(), [&] {
    if (++events > 1) return;
    createFile(root / "made by the handler.txt");
    // The watching thread sees that change while the handler still runs.
    Sleep(200);
  });
  ASSERT_TRUE(watch);
  ASSERT_TRUE(createFile(root / "first.txt"));
  EXPECT_TRUE(pumpUntil([&] { return events > 1; }));
}

TEST_F(Win32DirectoryWatch, AWatchDestroyedWhileItsEventIsOnItsWayDeliversNothing) {
  int events = 0;
  auto watch = watchers.watch(root.path(), [&] { ++events; });
  ASSERT_TRUE(watch);
  ASSERT_TRUE(createFile(root / "new.txt"));
  ASSERT_TRUE(waitForPostedMessage());
  watch.reset();
  pumpMessages({});
  EXPECT_EQ(events, 0);
}

TEST_F(Win32DirectoryWatch, AHandlerMayEndItsOwnWatchAndStartAnother) {
  std::unique_ptr<DirectoryWatch> first, second;
  int firstEvents = 0, secondEvents = 0;
  first = watchers.watch(root.path(), [&] {
    ++firstEvents;
    first.reset();
    second = watchers.watch(root.path(), [&] { ++secondEvents; });
  });
  ASSERT_TRUE(first);
  ASSERT_TRUE(createFile(root / "one.txt"));
  ASSERT_TRUE(pumpUntil([&] { return second != nullptr; }));
  EXPECT_FALSE(first);
  ASSERT_TRUE(createFile(root / "two.txt"));
  EXPECT_TRUE(pumpUntil([&] { return secondEvents > 0; }));
  EXPECT_EQ(firstEvents, 1);
}

TEST_F(Win32DirectoryWatch, WatchesOfTwoFoldersEachGetTheirOwnEvents) {
  TempFolder other;
  int rootEvents = 0, otherEvents = 0;
  const auto rootWatch = watchers.watch(root.path(), [&] { ++rootEvents; });
  const auto otherWatch = watchers.watch(other.path(), [&] { ++otherEvents; });
  ASSERT_TRUE(rootWatch && otherWatch);
  ASSERT_TRUE(createFile(root / "a.txt"));
  ASSERT_TRUE(pumpUntil([&] { return rootEvents > 0; }));
  EXPECT_EQ(otherEvents, 0);
  ASSERT_TRUE(createFile(other / "b.txt"));
  EXPECT_TRUE(pumpUntil([&] { return otherEvents > 0; }));
}

}  // namespace
}  // namespace tg::win32
