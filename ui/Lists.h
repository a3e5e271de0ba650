#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Event.h"
#include "ui/Keys.h"

namespace tg::ui {

// How an owner-drawn row is to be drawn.
struct ItemState {
  bool selected = false;
  bool focused = false;
};

using DrawItemHandler = std::function<void(int index, const Rect& area, ItemState state, Canvas& canvas)>;

// A list of text rows; owner-drawn rows go through onDrawItem.
class ListBox : public Control {
 public:
  enum class Drawing { Plain, OwnerFixed, OwnerVariable };
  ListBox(std::string name, Rect bounds, Drawing drawing = Drawing::Plain, ControlKind kind = ControlKind::ListBox)
      : Control(kind, std::move(name), bounds), drawing_(drawing) {}

  Drawing drawing() const { return drawing_; }
  int itemHeight() const { return itemHeight_; }
  void setItemHeight(int h);
  const std::vector<std::string>& items() const { return items_; }
  int count() const { return static_cast<int>(items_.size()); }
  void addItem(std::string item);
  void setItems(std::vector<std::string> items);
  void clear() { setItems({}); }
  int itemIndex() const { return itemIndex_; }
  void setItemIndex(int index);  // -1 for none
  // The row's area in the list's client area (before any scrolling).
  Rect itemRect(int index) const;

  // The user clicks a row (or, with -1, below the last row): it becomes the
  // selection, then onClick.
  void clickItem(int index);

  // The keyboard. By default a key that moves the selection acts as a click,
  // as the platform's own list does. A list whose rows start actions (the
  // navigation list) has keys that only move: the arrows, the page keys, Home,
  // End and letters move the selection, and Enter or Space acts on it.
  void setKeysOnlyMove(bool on) { keysOnlyMove_ = on; }
  bool keysOnlyMove() const { return keysOnlyMove_; }
  void pressKey(ListKey key);
  // A typed character selects the next row whose text starts with it, in
  // either letter case, round the list.
  void typeCharacter(char c);
  // Enter or Space: onClick for the selected row, when one is.
  void activate();
  bool usesKey(DialogKey key) const override { return keysOnlyMove_ && key == DialogKey::Enter; }
  // The list draws a row: through onDrawItem when the rows are owner-drawn,
  // otherwise background and text.
  void drawItem(int index, ItemState state, Canvas& canvas) const { drawItem(index, itemRect(index), state, canvas); }
  void drawItem(int index, const Rect& area, ItemState state, Canvas& canvas) const;

  std::function<void()> onClick;
  DrawItemHandler onDrawItem;

 protected:
  std::vector<std::string> items_;

 private:
  void moveSelectionTo(int index);

  Drawing drawing_;
  int itemHeight_ = 13;
  int itemIndex_ = -1;
  bool keysOnlyMove_ = false;
};

// A list with a check box on each row, in one or more columns.
class CheckListBox : public ListBox {
 public:
  // The number of columns is fixed when the list is made: the platform's list
  // cannot take it afterwards.
  CheckListBox(std::string name, Rect bounds, int columns = 1)
      : ListBox(std::move(name), bounds, Drawing::OwnerFixed, ControlKind::CheckListBox), columns_(columns) {}

  int columns() const { return columns_; }
  bool checked(int index) const;
  void setChecked(int index, bool on);
  void addItem(std::string item, bool checkedState = false);
  void setItems(std::vector<std::string> items);
  // The user toggles a row's check box: then onClickCheck.
  void toggleCheck(int index);
  std::function<void()> onClickCheck;

 private:
  std::vector<bool> checks_;
  int columns_;
};

// A drop-down list, with an editable text field or without.
class ComboBox : public Control {
 public:
  enum class Style { DropDown, DropDownList };
  ComboBox(std::string name, Rect bounds, Style style)
      : Control(ControlKind::ComboBox, std::move(name), bounds), style_(style) {}

  Style style() const { return style_; }
  bool ownerDrawn() const { return ownerDrawn_; }
  void setOwnerDrawn(bool on);
  const std::vector<std::string>& items() const { return items_; }
  int count() const { return static_cast<int>(items_.size()); }
  void addItem(std::string item);
  void setItems(std::vector<std::string> items);
  void clear();
  int itemIndex() const { return itemIndex_; }
  void setItemIndex(int index);  // code: also shows that item's text
  const std::string& text() const { return text_; }
  void setText(std::string text);  // code; in a drop-down list only an item's text shows

  // The user picks an item: onSelect, then onChange.
  void select(int index);
  // The user types into the text field (drop-down style only): onChange.
  void userType(std::string text);
  void drawItem(int index, const Rect& area, ItemState state, Canvas& canvas) const;
  bool usesKey(DialogKey) const override { return droppedDown_; }
  void setDroppedDown(bool on) { droppedDown_ = on; }
  // The user presses Ctrl+C with no text selected in the box: onCopy. (With
  // text selected, the box copies that text itself.)
  void copy() { fire(onCopy); }

  std::function<void()> onSelect;
  std::function<void()> onChange;
  std::function<void()> onCopy;
  DrawItemHandler onDrawItem;

 private:
  Style style_;
  bool ownerDrawn_ = false;
  bool droppedDown_ = false;
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  std::string text_;
};

// The plain row drawing shared by lists: the row's background, then its text.
void drawPlainRow(Canvas& canvas, const Rect& area, const std::string& text, ItemState state);

}  // namespace tg::ui
