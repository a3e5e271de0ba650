#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <thread>

#include "stores/DataPacket.h"
#include "stores/StoreFile.h"
#include "win32/TempFolder.h"
#include "win32/Win32FileSystem.h"

namespace tg::win32 {
namespace {

using testing::TempFolder;

// Another process's exclusive hold on a file, simulated by an open handle
// without any sharing.
struct ExclusiveHold {
  HANDLE h;
  explicit ExclusiveHold(const std::string& path)
      : h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~ExclusiveHold() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

std::string allBytes() {
  std::string s;
  for (int round = 0; round < 3; ++round)
    for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

TEST(Win32FileSystem, WritesAndReadsEveryByteExactly) {
  TempFolder dir;
  Win32FileSystem files;
  ASSERT_TRUE(files.writeBytes(dir / "bytes.bin", allBytes()));
  EXPECT_EQ(files.readBytes(dir / "bytes.bin"), allBytes());
  ASSERT_TRUE(files.writeBytes(dir / "bytes.bin", "short"));  // replaced, not overlaid
  EXPECT_EQ(files.readBytes(dir / "bytes.bin"), "short");
  ASSERT_TRUE(files.writeBytes(dir / "empty.txt", ""));
  EXPECT_EQ(files.readBytes(dir / "empty.txt"), "");
  EXPECT_EQ(files.readBytes(dir / "missing.txt"), std::nullopt);
  // A doubled separator before the name names the same file.
  EXPECT_EQ(files.readBytes(dir.path() + "\\bytes.bin"), "short");
  EXPECT_FALSE(files.writeBytes(dir / "no such folder\\x.txt", "x"));
}

TEST(Win32FileSystem, AppendsFromManyWritersAllArriveWhole) {
  // Lost appends need two writers at the same moment: many rounds of eight
  // writers make that moment come every time, were appends not taking turns.
  // Long lines keep each write busy long enough for another writer to find the
  // same end of file (with short lines, shared appends under wine lose a line
  // in only a few rounds of ten).
  TempFolder dir;
  Win32FileSystem files;
  constexpr int kRounds = 10, kWriters = 8, kLines = 40;
  const std::string filler(16000, '.');
  for (int round = 0; round < kRounds; ++round) {
    const std::string log = dir / ("shared" + std::to_string(round) + ".log");
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w)
      writers.emplace_back([&files, &log, &filler, w] {
        // Each tries again until its turn comes, as the engines' logs do.
        for (int i = 0; i < kLines; ++i)
          while (!files.appendBytes(log, "writer " + std::to_string(w) + " line " + std::to_string(i) + filler + "\r\n"))
            std::this_thread::yield();
      });
    for (auto& t : writers) t.join();
    const std::string text = files.readBytes(log).value_or("");
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kWriters * kLines)) << "round " << round;
    std::sort(lines.begin(), lines.end());
    std::vector<std::string> expected;
    for (int w = 0; w < kWriters; ++w)
      for (int i = 0; i < kLines; ++i)
        expected.push_back("writer " + std::to_string(w) + " line " + std::to_string(i) + filler);
    std::sort(expected.begin(), expected.end());
    ASSERT_TRUE(lines == expected) << "lines broken into one another in round " << round;  // too long to print
  }
}

TEST(Win32FileSystem, AnAppendToAFileHeldByAnotherProgramFailsAtOnceAndChangesNothing) {
  TempFolder dir;
  Win32FileSystem files;
  ASSERT_TRUE(files.appendBytes(dir / "log.txt", "first\r\n"));
  {
    ExclusiveHold hold(dir / "log.txt");
    ASSERT_NE(hold.h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.appendBytes(dir / "log.txt", "second\r\n"));
  }
  EXPECT_TRUE(files.appendBytes(dir / "log.txt", "third\r\n"));
  EXPECT_EQ(files.readBytes(dir / "log.txt"), "first\r\nthird\r\n");
}

TEST(Win32FileSystem, OnlyANameOnADriveThatAnswersIsAbsent) {
  TempFolder dir;
  Win32FileSystem files;
  ASSERT_TRUE(files.writeBytes(dir / "here.txt", "x"));
  struct Case {
    std::string path;
    Presence expected;
  } cases[] = {
      {dir / "here.txt", Presence::Present},
      {dir.path(), Presence::Present},
      {dir / "gone.exe", Presence::Absent},
      {dir / "no folder\\gone.exe", Presence::Absent},
      {"C:\\", Presence::Present},
  };
  for (const Case& c : cases) EXPECT_EQ(files.presence(c.path), c.expected) << c.path;
  // A drive letter that no drive has, and a share of a server that does not answer.
  char unused = 0;
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Q'; letter <= 'Y' && !unused; ++letter)
    if (!(drives & (1u << (letter - 'A')))) unused = letter;
  ASSERT_NE(unused, 0);
  EXPECT_EQ(files.presence(std::string(1, unused) + ":\\Programs\\app.exe"), Presence::Unknown);
  EXPECT_EQ(files.presence("\\\\tg-no-such-server.invalid\\share\\app.exe"), Presence::Unknown);
  EXPECT_EQ(files.presence("relative\\app.exe"), Presence::Unknown);
}

TEST(Win32FileSystem, ANewFileIsCreatedOnlyWhereNothingHasItsName) {
  TempFolder dir;
  Win32FileSystem files;
  EXPECT_TRUE(files.createNew(dir / "mine.txt"));
  EXPECT_EQ(files.readBytes(dir / "mine.txt"), "");
  ASSERT_TRUE(files.writeBytes(dir / "theirs.txt", "kept"));
  EXPECT_FALSE(files.createNew(dir / "theirs.txt"));
  EXPECT_FALSE(files.createNew(dir / "mine.txt"));
  EXPECT_EQ(files.readBytes(dir / "theirs.txt"), "kept");
}

TEST(Win32FileSystem, AReadSaysWhyItFailed) {
  TempFolder dir;
  Win32FileSystem files;
  EXPECT_EQ(files.read(dir / "missing.txt").error, FileError::Missing);
  EXPECT_EQ(files.read(dir / "no folder\\missing.txt").error, FileError::Missing);
  ASSERT_TRUE(CreateDirectoryA((dir / "folder").c_str(), nullptr));
  EXPECT_EQ(files.read(dir / "folder").error, FileError::Denied);
  files.writeBytes(dir / "held.txt", "x");
  ExclusiveHold hold(dir / "held.txt");
  EXPECT_EQ(files.read(dir / "held.txt").error, FileError::Held);
  EXPECT_EQ(files.openExclusively(dir / "held.txt"), FileError::Held);
  EXPECT_EQ(files.openExclusively(dir / "missing.txt"), FileError::Missing);
  files.writeBytes(dir / "readonly.txt", "x");
  ASSERT_TRUE(SetFileAttributesA((dir / "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files.openExclusively(dir / "readonly.txt"), FileError::Denied);
  EXPECT_EQ(files.read(dir / "readonly.txt").bytes, "x");
  SetFileAttributesA((dir / "readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A store is decoded from a view of its file: it must see what a read sees,
// fail as a read fails, and leave the file free to be replaced once let go.
TEST(Win32FileSystem, AViewGivesWhatAReadGivesAndFreesTheFileWhenReleased) {
  TempFolder dir;
  Win32FileSystem files;
  std::string large = allBytes();
  while (large.size() < (3u << 20)) large += large;  // past the first page, well past it
  ASSERT_TRUE(files.writeBytes(dir / "large.bin", large));
  ASSERT_TRUE(files.writeBytes(dir / "bytes.bin", allBytes()));
  ASSERT_TRUE(files.writeBytes(dir / "empty.txt", ""));
  ASSERT_TRUE(CreateDirectoryA((dir / "folder").c_str(), nullptr));
  files.writeBytes(dir / "held.txt", "x");
  ExclusiveHold hold(dir / "held.txt");
  char unused = 0;  // a drive letter that no drive has
  for (char letter = 'Q'; letter <= 'Y' && !unused; ++letter)
    if (!(GetLogicalDrives() & (1u << (letter - 'A')))) unused = letter;
  ASSERT_NE(unused, 0);
  for (const std::string& path : {dir / "large.bin", dir / "bytes.bin", dir / "empty.txt", dir / "missing.txt",
                                  dir / "folder", dir / "held.txt", std::string(1, unused) + ":\\regles.xml",
                                  std::string("\\\\tg-no-such-server.invalid\\share\\regles.xml")}) {
    const FileRead read = files.read(path);
    const FileViewRead view = files.view(path);
    EXPECT_EQ(view.error, read.error) << path;
    ASSERT_EQ(view.view != nullptr, read.bytes.has_value()) << path;
    if (read.bytes) EXPECT_TRUE(view.view->bytes() == *read.bytes) << path;
  }
  {
    const FileViewRead view = files.view(dir / "large.bin");
    ASSERT_TRUE(view.view);
    EXPECT_EQ(view.view->bytes().size(), large.size());
  }
  ASSERT_TRUE(files.writeBytes(dir / "new.bin", "new"));
  EXPECT_TRUE(files.rename(dir / "new.bin", dir / "large.bin", true)) << "a view let go of holds nothing";
  EXPECT_EQ(files.readBytes(dir / "large.bin"), "new");
}

TEST(Win32FileSystem, RenameReplacesOnlyWhenAsked) {
  TempFolder dir;
  Win32FileSystem files;
  files.writeBytes(dir / "a.txt", "a");
  files.writeBytes(dir / "b.txt", "b");
  EXPECT_FALSE(files.rename(dir / "a.txt", dir / "b.txt", false));
  EXPECT_TRUE(files.rename(dir / "a.txt", dir / "b.txt", true));
  EXPECT_EQ(files.readBytes(dir / "b.txt"), "a");
  EXPECT_FALSE(files.exists(dir / "a.txt"));
  EXPECT_TRUE(files.remove(dir / "b.txt"));
  EXPECT_FALSE(files.remove(dir / "b.txt"));
}

TEST(Win32FileSystem, AFileHeldWithoutSharingCanBeNeitherReadNorReplaced) {
  TempFolder dir;
  Win32FileSystem files;
  files.writeBytes(dir / "held.txt", "old");
  files.writeBytes(dir / "new.txt", "new");
  {
    ExclusiveHold hold(dir / "held.txt");
    ASSERT_NE(hold.h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(files.exists(dir / "held.txt"));
    EXPECT_EQ(files.readBytes(dir / "held.txt"), std::nullopt);
    EXPECT_FALSE(files.writeBytes(dir / "held.txt", "x"));
    EXPECT_FALSE(files.rename(dir / "new.txt", dir / "held.txt", true));
  }
  EXPECT_EQ(files.readBytes(dir / "held.txt"), "old");
}

TEST(Win32FileSystem, FindListsMatchesWithTheirAttributesAndSizes) {
  TempFolder dir;
  Win32FileSystem files;
  files.writeBytes(dir / "one.txt", "1");
  files.writeBytes(dir / "hidden.txt", "22");
  files.writeBytes(dir / "x_mod_y.txt", "333");
  files.writeBytes(dir / "other.dat", "4444");
  ASSERT_TRUE(SetFileAttributesA((dir / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  CreateDirectoryA((dir / "sub.txt").c_str(), nullptr);

  std::vector<FileEntry> found = files.find(dir / "*.txt").value();
  std::sort(found.begin(), found.end(), [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0].name, "hidden.txt");
  EXPECT_TRUE(found[0].attributes & attr::Hidden);
  EXPECT_EQ(found[0].size, 2u);
  EXPECT_EQ(found[2].name, "sub.txt");
  EXPECT_TRUE(found[2].attributes & attr::Directory);
  EXPECT_EQ(files.find(dir / "*mod*.txt")->size(), 1u);
  // No match is an empty listing; a folder that cannot be listed gives none.
  ASSERT_TRUE(files.find(dir / "*.none"));
  EXPECT_TRUE(files.find(dir / "*.none")->empty());
  EXPECT_FALSE(files.find(dir / "missing\\*.*"));
  EXPECT_FALSE(files.find(dir / "one.txt\\*.*"));  // a file is no folder
  EXPECT_EQ(files.attributes(dir / "hidden.txt").value() & attr::Hidden, attr::Hidden);
  EXPECT_EQ(files.attributes(dir / "missing"), std::nullopt);
  RemoveDirectoryA((dir / "sub.txt").c_str());
}

TEST(Win32FileSystem, AStoreSaveNeverLeavesAHalfWrittenFile) {
  TempFolder dir;
  Win32FileSystem files;
  const std::vector<FieldDef> fields = {{"Champ1", 200}};
  StoreFile file(files, dir / "quarantaines.xml", fields, CodePage(1252));
  RecordStore store("ClientDataSet4");
  store.addFieldDef("Champ1", 200);
  store.createDataSet();
  store.append();
  store.setField("Champ1", "caf\xE9.exe");
  file.save(store);
  const auto saved = files.readBytes(dir / "quarantaines.xml");
  ASSERT_TRUE(saved);

  store.append();
  store.setField("Champ1", "second.exe");
  {
    ExclusiveHold hold(dir / "quarantaines.xml");  // an engine reading it
    EXPECT_THROW(file.save(store), StoreError);
  }
  EXPECT_EQ(files.readBytes(dir / "quarantaines.xml"), saved);
  EXPECT_FALSE(files.exists(dir / "quarantaines.xml.saving"));

  file.save(store);
  RecordStore again("ClientDataSet4");
  file.load(again);
  EXPECT_EQ(again.recordCount(), 2u);
  again.first();
  EXPECT_EQ(again.field("Champ1"), "caf\xE9.exe");
}

}  // namespace
}  // namespace tg::win32
