#include "win32/MessageLoop.h"

namespace tg::win32 {

namespace {

void handle(const MSG& msg, const MessageRoute& route) {
  if (route && route(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace

int runMessageLoop(const MessageRoute& route) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    handle(msg, route);
  }
  return static_cast<int>(msg.wParam);
}

void pumpMessages(const MessageRoute& route) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // left for the loop that waits for it
      return;
    }
    handle(msg, route);
  }
}

}  // namespace tg::win32
