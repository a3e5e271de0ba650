#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"

namespace tg {

// TForm1, the hidden tray host: the notification-area icon with its one-item
// menu, and the autorun registration.
class TrayHost {
 public:
  // `exePath` is the running executable's full path; `showMainWindow` is what
  // the menu's item does.
  TrayHost(Platform& platform, std::string exePath, std::function<void()> showMainWindow);

  // The icon, then the autorun value, written only when it differs.
  void create();
  // A mouse event on the icon, as the shell reports it.
  void iconEvent(unsigned mouseEvent);
  void scannprocess1Click();

 private:
  Platform& platform_;
  std::string exePath_;
  std::function<void()> showMainWindow_;
};

}  // namespace tg
