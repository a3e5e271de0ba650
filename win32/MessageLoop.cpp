#include "win32/MessageLoop.h"

#include "win32/ErrorBox.h"

namespace tg::win32 {

namespace {

void handle(const MSG& msg, const MessageRoute& route) {
  bool taken = false;
  // A key's action that fails ends there: the key is not handed on as well.
  if (route && (!guarded([&] { taken = route(msg); }) || taken)) return;
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
