#include <gtest/gtest.h>

#include "stores/TextFile.h"
#include "testing/FakeFileSystem.h"

namespace tg {
namespace {

TEST(TextFile, LinesEndAtCrLfOrCrLfPairs) {
  EXPECT_EQ(splitLines("a\rb\rc"), (Lines{"a", "b", "c"}));        // CR only
  EXPECT_EQ(splitLines("a\nb\nc\n"), (Lines{"a", "b", "c"}));      // LF only
  EXPECT_EQ(splitLines("a\r\nb\r\n"), (Lines{"a", "b"}));          // CR LF
  EXPECT_EQ(splitLines("a\n\rb"), (Lines{"a", "", "b"}));          // LF CR is two ends
  EXPECT_EQ(splitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitLines(""), Lines{});
  EXPECT_EQ(splitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(splitLines("caf\xE9\t;x;"), (Lines{"caf\xE9\t;x;"}));
}

TEST(TextFile, EveryWrittenLineEndsWithCrLfTheLastIncluded) {
  testing::FakeFileSystem files;
  files.addDirectory("C:\\P");
  ASSERT_TRUE(writeLines(files, "C:\\P\\x.txt", {"one", "", "caf\xE9"}));
  EXPECT_EQ(files.contents("C:\\P\\x.txt"), "one\r\n\r\ncaf\xE9\r\n");
  EXPECT_EQ(readLines(files, "C:\\P\\x.txt"), (Lines{"one", "", "caf\xE9"}));
  ASSERT_TRUE(writeLines(files, "C:\\P\\empty.txt", {}));
  EXPECT_EQ(files.contents("C:\\P\\empty.txt"), "");
  EXPECT_EQ(readLines(files, "C:\\P\\missing.txt"), std::nullopt);
}

}  // namespace
}  // namespace tg
