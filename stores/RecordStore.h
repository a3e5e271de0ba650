#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "stores/PackedRow.h"
#include "stores/PathLists.h"

namespace tg {

// A declared text field: its name, its size in characters, and whether it
// holds lists of paths separated by ';' (module lists), which a store keeps
// compactly apart from its rows.
struct FieldDef {
  std::string name;
  std::size_t size = 0;
  bool pathList = false;
  // The same declaration, as a file gives it: how a store holds the values is its own.
  friend bool operator==(const FieldDef& a, const FieldDef& b) { return a.name == b.name && a.size == b.size; }
};

// The rows of a store, read where they are, in order; valid until the store
// changes.
class StoreRows {
 public:
  using iterator = const PackedRow*;
  using const_iterator = iterator;
  using value_type = PackedRow;

  StoreRows() = default;  // no rows
  explicit StoreRows(const std::vector<PackedRow>& rows) : begin_(rows.data()), size_(rows.size()) {}
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const PackedRow& operator[](std::size_t i) const { return begin_[i]; }
  iterator begin() const { return begin_; }
  iterator end() const { return begin_ + size_; }
  friend bool operator==(const StoreRows& a, const std::vector<Row>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  const PackedRow* begin_ = nullptr;
  std::size_t size_ = 0;
};

// The values of a path-list field of a table, held apart from its rows.
struct HeldList {
  std::size_t field = 0;
  PathLists values;
};
using HeldLists = std::vector<HeldList>;

// Raised by a store operation that cannot be carried out: a closed store,
// an unknown field, no current row, a file that cannot be read or written.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One table of text fields held in memory, with the open and closed states and
// the cursor that the control centre's code relies on. A closed store holds no
// rows: closing discards the table, and only loading or creating gives it one.
class RecordStore {
 public:
  explicit RecordStore(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }

  // Field definitions, used by createDataSet.
  void clearFieldDefs();
  void addFieldDef(std::string name, std::size_t size) { addFieldDef(FieldDef{std::move(name), size}); }
  void addFieldDef(FieldDef field);
  const std::vector<FieldDef>& fieldDefs() const { return fields_; }

  // An empty table with the declared fields; the store is then open.
  void createDataSet();
  // A table read from elsewhere; values are cut to their field sizes. Opens the store.
  void assign(std::vector<FieldDef> fields, std::vector<Row> rows);
  // The same for rows a reader packed as the store holds them, cut to their
  // fields already, each path-list value in `held`.
  void assign(std::vector<FieldDef> fields, std::vector<PackedRow> rows, HeldLists held);

  bool active() const { return active_; }
  // Opening needs a table: a store that was closed must be loaded or created again.
  void open();
  void close();

  std::size_t recordCount() const;
  void first();
  void next();
  bool eof() const;

  // A new empty row at the end, which becomes the current row.
  void append();
  void post();
  // Removes the current row; the row after it becomes current.
  void deleteRecord();
  void emptyDataSet();
  // Removes every row that `matches`, the others kept in their order, in one
  // pass; the cursor goes to the first row. The number of rows removed.
  // `matches` sees the row as rows() gives it.
  std::size_t deleteWhere(const std::function<bool(const PackedRow&)>& matches);
  // Rows added at the end in one step, their values cut to the field sizes;
  // and the rows after the first `count` removed, to take such an addition back.
  // The cursor goes to the first row.
  void appendRows(std::vector<Row> rows);
  void keepFirstRows(std::size_t count);

  // Field access on the current row; names are compared ignoring letter case.
  std::string field(std::string_view name) const;
  void setField(std::string_view name, std::string_view value);

  // The rows, with the values of every field but the path-list ones, which
  // read empty here: value() and row() give them.
  StoreRows rows() const;
  // The same rows to keep, as they are now, whatever the store does next:
  // copies that share the store's blocks.
  std::vector<PackedRow> sharedRows() const;
  // Whether some values are not in rows(): the store has a path-list field.
  bool holdsListsApart() const { return !lists_.empty(); }
  // Value `field` of row `index`, whatever the field holds.
  std::string value(std::size_t index, std::size_t field) const;
  // The values of a path-list field, as long as rows(); null for any other field.
  const PathLists* pathListOf(std::size_t field) const;
  // Row `index` with every value, and the whole table so: a copy, for the rare
  // reader that needs the module lists as text.
  Row row(std::size_t index) const;
  std::vector<Row> wholeRows() const;

  // Goes up with every change of the table, so that a reader can tell whether
  // what it learnt from the rows still holds.
  std::uint64_t generation() const { return generation_; }

 private:
  void requireActive() const;
  void requireRow(std::size_t index) const;
  std::size_t fieldIndex(std::string_view name) const;
  void cutToFields(Row& row) const;
  void resetLists();
  // A row at the end, cut to the fields, its path-list values moved to the lists.
  void push(Row row);
  void opened();  // a new table: the cursor at its start

  std::string name_;
  std::vector<FieldDef> fields_;
  std::vector<PackedRow> rows_;
  // One per path-list field, each as long as rows_.
  HeldLists lists_;
  std::size_t cursor_ = 0;
  bool active_ = false;
  std::uint64_t generation_ = 0;
};

}  // namespace tg
