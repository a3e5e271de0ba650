#include "ui/Toggles.h"

namespace tg::ui {

void RadioButton::setChecked(bool on) {
  if (on && parent()) {
    for (const auto& sibling : parent()->children()) {
      auto* radio = dynamic_cast<RadioButton*>(sibling.get());
      if (radio && radio != this && radio->checked_) {
        radio->checked_ = false;
        radio->changed(Change::Check);
      }
    }
  }
  if (on == checked_) return;
  checked_ = on;
  changed(Change::Check);
}

}  // namespace tg::ui
