#pragma once

#include <windows.h>

#include <functional>

namespace tg::win32 {

// Takes a message before it is translated and dispatched; true when it did
// (the dialog keys of a window, for one).
using MessageRoute = std::function<bool(const MSG&)>;

// Runs the thread's message loop until WM_QUIT; the exit code it carries.
int runMessageLoop(const MessageRoute& route);
// Handles every message waiting, then returns (for tests that drive windows).
void pumpMessages(const MessageRoute& route);

}  // namespace tg::win32
