#include <gtest/gtest.h>

#include "testing/FakeFileSystem.h"

namespace tg::testing {
namespace {

// The fake must keep the Windows rules the core's tests rely on.
TEST(FakeFileSystem, NamesIgnoreLetterCaseAndDoubledSeparators) {
  FakeFileSystem files;
  files.addDirectory("C:\\Program");
  ASSERT_TRUE(files.writeBytes("C:\\Program\\\\Regles.XML", "x"));
  EXPECT_EQ(files.readBytes("c:/program/regles.xml"), "x");
  EXPECT_EQ(files.fileNames("C:\\PROGRAM"), (std::vector<std::string>{"Regles.XML"}));
  EXPECT_FALSE(files.writeBytes("C:\\Missing\\a.txt", "x"));  // the folder must exist
}

TEST(FakeFileSystem, ALockedFileCanBeNeitherReadNorReplaced) {
  FakeFileSystem files;
  files.addFile("C:\\a.txt", "old");
  files.addFile("C:\\b.txt", "new");
  files.setLocked("C:\\a.txt", true);
  EXPECT_EQ(files.readBytes("C:\\a.txt"), std::nullopt);
  EXPECT_FALSE(files.writeBytes("C:\\a.txt", "x"));
  EXPECT_FALSE(files.rename("C:\\b.txt", "C:\\a.txt", true));
  EXPECT_FALSE(files.remove("C:\\a.txt"));
  EXPECT_TRUE(files.exists("C:\\a.txt"));
  files.setLocked("C:\\a.txt", false);
  EXPECT_FALSE(files.rename("C:\\b.txt", "C:\\a.txt", false));
  EXPECT_TRUE(files.rename("C:\\b.txt", "C:\\a.txt", true));
  EXPECT_EQ(files.contents("C:\\a.txt"), "new");
  EXPECT_FALSE(files.exists("C:\\b.txt"));
}

TEST(FakeFileSystem, FindMatchesPatternsInOneFolder) {
  FakeFileSystem files;
  files.addFile("C:\\d\\one.txt", "1");
  files.addFile("C:\\d\\two.TXT", "22", attr::Hidden);
  files.addFile("C:\\d\\sub\\deep.txt", "3");
  files.addFile("C:\\d\\report_mod_1.txt", "4");
  std::vector<std::string> names;
  for (const FileEntry& e : files.find("C:\\d\\*.txt").value_or(std::vector<FileEntry>{})) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{"one.txt", "report_mod_1.txt", "two.TXT"}));
  EXPECT_EQ(files.find("C:\\d\\*mod*.txt")->size(), 1u);
  EXPECT_EQ(files.find("C:\\d\\*.*")->size(), 4u);  // the folder "sub" too
  // Nothing matching is not the same as a folder that cannot be listed.
  const auto none = files.find("C:\\d\\*.none");
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
  EXPECT_FALSE(files.find("C:\\gone\\*.*"));
  files.failListings("C:\\d");
  EXPECT_FALSE(files.find("C:\\d\\*.txt"));
  EXPECT_TRUE(files.find("C:\\d\\*.txt").has_value());  // it failed once
  EXPECT_TRUE(matchesFilePattern("a.b.c", "*.c"));
  EXPECT_FALSE(matchesFilePattern("abc", "?"));
}

}  // namespace
}  // namespace tg::testing
