#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "stores/TextFile.h"

namespace tg {

// The 101 user-interface texts of the current language.
class LanguageTable {
 public:
  static constexpr int kEntries = 101;
  static constexpr std::size_t kMaxLength = 50;

  // Entry n (1 to 101); empty for a number outside the table.
  const std::string& text(int n) const;

  // Entry n becomes line n, cut to 50 characters, for every line the file has
  // up to the 101st; entries beyond the last line keep their texts.
  void fill(const Lines& lines);

 private:
  std::array<std::string, kEntries> entries_;
};

// The language file of a code, compared exactly: "FR" gives "kelm2013_fr.txt".
std::optional<std::string> languageFileOf(std::string_view code);

// The start-up load: the file of the code, when the code names one and the file
// exists, fills the table; otherwise the table stays as it is. Whether a file
// was read.
bool loadLanguageTable(LanguageTable& table, FileSystem& files, const std::string& programDirectory,
                       std::string_view code);

}  // namespace tg
