#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/FileSystem.h"

namespace tg::suite {

// "C:\Data;D:\Copies": the folder to back up and the folder that receives it.
std::optional<std::pair<std::string, std::string>> splitFolderPair(const std::string& pair);

struct MirrorResult {
  std::size_t copied = 0;
  std::size_t unchanged = 0;
  std::size_t failed = 0;
};

// Copies every file of the first folder tree that is missing in the second or
// differs from its copy there (size or last-write time). Files found only in the
// second folder are kept: a backup never deletes.
MirrorResult mirrorFolder(FileSystem& files, const std::string& from, const std::string& to);

}  // namespace tg::suite
