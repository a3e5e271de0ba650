#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

// The values of a field that holds lists of paths separated by ';', such as
// the modules a program had loaded. Programs share most of their libraries,
// and a program's own libraries share its folder, so each folder and each file
// name is held once and a value keeps only their numbers: ten thousand lists of
// two thousand characters take a few percent of their text. Any text comes
// back byte for byte, empty pieces, pieces without a folder and bytes of every
// value included.
class PathLists {
 public:
  PathLists();

  std::size_t size() const { return values_.size(); }
  void push_back(std::string_view value);
  void set(std::size_t index, std::string_view value);
  // Value `index`, added to the end of `out`.
  void appendTo(std::size_t index, std::string& out) const;
  std::string value(std::size_t index) const;
  bool empty(std::size_t index) const { return values_[index].empty(); }
  // The length of value `index`, without building it.
  std::size_t length(std::size_t index) const;

  // Removes the values whose `removed` entry is true, the others kept in their order.
  void removeWhere(const std::vector<bool>& removed);
  void erase(std::size_t index);
  // Keeps the first `count` values, or adds empty ones up to it.
  void resize(std::size_t count) { values_.resize(count); }
  // Every value and every name held for them.
  void clear();

 private:
  std::uint32_t intern(std::string_view text);
  std::string_view text(std::uint32_t id) const {
    return std::string_view(texts_).substr(starts_[id], starts_[id + 1] - starts_[id]);
  }
  void encode(std::string_view value, std::string& codes);
  void grow();

  // Folders and file names, each once, one after another; text i lies between
  // starts_[i] and starts_[i + 1]. Text 0 is empty.
  std::string texts_;
  std::vector<std::uint32_t> starts_;
  // Open addressing over the texts: 0 is a free slot, otherwise a text's number + 1.
  std::vector<std::uint32_t> slots_;
  // Per value, its pieces as (folder, file name) numbers, each coded in 7-bit
  // groups; empty for the empty value.
  std::vector<std::string> values_;
};

}  // namespace tg
