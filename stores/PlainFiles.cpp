#include "stores/PlainFiles.h"

#include <algorithm>

#include "stores/Text.h"

namespace tg {

void sortIgnoringCase(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return foldedAscii(a) < foldedAscii(b); });
}

std::string folderWithBackslash(const std::string& folder) {
  if (folder.empty() || folder.back() == '\\') return folder;
  return folder + "\\";
}

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
