#include <gtest/gtest.h>

#include "stores/LanguageChoice.h"
#include "stores/LanguageTable.h"
#include "testing/FakeFileSystem.h"

namespace tg {
namespace {

Lines numbered(int count, const std::string& prefix) {
  Lines lines;
  for (int i = 1; i <= count; ++i) lines.push_back(prefix + std::to_string(i));
  return lines;
}

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

TEST(LanguageTable, LinesAfterTheHundredAndFirstAreIgnoredAndLinesAreNotTrimmed) {
  LanguageTable table;
  Lines lines = numbered(120, "");
  lines[4] = "  spaced  ";
  lines[5] = "";
  table.fill(lines);
  EXPECT_EQ(table.text(101), "101");
  EXPECT_EQ(table.text(102), "");
  EXPECT_EQ(table.text(0), "");
  EXPECT_EQ(table.text(5), "  spaced  ");
  EXPECT_EQ(table.text(6), "");
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
