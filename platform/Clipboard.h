#pragma once

#include <string>

namespace tg {

// The system's clipboard.
struct Clipboard {
  // Puts a text (the system code page's bytes) on the clipboard in place of
  // what it held; false when another program held the clipboard.
  virtual bool setText(const std::string& text) = 0;
  virtual ~Clipboard() = default;
};

}  // namespace tg
