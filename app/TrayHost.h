#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"

namespace tg {

// TForm1, the hidden tray host: the notification-area icon with its one-item
// menu, and the autorun registration.
class TrayHost {
 public:
  // Milliseconds between two tries to add an icon the shell refused.
  static constexpr int kIconRetryMs = 1000;

  // `exePath` is the running executable's full path; `showMainWindow` is what
  // the menu's item does.
  TrayHost(Platform& platform, std::string exePath, std::function<void()> showMainWindow);
  ~TrayHost();
  TrayHost(const TrayHost&) = delete;
  TrayHost& operator=(const TrayHost&) = delete;

  // The icon, then the autorun value, written only when it differs. An icon
  // the shell refuses (its notification area may not exist yet at log-on) is
  // tried again on a timer until the shell takes it.
  void create();
  // Takes the icon away for good (the application ends).
  void removeIcon();
  // A mouse event on the icon, as the shell reports it.
  void iconEvent(unsigned mouseEvent);
  void scannprocess1Click();

 private:
  void addIcon();

  Platform& platform_;
  std::string exePath_;
  std::function<void()> showMainWindow_;
  TimerId retry_ = 0;  // the pending retry of the icon, 0 when none
};

}  // namespace tg
