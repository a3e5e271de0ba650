#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "stores/TextFile.h"

namespace tg::suite {

// Known-bad files by the digest of their whole content: lines of
// "<16 hex digits> <name>" in signatures.txt; "#" starts a comment.
using Signatures = std::map<std::uint64_t, std::string>;
Signatures parseSignatures(const Lines& lines);

struct Finding {
  std::string path;
  std::string threat;
};

struct ScanReport {
  std::vector<std::string> roots;
  std::uint64_t filesExamined = 0;
  std::uint64_t filesUnreadable = 0;
  std::vector<Finding> findings;
};

// Files larger than this are counted but not read.
constexpr std::uint64_t kLargestScannedFile = 256ull << 20;

ScanReport scanFolders(FileSystem& files, const std::vector<std::string>& roots, const Signatures& signatures);

// anaviri.txt: a readable report of one scan.
Lines reportLines(const ScanReport& report, const std::string& modeName, const std::string& started,
                  const std::string& ended);

}  // namespace tg::suite
