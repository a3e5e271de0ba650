// Holds wine's virtual desktop open for a whole test run. wine closes a
// desktop a moment after the last program using it has ended, and a program
// that starts in that moment may fail to start at all: between two test
// programs (each suite ends its own before the next begins) that moment comes
// again and again. This program uses the desktop through one window that is
// never shown, and waits until the wineserver ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA type{};
  type.lpfnWndProc = DefWindowProcA;
  type.hInstance = instance;
  type.lpszClassName = "TgDesktopKeeper";
  if (!RegisterClassA(&type)) return 1;
  if (!CreateWindowExA(0, type.lpszClassName, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr))
    return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
