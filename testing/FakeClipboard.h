#pragma once

#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace tg::testing {

// A clipboard that keeps what was put on it; `held` makes the next puts fail.
struct FakeClipboard : Clipboard {
  bool setText(const std::string& value) override {
    if (held) return false;
    text = value;
    return true;
  }
  std::optional<std::string> text;
  bool held = false;
};

}  // namespace tg::testing
