#include "ui/Form.h"

#include "ui/Event.h"

namespace tg::ui {

Form::Form(std::string name, Rect bounds, std::string caption)
    : Container(ControlKind::Form, std::move(name), bounds) {
  setCaption(std::move(caption));
  setVisible(false);
}

Form::~Form() {
  focus_ = nullptr;
  destroyChildren();
}

bool Form::dialogKey(DialogKey key) {
  if (focus_ && focus_->usesKey(key)) return false;
  if (key == DialogKey::Enter) {
    if (auto* focused = dynamic_cast<Button*>(focus_); focused && focused->usable()) {
      focused->click();
      return true;
    }
  }
  Button* chosen = nullptr;
  forEachControl(*this, [&](Control& c) {
    if (chosen) return;
    auto* button = dynamic_cast<Button*>(&c);
    if (!button || !button->usable()) return;
    if (key == DialogKey::Enter ? button->isDefault() : button->isCancel()) chosen = button;
  });
  if (!chosen) return false;
  chosen->click();
  return true;
}

void Form::close() { fire(onClose); }

}  // namespace tg::ui
