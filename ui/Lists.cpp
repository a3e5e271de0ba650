#include "ui/Lists.h"

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

void ListBox::drawItem(int index, const Rect& area, ItemState state, Canvas& canvas) const {
  if (index < 0 || index >= count()) return;
  if (drawing_ != Drawing::Plain && onDrawItem) {
    fire(onDrawItem, index, area, state, canvas);
    return;
  }
  drawPlainRow(canvas, area, items_[static_cast<std::size_t>(index)], state);
}

void CheckListBox::setColumns(int n) {
  columns_ = n;
  changed(Change::Style);
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
