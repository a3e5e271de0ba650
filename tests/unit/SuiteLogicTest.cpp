#include <gtest/gtest.h>

#include "engines/ConnectionLine.h"
#include "suite/backup/Mirror.h"
#include "suite/common/CommandLine.h"
#include "suite/common/EngineFiles.h"
#include "suite/diskscan/DuplicateIndex.h"
#include "suite/netguard/ConnectionList.h"
#include "suite/scanengine/Scanner.h"
#include "testing/FakeFileSystem.h"

namespace tg::suite {
namespace {

using testing::FakeFileSystem;

TEST(EngineCommandLine, TheParameterTextFollowsTheProgramName) {
  EXPECT_EQ(argumentText("\"C:\\Program Files\\T\\notify.exe\" erreur;configuration;checkb"),
            "erreur;configuration;checkb");
  EXPECT_EQ(argumentText("diskscan.exe 1 C:\\My Folder"), "1 C:\\My Folder");
  EXPECT_EQ(argumentText("diskscan.exe 1 "), "1 ");  // a trailing space is kept
  EXPECT_EQ(argumentText("netguard.exe"), "");
  EXPECT_EQ(argumentText("  \"a b.exe\"   3 E"), "3 E");
  EXPECT_EQ(fileNameOf("C:\\x\\probe.exe"), "probe.exe");
}

TEST(NetguardFile, EveryLineReadsBackWithTheMonitorsFieldRules) {
  const std::vector<Connection> connections = {
      {"firefox.exe", 4321, "TCP", "10.0.0.2", 50123, "93.184.216.34", 443, "ESTABLISHED"},
      {"svc;odd.exe", 8, "UDP", "0.0.0.0", 53, "", -1, "-"},
  };
  const Lines lines = netguardLines(connections);
  ASSERT_EQ(lines.size(), 3u);  // the closing line carries no connection
  const ConnectionFields first = parseConnectionLine(lines[0]);
  EXPECT_EQ(first.name(), "firefox.exe");
  EXPECT_EQ(first.pid(), "4321");
  EXPECT_EQ(first.field[2], "TCP");
  EXPECT_EQ(first.address(), "93.184.216.34");
  EXPECT_EQ(first.port(), "443");
  EXPECT_EQ(first.field[8], "");  // the ninth field is complete, nothing is cut off
  const ConnectionFields second = parseConnectionLine(lines[1]);
  EXPECT_EQ(second.name(), "svc,odd.exe");  // a ";" in a name cannot break the line
  EXPECT_EQ(second.port(), "-1");
  EXPECT_EQ(second.field[6], "-");
  EXPECT_EQ(lines[2], "end;2;;");
}

TEST(NetguardFile, AnEndpointWithoutAKnownOwnerGetsNoLine) {
  const std::vector<Connection> connections = {
      {"?", 0, "TCP", "0.0.0.0", 135, "", -1, "LISTEN"},
      {"svchost.exe", 912, "TCP", "0.0.0.0", 445, "", -1, "LISTEN"},
      {"System Idle Process", 0, "TCP", "10.0.0.2", 50124, "10.0.0.1", 80, "TIME_WAIT"},
  };
  const Lines lines = netguardLines(connections);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(parseConnectionLine(lines[0]).pid(), "912");
  EXPECT_EQ(lines[1], "end;1;;");
  EXPECT_EQ(netguardLines({connections[0]}), (Lines{"end;0;;"}));
}

struct EngineFilesTest : ::testing::Test {
  FakeFileSystem files;
  EngineFilesTest() {
    files.addFile("C:\\data\\a.txt", "same content");
    files.addFile("C:\\data\\sub\\b.txt", "other");
    files.addFile("C:\\data\\sub\\deeper\\c.txt", "same content");
    files.addFile("C:\\elsewhere\\copy of a.txt", "same content");
    files.addFile("C:\\elsewhere\\unique.txt", "unique");
    files.addDirectory("C:\\Program");
  }
};

TEST_F(EngineFilesTest, TheWalkVisitsEveryFileOfTheTreeAndCanStop) {
  std::vector<std::string> seen;
  walkFiles(files, "C:\\data", [&](const std::string& path, const FileEntry&) {
    seen.push_back(path);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"C:\\data\\a.txt", "C:\\data\\sub\\b.txt", "C:\\data\\sub\\deeper\\c.txt"}));
  int visits = 0;
  walkFiles(files, "C:\\data\\", [&](const std::string&, const FileEntry&) { return ++visits < 2; });
  EXPECT_EQ(visits, 2);
}

TEST_F(EngineFilesTest, TheScannerReportsFilesWhoseDigestIsKnownBad) {
  const std::uint64_t bad = *fileDigest(files, "C:\\elsewhere\\unique.txt");
  const Signatures signatures = parseSignatures({"# comment", "", hex64(bad) + " Test.Unique", "zz not hex"});
  ASSERT_EQ(signatures.size(), 1u);
  const ScanReport report = scanFolders(files, {"C:\\data", "C:\\elsewhere"}, signatures);
  EXPECT_EQ(report.filesExamined, 5u);
  ASSERT_EQ(report.findings.size(), 1u);
  EXPECT_EQ(report.findings[0].path, "C:\\elsewhere\\unique.txt");
  EXPECT_EQ(report.findings[0].threat, "Test.Unique");
  const Lines lines = reportLines(report, "test", "start", "end");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "C:\\elsewhere\\unique.txt : Test.Unique"), lines.end());
  EXPECT_EQ(lines.back(), "Fin de l'analyse : end");
}

TEST_F(EngineFilesTest, TheDiskScannerListsTheRedundantCopiesAndKeepsTheFirstOfEachContent) {
  const std::string dir = "C:\\Program\\";
  files.addFile(dir + "liste2.txt", "old list\r\n");
  resetIndex(files, dir);
  EXPECT_FALSE(files.exists(dir + "liste2.txt"));
  EXPECT_EQ(addFolderToIndex(files, dir, ""), 0u);
  EXPECT_EQ(addFolderToIndex(files, dir, "C:\\data"), 3u);
  EXPECT_EQ(addFolderToIndex(files, dir, "C:\\elsewhere"), 2u);
  files.addFile("C:\\elsewhere\\same size.txt", "same-content");  // equal size, other bytes
  addFolderToIndex(files, dir, "C:\\elsewhere\\");
  addFolderToIndex(files, dir, "c:\\DATA");  // the same files again, in another letter case
  const Lines found = findDuplicates(files, dir);
  EXPECT_EQ(found, (Lines{"C:\\data\\sub\\deeper\\c.txt", "C:\\elsewhere\\copy of a.txt"}));
  EXPECT_EQ(readLines(files, dir + "liste2.txt"), found);

  // The kept file gone, the next copy is kept in its place.
  files.remove("C:\\data\\a.txt");
  EXPECT_EQ(findDuplicates(files, dir), (Lines{"C:\\elsewhere\\copy of a.txt"}));

  // A second name of one file is that file, not a copy that may go.
  resetIndex(files, dir);
  files.addFile("C:\\only\\report.doc", "the only copy");
  files.addLink("C:\\only\\report.doc", "C:\\only\\linked\\report.doc");
  addFolderToIndex(files, dir, "C:\\only");
  EXPECT_EQ(findDuplicates(files, dir), Lines{});
}

TEST_F(EngineFilesTest, TheBackupCopiesNewAndChangedFilesAndNeverDeletes) {
  files.addFile("D:\\Copies\\only in the copy.txt", "keep me");
  MirrorResult first = mirrorFolder(files, "C:\\data", "D:\\Copies");
  EXPECT_EQ(first.copied, 3u);
  EXPECT_EQ(files.contents("D:\\Copies\\sub\\deeper\\c.txt"), "same content");
  EXPECT_EQ(files.contents("D:\\Copies\\only in the copy.txt"), "keep me");

  MirrorResult again = mirrorFolder(files, "C:\\data", "D:\\Copies");
  EXPECT_EQ(again.copied, 0u);
  EXPECT_EQ(again.unchanged, 3u);

  files.writeBytes("C:\\data\\a.txt", "changed, and longer");
  EXPECT_EQ(mirrorFolder(files, "C:\\data", "D:\\Copies").copied, 1u);
  EXPECT_EQ(files.contents("D:\\Copies\\a.txt"), "changed, and longer");

  // A copy inside the source would copy itself for ever.
  EXPECT_EQ(mirrorFolder(files, "C:\\data", "C:\\data\\backup").failed, 1u);
}

TEST(FolderPair, SplitsAtTheFirstSemicolon) {
  EXPECT_EQ(splitFolderPair("C:\\Data;D:\\Copies"), std::make_pair(std::string("C:\\Data"), std::string("D:\\Copies")));
  EXPECT_EQ(splitFolderPair("C:\\Data"), std::nullopt);
  EXPECT_EQ(splitFolderPair(";D:\\x"), std::nullopt);
}

}  // namespace
}  // namespace tg::suite
