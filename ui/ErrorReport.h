#pragma once

#include <string>

namespace tg::ui {

// The text of the error being handled, for the general error report; call it
// only inside a catch block. A standard exception gives its own text.
std::string currentErrorText();

// Runs an action that an entry from the event loop starts (a window message, a
// timer tick). An error the action does not handle ends it there and its text
// goes to `report`; the caller goes on either way. True when the action ran to
// its end. Nothing escapes, not even from `report`.
template <typename Action, typename Report>
bool runReportingErrors(Action&& action, Report&& report) noexcept {
  try {
    action();
    return true;
  } catch (...) {
    try {
      report(currentErrorText());
    } catch (...) {  // a report that fails in turn has nothing left to tell
    }
    return false;
  }
}

}  // namespace tg::ui
