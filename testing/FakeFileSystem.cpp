#include "testing/FakeFileSystem.h"

#include "base/Text.h"

namespace tg::testing {

FakeFileSystem::FakeFileSystem(Clock* clock) : clock_(clock) { addDirectory("C:\\"); }

std::string FakeFileSystem::normalized(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '/') c = '\\';
  const bool unc = p.size() >= 2 && p[0] == '\\' && p[1] == '\\';
  // The parts, with "." and ".." resolved; a doubled backslash counts once.
  std::vector<std::string> parts;
  const std::size_t fixed = unc ? 2 : 1;  // a share's server and name, or a drive
  std::size_t start = 0;
  for (std::size_t i = 0; i <= p.size(); ++i) {
    if (i < p.size() && p[i] != '\\') continue;
    const std::string part = p.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (parts.size() > fixed) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out = unc ? "\\\\" : "";
  for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
  // "C:" and "C:\" are the root.
  if (!unc && out.size() == 2 && out[1] == ':') out += '\\';
  return out;
}

std::string FakeFileSystem::rootKeyOf(const std::string& k) {
  if (k.size() >= 2 && k[0] == '\\' && k[1] == '\\') {
    const std::size_t server = k.find('\\', 2);
    if (server == std::string::npos) return {};
    const std::size_t share = k.find('\\', server + 1);
    return share == std::string::npos ? k : k.substr(0, share);
  }
  if (k.size() >= 3 && k[1] == ':') return k.substr(0, 3);
  return {};
}

std::string FakeFileSystem::key(const std::string& path) { return foldedAscii(normalized(path)); }

std::string FakeFileSystem::parentKey(const std::string& k) {
  if (k == rootKeyOf(k)) return {};
  const std::size_t slash = k.rfind('\\');
  if (slash == std::string::npos) return {};
  if (slash == 2) return k.size() > 3 ? k.substr(0, 3) : std::string();
  return k.substr(0, slash);
}

std::string FakeFileSystem::leafName(const std::string& path) {
  const std::string n = normalized(path);
  const std::size_t slash = n.rfind('\\');
  return slash == std::string::npos ? n : n.substr(slash + 1);
}

bool FakeFileSystem::parentExists(const std::string& k) const {
  const std::string parent = parentKey(k);
  if (parent.empty()) return false;
  const auto it = nodes_.find(parent);
  return it != nodes_.end() && it->second.directory;
}

bool FakeFileSystem::parentWritable(const std::string& k) const {
  const auto it = nodes_.find(parentKey(k));
  return it != nodes_.end() && it->second.directory && !it->second.writeProtected;
}

DateTime FakeFileSystem::now() const { return clock_ ? clock_->now() : DateTime{2026, 1, 1, 0, 0, 0, 0}; }

FileRead FakeFileSystem::read(const std::string& path) {
  const auto it = nodes_.find(key(path));
  if (it == nodes_.end()) return {std::nullopt, FileError::Missing};
  if (it->second.directory || it->second.denied) return {std::nullopt, FileError::Denied};
  if (it->second.locked) return {std::nullopt, FileError::Held};
  return {it->second.bytes, FileError::None};
}

bool FakeFileSystem::writeBytes(const std::string& path, const std::string& bytes) {
  const std::string k = key(path);
  if (const auto failing = failingWrites_.find(k); failing != failingWrites_.end()) {
    if (failing->second == 0) return false;
    --failing->second;
  }
  if (!parentExists(k) || !parentWritable(k)) return false;
  // A full disk takes the start of the bytes and then refuses the rest.
  const std::string written = diskFull_ ? bytes.substr(0, bytes.size() / 2) : bytes;
  const auto it = nodes_.find(k);
  if (it != nodes_.end()) {
    Node& n = it->second;
    // Like replacing a file through a plain create: refused for folders, open
    // files and read-only, hidden or system files.
    if (n.directory || n.locked || n.denied || (n.attributes & (attr::ReadOnly | attr::Hidden | attr::System)))
      return false;
    n.bytes = written;
    n.lastWrite = now();
    shareContent(n);
  } else {
    Node n;
    n.path = normalized(path);
    n.bytes = written;
    n.lastWrite = n.lastAccess = now();
    n.index = newIndex();
    nodes_[k] = n;
    nameChanged(n.path);
  }
  ++writes_[k];
  return !diskFull_;
}

bool FakeFileSystem::appendBytes(const std::string& path, const std::string& bytes) {
  if (diskFull_) return false;  // an append that fails leaves the file as it was
  return writeBytes(path, contents(path).value_or(std::string()) + bytes);
}

bool FakeFileSystem::exists(const std::string& path) { return nodes_.count(key(path)) > 0; }

bool FakeFileSystem::remove(const std::string& path) {
  const std::string k = key(path);
  const auto it = nodes_.find(k);
  if (it == nodes_.end() || it->second.directory || it->second.locked || it->second.denied ||
      (it->second.attributes & attr::ReadOnly) || !parentWritable(k))
    return false;
  const std::string gone = it->second.path;
  nodes_.erase(it);
  nameChanged(gone);
  return true;
}

bool FakeFileSystem::rename(const std::string& from, const std::string& to, bool replace) {
  const std::string fromKey = key(from);
  const std::string toKey = key(to);
  // Replacing a file is writing it.
  if (const auto failing = failingWrites_.find(toKey); failing != failingWrites_.end()) {
    if (failing->second == 0) return false;
    --failing->second;
  }
  const auto source = nodes_.find(fromKey);
  if (source == nodes_.end() || source->second.locked || source->second.denied || !parentExists(toKey) ||
      !parentWritable(fromKey) || !parentWritable(toKey))
    return false;
  if (fromKey == toKey) return true;
  const auto target = nodes_.find(toKey);
  if (target != nodes_.end()) {
    const Node& t = target->second;
    if (!replace || t.directory || t.locked || t.denied || (t.attributes & attr::ReadOnly)) return false;
  }
  if (source->second.directory) {
    // Moving a folder moves everything under it.
    std::map<std::string, Node> moved;
    for (auto it = nodes_.begin(); it != nodes_.end();) {
      if (it->first == fromKey || it->first.rfind(fromKey + "\\", 0) == 0) {
        Node n = it->second;
        const std::string rest = it->first.substr(fromKey.size());
        n.path = normalized(to) + n.path.substr(normalized(from).size());
        moved[toKey + rest] = n;
        it = nodes_.erase(it);
      } else {
        ++it;
      }
    }
    nodes_.merge(moved);
    nameChanged(normalized(from));
    nameChanged(normalized(to));
    return true;
  }
  Node n = source->second;
  n.path = normalized(to);
  nodes_.erase(source);
  nodes_[toKey] = n;
  nameChanged(normalized(from));
  nameChanged(n.path);
  return true;
}

bool FakeFileSystem::createDirectory(const std::string& path) {
  const std::string k = key(path);
  const auto it = nodes_.find(k);
  if (it != nodes_.end()) return it->second.directory;
  if (!parentExists(k) || !parentWritable(k)) return false;
  addDirectory(path);
  return true;
}

bool FakeFileSystem::copyFile(const std::string& from, const std::string& to) {
  const auto source = nodes_.find(key(from));
  if (source == nodes_.end() || source->second.directory || source->second.locked || source->second.denied)
    return false;
  const Node copied = source->second;
  if (!writeBytes(to, copied.bytes)) return false;
  Node& target = nodes_[key(to)];
  target.lastWrite = copied.lastWrite;
  target.attributes = copied.attributes;
  return true;
}

std::optional<std::uint32_t> FakeFileSystem::attributes(const std::string& path) {
  const auto it = nodes_.find(key(path));
  if (it == nodes_.end()) return std::nullopt;
  return it->second.attributes;
}

bool FakeFileSystem::listable(const std::string& folderKey) const {
  const auto it = nodes_.find(folderKey);
  return it != nodes_.end() && it->second.directory && !it->second.denied;
}

std::optional<std::vector<FileEntry>> FakeFileSystem::find(const std::string& pattern) {
  const std::string k = key(pattern);
  const std::string folder = parentKey(k);
  if (!listable(folder)) return std::nullopt;
  if (const auto failing = failingListings_.find(folder); failing != failingListings_.end() && failing->second > 0) {
    --failing->second;
    return std::nullopt;
  }
  const std::string mask = leafName(pattern);
  std::vector<FileEntry> out;
  for (const auto& [nodeKey, node] : nodes_) {
    if (nodeKey == folder || parentKey(nodeKey) != folder) continue;
    const std::string name = leafName(node.path);
    if (!matchesFilePattern(name, mask)) continue;
    out.push_back({name, node.attributes, node.apparentSize.value_or(node.bytes.size()), node.lastWrite,
                   node.lastAccess});
  }
  return out;
}

bool FakeFileSystem::createNew(const std::string& path) {
  const std::string k = key(path);
  if (nodes_.count(k) || !parentExists(k) || !parentWritable(k)) return false;
  Node n;
  n.path = normalized(path);
  n.lastWrite = n.lastAccess = now();
  n.index = newIndex();
  nodes_[k] = n;
  ++writes_[k];
  nameChanged(n.path);
  return true;
}

Presence FakeFileSystem::presence(const std::string& path) {
  const std::string k = key(path);
  // A drive or share without its root is not there now, and a folder the user
  // may not look into hides what is below it: nothing can be said.
  const std::string root = rootKeyOf(k);
  if (root.empty() || !nodes_.count(root)) return Presence::Unknown;
  for (std::string at = parentKey(k); !at.empty(); at = parentKey(at)) {
    const auto it = nodes_.find(at);
    if (it != nodes_.end() && it->second.denied) return Presence::Unknown;
  }
  return nodes_.count(k) ? Presence::Present : Presence::Absent;
}

std::optional<FileIdentity> FakeFileSystem::identity(const std::string& path) {
  const std::string k = key(path);
  const auto it = nodes_.find(k);
  if (it == nodes_.end()) return std::nullopt;
  return FileIdentity{std::hash<std::string>{}(rootKeyOf(k)), it->second.index};
}

std::optional<std::string> FakeFileSystem::pathOf(const FileIdentity& identity) const {
  for (const auto& [k, node] : nodes_)
    if (node.index == identity.index && std::hash<std::string>{}(rootKeyOf(k)) == identity.volume) return node.path;
  return std::nullopt;
}

void FakeFileSystem::addLink(const std::string& existing, const std::string& link) {
  const auto it = nodes_.find(key(existing));
  if (it == nodes_.end() || it->second.directory) return;
  Node n = it->second;
  n.path = normalized(link);
  addDirectory(n.path.substr(0, n.path.rfind('\\')));
  nodes_[key(link)] = n;
  linked_ = true;
  nameChanged(n.path);
}

void FakeFileSystem::shareContent(const Node& written) {
  if (!linked_) return;
  for (auto& [k, node] : nodes_)
    if (&node != &written && node.index == written.index) {
      node.bytes = written.bytes;
      node.lastWrite = written.lastWrite;
    }
}

void FakeFileSystem::addDirectory(const std::string& path) {
  const std::string n = normalized(path);
  std::string k = foldedAscii(n);
  std::vector<std::string> chain;
  for (std::string at = k; !at.empty() && !nodes_.count(at); at = parentKey(at)) chain.push_back(at);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    Node d;
    d.path = n.substr(0, it->size());
    d.directory = true;
    d.attributes = attr::Directory;
    d.lastWrite = d.lastAccess = now();
    d.index = newIndex();
    nodes_[*it] = d;
    nameChanged(d.path);
  }
}

void FakeFileSystem::addFile(const std::string& path, const std::string& bytes, std::uint32_t attributes) {
  const std::string k = key(path);
  addDirectory(normalized(path).substr(0, normalized(path).rfind('\\')));
  Node n;
  n.path = normalized(path);
  n.bytes = bytes;
  n.attributes = attributes;
  n.lastWrite = n.lastAccess = now();
  n.owner = AccountName{"BUILTIN", "Administrateurs"};
  n.index = newIndex();
  const bool added = !nodes_.count(k);
  nodes_[k] = n;
  if (added) nameChanged(n.path);
}

void FakeFileSystem::setTimes(const std::string& path, const DateTime& lastWrite, const DateTime& lastAccess) {
  const auto it = nodes_.find(key(path));
  if (it == nodes_.end()) return;
  it->second.lastWrite = lastWrite;
  it->second.lastAccess = lastAccess;
}

void FakeFileSystem::setOwner(const std::string& path, AccountName owner) {
  const auto it = nodes_.find(key(path));
  if (it != nodes_.end()) it->second.owner = std::move(owner);
}

void FakeFileSystem::setApparentSize(const std::string& path, std::uint64_t size) {
  const auto it = nodes_.find(key(path));
  if (it != nodes_.end()) it->second.apparentSize = size;
}

std::optional<std::uint64_t> FakeFileSystem::size(const std::string& path) {
  const auto it = nodes_.find(key(path));
  if (it == nodes_.end() || it->second.directory || it->second.locked || it->second.denied) return std::nullopt;
  return it->second.apparentSize.value_or(it->second.bytes.size());
}

std::optional<std::string> FakeFileSystem::readRange(const std::string& path, std::uint64_t offset,
                                                     std::size_t count) {
  const auto total = size(path);
  if (!total) return std::nullopt;
  const Node& n = nodes_.at(key(path));
  std::string out;
  for (std::uint64_t i = offset; i < *total && out.size() < count; ++i)
    out += i < n.bytes.size() ? n.bytes[static_cast<std::size_t>(i)] : '\0';
  return out;
}

FileError FakeFileSystem::openExclusively(const std::string& path) {
  const auto it = nodes_.find(key(path));
  if (it == nodes_.end()) return FileError::Missing;
  const Node& n = it->second;
  if (n.locked) return FileError::Held;
  if (n.directory || n.denied || (n.attributes & attr::ReadOnly)) return FileError::Denied;
  return FileError::None;
}

std::optional<AccountName> FakeFileSystem::owner(const std::string& path) {
  const auto it = nodes_.find(key(path));
  if (it == nodes_.end()) return std::nullopt;
  return it->second.owner;
}

void FakeFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
  const auto it = nodes_.find(key(path));
  if (it != nodes_.end()) it->second.attributes = attributes;
}

void FakeFileSystem::setLocked(const std::string& path, bool locked) {
  const auto it = nodes_.find(key(path));
  if (it != nodes_.end()) it->second.locked = locked;
}

void FakeFileSystem::setDenied(const std::string& path, bool denied) {
  const auto it = nodes_.find(key(path));
  if (it != nodes_.end()) it->second.denied = denied;
}

void FakeFileSystem::setFolderWritable(const std::string& folder, bool writable) {
  const auto it = nodes_.find(key(folder));
  if (it != nodes_.end() && it->second.directory) it->second.writeProtected = !writable;
}

std::optional<std::string> FakeFileSystem::contents(const std::string& path) const {
  const auto it = nodes_.find(key(path));
  if (it == nodes_.end() || it->second.directory) return std::nullopt;
  return it->second.bytes;
}

std::vector<std::string> FakeFileSystem::fileNames(const std::string& folder) const {
  const std::string k = key(folder);
  std::vector<std::string> out;
  for (const auto& [nodeKey, node] : nodes_)
    if (!node.directory && parentKey(nodeKey) == k) out.push_back(leafName(node.path));
  return out;
}

int FakeFileSystem::writeCount(const std::string& path) const {
  const auto it = writes_.find(key(path));
  return it == writes_.end() ? 0 : it->second;
}

bool matchesFilePattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  // Iterative wildcard match with backtracking to the last '*'.
  std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || foldAscii(pattern[p]) == foldAscii(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace tg::testing
