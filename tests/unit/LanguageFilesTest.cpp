// Checks the five language files shipped in suite/lang: the control centre reads
// them byte for byte as Windows-1252 text, one entry per line.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/NavigationList.h"
#include "stores/LanguageTable.h"

namespace tg {
namespace {

#ifdef TG_LANGUAGE_DIR
constexpr const char* kLanguageFiles[] = {"kelm2013_fr.txt", "kelm2013_gb.txt", "kelm2013_de.txt",
                                          "kelm2013_it.txt", "kelm2013_es.txt"};

// Followed directly by a name, a drive letter or a port.
constexpr int kPrefixEntries[] = {20, 22, 23, 54, 89, 91, 102, 103};

// Describes the first byte that has no place in a Windows-1252 text line:
// a control byte, a byte the code page leaves undefined, or the start of what
// looks like a UTF-8 sequence (a lead byte followed by a continuation byte).
std::string firstBadByte(const std::string& line) {
  for (std::size_t k = 0; k < line.size(); ++k) {
    const auto b = static_cast<unsigned char>(line[k]);
    const std::string at = " at offset " + std::to_string(k);
    if (b < 0x20) return "control byte " + std::to_string(b) + at;
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
      return "byte " + std::to_string(b) + " undefined in Windows-1252" + at;
    const auto next = k + 1 < line.size() ? static_cast<unsigned char>(line[k + 1]) : 0;
    if (b >= 0xC2 && b <= 0xF4 && next >= 0x80 && next <= 0xBF) return "UTF-8 sequence" + at;
  }
  return "";
}

struct LanguageFile {
  bool opened = false;
  bool endsWithCrLf = false;
  std::vector<std::string> lines;  // split on CR LF only: a lone CR or LF stays in its line
};

LanguageFile readLanguageFile(const std::string& name) {
  LanguageFile file;
  std::ifstream in(std::string(TG_LANGUAGE_DIR) + name, std::ios::binary);
  if (!in) return file;
  file.opened = true;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    file.lines.push_back(bytes.substr(start, end - start));
  file.endsWithCrLf = start == bytes.size();
  if (!file.endsWithCrLf) file.lines.push_back(bytes.substr(start));
  return file;
}
#endif

#ifdef TG_LANGUAGE_DIR
// Runs a check on every language file that opens; one that does not fails.
template <typename Check>
void forEachLanguageFile(Check check) {
  for (const char* name : kLanguageFiles) {
    const LanguageFile file = readLanguageFile(name);
    if (!file.opened) {
      ADD_FAILURE() << name << " cannot be opened";
      continue;
    }
    check(name, file);
  }
}
#endif

TEST(LanguageFiles, EveryFileHasEveryEntryAsAWindows1252LineOfAtMostFiftyBytes) {
#ifndef TG_LANGUAGE_DIR
  GTEST_SKIP() << "TG_LANGUAGE_DIR is not defined";
#else
  forEachLanguageFile([](const char* name, const LanguageFile& file) {
    const std::vector<std::string>& lines = file.lines;
    EXPECT_TRUE(file.endsWithCrLf) << name << ": the last line is not ended by CR LF";
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(LanguageTable::kLastEntry))
        << name << ": one line per entry, the added ones after the 101st";

    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      const std::string where = std::string(name) + " line " + std::to_string(i + 1);
      EXPECT_LE(line.size(), 50u) << where << ": \"" << line << "\"";
      EXPECT_EQ(firstBadByte(line), "") << where;
    }
  });
#endif
}

TEST(LanguageFiles, NavigationTextsDifferAndPrefixesEndWithASpace) {
#ifndef TG_LANGUAGE_DIR
  GTEST_SKIP() << "TG_LANGUAGE_DIR is not defined";
#else
  forEachLanguageFile([](const char* name, const LanguageFile& file) {
    const std::vector<std::string>& lines = file.lines;
    if (lines.size() < static_cast<std::size_t>(LanguageTable::kLastEntry)) {
      ADD_FAILURE() << name << " has only " << lines.size() << " CR LF lines";
      return;
    }
    // A file of 101 lines shows the program's own texts for the added entries:
    // the shipped file must say the same.
    const std::string code = std::string(name) == "kelm2013_fr.txt"   ? "FR"
                             : std::string(name) == "kelm2013_gb.txt" ? "GB"
                             : std::string(name) == "kelm2013_de.txt" ? "DE"
                             : std::string(name) == "kelm2013_it.txt" ? "ITA"
                                                                      : "ESP";
    for (int n = LanguageTable::kEntries + 1; n <= LanguageTable::kLastEntry; ++n)
      EXPECT_EQ(lines[static_cast<std::size_t>(n - 1)], builtInText(code, n)) << name << " line " << n;
    auto entry = [&](int n) -> const std::string& { return lines[n - 1]; };

    std::set<std::string> seen;
    for (int n : kNavigationEntries) {
      EXPECT_FALSE(entry(n).empty()) << name << " line " << n << ": navigation text is empty";
      EXPECT_TRUE(seen.insert(entry(n)).second)
          << name << " line " << n << ": navigation text \"" << entry(n) << "\" is used twice";
    }
    for (int n : kPrefixEntries)
      EXPECT_TRUE(!entry(n).empty() && entry(n).back() == ' ')
          << name << " line " << n << ": \"" << entry(n) << "\" must end with a space";
    EXPECT_NE(entry(24).find("Tarnivoxguard2013"), std::string::npos)
        << name << " line 24: the window caption must name the product";
  });
#endif
}

}  // namespace
}  // namespace tg
