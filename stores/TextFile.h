#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Lines.h"
#include "platform/FileSystem.h"

namespace tg {

// Empty when the file is missing or cannot be read.
std::optional<Lines> readLines(FileSystem& files, const std::string& path);

// The first lines of a file that may be far longer than any reader needs: at
// most `maxBytes` of it are read, and at most `maxLines` whole lines kept
// (a line cut by the byte bound is dropped). `cut` says that the file went on.
struct LinesRead {
  Lines lines;
  bool cut = false;
};
std::optional<LinesRead> readFirstLines(FileSystem& files, const std::string& path, std::size_t maxBytes,
                                        std::size_t maxLines);
// Replaces the file with these lines once they are all on the disk
// (replaceFile): false, and the file as it was, when they could not all go.
bool writeLines(FileSystem& files, const std::string& path, const Lines& lines);

}  // namespace tg
