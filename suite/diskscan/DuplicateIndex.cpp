#include "suite/diskscan/DuplicateIndex.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "suite/common/EngineFiles.h"

namespace tg::suite {

namespace {
std::string indexPath(const std::string& dir) { return dir + "diskscan.idx"; }
std::string listPath(const std::string& dir) { return dir + "liste2.txt"; }
}  // namespace

void resetIndex(FileSystem& files, const std::string& programDirectory) {
  files.remove(indexPath(programDirectory));
  files.remove(listPath(programDirectory));
}

std::size_t addFolderToIndex(FileSystem& files, const std::string& programDirectory, const std::string& folder) {
  if (folder.empty()) return 0;
  Lines index = readLines(files, indexPath(programDirectory)).value_or(Lines{});
  std::size_t added = 0;
  walkFiles(files, folder, [&](const std::string& path, const FileEntry& entry) {
    index.push_back(std::to_string(entry.size) + "|" + path);
    ++added;
    return true;
  });
  writeLines(files, indexPath(programDirectory), index);
  return added;
}

namespace {

// Byte for byte: two contents of one digest are not yet proven copies, and a
// listed file may be deleted.
bool sameContent(FileSystem& files, const std::string& a, const std::string& b, std::uint64_t size) {
  constexpr std::uint64_t kBlock = 1 << 16;
  for (std::uint64_t offset = 0; offset < size; offset += kBlock) {
    const auto left = files.readRange(a, offset, kBlock);
    const auto right = files.readRange(b, offset, kBlock);
    if (!left || !right || *left != *right) return false;
    if (left->size() < kBlock) break;
  }
  return true;
}

// The first indexed file of each content, kept; its digest computed once another file of its size turns up.
struct Kept {
  std::string path;
  std::optional<std::uint64_t> digest;
  bool digestRead = false;
};

}  // namespace

Lines findDuplicates(FileSystem& files, const std::string& programDirectory) {
  // The files met, by identity: a folder indexed twice, a hard link, a subst
  // or mapped drive reach one file by two paths, and a file is never its own copy.
  std::set<FileIdentity> seen;
  std::map<std::uint64_t, std::vector<Kept>> keptBySize;
  Lines duplicates;
  for (const std::string& line : readLines(files, indexPath(programDirectory)).value_or(Lines{})) {
    const std::size_t bar = line.find('|');
    if (bar == std::string::npos) continue;
    const std::string path = line.substr(bar + 1);
    const auto identity = files.identity(path);
    if (!identity) continue;  // gone, or not to be told from another: neither listed nor kept
    if (!seen.insert(*identity).second) continue;
    const auto size = files.size(path);  // as it is now, not as indexed
    if (!size) continue;
    std::vector<Kept>& kept = keptBySize[*size];
    std::optional<std::uint64_t> digest;
    bool isCopy = false;
    if (!kept.empty()) {
      digest = fileDigest(files, path);
      if (!digest) continue;  // unreadable: neither listed nor kept
      for (Kept& first : kept) {
        if (!first.digestRead) {
          first.digest = fileDigest(files, first.path);
          first.digestRead = true;
        }
        if (first.digest == digest && sameContent(files, first.path, path, *size)) {
          isCopy = true;
          break;
        }
      }
    }
    if (isCopy) duplicates.push_back(path);
    else kept.push_back({path, digest, digest.has_value()});
  }
  writeLines(files, listPath(programDirectory), duplicates);
  return duplicates;
}

}  // namespace tg::suite
