#include "ui/ListView.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <utility>

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

std::string_view ListView::text(int row, std::size_t column) const {
  if (row < 0 || row >= rowCount()) return {};
  if (source_) return source_->text(items_[static_cast<std::size_t>(row)], column);
  return rows_[static_cast<std::size_t>(row)].text(column);
}

void ListView::addRow(Row row) {
  if (source_) throw std::logic_error(name() + ": a list that shows a source takes no rows of its own");
  rows_.push_back(std::move(row));
  if (multiSelect_) marked_.push_back(0);
  if (keep_) {
    if (!keep_(rowCount() - 1)) return;
    shown_.push_back(rowCount() - 1);
  }
  changed(Change::ItemAdded, static_cast<std::size_t>(shownCount() - 1));
}

void ListView::setRows(std::vector<Row> rows) {
  // Rows of a source are not compared with rows of the list's own.
  const int countBefore = source_ ? -1 : shownCount();
  std::vector<int> positionsBefore(static_cast<std::size_t>(std::max(countBefore, 0)));
  for (int p = 0; p < countBefore; ++p) positionsBefore[static_cast<std::size_t>(p)] = shownRow(p);
  source_.reset();
  std::vector<std::uint32_t>().swap(items_);
  const std::vector<Row> before = std::exchange(rows_, std::move(rows));
  selected_ = -1;
  if (multiSelect_) marked_.assign(rows_.size(), 0);
  refilter();
  samePositions_.clear();
  if (shownCount() == countBefore) {
    samePositions_.resize(static_cast<std::size_t>(countBefore));
    for (int p = 0; p < countBefore; ++p)
      samePositions_[static_cast<std::size_t>(p)] =
          before[static_cast<std::size_t>(positionsBefore[static_cast<std::size_t>(p)])] ==
          rows_[static_cast<std::size_t>(shownRow(p))];
  }
  changed(Change::Items);
}

void ListView::setSource(std::shared_ptr<const RowSource> source) {
  std::vector<Row>().swap(rows_);
  items_.resize(source ? source->rowCount() : 0);
  std::iota(items_.begin(), items_.end(), std::uint32_t{0});
  source_ = std::move(source);
  selected_ = -1;
  if (multiSelect_) marked_.assign(items_.size(), 0);
  refilter();
  rowsChanged();
}

bool ListView::positionChanged(int position) const {
  return position < 0 || static_cast<std::size_t>(position) >= samePositions_.size() ||
         !samePositions_[static_cast<std::size_t>(position)];
}

void ListView::rowsChanged() {
  samePositions_.clear();
  changed(Change::Items);
}

void ListView::deleteRow(int index) {
  if (index < 0 || index >= rowCount()) return;
  if (source_)
    items_.erase(items_.begin() + index);
  else
    rows_.erase(rows_.begin() + index);
  selected_ = -1;
  if (multiSelect_) marked_.assign(static_cast<std::size_t>(rowCount()), 0);
  if (keep_) {
    shown_.erase(std::remove(shown_.begin(), shown_.end(), index), shown_.end());
    for (int& row : shown_)
      if (row > index) --row;
  }
  rowsChanged();
}

void ListView::deleteRows(std::vector<int> rows) {
  std::vector<char> gone(static_cast<std::size_t>(rowCount()), 0);
  for (int row : rows)
    if (row >= 0 && row < rowCount()) gone[static_cast<std::size_t>(row)] = 1;
  removeRows(gone);
  selected_ = -1;
  if (multiSelect_) marked_.assign(static_cast<std::size_t>(rowCount()), 0);
  refilter();
  rowsChanged();
}

void ListView::removeRows(const std::vector<char>& gone) {
  const auto keepIn = [&gone](auto& all) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (gone[i]) continue;
      if (kept != i) all[kept] = std::move(all[i]);  // a row moved onto itself would be emptied
      ++kept;
    }
    all.resize(kept);
  };
  if (source_)
    keepIn(items_);
  else
    keepIn(rows_);
}

void ListView::clearRows() {
  rows_.clear();
  source_.reset();
  items_.clear();
  marked_.clear();
  shown_.clear();
  selected_ = -1;
  rowsChanged();
}

void ListView::setSelected(int index) {
  if (index < -1 || index >= rowCount()) index = -1;
  if (multiSelect_) {
    // One row, as a plain click leaves it.
    marked_.assign(static_cast<std::size_t>(rowCount()), 0);
    if (index >= 0) marked_[static_cast<std::size_t>(index)] = 1;
    selected_ = index;
    changed(Change::Selection);
    return;
  }
  if (index == selected_) return;
  selected_ = index;
  changed(Change::Selection);
}

void ListView::setMultiSelect(bool on) {
  multiSelect_ = on;
  marked_.assign(on ? static_cast<std::size_t>(rowCount()) : 0, 0);
  if (on && selected_ >= 0) marked_[static_cast<std::size_t>(selected_)] = 1;
  changed(Change::Style);
}

std::vector<int> ListView::selectedRows() const {
  std::vector<int> rows;
  if (!multiSelect_) {
    if (positionOf(selected_) >= 0) rows.push_back(selected_);
    return rows;
  }
  for (int at = 0; at < shownCount(); ++at) {
    const int row = shownRow(at);
    if (marked_[static_cast<std::size_t>(row)]) rows.push_back(row);
  }
  return rows;
}

void ListView::selectShown(const std::vector<int>& positions, int focus) {
  if (!multiSelect_) {
    setSelected(shownRow(positions.empty() ? -1 : (focus >= 0 ? focus : positions.front())));
    return;
  }
  marked_.assign(static_cast<std::size_t>(rowCount()), 0);
  for (int at : positions)
    if (const int row = shownRow(at); row >= 0) marked_[static_cast<std::size_t>(row)] = 1;
  const int focused = shownRow(focus >= 0 ? focus : (positions.empty() ? -1 : positions.front()));
  selected_ = focused >= 0 && marked_[static_cast<std::size_t>(focused)] ? focused : -1;
  changed(Change::Selection);
}

void ListView::selectAll() {
  if (!multiSelect_) return;
  std::vector<int> all(static_cast<std::size_t>(shownCount()));
  std::iota(all.begin(), all.end(), 0);
  selectShown(all, positionOf(selected_));
}

void ListView::contextMenu() {
  if (usable()) fire(onContextMenu);
}

void ListView::command(Command c) {
  if (!usable()) return;
  if (c == Command::SelectAll) selectAll();
  fire(onCommand, c);
}

void ListView::setFilter(std::function<bool(int row)> keep) {
  keep_ = std::move(keep);
  refilter();
  if (selected_ >= 0 && positionOf(selected_) < 0) selected_ = -1;
  // Rows out of sight are not acted on.
  for (std::size_t row = 0; row < marked_.size(); ++row)
    if (marked_[row] && positionOf(static_cast<int>(row)) < 0) marked_[row] = 0;
  rowsChanged();
}

void ListView::refilter() {
  shown_.clear();
  if (!keep_) return;
  for (int i = 0; i < rowCount(); ++i)
    if (keep_(i)) shown_.push_back(i);
}

int ListView::shownRow(int position) const {
  if (position < 0 || position >= shownCount()) return -1;
  return keep_ ? shown_[static_cast<std::size_t>(position)] : position;
}

int ListView::positionOf(int row) const {
  if (row < 0 || row >= rowCount()) return -1;
  if (!keep_) return row;
  const auto it = std::lower_bound(shown_.begin(), shown_.end(), row);
  return it != shown_.end() && *it == row ? static_cast<int>(it - shown_.begin()) : -1;
}

void ListView::setReadOnly(bool on) {
  readOnly_ = on;
  changed(Change::Style);
}

void ListView::sort() {
  std::vector<std::size_t> order(static_cast<std::size_t>(rowCount()));
  std::iota(order.begin(), order.end(), 0);
  const auto compare = onCompare;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int x = static_cast<int>(a), y = static_cast<int>(b);
    if (compare) return compare(x, y) < 0;
    const std::string first(text(x, 0));  // a source's text lasts until the next
    return std::string_view(first) < text(y, 0);
  });
  permute(order);
  refilter();
  rowsChanged();
}

void ListView::permute(const std::vector<std::size_t>& order) {
  const auto reorder = [&order](auto& all) {
    std::remove_reference_t<decltype(all)> sorted;
    sorted.reserve(all.size());
    for (std::size_t from : order) sorted.push_back(std::move(all[from]));
    all = std::move(sorted);
  };
  if (source_)
    reorder(items_);
  else
    reorder(rows_);
  if (!marked_.empty()) reorder(marked_);
  int newSelected = -1;
  for (std::size_t i = 0; i < order.size(); ++i)
    if (static_cast<int>(order[i]) == selected_) newSelected = static_cast<int>(i);
  selected_ = newSelected;
}

void ListView::clickRow(int position) {
  if (!usable()) return;
  setSelected(shownRow(position));
  fire(onClick);
}

void ListView::clickColumn(int column) {
  if (!usable() || column < 0 || column >= static_cast<int>(columns_.size())) return;
  fire(onColumnClick, column);
}

}  // namespace tg::ui
