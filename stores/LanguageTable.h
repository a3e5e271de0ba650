#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "stores/TextFile.h"

namespace tg {

// The user-interface texts of the current language: the 101 entries every
// language file holds, and the entries added after them, which a file of 101
// lines does not hold and which then come from the program's own texts of
// that language (docs/language-entries.md lists them).
class LanguageTable {
 public:
  static constexpr int kEntries = 101;
  static constexpr int kLastEntry = 149;
  static constexpr std::size_t kMaxLength = 50;

  // Entry n (1 to kLastEntry); empty for a number outside the table.
  const std::string& text(int n) const;

  // Entry n becomes line n, cut to 50 characters, for every line the file has
  // up to the 101st; entries beyond the last line keep their texts. An added
  // entry that the file leaves out or leaves empty takes the program's own
  // text in the language of `code` (French for a code that is none).
  void fill(const Lines& lines, std::string_view code = "FR");

 private:
  std::array<std::string, kLastEntry> entries_;
};

// The program's own text of an added entry (102 to kLastEntry) in a language.
const std::string& builtInText(std::string_view code, int n);

// The language file of a code, compared exactly: "FR" gives "kelm2013_fr.txt".
std::optional<std::string> languageFileOf(std::string_view code);

// The start-up load: the file of the code, when the code names one and the file
// exists, fills the table; otherwise the table stays as it is. Whether a file
// was read.
bool loadLanguageTable(LanguageTable& table, FileSystem& files, const std::string& programDirectory,
                       std::string_view code);

}  // namespace tg
