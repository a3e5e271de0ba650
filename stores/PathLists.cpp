#include "stores/PathLists.h"

#include <stdexcept>

namespace tg {

namespace {

std::uint64_t hashOf(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;
  for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h;
}

void appendNumber(std::uint32_t n, std::string& out) {
  while (n >= 0x80) {
    out += static_cast<char>((n & 0x7F) | 0x80);
    n >>= 7;
  }
  out += static_cast<char>(n);
}

std::uint32_t readNumber(const std::string& codes, std::size_t& at) {
  std::uint32_t n = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(codes[at++]);
    n |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return n;
  }
}

}  // namespace

PathLists::PathLists() { clear(); }

void PathLists::clear() {
  values_.clear();
  values_.shrink_to_fit();
  texts_.clear();
  texts_.shrink_to_fit();
  starts_.assign({0, 0});  // text 0, the empty one
  slots_.assign(64, 0);
}

void PathLists::grow() {
  std::vector<std::uint32_t> slots(slots_.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::uint32_t id = 1; id + 1 < starts_.size(); ++id) {
    std::size_t s = hashOf(text(id)) & mask;
    while (slots[s] != 0) s = (s + 1) & mask;
    slots[s] = id + 1;
  }
  slots_ = std::move(slots);
}

std::uint32_t PathLists::intern(std::string_view piece) {
  if (piece.empty()) return 0;
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = hashOf(piece) & mask;
  for (; slots_[s] != 0; s = (s + 1) & mask)
    if (text(slots_[s] - 1) == piece) return slots_[s] - 1;
  const std::size_t count = starts_.size() - 1;
  if (texts_.size() + piece.size() > UINT32_MAX || count >= UINT32_MAX - 1)
    throw std::length_error("too many module names");
  const auto id = static_cast<std::uint32_t>(count);
  texts_.append(piece);
  starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
  slots_[s] = id + 1;
  if (2 * count >= slots_.size()) grow();  // at most half full
  return id;
}

void PathLists::encode(std::string_view value, std::string& codes) {
  codes.clear();
  if (value.empty()) return;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = value.find(';', start);
    const std::string_view piece = value.substr(start, end == std::string_view::npos ? value.npos : end - start);
    const std::size_t slash = piece.rfind('\\');
    const std::size_t split = slash == std::string_view::npos ? 0 : slash + 1;
    appendNumber(intern(piece.substr(0, split)), codes);
    appendNumber(intern(piece.substr(split)), codes);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  codes.shrink_to_fit();
}

void PathLists::push_back(std::string_view value) {
  std::string codes;
  encode(value, codes);
  values_.push_back(std::move(codes));
}

void PathLists::set(std::size_t index, std::string_view value) { encode(value, values_.at(index)); }

void PathLists::appendTo(std::size_t index, std::string& out) const {
  const std::string& codes = values_[index];
  std::size_t at = 0;
  while (at < codes.size()) {
    if (at > 0) out += ';';
    out += text(readNumber(codes, at));
    out += text(readNumber(codes, at));
  }
}

std::size_t PathLists::length(std::size_t index) const {
  const std::string& codes = values_[index];
  std::size_t at = 0;
  std::size_t length = 0;
  while (at < codes.size()) {
    if (at > 0) ++length;
    length += text(readNumber(codes, at)).size();
    length += text(readNumber(codes, at)).size();
  }
  return length;
}

std::string PathLists::value(std::size_t index) const {
  std::string out;
  appendTo(index, out);
  return out;
}

void PathLists::removeWhere(const std::vector<bool>& removed) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < values_.size(); ++i)
    if (!removed[i]) {
      if (kept != i) values_[kept] = std::move(values_[i]);
      ++kept;
    }
  values_.resize(kept);
}

void PathLists::erase(std::size_t index) { values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(index)); }

}  // namespace tg
