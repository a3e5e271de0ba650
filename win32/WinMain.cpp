#include <windows.h>

#include "app/ControlCentre.h"
#include "win32/Win32Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::win32::Win32Platform real;
  // The message pop-up engine is not wired in yet; its messages are dropped.
  tg::ControlCentre centre(real.platform, tg::win32::executableDirectory(), {});
  centre.create();

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
