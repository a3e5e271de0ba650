#include "engines/FileFacts.h"

#include <algorithm>

namespace tg {

std::string ProcessExePath(Processes& processes, std::uint32_t pid) {
  const auto modules = processes.modules(pid);
  if (!modules || modules->empty()) return {};
  return modules->front().substr(0, 260);
}

std::string ProcessModuleList(Processes& processes, std::uint32_t pid) {
  const auto modules = processes.modules(pid);
  if (!modules) return {};
  std::string list;
  for (const std::string& module : *modules) {
    list += module;
    list += ';';
  }
  return list;
}

std::uint64_t FileSizeBytes(FileSystem& files, const std::string& path) { return files.size(path).value_or(0); }

std::optional<DateTime> packedDateTime(const DateTime& t) {
  if (t.year < 1980 || t.year > 2107) return std::nullopt;
  DateTime packed = t;
  packed.second -= packed.second % 2;
  packed.millisecond = 0;
  return packed;
}

namespace {

// The first directory entry that matches the path, whatever its attributes.
std::optional<FileEntry> firstMatch(FileSystem& files, const std::string& path) {
  if (path.empty()) return std::nullopt;
  const auto found = files.find(path);
  if (!found || found->empty()) return std::nullopt;
  return found->front();
}

}  // namespace

DateTime FileDate(FileSystem& files, const std::string& path) {
  const auto entry = firstMatch(files, path);
  if (!entry) return {};
  return packedDateTime(entry->lastWrite).value_or(DateTime{});
}

std::string FileOwner(FileSystem& files, const std::string& path) {
  if (path.empty()) return {};
  const auto owner = files.owner(path);
  if (!owner) return {};
  return owner->domain + "/" + owner->account;
}

std::uint32_t FileChecksum(FileSystem& files, const std::string& path) { return readChecksum(files, path).value_or(0); }

std::optional<std::uint32_t> readChecksum(FileSystem& files, const std::string& path) {
  if (path.empty()) return std::nullopt;
  const auto size = files.size(path);
  if (!size) return std::nullopt;
  const std::uint64_t words = *size / 4;
  if (words == 0) return 0;
  const std::uint64_t start = words / 2;
  const std::uint64_t count = std::min<std::uint64_t>(words - 1 - start, 500);
  if (count == 0) return 0;
  const auto bytes = files.readRange(path, start * 4, static_cast<std::size_t>(count * 4));
  if (!bytes) return std::nullopt;
  std::uint32_t sum = 0;
  const std::size_t whole = bytes->size() / 4;
  for (std::size_t i = 0; i < whole; ++i) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes->data() + i * 4);
    sum += static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
  }
  return sum;
}

std::string FileTypeName(Shell& shell, const std::string& path) { return shell.typeName(path).substr(0, 80); }

DateTime FileAccessDate(FileSystem& files, const std::string& path) {
  return findAccessDate(files, path).value_or(DateTime{});
}

std::optional<DateTime> findAccessDate(FileSystem& files, const std::string& path) {
  const auto entry = firstMatch(files, path);
  if (!entry) return std::nullopt;
  return packedDateTime(entry->lastAccess);
}

}  // namespace tg
