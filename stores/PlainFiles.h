#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/FileSystem.h"

namespace tg {

// The plain files of a folder: neither folders nor hidden nor system files
// (read-only and archive files count), directly in it, names only, in
// ascending order of name with the letter case of A to Z ignored. None when
// the folder could not be listed, which is not the same as holding no file.
std::optional<std::vector<std::string>> plainFileNames(FileSystem& files, const std::string& folder,
                                                       const std::string& mask = "*.*");

// The subfolders of a folder that are not hidden, names only, in the same
// order; none shown for a folder that could not be listed.
std::vector<std::string> subfolderNames(FileSystem& files, const std::string& folder);

// Whether a path names an existing file, or an existing folder.
bool isFile(FileSystem& files, const std::string& path);
bool isFolder(FileSystem& files, const std::string& path);

}  // namespace tg
