#include "stores/TextFile.h"

#include <algorithm>

#include "stores/FileReplace.h"

namespace tg {

std::optional<Lines> readLines(FileSystem& files, const std::string& path) {
  const std::optional<std::string> bytes = files.readBytes(path);
  if (!bytes) return std::nullopt;
  return splitLines(*bytes);
}

std::optional<LinesRead> readFirstLines(FileSystem& files, const std::string& path, std::size_t maxBytes,
                                        std::size_t maxLines) {
  const std::unique_ptr<FileReader> reader = files.openReader(path);
  if (!reader) return std::nullopt;
  // One byte past the bound tells whether the file goes on.
  std::string bytes;
  constexpr std::size_t kBlock = 1 << 20;
  for (;;) {
    const std::size_t want = std::min(kBlock, maxBytes + 1 - bytes.size());
    if (want == 0) break;
    const std::size_t at = bytes.size();
    bytes.resize(at + want);
    const auto got = reader->read(bytes.data() + at, want);
    if (!got) return std::nullopt;
    bytes.resize(at + *got);
    if (*got == 0) break;
  }
  LinesRead read;
  if (bytes.size() > maxBytes) {
    read.cut = true;
    const std::size_t end = bytes.find_last_of("\r\n", maxBytes - 1);
    bytes.resize(end == std::string::npos ? 0 : end + 1);
  }
  read.lines = splitLines(bytes);
  if (read.lines.size() > maxLines) {
    read.cut = true;
    read.lines.resize(maxLines);
  }
  return read;
}

bool writeLines(FileSystem& files, const std::string& path, const Lines& lines) {
  return replaceFile(files, path, joinLines(lines));
}

}  // namespace tg
