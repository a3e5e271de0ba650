#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tg {

// The key start of a pass phrase: the sum of its character codes (0 to 255).
int PassPhraseKey(std::string_view phrase);

enum class CipherDirection { Add, Subtract };

// Scrambles (adds) or restores (subtracts) a file into another, 2048 bytes at
// a time: the byte at position p becomes byte +/- (key + p), modulo 256, the
// key running on across blocks. The destination is replaced only once its new
// content is complete, and a source and destination that are one file are
// refused before anything is touched. Throws std::runtime_error naming the
// file on any failure.
void CipherFile(FileSystem& files, const std::string& source, const std::string& destination, int keyStart,
                CipherDirection direction);

}  // namespace tg
