#include "stores/RecordStore.h"

#include <algorithm>

#include "base/Text.h"

namespace tg {

void RecordStore::clearFieldDefs() {
  if (active_) throw StoreError(name_ + ": cannot change the fields of an open store");
  fields_.clear();
}

void RecordStore::addFieldDef(FieldDef field) {
  if (active_) throw StoreError(name_ + ": cannot change the fields of an open store");
  fields_.push_back(std::move(field));
}

void RecordStore::resetLists() {
  lists_.clear();
  for (std::size_t f = 0; f < fields_.size(); ++f)
    if (fields_[f].pathList) lists_.push_back({f, PathLists()});
}

const PathLists* RecordStore::pathListOf(std::size_t field) const {
  for (const HeldList& list : lists_)
    if (list.field == field) return &list.values;
  return nullptr;
}

void RecordStore::opened() {
  cursor_ = 0;
  active_ = true;
  ++generation_;
}

void RecordStore::createDataSet() {
  if (fields_.empty()) throw StoreError(name_ + ": no fields declared");
  rows_.clear();
  resetLists();
  opened();
}

void RecordStore::assign(std::vector<FieldDef> fields, std::vector<Row> rows) {
  fields_ = std::move(fields);
  rows_.clear();
  rows_.reserve(rows.size());
  resetLists();
  for (Row& row : rows) push(std::move(row));
  opened();
}

void RecordStore::assign(std::vector<FieldDef> fields, std::vector<PackedRow> rows, HeldLists held) {
  fields_ = std::move(fields);
  rows_ = std::move(rows);
  resetLists();
  for (HeldList& list : lists_)
    for (HeldList& given : held)
      if (given.field == list.field && given.values.size() == rows_.size()) list.values = std::move(given.values);
  for (HeldList& list : lists_)
    if (list.values.size() != rows_.size()) throw StoreError(name_ + ": module lists missing from the rows read");
  opened();
}

void RecordStore::cutToFields(Row& row) const {
  if (row.size() > fields_.size()) row.resize(fields_.size());
  for (std::size_t f = 0; f < row.size(); ++f)
    if (row[f].size() > fields_[f].size) row[f].resize(fields_[f].size);
}

void RecordStore::push(Row row) {
  cutToFields(row);
  for (HeldList& list : lists_) {
    list.values.push_back(valueOf(row, list.field));
    if (list.field < row.size()) row[list.field].clear();  // the block leaves it out
  }
  rows_.emplace_back(row);
}

void RecordStore::appendRows(std::vector<Row> rows) {
  requireActive();
  rows_.reserve(rows_.size() + rows.size());
  for (Row& row : rows) push(std::move(row));
  cursor_ = 0;
  ++generation_;
}

void RecordStore::keepFirstRows(std::size_t count) {
  requireActive();
  if (count < rows_.size()) {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(count), rows_.end());
    for (HeldList& list : lists_) list.values.resize(count);
  }
  cursor_ = 0;
  ++generation_;
}

void RecordStore::open() {
  if (!active_) throw StoreError(name_ + ": missing data packet");
}

void RecordStore::close() {
  active_ = false;
  rows_.clear();
  rows_.shrink_to_fit();
  for (HeldList& list : lists_) list.values.clear();
  cursor_ = 0;
  ++generation_;
}

void RecordStore::requireActive() const {
  if (!active_) throw StoreError(name_ + ": cannot perform this operation on a closed store");
}

void RecordStore::requireRow(std::size_t index) const {
  requireActive();
  if (index >= rows_.size()) throw StoreError(name_ + ": no row " + std::to_string(index + 1));
}

std::size_t RecordStore::recordCount() const {
  requireActive();
  return rows_.size();
}

void RecordStore::first() {
  requireActive();
  cursor_ = 0;
}

void RecordStore::next() {
  requireActive();
  if (cursor_ < rows_.size()) ++cursor_;
}

bool RecordStore::eof() const {
  requireActive();
  return cursor_ >= rows_.size();
}

void RecordStore::append() {
  requireActive();
  rows_.emplace_back();
  for (HeldList& list : lists_) list.values.push_back({});
  cursor_ = rows_.size() - 1;
  ++generation_;
}

void RecordStore::post() { requireActive(); }

void RecordStore::deleteRecord() {
  requireActive();
  if (cursor_ >= rows_.size()) throw StoreError(name_ + ": no current record to delete");
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(cursor_));
  for (HeldList& list : lists_) list.values.erase(cursor_);
  ++generation_;
}

void RecordStore::emptyDataSet() {
  requireActive();
  rows_.clear();
  for (HeldList& list : lists_) list.values.clear();
  cursor_ = 0;
  ++generation_;
}

std::size_t RecordStore::deleteWhere(const std::function<bool(const PackedRow&)>& matches) {
  requireActive();
  std::vector<bool> gone(rows_.size(), false);
  std::size_t removed = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (matches(rows_[i])) gone[i] = true, ++removed;
  if (removed) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i)
      if (!gone[i]) {
        if (kept != i) rows_[kept] = std::move(rows_[i]);
        ++kept;
      }
    rows_.resize(kept);
    for (HeldList& list : lists_) list.values.removeWhere(gone);
  }
  cursor_ = 0;
  if (removed) ++generation_;
  return removed;
}

std::size_t RecordStore::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (equalsIgnoringAsciiCase(fields_[i].name, name)) return i;
  throw StoreError(name_ + ": field '" + std::string(name) + "' not found");
}

std::string RecordStore::field(std::string_view name) const {
  requireActive();
  const std::size_t index = fieldIndex(name);
  if (cursor_ >= rows_.size()) throw StoreError(name_ + ": no current record");
  return value(cursor_, index);
}

void RecordStore::setField(std::string_view name, std::string_view value) {
  requireActive();
  const std::size_t index = fieldIndex(name);
  if (cursor_ >= rows_.size()) throw StoreError(name_ + ": no current record");
  for (HeldList& list : lists_) {
    if (list.field != index) continue;
    list.values.set(cursor_, value.substr(0, fields_[index].size));
    ++generation_;
    return;
  }
  if (rows_[cursor_].size() <= index && value.empty()) return;  // already empty
  // A new block: a list that shows the row keeps the old one.
  const PackedRow& was = rows_[cursor_];
  const std::string_view given = value.substr(0, fields_[index].size);
  rows_[cursor_] = PackedRow(std::max(was.size(), index + 1),
                             [&](std::size_t f) { return f == index ? given : was[f]; });
  ++generation_;
}

StoreRows RecordStore::rows() const {
  requireActive();
  return StoreRows(rows_);
}

std::vector<PackedRow> RecordStore::sharedRows() const {
  requireActive();
  return rows_;
}

std::string RecordStore::value(std::size_t index, std::size_t field) const {
  requireRow(index);
  if (const PathLists* list = pathListOf(field)) return list->value(index);
  return std::string(rows_[index][field]);
}

Row RecordStore::row(std::size_t index) const {
  requireRow(index);
  Row whole = rows_[index].unpacked();
  for (const HeldList& list : lists_) {
    if (list.values.empty(index)) continue;
    if (whole.size() <= list.field) whole.resize(list.field + 1);
    whole[list.field] = list.values.value(index);
  }
  return whole;
}

std::vector<Row> RecordStore::wholeRows() const {
  requireActive();
  std::vector<Row> whole;
  whole.reserve(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) whole.push_back(row(i));
  return whole;
}

}  // namespace tg
