#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace tg {

// Where a new content waits, complete, before it takes a file's place.
std::string savingPathOf(const std::string& path);

// The one way this program rewrites a file, stores and small text files alike:
// the new content is written whole beside it (savingPathOf), flushed to the
// disk, and then put in the file's place in one step. A write that fails at any
// point (a full disk, a file held, a folder that refuses) leaves the file as it
// was and takes the partial content away; false then, and the caller must not
// act as if the file held the new content.
bool replaceFile(FileSystem& files, const std::string& path, const std::string& bytes);

}  // namespace tg
