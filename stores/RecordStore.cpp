#include "stores/RecordStore.h"

#include <algorithm>

#include "base/Text.h"

namespace tg {

const std::string& valueOf(const Row& row, std::size_t field) {
  static const std::string kEmpty;
  return field < row.size() ? row[field] : kEmpty;
}

void RecordStore::clearFieldDefs() {
  if (active_) throw StoreError(name_ + ": cannot change the fields of an open store");
  fields_.clear();
}

void RecordStore::addFieldDef(std::string name, std::size_t size) {
  if (active_) throw StoreError(name_ + ": cannot change the fields of an open store");
  fields_.push_back({std::move(name), size});
}

void RecordStore::createDataSet() {
  if (fields_.empty()) throw StoreError(name_ + ": no fields declared");
  rows_.clear();
  cursor_ = 0;
  active_ = true;
  ++generation_;
}

void RecordStore::assign(std::vector<FieldDef> fields, std::vector<Row> rows) {
  fields_ = std::move(fields);
  rows_ = std::move(rows);
  for (Row& row : rows_) cutToFields(row);
  cursor_ = 0;
  active_ = true;
  ++generation_;
}

void RecordStore::cutToFields(Row& row) const {
  if (row.size() > fields_.size()) row.resize(fields_.size());
  for (std::size_t f = 0; f < row.size(); ++f)
    if (row[f].size() > fields_[f].size) row[f].resize(fields_[f].size);
}

void RecordStore::appendRows(std::vector<Row> rows) {
  requireActive();
  rows_.reserve(rows_.size() + rows.size());
  for (Row& row : rows) {
    cutToFields(row);
    rows_.push_back(std::move(row));
  }
  cursor_ = 0;
  ++generation_;
}

void RecordStore::keepFirstRows(std::size_t count) {
  requireActive();
  if (count < rows_.size()) rows_.resize(count);
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
  cursor_ = 0;
  ++generation_;
}

void RecordStore::requireActive() const {
  if (!active_) throw StoreError(name_ + ": cannot perform this operation on a closed store");
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
  cursor_ = rows_.size() - 1;
  ++generation_;
}

void RecordStore::post() { requireActive(); }

void RecordStore::deleteRecord() {
  requireActive();
  if (cursor_ >= rows_.size()) throw StoreError(name_ + ": no current record to delete");
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(cursor_));
  ++generation_;
}

void RecordStore::emptyDataSet() {
  requireActive();
  rows_.clear();
  cursor_ = 0;
  ++generation_;
}

std::size_t RecordStore::deleteWhere(const std::function<bool(const Row&)>& matches) {
  requireActive();
  const auto kept = std::remove_if(rows_.begin(), rows_.end(), matches);
  const auto removed = static_cast<std::size_t>(rows_.end() - kept);
  rows_.erase(kept, rows_.end());
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
  return valueOf(rows_[cursor_], index);
}

std::string RecordStore::cut(std::size_t field, std::string_view value) const {
  return std::string(value.substr(0, fields_[field].size));
}

void RecordStore::setField(std::string_view name, std::string_view value) {
  requireActive();
  const std::size_t index = fieldIndex(name);
  if (cursor_ >= rows_.size()) throw StoreError(name_ + ": no current record");
  Row& row = rows_[cursor_];
  if (row.size() <= index) {
    if (value.empty()) return;  // already empty
    row.resize(index + 1);
  }
  row[index] = cut(index, value);
  ++generation_;
}

const std::vector<Row>& RecordStore::rows() const {
  requireActive();
  return rows_;
}

}  // namespace tg
