#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Event.h"

namespace tg::ui {

// A single-line text box.
class Edit : public Control {
 public:
  Edit(std::string name, Rect bounds) : Control(ControlKind::Edit, std::move(name), bounds) {}

  const std::string& text() const { return text_; }
  void setText(std::string text);
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool on);
  // The grey hint an empty box shows.
  const std::string& cue() const { return cue_; }
  void setCue(std::string cue);
  // Escape empties a box that holds text (and reaches no cancel button then).
  void setEscapeClears(bool on) { escapeClears_ = on; }
  bool usesKey(DialogKey key) const override { return key == DialogKey::Escape && escapeClears_ && !text_.empty(); }

  // The user types characters: each goes through onKeyPress, which may drop it
  // (by setting it to 0); what passes is added, unless the box is read-only.
  void type(const std::string& characters);
  // One key from the keyboard: whether it passes the filter.
  bool keyPress(char& key);
  // The native box changed its text after a key passed: onChange.
  void textEdited(std::string text);
  std::function<void(char& key)> onKeyPress;
  std::function<void()> onChange;

 private:
  std::string text_;
  std::string cue_;
  bool readOnly_ = false;
  bool escapeClears_ = false;
};

// A multi-line text box.
class Memo : public Control {
 public:
  enum class ScrollBars { None, Horizontal, Vertical, Both };
  Memo(std::string name, Rect bounds, ScrollBars bars = ScrollBars::None)
      : Control(ControlKind::Memo, std::move(name), bounds), bars_(bars) {}

  const std::vector<std::string>& lines() const { return lines_; }
  void setLines(std::vector<std::string> lines);
  void clear() { setLines({}); }
  ScrollBars scrollBars() const { return bars_; }
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool on);
  // The user edits the text (lines separated by CR LF).
  void userSetText(const std::string& text);
  bool usesKey(DialogKey key) const override { return key == DialogKey::Enter; }

 private:
  std::vector<std::string> lines_;
  ScrollBars bars_;
  bool readOnly_ = false;
};

}  // namespace tg::ui
