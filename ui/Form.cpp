#include "ui/Form.h"

#include <algorithm>
#include <vector>

#include "ui/Event.h"
#include "ui/Toggles.h"

namespace tg::ui {

Form::Form(std::string name, Rect bounds, std::string caption, Frame frame)
    : Container(ControlKind::Form, std::move(name), bounds), frame_(frame) {
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

namespace {

bool takesFocus(const Control& c) {
  switch (c.kind()) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::Edit:
    case ControlKind::Memo:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::CheckListBox:
    case ControlKind::FileListBox:
    case ControlKind::ListView:
    case ControlKind::DirectoryListBox:
    case ControlKind::ShellTreeView:
    case ControlKind::TrackBar:
    case ControlKind::TabControl: return c.usable();
    case ControlKind::RadioButton: {
      // A radio group is one stop: its checked button, or its first.
      if (!c.usable()) return false;
      const auto& radio = static_cast<const RadioButton&>(c);
      if (radio.checked()) return true;
      const RadioButton* first = nullptr;
      for (const auto& sibling : c.parent()->children()) {
        auto* other = dynamic_cast<const RadioButton*>(sibling.get());
        if (!other || !other->usable()) continue;
        if (other->checked()) return false;
        if (!first) first = other;
      }
      return first == &radio;
    }
    default: return false;
  }
}

}  // namespace

Control* Form::moveFocus(bool forward) {
  std::vector<Control*> stops;
  forEachControl(*this, [&](Control& c) {
    if (takesFocus(c)) stops.push_back(&c);
  });
  if (stops.empty()) return focus_;
  const auto at = std::find(stops.begin(), stops.end(), focus_);
  std::size_t next;
  if (at == stops.end()) {
    next = forward ? 0 : stops.size() - 1;
  } else {
    const std::size_t i = static_cast<std::size_t>(at - stops.begin());
    next = forward ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size();
  }
  focus_ = stops[next];
  return focus_;
}

void Form::close() { fire(onClose); }

void Form::queryEndSession() { fire(onQueryEndSession); }

void Form::endSession(bool ending) { fire(onEndSession, ending); }

void Form::deviceChange(const DeviceChange& change) { fire(onDeviceChange, change); }

void Form::privateMessage(unsigned message, std::uintptr_t first) { fire(onPrivateMessage, message, first); }

}  // namespace tg::ui
