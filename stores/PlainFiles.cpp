#include "stores/PlainFiles.h"

#include <algorithm>

#include "base/Text.h"

namespace tg {

std::optional<std::vector<std::string>> plainFileNames(FileSystem& files, const std::string& folder,
                                                       const std::string& mask) {
  const auto found = files.find(folderWithBackslash(folder) + mask);
  if (!found) return std::nullopt;
  std::vector<std::string> names;
  for (const FileEntry& e : *found)
    if (!(e.attributes & (attr::Directory | attr::Hidden | attr::System | attr::VolumeLabel))) names.push_back(e.name);
  sortIgnoringCase(names);
  return names;
}

std::vector<std::string> subfolderNames(FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  for (const FileEntry& e : files.find(folderWithBackslash(folder) + "*").value_or(std::vector<FileEntry>{}))
    if ((e.attributes & attr::Directory) && !(e.attributes & attr::Hidden)) names.push_back(e.name);
  sortIgnoringCase(names);
  return names;
}

bool isFile(FileSystem& files, const std::string& path) {
  const auto attributes = files.attributes(path);
  return attributes && !(*attributes & attr::Directory);
}

bool isFolder(FileSystem& files, const std::string& path) {
  const auto attributes = files.attributes(path);
  return attributes && (*attributes & attr::Directory);
}

}  // namespace tg
