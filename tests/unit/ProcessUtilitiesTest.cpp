#include <gtest/gtest.h>

#include "engines/EngineTable.h"
#include "engines/ProcessUtilities.h"
#include "testing/FakePlatform.h"

namespace tg {
namespace {

using testing::FakePlatform;

TEST(ProcessUtilities, NamesMatchIgnoringTheCaseOfAToZOnly) {
  FakePlatform fake;
  fake.processes.add("rtguard.exe");
  fake.processes.add("caf\xE9.exe");
  EXPECT_TRUE(IsRunning(fake.processes, "RTGUARD.EXE"));
  EXPECT_TRUE(IsRunning(fake.processes, "caf\xE9.EXE"));
  EXPECT_FALSE(IsRunning(fake.processes, "CAF\xC9.exe"));  // É is not folded to é
  EXPECT_FALSE(IsRunning(fake.processes, "rtguard"));
}

TEST(ProcessUtilities, KillByNameEndsEveryInstanceAndSaysWhetherOneEnded) {
  FakePlatform fake;
  const auto first = fake.processes.add("rtguard.exe");
  fake.processes.add("other.exe");
  const auto second = fake.processes.add("RtGuard.exe");
  EXPECT_TRUE(KillByName(fake.processes, "RTGUARD.exe"));
  EXPECT_EQ(fake.processes.ended, (std::vector<std::string>{"rtguard.exe#" + std::to_string(first),
                                                            "RtGuard.exe#" + std::to_string(second)}));
  EXPECT_FALSE(KillByName(fake.processes, "rtguard.exe"));
  EXPECT_TRUE(fake.processes.running("other.exe"));
}

TEST(ProcessUtilities, AProcessThatCannotBeOpenedIsSkippedSilently) {
  FakePlatform fake;
  const auto guarded = fake.processes.add("netguard.exe");
  fake.processes.protect(guarded);
  fake.processes.add("netguard.exe");
  EXPECT_TRUE(KillByName(fake.processes, "netguard.exe"));  // the second one ended
  EXPECT_TRUE(IsRunning(fake.processes, "netguard.exe"));
  EXPECT_FALSE(KillByName(fake.processes, "netguard.exe"));
}

TEST(ProcessUtilities, TheIdMatchesOnlyItsPlainDecimalText) {
  FakePlatform fake;
  fake.processes.addWithPid(123, "word.exe");
  EXPECT_TRUE(IsRunningWithPid(fake.processes, "WORD.EXE", "123"));
  EXPECT_FALSE(IsRunningWithPid(fake.processes, "word.exe", "0123"));
  EXPECT_FALSE(IsRunningWithPid(fake.processes, "word.exe", "123 "));
  EXPECT_FALSE(IsRunningWithPid(fake.processes, "word.exe", " 123"));
  EXPECT_FALSE(IsRunningWithPid(fake.processes, "excel.exe", "123"));
  EXPECT_FALSE(KillByNameAndPid(fake.processes, "word.exe", "0123"));
  EXPECT_TRUE(KillByNameAndPid(fake.processes, "word.exe", "123"));
  EXPECT_FALSE(IsRunning(fake.processes, "word.exe"));
}

TEST(ProcessUtilities, NoSnapshotMeansNothingRunsAndNothingEnds) {
  FakePlatform fake;
  fake.processes.add("rtguard.exe");
  fake.processes.failSnapshots(true);
  EXPECT_FALSE(IsRunning(fake.processes, "rtguard.exe"));
  EXPECT_FALSE(KillByName(fake.processes, "rtguard.exe"));
  EXPECT_TRUE(fake.processes.ended.empty());
}

TEST(ProcessUtilities, StopListsEndTheirEnginesInOrder) {
  FakePlatform fake;
  for (std::string_view name : kShutdownStopList) fake.processes.add(std::string(name));
  fake.processes.add("notify.exe");
  StopEngines(fake.processes, kStartUpLeftovers);
  EXPECT_EQ(fake.processes.endedNames,
            (std::vector<std::string>{"diskscan.exe", "rtguard.exe", "siteguard.exe", "netguard.exe",
                                      "mailfilter.exe", "backup.exe", "dbupdate.exe"}));
  EXPECT_TRUE(fake.processes.running("scanengine.exe"));  // a scan in progress is left alone
  EXPECT_TRUE(fake.processes.running("notify.exe"));
}

TEST(ProcessUtilities, FileIsLockedOnlyWhileAnotherProcessHoldsAnExistingFile) {
  FakePlatform fake;
  const std::string path = fake.inProgram("netguard.txt");
  EXPECT_FALSE(FileIsLocked(fake.files, path));
  fake.files.addFile(path, "x");
  EXPECT_FALSE(FileIsLocked(fake.files, path));
  fake.files.setLocked(path, true);
  EXPECT_TRUE(FileIsLocked(fake.files, path));
  fake.files.setLocked(path, false);
  // Files that cannot be opened for writing for other reasons are not held by
  // anyone: a wait for them would last its whole bound.
  fake.files.setAttributes(path, attr::ReadOnly);
  EXPECT_FALSE(FileIsLocked(fake.files, path));
  fake.files.setAttributes(path, attr::Archive);
  fake.files.setDenied(path, true);
  EXPECT_FALSE(FileIsLocked(fake.files, path));
  EXPECT_FALSE(FileIsLocked(fake.files, FakePlatform::kProgramDirectory));  // a folder
}

TEST(ProcessUtilities, NotifyUserStartsTheMessageEngineWithSpacesAsSemicolons) {
  FakePlatform fake;
  NotifyUser(fake.shell, FakePlatform::kProgramDirectory, "erreur configuration checkb");
  ASSERT_EQ(fake.shell.requests.size(), 1u);
  const ShellRequest& r = fake.shell.requests[0];
  EXPECT_EQ(r.verb, "open");
  EXPECT_EQ(r.file, fake.inProgram("notify.exe"));
  EXPECT_EQ(r.parameters, "erreur;configuration;checkb");
  EXPECT_EQ(r.show, kShowHidden);
  EXPECT_TRUE(r.ownedByMainWindow);
}

TEST(ProcessUtilities, RunHiddenPassesTheCommandLineAndShowState) {
  FakePlatform fake;
  EXPECT_TRUE(RunHidden(fake.processes, "dbupdate.exe 0", kShowHidden));
  fake.processes.onCreate = [](const std::string&) { return false; };
  EXPECT_FALSE(RunHidden(fake.processes, "scanengine.exe 0", kShowHidden));
  EXPECT_EQ(fake.processes.created, (std::vector<std::string>{"dbupdate.exe 0", "scanengine.exe 0"}));
  EXPECT_EQ(fake.processes.createdShowStates, (std::vector<int>{0, 0}));
}

}  // namespace
}  // namespace tg
