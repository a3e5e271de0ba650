#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tg {

// The shell's mouse event numbers that reach the notification-area icon.
constexpr unsigned kTrayRightButtonDown = 516;  // 0x204
constexpr unsigned kTrayCallbackMessage = 1025;  // the first user message plus one

// The notification-area icon of the hidden tray host.
struct Tray {
  // Adds the application's icon with its tip; the shell's mouse events on it
  // reach `onMouse`. False when the shell refuses it. An icon already added is
  // not added again (the call is true). Once added, or even only asked for,
  // the icon comes back whenever the shell's task bar is created anew.
  virtual bool addIcon(const std::string& tip, std::function<void(unsigned mouseEvent)> onMouse) = 0;
  // Takes the icon away; a new task bar does not bring it back.
  virtual void removeIcon() = 0;
  // Brings the tray host to the foreground and opens a pop-up menu at the
  // cursor; the index of the item chosen, or -1 when none was.
  virtual int popupMenu(const std::vector<std::string>& items) = 0;
  virtual ~Tray() = default;
};

}  // namespace tg
