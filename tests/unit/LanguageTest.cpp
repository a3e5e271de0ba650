#include <gtest/gtest.h>

#include "stores/LanguageChoice.h"
#include "stores/LanguageTable.h"
#include "testing/FakeFileSystem.h"
#include "testing/LanguageEntries.h"

namespace tg {
namespace {

Lines numbered(int count, const std::string& prefix) { return testing::numberedEntries(prefix, count); }

TEST(LanguageTable, ALineOfSixtyCharactersShowsItsFirstFifty) {
  LanguageTable table;
  table.fill({std::string(50, 'a') + std::string(10, 'b')});
  EXPECT_EQ(table.text(1), std::string(50, 'a'));
}

TEST(LanguageTable, AShortFileLeavesTheEntriesItDoesNotSupply) {
  LanguageTable table;
  table.fill(numbered(80, "new "));
  EXPECT_EQ(table.text(80), "new 80");
  for (int n = 81; n <= 101; ++n) EXPECT_EQ(table.text(n), "") << n;

  // A later short file keeps the older texts beyond its end.
  table.fill(numbered(101, "old "));
  table.fill(numbered(80, "newer "));
  EXPECT_EQ(table.text(80), "newer 80");
  EXPECT_EQ(table.text(81), "old 81");
}

TEST(LanguageTable, LinesAfterTheLastEntryAreIgnoredAndLinesAreNotTrimmed) {
  LanguageTable table;
  Lines lines = numbered(LanguageTable::kLastEntry + 10, "");
  lines[4] = "  spaced  ";
  lines[5] = "";
  table.fill(lines);
  EXPECT_EQ(table.text(101), "101");
  EXPECT_EQ(table.text(LanguageTable::kLastEntry), std::to_string(LanguageTable::kLastEntry));
  EXPECT_EQ(table.text(LanguageTable::kLastEntry + 1), "");
  EXPECT_EQ(table.text(0), "");
  EXPECT_EQ(table.text(5), "  spaced  ");
  EXPECT_EQ(table.text(6), "");
}

TEST(LanguageTable, AFileOfTheHundredAndOneEntriesGetsTheAddedOnesInItsOwnLanguage) {
  LanguageTable table;
  EXPECT_EQ(table.text(102), builtInText("FR", 102));  // never empty, not even before a load
  Lines german = numbered(101, "de ");
  german.push_back("");  // an empty added line counts as missing
  table.fill(german, "DE");
  EXPECT_EQ(table.text(101), "de 101");
  for (int n = 102; n <= LanguageTable::kLastEntry; ++n) {
    EXPECT_FALSE(table.text(n).empty()) << n;
    EXPECT_EQ(table.text(n), builtInText("DE", n)) << n;
  }
  EXPECT_NE(table.text(102), builtInText("GB", 102));  // German, not English
  // A file that has an added entry gives its own; the next language's file
  // without it does not keep the earlier language's.
  Lines english = numbered(102, "gb ");
  table.fill(english, "GB");
  EXPECT_EQ(table.text(102), "gb 102");
  EXPECT_EQ(table.text(103), builtInText("GB", 103));
  table.fill(numbered(101, "it "), "ITA");
  EXPECT_EQ(table.text(102), builtInText("ITA", 102));
  for (const char* code : {"FR", "GB", "DE", "ITA", "ESP"})
    for (int n = 102; n <= LanguageTable::kLastEntry; ++n) {
      EXPECT_FALSE(builtInText(code, n).empty()) << code << " " << n;
      EXPECT_LE(builtInText(code, n).size(), LanguageTable::kMaxLength) << code << " " << n;
    }
}

TEST(LanguageTable, TheCodeNamesItsFileExactly) {
  EXPECT_EQ(languageFileOf("FR"), "kelm2013_fr.txt");
  EXPECT_EQ(languageFileOf("GB"), "kelm2013_gb.txt");
  EXPECT_EQ(languageFileOf("DE"), "kelm2013_de.txt");
  EXPECT_EQ(languageFileOf("ITA"), "kelm2013_it.txt");
  EXPECT_EQ(languageFileOf("ESP"), "kelm2013_es.txt");
  EXPECT_EQ(languageFileOf("gb"), std::nullopt);
  EXPECT_EQ(languageFileOf(" GB "), std::nullopt);
  EXPECT_EQ(languageFileOf("IT"), std::nullopt);
  EXPECT_TRUE(isLanguageCode("ESP"));
  EXPECT_FALSE(isLanguageCode("es"));
}

TEST(LanguageTable, AMissingFileLoadsNothing) {
  testing::FakeFileSystem files;
  files.addDirectory("C:\\P");
  LanguageTable table;
  table.fill({"kept"});
  loadLanguageTable(table, files, "C:\\P\\", "DE");
  EXPECT_EQ(table.text(1), "kept");
  files.addFile("C:\\P\\kelm2013_de.txt", "Startseite\r\nRegeln\r\n");
  loadLanguageTable(table, files, "C:\\P\\", "DE");
  EXPECT_EQ(table.text(1), "Startseite");
  EXPECT_EQ(table.text(2), "Regeln");
}

}  // namespace
}  // namespace tg
