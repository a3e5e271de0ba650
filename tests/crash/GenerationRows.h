#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stores/RecordStore.h"

namespace tg::crash {

// The rule table the crash test saves again and again: 10,000 rows as the
// monitor writes them (names, dates, owners, paths, checksums), some long
// values and one path as wide as its field. Every row carries the generation
// of the save that wrote it (in Champ10, and mixed into other fields), so a
// row left from another save, or cut short, differs from the expected one.
constexpr std::size_t kRuleRows = 10000;

Row ruleRow(std::size_t index, std::int64_t generation);
std::vector<Row> ruleRows(std::int64_t generation);

// What a table read back holds: the one generation all of its rows are whole
// rows of, or the first thing wrong with it, in words.
struct GenerationCheck {
  std::optional<std::int64_t> generation;
  std::string fault;
};
GenerationCheck checkRuleRows(const std::vector<Row>& rows);

}  // namespace tg::crash
