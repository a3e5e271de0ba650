#include "stores/PackedRow.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tg {

const std::string& valueOf(const Row& row, std::size_t field) {
  static const std::string kEmpty;
  return field < row.size() ? row[field] : kEmpty;
}

namespace {
constexpr std::size_t kWord = sizeof(std::uint32_t);
}  // namespace

char* PackedRow::allocate(std::shared_ptr<const char[]>& block, std::size_t count, std::size_t length) {
  if (length > UINT32_MAX || count > UINT32_MAX) throw std::length_error("a row too large to hold");
  auto made = std::make_shared<char[]>(kWord * (1 + count) + length);
  const auto words = static_cast<std::uint32_t>(count);
  std::memcpy(made.get(), &words, kWord);
  char* head = made.get();
  block = std::move(made);
  return head;
}

Row PackedRow::unpacked() const {
  Row values;
  values.reserve(size());
  for (std::size_t f = 0; f < size(); ++f) values.emplace_back((*this)[f]);
  return values;
}

bool operator==(const PackedRow& a, const Row& b) {
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t f = 0; f < n; ++f)
    if (a[f] != valueOf(b, f)) return false;
  return true;
}

}  // namespace tg
