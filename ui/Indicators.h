#pragma once

#include <algorithm>

#include "ui/Control.h"
#include "ui/Event.h"

namespace tg::ui {

// A slider over a range of whole numbers.
class TrackBar : public Control {
 public:
  TrackBar(std::string name, Rect bounds, int minimum, int maximum, bool vertical)
      : Control(ControlKind::TrackBar, std::move(name), bounds), min_(minimum), max_(maximum), vertical_(vertical),
        position_(minimum) {}
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  bool vertical() const { return vertical_; }
  int position() const { return position_; }
  void setPosition(int p) {  // code: fires nothing
    p = std::clamp(p, min_, max_);
    if (p == position_) return;
    position_ = p;
    changed(Change::Position);
  }
  // The user moves the slider: onChange when the position changed.
  void moveTo(int p) {
    if (!usable()) return;
    const int before = position_;
    setPosition(p);
    if (position_ != before) fire(onChange);
  }
  std::function<void()> onChange;

 private:
  int min_;
  int max_;
  bool vertical_;
  int position_;
};

// The window's bottom line, showing one simple text.
class StatusBar : public Control {
 public:
  StatusBar(std::string name, Rect bounds) : Control(ControlKind::StatusBar, std::move(name), bounds) {}
  const std::string& simpleText() const { return text_; }
  void setSimpleText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed(Change::Text);
  }

 private:
  std::string text_;
};

}  // namespace tg::ui
