#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

// Tells which of a set of names occur inside the texts it is given, looking
// for all the names in one pass over each text (an Aho-Corasick automaton), so
// that the work is the length of the names plus the length of the texts,
// however many names there are. Bytes are compared exactly. A name once found
// stays found.
class NameMatcher {
 public:
  // Repeated names count once; an empty name is never found.
  explicit NameMatcher(std::vector<std::string> names);

  // Marks every name that occurs somewhere in `text`.
  void scan(std::string_view text);

  // Whether `name` is one of the names and has occurred in a text scanned so far.
  bool found(std::string_view name) const;

 private:
  static constexpr std::uint32_t kRoot = 0;
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  std::uint32_t child(std::uint32_t node, unsigned char byte) const;  // kNone when there is none
  std::uint32_t next(std::uint32_t node, unsigned char byte) const;   // the automaton's move
  void linkFailures();

  // The trie of the names: the edges of node n are edges_[edgeStart_[n]] up to
  // edges_[edgeStart_[n + 1]], sorted by byte.
  struct Edge {
    unsigned char byte;
    std::uint32_t target;
  };
  std::vector<std::uint32_t> edgeStart_;
  std::vector<Edge> edges_;
  // The longest proper suffix of a node's text that is also in the trie, and
  // the longest one that is a whole name (kRoot when none).
  std::vector<std::uint32_t> failure_;
  std::vector<std::uint32_t> suffixName_;
  std::vector<bool> isName_;
  // Found names; every name that is a suffix of a found one is found too,
  // which lets a scan stop following suffixes at the first found one.
  std::vector<bool> found_;
  std::vector<std::uint32_t> rootMoves_;  // the root's move for every byte
  std::size_t nameCount_ = 0;
  std::size_t foundCount_ = 0;
};

}  // namespace tg
