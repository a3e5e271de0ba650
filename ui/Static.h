#pragma once

#include "ui/Control.h"
#include "ui/ImageList.h"

namespace tg::ui {

// A caption on the window; word-wrapped when asked.
class Label : public Control {
 public:
  Label(std::string name, Rect bounds, std::string text = {}) : Control(ControlKind::Label, std::move(name), bounds) {
    setCaption(std::move(text));
  }
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool on) {
    wordWrap_ = on;
    changed(Change::Style);
  }

 private:
  bool wordWrap_ = false;
};

// A rectangle filled with the control's colour and framed with its pen colour.
class Shape : public Control {
 public:
  Shape(std::string name, Rect bounds, Color brush) : Control(ControlKind::Shape, std::move(name), bounds) {
    setColor(brush);
  }
  const Color& pen() const { return pen_; }
  void setPen(const Color& c) {
    pen_ = c;
    changed(Change::Color);
  }

 private:
  Color pen_ = kBlack;
};

// A sunken frame.
class Bevel : public Control {
 public:
  Bevel(std::string name, Rect bounds) : Control(ControlKind::Bevel, std::move(name), bounds) {}
};

// A picture stretched to the control's bounds.
class Picture : public Control {
 public:
  Picture(std::string name, Rect bounds, Image image = {})
      : Control(ControlKind::Picture, std::move(name), bounds), image_(std::move(image)) {}
  const Image& image() const { return image_; }

 private:
  Image image_;
};

}  // namespace tg::ui
