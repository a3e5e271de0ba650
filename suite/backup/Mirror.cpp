#include "suite/backup/Mirror.h"

#include "base/Text.h"
#include "suite/common/EngineFiles.h"

namespace tg::suite {

std::optional<std::pair<std::string, std::string>> splitFolderPair(const std::string& pair) {
  const std::size_t semicolon = pair.find(';');
  if (semicolon == std::string::npos) return std::nullopt;
  std::string first = trimmed(pair.substr(0, semicolon));
  std::string second = trimmed(pair.substr(semicolon + 1));
  if (first.empty() || second.empty()) return std::nullopt;
  return std::make_pair(first, second);
}

namespace {

// Creates every missing folder of a path (ending in a backslash), from its
// root down.
bool ensureFolder(FileSystem& files, const std::string& folder) {
  // The separators of "D:\" or of "\\server\share\" belong to the root.
  const int rootSeparators = folder.rfind("\\\\", 0) == 0 ? 4 : 1;
  int seen = 0;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (folder[i] != '\\' || ++seen <= rootSeparators) continue;
    if (!files.createDirectory(folder.substr(0, i))) return false;
  }
  return true;
}

}  // namespace

MirrorResult mirrorFolder(FileSystem& files, const std::string& from, const std::string& to) {
  MirrorResult result;
  const std::string source = withBackslash(from);
  const std::string target = withBackslash(to);
  // A target inside the source would back itself up without end.
  if (foldedAscii(target).rfind(foldedAscii(source), 0) == 0) {
    ++result.failed;
    return result;
  }
  walkFiles(files, source, [&](const std::string& path, const FileEntry& entry) {
    const std::string relative = path.substr(source.size());
    const std::string copy = target + relative;
    const std::vector<FileEntry> existing = files.find(copy).value_or(std::vector<FileEntry>{});
    if (!existing.empty() && existing.front().size == entry.size && existing.front().lastWrite == entry.lastWrite) {
      ++result.unchanged;
      return true;
    }
    const std::size_t slash = copy.rfind('\\');
    if (ensureFolder(files, copy.substr(0, slash + 1)) && files.copyFile(path, copy))
      ++result.copied;
    else
      ++result.failed;
    return true;
  });
  return result;
}

}  // namespace tg::suite
