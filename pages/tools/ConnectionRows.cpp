#include "pages/tools/ConnectionRows.h"

#include <algorithm>
#include <charconv>

#include "base/Text.h"

namespace tg {

namespace {

// The numbers of a text in their order: "10.0.0.2:50000" gives 10, 0, 0, 2,
// 50000. A text without a number gives none, and sorts first.
std::vector<std::uint64_t> numbersIn(std::string_view text) {
  std::vector<std::uint64_t> numbers;
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] < '0' || text[at] > '9') {
      ++at;
      continue;
    }
    std::uint64_t n = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), n);
    numbers.push_back(error == std::errc() ? n : UINT64_MAX);
    at = static_cast<std::size_t>(end - text.data());
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;  // past an overflow
  }
  return numbers;
}

int byNumbers(const std::string& a, const std::string& b) {
  const std::vector<std::uint64_t> x = numbersIn(a), y = numbersIn(b);
  if (x != y) return x < y ? -1 : 1;
  return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
}

int byText(const std::string& a, const std::string& b) {
  const int folded = foldedAscii(a).compare(foldedAscii(b));
  return folded < 0 ? -1 : folded > 0 ? 1 : 0;
}

}  // namespace

const std::string& ConnectionRow::cell(ConnectionColumn c) const {
  static const std::string kNone;
  const auto i = static_cast<std::size_t>(c);
  return i < cells.size() ? cells[i] : kNone;
}

bool ConnectionRows::take(const SeenReading& reading) {
  if (paused_ || reading.number == taken_) return false;
  const bool first = taken_ == 0;
  taken_ = reading.number;
  if (reading.failed) {
    const bool changed = !old_;
    old_ = true;
    return changed;
  }
  old_ = false;
  std::vector<ConnectionRow> rows;
  rows.reserve(reading.connections.size());
  std::unordered_set<std::string> keys;
  keys.reserve(reading.connections.size());
  for (std::size_t i = 0; i < reading.connections.size(); ++i) {
    const ConnectionFields& f = reading.connections[i];
    ConnectionRow row;
    row.key = connectionKey([&](std::size_t field) -> const std::string& { return f.field[field]; });
    // The list shows a line's first seven fields, program to state, in their order.
    for (std::size_t c = 0; c < row.cells.size(); ++c) row.cells[c] = f.field[c];
    if (i < reading.decisions.size()) row.decision = reading.decisions[i];
    row.fresh = !first && !shownKeys_.count(row.key);
    keys.insert(row.key);
    rows.push_back(std::move(row));
  }
  rows_ = std::move(rows);
  shownKeys_ = std::move(keys);
  return true;
}

int compareConnectionTexts(const std::string& a, const std::string& b, ConnectionColumn column) {
  switch (column) {
    case ConnectionColumn::Pid:
    case ConnectionColumn::Port:
    case ConnectionColumn::Local:
    case ConnectionColumn::Remote: return byNumbers(a, b);
    default: return byText(a, b);
  }
}

int compareConnections(const ConnectionRow& a, const ConnectionRow& b, ConnectionColumn column) {
  if (column != ConnectionColumn::Verdict) return compareConnectionTexts(a.cell(column), b.cell(column), column);
  if (a.decision.verdict != b.decision.verdict) return a.decision.verdict < b.decision.verdict ? -1 : 1;
  return byText(a.decision.detail, b.decision.detail);
}

}  // namespace tg
