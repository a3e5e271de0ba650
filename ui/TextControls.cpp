#include "ui/TextControls.h"

#include "base/Lines.h"

namespace tg::ui {

void Edit::setText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  changed(Change::Text);
}

void Edit::setReadOnly(bool on) {
  readOnly_ = on;
  changed(Change::Style);
}

void Edit::setCue(std::string cue) {
  cue_ = std::move(cue);
  changed(Change::Style);
}

bool Edit::keyPress(char& key) {
  if (key == kEscape && escapeClears_) {
    key = 0;
    if (text_.empty()) return false;
    text_.clear();
    changed(Change::Text);
    fire(onChange);
    return false;
  }
  fire(onKeyPress, key);
  return key != 0;
}

void Edit::textEdited(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  fire(onChange);
}

void Edit::type(const std::string& characters) {
  if (!usable()) return;
  for (char c : characters) {
    if (!keyPress(c) || readOnly_) continue;  // Escape, when it empties the box, is done there
    if (c == kBackspace) {
      if (!text_.empty()) text_.pop_back();
    } else {
      text_ += c;
    }
    changed(Change::Text);
    fire(onChange);
  }
}

void Memo::setLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  changed(Change::Text);
}

void Memo::setReadOnly(bool on) {
  readOnly_ = on;
  changed(Change::Style);
}

void Memo::userSetText(const std::string& text) {
  if (readOnly_) return;
  lines_ = splitLines(text);
}

}  // namespace tg::ui
