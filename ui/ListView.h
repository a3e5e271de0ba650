#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Event.h"

namespace tg::ui {

// A table in report style: columns with headers, rows with sub-items, the
// whole row selected at once, and a custom comparison for sorting.
class ListView : public Control {
 public:
  struct Column {
    std::string caption;
    int width = 50;
  };
  struct Row {
    std::string caption;
    std::vector<std::string> subItems;
    // The text of column `c`: the caption for 0, sub-item c-1 after it.
    const std::string& text(std::size_t c) const;
  };

  ListView(std::string name, Rect bounds) : Control(ControlKind::ListView, std::move(name), bounds) {}

  const std::vector<Column>& columns() const { return columns_; }
  void addColumn(std::string caption, int width);
  const std::vector<Row>& rows() const { return rows_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }
  void addRow(Row row);
  // Every row at once, in place of those there were (the selection goes).
  void setRows(std::vector<Row> rows);
  void clearRows();
  // Removes one row; those after it move up, the selection goes.
  void deleteRow(int index);
  int selected() const { return selected_; }
  void setSelected(int index);  // -1 for none
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool on);

  // Orders the rows with onCompare (stable: equal rows keep their order); the
  // selection moves with its row. Without onCompare the captions decide.
  void sort();

  // The user clicks a row (or, with -1, an empty part): the selection, then onClick.
  void clickRow(int index);
  // The user clicks a column header: onColumnClick with the column's number.
  void clickColumn(int column);

  std::function<void()> onClick;
  std::function<void(int column)> onColumnClick;
  std::function<int(const Row& a, const Row& b)> onCompare;

 private:
  std::vector<Column> columns_;
  std::vector<Row> rows_;
  int selected_ = -1;
  bool readOnly_ = true;
};

}  // namespace tg::ui
