// notify.exe <text>: shows the text, every ";" turned back into a space, in a
// small window at the bottom right of the screen that closes by itself after a
// few seconds or at a click, and adds it to notify.log beside it. The caller
// never waits for it.
#include <windows.h>

#include "base/Text.h"
#include "suite/common/EngineProcess.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShownMilliseconds = 6000;
const char kClassName[] = "Tarnivoxguard2013Notice";

std::string gText;  // the one message this process shows

LRESULT CALLBACK noticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
      FillRect(dc, &area, GetSysColorBrush(COLOR_INFOBK));
      InflateRect(&area, -12, -10);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextA(dc, gText.c_str(), -1, &area, DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_TIMER:
    case WM_LBUTTONUP:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  gText = tg::replacedAll(self.arguments, ';', ' ');
  self.log("notify.log", gText);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = noticeProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 1;

  RECT work{0, 0, 800, 600};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = 320;
  const int height = 90;
  HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "Tarnivoxguard2013", WS_POPUP | WS_BORDER,
                                work.right - width - 16, work.bottom - height - 16, width, height, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  SetTimer(window, kCloseTimer, kShownMilliseconds, nullptr);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
