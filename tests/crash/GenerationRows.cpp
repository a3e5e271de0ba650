#include "crash/GenerationRows.h"

#include <charconv>

namespace tg::crash {

namespace {

constexpr std::size_t kFields = 11;
constexpr std::size_t kWideRow = 4321;  // its path fills the 5000 characters of Champ8

const char* const kAttributeCodes[] = {"0", "1", "2", "4", "8", "16", "32", "64", "71"};

std::string twoDigits(std::int64_t n) {
  n %= 60;
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// Text of exactly `size` bytes, repeating `unit`.
std::string filled(const std::string& unit, std::size_t size) {
  std::string text;
  while (text.size() < size) text += unit;
  text.resize(size);
  return text;
}

std::optional<std::int64_t> parseGeneration(const std::string& text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || text.empty() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

Row ruleRow(std::size_t index, std::int64_t generation) {
  const std::uint64_t i = index;
  const std::uint64_t g = static_cast<std::uint64_t>(generation);
  const std::string name = (i % 11 ? "program" : "r\xE9seau") + std::to_string(i) + ".exe";
  std::string path = "C:\\Program Files\\Editeur " + std::to_string(i % 97) + " & Fils\\" + name;
  if (i == kWideRow) path = filled("C:\\Dossier tr\xE8s long\\" + std::to_string(g) + "\\", 5000 - name.size()) + name;
  std::string note;
  if (i % 25 == 0)
    note = filled("Remarque \"" + std::to_string(g) + "\" <" + std::to_string(i) + "> & \xE9t\xE9\t; ", 200);
  return {name,
          "08/12/2026 1" + std::to_string(g % 10) + ":" + twoDigits(i + g) + ":" + twoDigits(i * 7),
          i % 7 ? "@" : "!",
          "07/11/2025",
          std::to_string(120 + (i * 31 + g) % 9000),
          kAttributeCodes[i % 9],
          i % 3 ? "BUILTIN/Administrateurs" : "PC-BUREAU/\xC9lodie",
          path,
          std::to_string((1000000007ull * (i + 1) + 2654435761ull * g) % 4294967296ull),
          std::to_string(g),
          note};
}

std::vector<Row> ruleRows(std::int64_t generation) {
  std::vector<Row> rows;
  rows.reserve(kRuleRows);
  for (std::size_t i = 0; i < kRuleRows; ++i) rows.push_back(ruleRow(i, generation));
  return rows;
}

GenerationCheck checkRuleRows(const std::vector<Row>& rows) {
  GenerationCheck check;
  if (rows.size() != kRuleRows) {
    check.fault = std::to_string(rows.size()) + " rows instead of " + std::to_string(kRuleRows);
    return check;
  }
  const std::optional<std::int64_t> generation = parseGeneration(valueOf(rows[0], 9));
  if (!generation) {
    check.fault = "row 0 carries no generation (Champ10 \"" + valueOf(rows[0], 9) + "\")";
    return check;
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row expected = ruleRow(i, *generation);
    for (std::size_t f = 0; f < kFields; ++f) {
      if (valueOf(rows[i], f) == expected[f]) continue;
      const std::optional<std::int64_t> other = parseGeneration(valueOf(rows[i], 9));
      check.fault = "row " + std::to_string(i) + " field Champ" + std::to_string(f + 1) +
                    " is not that of generation " + std::to_string(*generation) + " (the row says generation " +
                    (other ? std::to_string(*other) : "\"" + valueOf(rows[i], 9) + "\"") + ")";
      return check;
    }
    if (rows[i].size() > kFields) {
      check.fault = "row " + std::to_string(i) + " holds more than " + std::to_string(kFields) + " values";
      return check;
    }
  }
  check.generation = generation;
  return check;
}

}  // namespace tg::crash
