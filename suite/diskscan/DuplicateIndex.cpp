#include "suite/diskscan/DuplicateIndex.h"

#include <algorithm>
#include <charconv>
#include <map>
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

Lines findDuplicates(FileSystem& files, const std::string& programDirectory) {
  // Only files of equal size can be copies; their content decides.
  std::map<std::uint64_t, std::set<std::string>> bySize;
  for (const std::string& line : readLines(files, indexPath(programDirectory)).value_or(Lines{})) {
    const std::size_t bar = line.find('|');
    if (bar == std::string::npos) continue;
    std::uint64_t size = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + bar, size);
    if (ec != std::errc() || end != line.data() + bar) continue;
    bySize[size].insert(line.substr(bar + 1));
  }
  Lines duplicates;
  for (const auto& [size, paths] : bySize) {
    if (paths.size() < 2) continue;
    std::map<std::uint64_t, std::vector<std::string>> byDigest;
    for (const std::string& path : paths)
      if (const auto digest = fileDigest(files, path)) byDigest[*digest].push_back(path);
    for (const auto& [digest, copies] : byDigest)
      if (copies.size() >= 2) duplicates.insert(duplicates.end(), copies.begin(), copies.end());
  }
  writeLines(files, listPath(programDirectory), duplicates);
  return duplicates;
}

}  // namespace tg::suite
