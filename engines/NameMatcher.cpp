#include "engines/NameMatcher.h"

#include <algorithm>

namespace tg {

NameMatcher::NameMatcher(std::vector<std::string> names) {
  // Sorted, names with a common start come together: each name then adds to
  // the trie only the nodes past what it shares with the name before it.
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
  nameCount_ = names.size();

  std::vector<std::uint32_t> parentOf{kRoot};
  std::vector<unsigned char> byteOf{0};
  std::vector<std::uint32_t> path{kRoot};  // the nodes of the previous name, from the root
  isName_.push_back(false);
  const std::string* previous = nullptr;
  for (const std::string& name : names) {
    std::size_t shared = 0;
    if (previous)
      shared = static_cast<std::size_t>(
          std::mismatch(name.begin(), name.end(), previous->begin(), previous->end()).first - name.begin());
    path.resize(shared + 1);
    for (std::size_t d = shared; d < name.size(); ++d) {
      const auto node = static_cast<std::uint32_t>(parentOf.size());
      parentOf.push_back(path.back());
      byteOf.push_back(static_cast<unsigned char>(name[d]));
      isName_.push_back(false);
      path.push_back(node);
    }
    isName_[path.back()] = true;
    previous = &name;
  }

  // Each node's edges side by side, sorted by byte.
  const std::size_t nodes = parentOf.size();
  edgeStart_.assign(nodes + 1, 0);
  for (std::size_t n = 1; n < nodes; ++n) ++edgeStart_[parentOf[n] + 1];
  for (std::size_t n = 0; n < nodes; ++n) edgeStart_[n + 1] += edgeStart_[n];
  edges_.resize(nodes - 1);
  std::vector<std::uint32_t> filled(edgeStart_.begin(), edgeStart_.end() - 1);
  for (std::size_t n = 1; n < nodes; ++n)
    edges_[filled[parentOf[n]]++] = {byteOf[n], static_cast<std::uint32_t>(n)};
  for (std::size_t n = 0; n < nodes; ++n)
    std::sort(edges_.begin() + edgeStart_[n], edges_.begin() + edgeStart_[n + 1],
              [](const Edge& a, const Edge& b) { return a.byte < b.byte; });

  rootMoves_.assign(256, kRoot);
  for (std::uint32_t e = edgeStart_[kRoot]; e < edgeStart_[kRoot + 1]; ++e) rootMoves_[edges_[e].byte] = edges_[e].target;
  linkFailures();
  found_.assign(nodes, false);
}

std::uint32_t NameMatcher::child(std::uint32_t node, unsigned char byte) const {
  const auto begin = edges_.begin() + edgeStart_[node];
  const auto end = edges_.begin() + edgeStart_[node + 1];
  const auto it = std::lower_bound(begin, end, byte, [](const Edge& e, unsigned char b) { return e.byte < b; });
  return it != end && it->byte == byte ? it->target : kNone;
}

std::uint32_t NameMatcher::next(std::uint32_t node, unsigned char byte) const {
  for (;;) {
    if (node == kRoot) return rootMoves_[byte];
    if (const std::uint32_t c = child(node, byte); c != kNone) return c;
    node = failure_[node];
  }
}

void NameMatcher::linkFailures() {
  // Breadth first: a node's failure is shallower than the node, so it is
  // complete by the time the node's children need it.
  const std::size_t nodes = edgeStart_.size() - 1;
  failure_.assign(nodes, kRoot);
  suffixName_.assign(nodes, kRoot);
  std::vector<std::uint32_t> queue{kRoot};
  queue.reserve(nodes);
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const std::uint32_t node = queue[head];
    for (std::uint32_t e = edgeStart_[node]; e < edgeStart_[node + 1]; ++e) {
      const std::uint32_t target = edges_[e].target;
      const std::uint32_t failure = node == kRoot ? kRoot : next(failure_[node], edges_[e].byte);
      failure_[target] = failure;
      suffixName_[target] = isName_[failure] ? failure : suffixName_[failure];
      queue.push_back(target);
    }
  }
}

void NameMatcher::scan(std::string_view text) {
  std::uint32_t node = kRoot;
  for (const char c : text) {
    if (foundCount_ == nameCount_) return;
    node = next(node, static_cast<unsigned char>(c));
    for (std::uint32_t n = isName_[node] ? node : suffixName_[node]; n != kRoot && !found_[n]; n = suffixName_[n]) {
      found_[n] = true;
      ++foundCount_;
    }
  }
}

bool NameMatcher::found(std::string_view name) const {
  std::uint32_t node = kRoot;
  for (const char c : name) {
    node = child(node, static_cast<unsigned char>(c));
    if (node == kNone) return false;
  }
  return node != kRoot && isName_[node] && found_[node];
}

}  // namespace tg
