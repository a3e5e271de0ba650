#pragma once

#include <windows.h>

#include <functional>

#include "platform/Tray.h"

namespace tg::win32 {

// The hidden tray host window (never shown) and its notification-area icon.
// The window is made when the icon is added, the first window the control
// centre creates; when it is destroyed the message loop ends.
class Win32Tray : public Tray {
 public:
  Win32Tray();
  ~Win32Tray() override;
  Win32Tray(const Win32Tray&) = delete;
  Win32Tray& operator=(const Win32Tray&) = delete;

  bool addIcon(const std::string& tip, std::function<void(unsigned mouseEvent)> onMouse) override;
  void removeIcon() override;
  int popupMenu(const std::vector<std::string>& items) override;
  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  bool ensureWindow();
  bool registerIcon();

  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  std::string tip_;
  bool wanted_ = false;  // addIcon was called
  bool added_ = false;   // the shell has the icon
  UINT taskbarCreated_ = 0;
  std::function<void(unsigned)> onMouse_;
};

}  // namespace tg::win32
