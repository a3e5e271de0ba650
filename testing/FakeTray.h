#pragma once

#include <functional>

#include "platform/Tray.h"

namespace tg::testing {

// The notification area: one icon at most, scripted refusals of the shell,
// and scripted menu choices.
class FakeTray : public Tray {
 public:
  bool addIcon(const std::string& text, std::function<void(unsigned)> onMouse) override {
    ++adds;
    if (refusals > 0) {
      --refusals;
      return false;
    }
    icons = 1;  // an icon already there is not added twice
    tip = text;
    mouse_ = std::move(onMouse);
    return true;
  }
  void removeIcon() override { icons = 0; }
  int popupMenu(const std::vector<std::string>& items) override {
    menus.push_back(items);
    return nextChoice;
  }
  // The shell reports a mouse event on the icon.
  void mouseEvent(unsigned event) {
    if (mouse_) mouse_(event);
  }

  int icons = 0;      // icons shown: 0 or 1
  int adds = 0;       // calls of addIcon, refused ones included
  int refusals = 0;   // how many of the next adds the shell refuses
  std::string tip;
  std::vector<std::vector<std::string>> menus;
  int nextChoice = 0;

 private:
  std::function<void(unsigned)> mouse_;
};

}  // namespace tg::testing
