#include <windows.h>

#include "app/ControlCentre.h"
#include "engines/ProcessUtilities.h"
#include "win32/Win32Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::win32::Win32Platform real;
  const std::string programDirectory = tg::win32::executableDirectory();
  tg::ControlCentre centre(real.platform, programDirectory, [&](const std::string& message) {
    tg::NotifyUser(real.shell, programDirectory, message);
  });
  centre.create();

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
