#include "win32/ErrorBox.h"

#include <cstring>

namespace tg::win32 {

namespace {

const char kBoxTitle[] = "Tarnivoxguard2013";

// The box itself tells that it is open: a shown message box of ours with an
// OK button (a question has Yes and No instead). No flag of our own can fall
// out of step with it.
bool isErrorBox(HWND window) {
  char name[16] = {};
  char title[sizeof kBoxTitle + 1] = {};
  return IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) && std::strcmp(name, "#32770") == 0 &&
         GetWindowTextA(window, title, sizeof title) && std::strcmp(title, kBoxTitle) == 0 &&
         GetDlgItem(window, IDOK) != nullptr && GetDlgItem(window, IDYES) == nullptr;
}

// True when this thread shows the error box now.
bool errorBoxOpen() {
  bool open = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        if (!isErrorBox(window)) return TRUE;
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&open));
  return open;
}

}  // namespace

void showErrorBox(const std::string& text, HWND owner) {
  if (errorBoxOpen()) return;
  MessageBoxA(owner, text.c_str(), kBoxTitle, MB_OK | MB_ICONERROR);
}

}  // namespace tg::win32
