#pragma once

#include <string>
#include <vector>

namespace tg {

enum class Answer { Yes, No };

// Modal boxes owned by the main window. While a question is open the platform
// keeps delivering timer ticks, which may run nested inside the call.
struct Dialogs {
  // The information box with the buttons Yes and No.
  virtual Answer askYesNo(const std::string& text) = 0;
  // The general error report: an error an action did not handle, shown by its text.
  virtual void reportError(const std::string& text) = 0;
  // A shortcut menu at the mouse pointer, over the main window; the index of
  // the item chosen, or -1 when none was.
  virtual int popupMenu(const std::vector<std::string>& items) = 0;
  virtual ~Dialogs() = default;
};

}  // namespace tg
