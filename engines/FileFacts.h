#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Shell.h"

namespace tg {

// Facts about a running program and its file, as the rules and alerts record
// them. None of them fails: a fact that cannot be had gives its empty value.

// The executable's full path: the first module of the process; empty when unavailable.
std::string ProcessExePath(Processes& processes, std::uint32_t pid);
// Every module's full path followed by ";", in snapshot order; empty when unavailable.
std::string ProcessModuleList(Processes& processes, std::uint32_t pid);
// The byte count; 0 when the file cannot be opened.
std::uint64_t FileSizeBytes(FileSystem& files, const std::string& path);
// The last-write date and time, at the two-second precision of packed file
// dates; the zero date when nothing matches the path.
DateTime FileDate(FileSystem& files, const std::string& path);
// "domain/account" of the file's owner; empty when unavailable.
std::string FileOwner(FileSystem& files, const std::string& path);
// The sum, modulo 2^32, of at most 500 little-endian words from the middle of
// the file (the last whole word never counts). 0 for a file that cannot be
// read or is too short to have such words.
std::uint32_t FileChecksum(FileSystem& files, const std::string& path);
// The same, empty when the file cannot be opened or read (where FileChecksum
// gives 0, which a readable file may give too).
std::optional<std::uint32_t> readChecksum(FileSystem& files, const std::string& path);
// The shell's type description, at most 80 characters; may be empty.
std::string FileTypeName(Shell& shell, const std::string& path);
// The last-access date and time at packed-date precision; the zero date when
// the file is not found.
DateTime FileAccessDate(FileSystem& files, const std::string& path);
// The same, empty when the file is not found or its date has no packed form.
std::optional<DateTime> findAccessDate(FileSystem& files, const std::string& path);

// A local date and time as a packed file date keeps it: years 1980 to 2107,
// seconds rounded down to even; empty outside those years.
std::optional<DateTime> packedDateTime(const DateTime& t);

}  // namespace tg
