#pragma once

#include <string>

namespace tg {

enum class Answer { Yes, No };

// Modal boxes owned by the main window. While a question is open the platform
// keeps delivering timer ticks, which may run nested inside the call.
struct Dialogs {
  // The information box with the buttons Yes and No.
  virtual Answer askYesNo(const std::string& text) = 0;
  // The general error report: an error an action did not handle, shown by its text.
  virtual void reportError(const std::string& text) = 0;
  virtual ~Dialogs() = default;
};

}  // namespace tg
