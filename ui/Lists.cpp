#include "ui/Lists.h"

#include <algorithm>

namespace tg::ui {

void drawPlainRow(Canvas& canvas, const Rect& area, const std::string& text, ItemState state) {
  canvas.fillRect(area, state.selected ? rgb(0x00, 0x78, 0xD7) : kWhite);
  canvas.font().color = state.selected ? kWhite : kBlack;
  canvas.textOut(area.left + 2, area.top + 1, text);
}

void ListBox::setItemHeight(int h) {
  itemHeight_ = h;
  changed(Change::Style);
}

void ListBox::addItem(std::string item) {
  items_.push_back(std::move(item));
  changed(Change::ItemAdded, items_.size() - 1);
}

void ListBox::setItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  changed(Change::Items);
}

void ListBox::setItemIndex(int index) {
  if (index < -1 || index >= count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  changed(Change::Selection);
}

Rect ListBox::itemRect(int index) const { return {0, index * itemHeight_, bounds().width, itemHeight_}; }

void ListBox::clickItem(int index) {
  if (!usable()) return;
  setItemIndex(index);
  fire(onClick);
}

void ListBox::pressKey(ListKey key) {
  if (!usable() || items_.empty()) return;
  const int last = count() - 1;
  const int page = std::max(1, bounds().height / std::max(1, itemHeight_) - 1);
  const int at = itemIndex_;
  int to = at;
  switch (key) {
    case ListKey::Up: to = at <= 0 ? 0 : at - 1; break;
    case ListKey::Down: to = at < 0 ? 0 : at + 1; break;
    case ListKey::PageUp: to = at - page; break;
    case ListKey::PageDown: to = at < 0 ? page : at + page; break;
    case ListKey::Home: to = 0; break;
    case ListKey::End: to = last; break;
  }
  moveSelectionTo(std::clamp(to, 0, last));
}

namespace {

// The letter case folding of the Western code page that the rows are written in.
unsigned char foldedCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<unsigned char>(u - 0x20);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<unsigned char>(u - 0x20);
  switch (u) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return u;
  }
}

}  // namespace

void ListBox::typeCharacter(char c) {
  if (!usable() || items_.empty() || static_cast<unsigned char>(c) < 0x20) return;
  const unsigned char wanted = foldedCharacter(c);
  const int n = count();
  for (int step = 1; step <= n; ++step) {
    const int row = (itemIndex_ + step) % n;  // from the top when none is selected (-1)
    const std::string& text = items_[static_cast<std::size_t>(row)];
    if (!text.empty() && foldedCharacter(text.front()) == wanted) {
      moveSelectionTo(row);
      return;
    }
  }
}

void ListBox::moveSelectionTo(int index) {
  if (index == itemIndex_) return;
  setItemIndex(index);
  if (!keysOnlyMove_) fire(onClick);
}

void ListBox::activate() {
  if (!usable() || itemIndex_ < 0) return;
  fire(onClick);
}

void ListBox::drawItem(int index, const Rect& area, ItemState state, Canvas& canvas) const {
  if (index < 0 || index >= count()) return;
  if (drawing_ != Drawing::Plain && onDrawItem) {
    fire(onDrawItem, index, area, state, canvas);
    return;
  }
  drawPlainRow(canvas, area, items_[static_cast<std::size_t>(index)], state);
}

bool CheckListBox::checked(int index) const {
  return index >= 0 && index < static_cast<int>(checks_.size()) && checks_[static_cast<std::size_t>(index)];
}

void CheckListBox::setChecked(int index, bool on) {
  if (index < 0 || index >= static_cast<int>(checks_.size()) || checks_[static_cast<std::size_t>(index)] == on) return;
  checks_[static_cast<std::size_t>(index)] = on;
  changed(Change::Check, static_cast<std::size_t>(index));
}

void CheckListBox::addItem(std::string item, bool checkedState) {
  checks_.push_back(checkedState);
  ListBox::addItem(std::move(item));
}

void CheckListBox::setItems(std::vector<std::string> items) {
  checks_.assign(items.size(), false);
  ListBox::setItems(std::move(items));
}

void CheckListBox::toggleCheck(int index) {
  if (!usable() || index < 0 || index >= count()) return;
  setChecked(index, !checked(index));
  fire(onClickCheck);
}

void ComboBox::setOwnerDrawn(bool on) {
  ownerDrawn_ = on;
  changed(Change::Style);
}

void ComboBox::addItem(std::string item) {
  items_.push_back(std::move(item));
  changed(Change::ItemAdded, items_.size() - 1);
}

void ComboBox::setItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  if (style_ == Style::DropDownList) text_.clear();
  changed(Change::Items);
}

void ComboBox::clear() {
  setItems({});
  setText({});
}

void ComboBox::setItemIndex(int index) {
  if (index < -1 || index >= count()) index = -1;
  itemIndex_ = index;
  text_ = index >= 0 ? items_[static_cast<std::size_t>(index)] : std::string();
  changed(Change::Selection);
}

void ComboBox::setText(std::string text) {
  if (style_ == Style::DropDownList) {
    // Only an item's text can show: the matching item is chosen.
    int found = -1;
    for (int i = 0; i < count() && found < 0; ++i)
      if (items_[static_cast<std::size_t>(i)] == text) found = i;
    setItemIndex(found);
    return;
  }
  text_ = std::move(text);
  itemIndex_ = -1;
  for (int i = 0; i < count(); ++i)
    if (items_[static_cast<std::size_t>(i)] == text_) itemIndex_ = i;
  changed(Change::Text);
}

void ComboBox::select(int index) {
  if (!usable() || index < 0 || index >= count()) return;
  setItemIndex(index);
  fire(onSelect);
  fire(onChange);
}

void ComboBox::userType(std::string text) {
  if (!usable() || style_ != Style::DropDown) return;
  text_ = std::move(text);
  itemIndex_ = -1;
  fire(onChange);
}

void ComboBox::drawItem(int index, const Rect& area, ItemState state, Canvas& canvas) const {
  if (index < 0 || index >= count()) return;
  if (ownerDrawn_ && onDrawItem) {
    fire(onDrawItem, index, area, state, canvas);
    return;
  }
  drawPlainRow(canvas, area, items_[static_cast<std::size_t>(index)], state);
}

}  // namespace tg::ui
