#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

// The values of one row, in field order. A row may hold fewer values than the
// table has fields: the values it lacks are empty.
using Row = std::vector<std::string>;

// A row as a store holds it: its values in one block that never changes, the
// ends of the values first, then their bytes. A copy shares the block, so a
// list that shows a store's rows keeps them as they were without copying
// their texts; a change of a value makes a new block.
class PackedRow {
 public:
  PackedRow() = default;  // no values
  explicit PackedRow(const Row& values)
      : PackedRow(values.size(), [&values](std::size_t f) { return std::string_view(values[f]); }) {}
  // The `count` values that valueAt(f) gives.
  template <typename ValueAt>
  PackedRow(std::size_t count, const ValueAt& valueAt);

  std::size_t size() const { return block_ ? word(0) : 0; }
  // Value `field`, empty past the row's values; valid while a copy of the row lives.
  std::string_view operator[](std::size_t field) const {
    const std::size_t count = size();
    if (field >= count) return {};
    const std::uint32_t begin = field == 0 ? 0 : word(field), end = word(field + 1);
    return {block_.get() + sizeof(std::uint32_t) * (1 + count) + begin, end - begin};
  }
  Row unpacked() const;

  // The same values, a missing value counting as an empty one.
  friend bool operator==(const PackedRow& a, const Row& b);

 private:
  // Word 0 of the block is the count of values, word f + 1 the end of value f.
  std::uint32_t word(std::size_t n) const {
    std::uint32_t w;
    std::memcpy(&w, block_.get() + sizeof(w) * n, sizeof(w));
    return w;
  }

  static char* allocate(std::shared_ptr<const char[]>& block, std::size_t count, std::size_t length);

  std::shared_ptr<const char[]> block_;  // null for a row without values
};

template <typename ValueAt>
PackedRow::PackedRow(std::size_t count, const ValueAt& valueAt) {
  if (count == 0) return;
  std::size_t length = 0;
  for (std::size_t f = 0; f < count; ++f) length += valueAt(f).size();
  char* head = allocate(block_, count, length);
  char* text = head + sizeof(std::uint32_t) * (1 + count);
  std::uint32_t end = 0;
  for (std::size_t f = 0; f < count; ++f) {
    const std::string_view value = valueAt(f);
    value.copy(text + end, value.size());
    end += static_cast<std::uint32_t>(value.size());
    std::memcpy(head + sizeof(end) * (1 + f), &end, sizeof(end));
  }
}

// Value `field` of a row, empty when the row does not reach that far.
const std::string& valueOf(const Row& row, std::size_t field);
inline std::string_view valueOf(const PackedRow& row, std::size_t field) { return row[field]; }

}  // namespace tg
