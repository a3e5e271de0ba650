#pragma once

#include "ui/Control.h"
#include "ui/Event.h"
#include "ui/ImageList.h"

namespace tg::ui {

// The platform's standard button kinds. An OK button is a default button (the
// Enter key), a No button a cancel button (the Escape key); each kind shows its
// own glyph, and its own caption while none is set.
enum class ButtonKind { Custom, OK, No, Abort, All };

const char* kindCaption(ButtonKind kind);

class Button : public Control {
 public:
  Button(std::string name, Rect bounds, ButtonKind kind = ButtonKind::Custom, std::string caption = {});

  ButtonKind buttonKind() const { return kind_; }
  // The caption shown: the one set, or the kind's own.
  std::string shownCaption() const;
  bool isDefault() const { return default_; }
  bool isCancel() const { return cancel_; }
  void setDefault(bool on);
  void setCancel(bool on);
  // A glyph of one's own in place of the kind's (an empty image: the kind's).
  const Image& glyph() const { return glyph_; }
  void setGlyph(Image image);

  // The user presses the button: onClick, when it is usable.
  void click();
  std::function<void()> onClick;

 private:
  ButtonKind kind_;
  bool default_ = false;
  bool cancel_ = false;
  Image glyph_;
};

// The glyph of a button kind, 16 x 16; empty for Custom.
Image kindGlyph(ButtonKind kind);

}  // namespace tg::ui
