#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace tg::suite {

// Adds one line (ended by CR LF) to a log file, creating it when missing,
// waiting a few seconds at most while other writers hold it.
bool appendLogLine(FileSystem& files, const std::string& path, const std::string& line);

// A 64-bit FNV-1a digest of a file's whole content, read in blocks; empty when
// the file cannot be read.
std::optional<std::uint64_t> fileDigest(FileSystem& files, const std::string& path);
std::string hex64(std::uint64_t value);

// Every plain or hidden file under a folder, depth first, folders sorted by the
// platform; links to folders are not followed, so a loop cannot trap the walk.
// The visitor gets the full path and the entry; returning false stops the walk.
using FileVisitor = std::function<bool(const std::string& path, const FileEntry& entry)>;
void walkFiles(FileSystem& files, const std::string& folder, const FileVisitor& visit, int maxDepth = 48);

// The folder with exactly one backslash at its end.
std::string withBackslash(std::string folder);

}  // namespace tg::suite
