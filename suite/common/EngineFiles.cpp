#include "suite/common/EngineFiles.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tg::suite {

namespace {
constexpr std::uint32_t kReparsePoint = 0x400;
constexpr std::size_t kBlock = 1 << 20;
}  // namespace

bool appendLogLine(FileSystem& files, const std::string& path, const std::string& line) {
  // An engine has no window to keep answering: it may wait its turn among the
  // writers of a shared log, a few seconds at most.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  auto pause = std::chrono::milliseconds(1);
  while (!files.appendBytes(path, line + "\r\n")) {
    if (std::chrono::steady_clock::now() >= giveUp) return false;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(16));
  }
  return true;
}

std::optional<std::uint64_t> fileDigest(FileSystem& files, const std::string& path) {
  const auto size = files.size(path);
  if (!size) return std::nullopt;
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint64_t offset = 0; offset < *size; offset += kBlock) {
    const auto block = files.readRange(path, offset, kBlock);
    if (!block) return std::nullopt;
    for (unsigned char c : *block) {
      hash ^= c;
      hash *= 1099511628211ull;
    }
    if (block->size() < kBlock) break;
  }
  return hash;
}

std::string hex64(std::uint64_t value) {
  static const char digits[] = "0123456789abcdef";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = digits[value & 0xF];
  return out;
}

std::string withBackslash(std::string folder) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder + "\\";
}

namespace {

bool walk(FileSystem& files, const std::string& folder, const FileVisitor& visit, int depthLeft) {
  if (depthLeft < 0) return true;
  for (const FileEntry& entry : files.find(folder + "*").value_or(std::vector<FileEntry>{})) {
    const std::string path = folder + entry.name;
    if (entry.attributes & attr::Directory) {
      if (entry.attributes & kReparsePoint) continue;
      if (!walk(files, path + "\\", visit, depthLeft - 1)) return false;
    } else if (!visit(path, entry)) {
      return false;
    }
  }
  return true;
}

}  // namespace

void walkFiles(FileSystem& files, const std::string& folder, const FileVisitor& visit, int maxDepth) {
  walk(files, withBackslash(folder), visit, maxDepth);
}

}  // namespace tg::suite
