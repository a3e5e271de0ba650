#pragma once

#include <string>

#include "base/Lines.h"

namespace tg::testing {

// A fake language file's entries: entry N reads prefix, N, suffix ("fr 7"
// from "fr "); the 101 entries of a complete file unless fewer are asked for.
inline Lines numberedEntries(const std::string& prefix, int count = 101, const std::string& suffix = "") {
  Lines lines;
  for (int n = 1; n <= count; ++n) lines.push_back(prefix + std::to_string(n) + suffix);
  return lines;
}

}  // namespace tg::testing
