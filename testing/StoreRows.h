#pragma once

#include <initializer_list>
#include <ostream>
#include <string>

#include "stores/RecordStore.h"

namespace tg {

// A packed row as a failing test shows it.
inline void PrintTo(const PackedRow& row, std::ostream* out) {
  *out << '{';
  for (std::size_t f = 0; f < row.size(); ++f) *out << (f ? ", \"" : "\"") << row[f] << '"';
  *out << '}';
}

}  // namespace tg

namespace tg::testing {

// Appends one row to an open store, its fields from Champ1 on, and posts it.
inline void appendRow(RecordStore& store, std::initializer_list<std::string> fields) {
  store.append();
  int n = 0;
  for (const std::string& value : fields) store.setField("Champ" + std::to_string(++n), value);
  store.post();
}

}  // namespace tg::testing
