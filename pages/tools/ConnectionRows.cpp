#include "pages/tools/ConnectionRows.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>

#include "base/Text.h"

namespace tg {

namespace {

// The next number of a text from `at` on, `at` moved past it; none when no
// digit is left. "10.0.0.2:50000" gives 10, 0, 0, 2 and 50000; a number too
// large for 64 bits reads as the largest.
std::optional<std::uint64_t> nextNumber(std::string_view text, std::size_t& at) {
  while (at < text.size() && (text[at] < '0' || text[at] > '9')) ++at;
  if (at == text.size()) return std::nullopt;
  std::uint64_t n = 0;
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), n);
  at = static_cast<std::size_t>(end - text.data());
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;  // past an overflow
  return error == std::errc() ? n : UINT64_MAX;
}

int byNumbers(const std::string& a, const std::string& b) {
  // Their numbers in order, one pair at a time: a sort compares rows many times.
  std::size_t i = 0, j = 0;
  for (;;) {
    const std::optional<std::uint64_t> x = nextNumber(a, i), y = nextNumber(b, j);
    if (!x || !y) {
      if (x || y) return x ? 1 : -1;  // the one with fewer numbers first
      break;
    }
    if (*x != *y) return *x < *y ? -1 : 1;
  }
  return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
}

int byText(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(foldAscii(a[i])), y = static_cast<unsigned char>(foldAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::uint64_t connectionHash(const ConnectionFields& f) {
  std::uint64_t hash = 0;
  for (std::size_t i = 0; i < kConnectionIdentity; ++i)
    hash = (hash ^ std::hash<std::string>{}(f.field[i])) * 0x100000001B3ULL + i;
  return hash;
}

bool sameConnection(const ConnectionRow& row, const ConnectionFields& f) {
  for (std::size_t i = 0; i < kConnectionIdentity; ++i)
    if (row.cells[i] != f.field[i]) return false;
  return true;
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
  const std::size_t count = reading.connections.size();
  bool changed = old_ || count != rows_.size();
  old_ = false;
  // Each connection takes over its row of the reading before, if it had one:
  // most connections stay from one reading to the next, and their texts
  // need not be copied again.
  std::vector<ConnectionRow> before = std::move(rows_);
  const std::vector<Hashed> beforeByHash = std::move(byHash_);
  byHash_.clear();
  byHash_.reserve(count);
  // First where each connection was, while the rows before are whole.
  std::vector<std::size_t> earlierRow(count, before.size());
  for (std::size_t i = 0; i < count; ++i) {
    const ConnectionFields& f = reading.connections[i];
    const std::uint64_t hash = connectionHash(f);
    byHash_.push_back({hash, i});
    for (auto it = std::lower_bound(beforeByHash.begin(), beforeByHash.end(), Hashed{hash, 0});
         it != beforeByHash.end() && it->hash == hash; ++it)
      if (sameConnection(before[it->row], f)) {
        earlierRow[i] = it->row;
        break;
      }
  }
  std::vector<char> takenOver(before.size(), 0);
  rows_.clear();
  rows_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const ConnectionFields& f = reading.connections[i];
    const std::size_t earlier = earlierRow[i];
    const bool seenBefore = earlier < before.size();
    ConnectionRow row;
    // A connection listed twice takes its earlier row once.
    if (seenBefore && !takenOver[earlier]) {
      row = std::move(before[earlier]);
      takenOver[earlier] = 1;
    }
    const bool same = seenBefore && earlier == i;
    // The list shows a line's first seven fields, program to state, in their order.
    for (std::size_t c = 0; c < row.cells.size(); ++c)
      if (row.cells[c] != f.field[c]) {
        row.cells[c] = f.field[c];
        if (same) changed = true;
      }
    Decision decision = i < reading.decisions.size() ? reading.decisions[i] : Decision{};
    const bool fresh = !first && !seenBefore;
    if (!same || row.fresh != fresh || row.decision.verdict != decision.verdict ||
        row.decision.detail != decision.detail)
      changed = true;
    row.decision = std::move(decision);
    row.fresh = fresh;
    rows_.push_back(std::move(row));
  }
  std::sort(byHash_.begin(), byHash_.end());
  return changed;
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
