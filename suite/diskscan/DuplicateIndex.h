#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "stores/TextFile.h"

namespace tg::suite {

// The disk scanner's steps. The index (diskscan.idx in the program directory)
// lists "size|path" of every file of the folders added to it.

// Step "0 0": forgets the index and the last list of duplicates.
void resetIndex(FileSystem& files, const std::string& programDirectory);
// Step "1 <folder>": adds the files of a folder tree to the index; an empty
// folder adds nothing. The number of files added.
std::size_t addFolderToIndex(FileSystem& files, const std::string& programDirectory, const std::string& folder);
// Step "2": the redundant copies, in index order: every indexed file whose
// content, byte for byte, an earlier indexed file already has. The first file
// of each content is never listed, so deleting the whole list leaves one copy
// of everything. Also written to liste2.txt. Paths that are gone are left out,
// and so is a second path to a file already met (a hard link, a subst or
// mapped drive): two names of one file are never a pair.
Lines findDuplicates(FileSystem& files, const std::string& programDirectory);

}  // namespace tg::suite
