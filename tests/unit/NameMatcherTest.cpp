#include <gtest/gtest.h>

#include <random>

#include "engines/NameMatcher.h"

namespace tg {
namespace {

TEST(NameMatcher, FindsEveryNameInsideATextIncludingNamesInsideOtherNames) {
  NameMatcher m({"word.exe", "winword.exe", "ord", "excel.exe", "Word.exe", "d.e"});
  m.scan("C:\\Office\\winword.exe");
  EXPECT_TRUE(m.found("winword.exe"));
  EXPECT_TRUE(m.found("word.exe"));
  EXPECT_TRUE(m.found("ord"));
  EXPECT_TRUE(m.found("d.e"));
  EXPECT_FALSE(m.found("Word.exe"));  // letter case counts
  EXPECT_FALSE(m.found("excel.exe"));
  m.scan("excel.exe");  // found after the others: the scan goes on while a name is still open
  EXPECT_TRUE(m.found("excel.exe"));
}

TEST(NameMatcher, ANameFoundStaysFoundAndNoMatchSpansTwoTexts) {
  NameMatcher m({"abc", "bc", "cd"});
  m.scan("xab");
  m.scan("cdx");  // "abc" would need the end of the first text
  EXPECT_FALSE(m.found("abc"));
  EXPECT_FALSE(m.found("bc"));
  EXPECT_TRUE(m.found("cd"));
  m.scan("zabcz");
  m.scan("nothing here");
  EXPECT_TRUE(m.found("abc"));
  EXPECT_TRUE(m.found("bc"));
  EXPECT_TRUE(m.found("cd"));
}

TEST(NameMatcher, OnlyItsOwnNonEmptyNamesAreEverFound) {
  // Scans stop once every name is found; after "a.exe", "b" is still to find.
  NameMatcher m({"", "a.exe", "a.exe", "b"});
  m.scan("a.exe");
  m.scan("b");
  EXPECT_FALSE(m.found(""));
  EXPECT_FALSE(m.found("a"));  // a start of a name, not a name
  EXPECT_FALSE(m.found("exe"));
  EXPECT_TRUE(m.found("a.exe"));
  EXPECT_TRUE(m.found("b"));
  NameMatcher none({});
  none.scan("anything");
  EXPECT_FALSE(none.found("anything"));
}

TEST(NameMatcher, BytesAreComparedExactlyWhateverTheirValue) {
  const std::string accented = "caf\xE9.exe";
  const std::string control = std::string("a\0b", 3);
  NameMatcher m({accented, control, "caf\xC9.exe", "\xFF"});
  m.scan("C:\\" + accented + std::string("|a\0b|", 5));
  EXPECT_TRUE(m.found(accented));
  EXPECT_TRUE(m.found(control));
  EXPECT_FALSE(m.found("caf\xC9.exe"));
  EXPECT_FALSE(m.found("\xFF"));
}

// Names and texts of a small alphabet overlap in every possible way: the
// matcher must agree with a plain substring search on each of them.
TEST(NameMatcher, AgreesWithASubstringSearchOnOverlappingNames) {
  std::mt19937 random(20261208);
  auto word = [&](std::size_t longest) {
    std::string s(1 + random() % longest, 'a');
    for (char& c : s) c = static_cast<char>('a' + random() % 3);
    return s;
  };
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i) names.push_back(word(6));
    std::vector<std::string> texts;
    for (int i = 0; i < 1 + round % 5; ++i) texts.push_back(word(12));
    NameMatcher m(names);
    for (const std::string& text : texts) m.scan(text);
    for (const std::string& name : names) {
      const bool inSome = std::any_of(texts.begin(), texts.end(),
                                      [&](const std::string& t) { return t.find(name) != std::string::npos; });
      EXPECT_EQ(m.found(name), inSome) << "round " << round << ", name " << name;
    }
  }
}

}  // namespace
}  // namespace tg
