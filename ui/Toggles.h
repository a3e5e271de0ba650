#pragma once

#include "ui/Control.h"
#include "ui/Event.h"

namespace tg::ui {

class CheckBox : public Control {
 public:
  CheckBox(std::string name, Rect bounds, std::string caption = {})
      : Control(ControlKind::CheckBox, std::move(name), bounds) {
    setCaption(std::move(caption));
  }
  bool checked() const { return checked_; }
  void setChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    changed(Change::Check);
  }
  // The user's click: toggles, then onClick.
  void click() {
    if (!usable()) return;
    setChecked(!checked_);
    fire(onClick);
  }
  std::function<void()> onClick;

 private:
  bool checked_ = false;
};

// Checked radio buttons exclude each other within their container.
class RadioButton : public Control {
 public:
  RadioButton(std::string name, Rect bounds, std::string caption = {})
      : Control(ControlKind::RadioButton, std::move(name), bounds) {
    setCaption(std::move(caption));
  }
  bool checked() const { return checked_; }
  // Code: checking one unchecks the others of its group; fires nothing.
  void setChecked(bool on);
  // The user's click: selects it, then onClick (also when it was selected).
  void click() {
    if (!usable()) return;
    setChecked(true);
    fire(onClick);
  }
  std::function<void()> onClick;

 private:
  bool checked_ = false;
};

}  // namespace tg::ui
