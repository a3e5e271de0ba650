#include "stores/LanguageTable.h"

#include <algorithm>

namespace tg {

const std::string& LanguageTable::text(int n) const {
  static const std::string kNone;
  if (n < 1 || n > kEntries) return kNone;
  return entries_[static_cast<std::size_t>(n - 1)];
}

void LanguageTable::fill(const Lines& lines) {
  const std::size_t count = std::min<std::size_t>(lines.size(), kEntries);
  for (std::size_t i = 0; i < count; ++i) entries_[i] = lines[i].substr(0, kMaxLength);
}

std::optional<std::string> languageFileOf(std::string_view code) {
  if (code == "FR") return "kelm2013_fr.txt";
  if (code == "DE") return "kelm2013_de.txt";
  if (code == "GB") return "kelm2013_gb.txt";
  if (code == "ITA") return "kelm2013_it.txt";
  if (code == "ESP") return "kelm2013_es.txt";
  return std::nullopt;
}

bool loadLanguageTable(LanguageTable& table, FileSystem& files, const std::string& programDirectory,
                       std::string_view code) {
  const std::optional<std::string> file = languageFileOf(code);
  if (!file) return false;
  const std::optional<Lines> lines = readLines(files, programDirectory + *file);
  if (!lines) return false;
  table.fill(*lines);
  return true;
}

}  // namespace tg
