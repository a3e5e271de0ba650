#pragma once

#include <windows.h>

#include <string>

#include "ui/ErrorReport.h"

namespace tg::win32 {

// The general error report: a box with the error's text, the error icon and an
// OK button, owned by `owner` (or none). At most one is open at a time: a
// report made while one is open on this thread (the same error again from a
// timer tick served inside the box, say) is dropped.
void showErrorBox(const std::string& text, HWND owner);

// Runs what a message from Windows asks for: an error the handler does not
// handle ends it and is shown in the error box, owned by the thread's active
// window. True when the handler ran to its end.
template <typename Handler>
bool guarded(Handler&& handler) noexcept {
  return ui::runReportingErrors(handler, [](const std::string& text) { showErrorBox(text, GetActiveWindow()); });
}

}  // namespace tg::win32
