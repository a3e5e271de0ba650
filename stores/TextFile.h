#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace tg {

using Lines = std::vector<std::string>;

// A text file's lines: a line ends at CR, LF or CR LF, and a final line end does
// not start another line ("a\r\n" is one line, "" none, "\r\n" one empty line).
Lines splitLines(std::string_view bytes);
// The bytes of a text file: every line, the last included, ended by CR LF.
std::string joinLines(const Lines& lines);

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
