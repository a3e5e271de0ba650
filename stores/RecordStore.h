#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tg {

// A declared text field: its name and its size in characters.
struct FieldDef {
  std::string name;
  std::size_t size = 0;
  friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

// The values of one row, in field order. A row may hold fewer values than the
// table has fields: the values it lacks are empty (an empty row costs almost
// nothing, however many fields the table has).
using Row = std::vector<std::string>;

// Value `field` of a row, empty when the row does not reach that far.
const std::string& valueOf(const Row& row, std::size_t field);

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
  void addFieldDef(std::string name, std::size_t size);
  const std::vector<FieldDef>& fieldDefs() const { return fields_; }

  // An empty table with the declared fields; the store is then open.
  void createDataSet();
  // A table read from elsewhere; values are cut to their field sizes. Opens the store.
  void assign(std::vector<FieldDef> fields, std::vector<Row> rows);

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
  std::size_t deleteWhere(const std::function<bool(const Row&)>& matches);
  // Rows added at the end in one step, their values cut to the field sizes;
  // and the rows after the first `count` removed, to take such an addition back.
  // The cursor goes to the first row.
  void appendRows(std::vector<Row> rows);
  void keepFirstRows(std::size_t count);

  // Field access on the current row; names are compared ignoring letter case.
  std::string field(std::string_view name) const;
  void setField(std::string_view name, std::string_view value);

  // The whole table, for writing it out.
  const std::vector<Row>& rows() const;

  // Goes up with every change of the table, so that a reader can tell whether
  // what it learnt from the rows still holds.
  std::uint64_t generation() const { return generation_; }

 private:
  void requireActive() const;
  std::size_t fieldIndex(std::string_view name) const;
  std::string cut(std::size_t field, std::string_view value) const;
  void cutToFields(Row& row) const;

  std::string name_;
  std::vector<FieldDef> fields_;
  std::vector<Row> rows_;
  std::size_t cursor_ = 0;
  bool active_ = false;
  std::uint64_t generation_ = 0;
};

}  // namespace tg
