#include "ui/ListView.h"

#include <algorithm>
#include <numeric>

namespace tg::ui {

const std::string& ListView::Row::text(std::size_t c) const {
  static const std::string kNone;
  if (c == 0) return caption;
  return c - 1 < subItems.size() ? subItems[c - 1] : kNone;
}

void ListView::addColumn(std::string caption, int width) {
  columns_.push_back({std::move(caption), width});
  changed(Change::Columns);
}

void ListView::addRow(Row row) {
  rows_.push_back(std::move(row));
  changed(Change::ItemAdded, rows_.size() - 1);
}

void ListView::setRows(std::vector<Row> rows) {
  rows_ = std::move(rows);
  selected_ = -1;
  changed(Change::Items);
}

void ListView::deleteRow(int index) {
  if (index < 0 || index >= rowCount()) return;
  rows_.erase(rows_.begin() + index);
  selected_ = -1;
  changed(Change::Items);
}

void ListView::clearRows() {
  rows_.clear();
  selected_ = -1;
  changed(Change::Items);
}

void ListView::setSelected(int index) {
  if (index < -1 || index >= rowCount()) index = -1;
  if (index == selected_) return;
  selected_ = index;
  changed(Change::Selection);
}

void ListView::setReadOnly(bool on) {
  readOnly_ = on;
  changed(Change::Style);
}

void ListView::sort() {
  std::vector<std::size_t> order(rows_.size());
  std::iota(order.begin(), order.end(), 0);
  const auto compare = onCompare;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return compare ? compare(rows_[a], rows_[b]) < 0 : rows_[a].caption < rows_[b].caption;
  });
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  int newSelected = -1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (static_cast<int>(order[i]) == selected_) newSelected = static_cast<int>(i);
    sorted.push_back(std::move(rows_[order[i]]));
  }
  rows_ = std::move(sorted);
  selected_ = newSelected;
  changed(Change::Items);
}

void ListView::clickRow(int index) {
  if (!usable()) return;
  setSelected(index);
  fire(onClick);
}

void ListView::clickColumn(int column) {
  if (!usable() || column < 0 || column >= static_cast<int>(columns_.size())) return;
  fire(onColumnClick, column);
}

}  // namespace tg::ui
