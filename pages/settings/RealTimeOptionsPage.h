#pragma once

#include <memory>

#include "pages/PageContext.h"
#include "ui/Toggles.h"

namespace tg {

// Three of the real-time engine's switches: its scheduled tasks (Champ8) and
// Champ1, Champ2.
class RealTimeOptionsPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);
  RealTimeOptionsPage(ui::CheckBox& two, ui::CheckBox& three, ui::CheckBox& four)
      : CheckBox2(two), CheckBox3(three), CheckBox4(four) {}
  ui::CheckBox& CheckBox2;
  ui::CheckBox& CheckBox3;
  ui::CheckBox& CheckBox4;
};

}  // namespace tg
