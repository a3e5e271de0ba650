#include "win32/Win32Tray.h"

#include <shellapi.h>

#include <cstring>

#include "app/ProductImages.h"
#include "win32/ErrorBox.h"
#include "win32/Icons.h"

namespace tg::win32 {

namespace {
const char kClassName[] = "TgTrayHost";
}

Win32Tray::Win32Tray() = default;

bool Win32Tray::ensureWindow() {
  if (window_) return true;
  WNDCLASSA c{};
  c.lpfnWndProc = windowProc;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = kClassName;
  RegisterClassA(&c);
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Tarnivoxguard2013", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) return false;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // The shell says so when its task bar is created again (it restarted).
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (!icon_) icon_ = createIcon(applicationIcon(16));
  return true;
}

Win32Tray::~Win32Tray() {
  removeIcon();
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (icon_) DestroyIcon(icon_);
}

void Win32Tray::removeIcon() {
  wanted_ = false;
  if (!added_) return;
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window_;
  data.uID = 1;
  Shell_NotifyIconA(NIM_DELETE, &data);  // a shell that lost it already has nothing to take away
  added_ = false;
}

bool Win32Tray::registerIcon() {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the shell's first record layout, tip of 64 characters
  data.hWnd = window_;
  data.uID = 1;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = icon_;
  std::strncpy(data.szTip, tip_.c_str(), 63);
  // An add refused because the shell still has the icon (a task bar message
  // that came without a restart) leaves the icon there: it counts as added.
  added_ = Shell_NotifyIconA(NIM_ADD, &data) != 0 || Shell_NotifyIconA(NIM_MODIFY, &data) != 0;
  return added_;
}

bool Win32Tray::addIcon(const std::string& tip, std::function<void(unsigned)> onMouse) {
  tip_ = tip;
  onMouse_ = std::move(onMouse);
  wanted_ = true;
  if (added_) return true;
  return ensureWindow() && registerIcon();
}

int Win32Tray::popupMenu(const std::vector<std::string>& items) {
  if (!ensureWindow()) return -1;
  HMENU menu = CreatePopupMenu();
  if (!menu) return -1;
  for (std::size_t i = 0; i < items.size(); ++i) AppendMenuA(menu, MF_STRING, i + 1, items[i].c_str());
  SetForegroundWindow(window_);
  POINT at{0, 0};
  GetCursorPos(&at);
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
  // Lets the menu close properly when the user clicks elsewhere.
  PostMessageA(window_, WM_NULL, 0, 0);
  DestroyMenu(menu);
  return chosen - 1;
}

LRESULT CALLBACK Win32Tray::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Tray*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && message == kTrayCallbackMessage) {
    // The menu and what its item does run from here.
    if (self->onMouse_) guarded([&] { self->onMouse_(static_cast<unsigned>(lParam)); });
    return 0;
  }
  if (self && self->taskbarCreated_ && message == self->taskbarCreated_) {
    // A new task bar knows no icon: ours goes back, whether or not the first
    // add worked (the shell may have come up only now).
    if (self->wanted_) self->registerIcon();
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);  // the application's main window is gone
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace tg::win32
