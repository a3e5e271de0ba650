#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Event.h"

namespace tg::ui {

// A table in report style: columns with headers, rows with sub-items, the
// whole row selected at once, and a custom comparison for sorting. A filter
// may hide rows: they stay in rows() with their order, and the selection and
// the row numbers that callers see are always rows() indices; only clicks
// come as positions among the rows shown.
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
    bool operator==(const Row&) const = default;
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
  // The same for several rows at once (one change of the list).
  void deleteRows(std::vector<int> rows);
  int selected() const { return selected_; }
  void setSelected(int index);  // a row, -1 for none; a row the filter hides is shown no selection

  // Several rows selected at once: Shift and Ctrl with the mouse, Shift with
  // the arrows, Ctrl+A. A plain click still selects its one row and clicks.
  void setMultiSelect(bool on);
  bool multiSelect() const { return multiSelect_; }
  // The rows selected, in the order shown (with one row selectable, the
  // selected row when it is shown).
  std::vector<int> selectedRows() const;
  // The selection becomes exactly the rows at these positions among those
  // shown, as the user made it without a click; the selected row is then the
  // focused one (`focus`, a position, -1 for the first of them).
  void selectShown(const std::vector<int>& positions, int focus = -1);
  void selectAll();  // every row shown

  // Only the rows `keep` accepts are shown; none: every row. The selection of
  // a row that goes out of sight goes.
  void setFilter(std::function<bool(const Row&)> keep);
  bool filtered() const { return static_cast<bool>(keep_); }
  int shownCount() const { return keep_ ? static_cast<int>(shown_.size()) : rowCount(); }
  // The row at a position among those shown, -1 past them; the position of a
  // row, -1 for one the filter hides.
  int shownRow(int position) const;
  int positionOf(int row) const;
  // Whether the selection set by the program brings its row into view (the
  // default). A list that follows live data keeps its scroll position instead.
  // Whether the row shown at `position` may show other texts than before the
  // rows last changed. Only new rows given with the same count shown tell
  // which positions kept theirs: a list that follows readings mostly gets the
  // same rows back, and only the others need painting again.
  bool positionChanged(int position) const;

  void setFollowsSelection(bool on) { followsSelection_ = on; }
  bool followsSelection() const { return followsSelection_; }

  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool on);

  // Orders the rows with onCompare (stable: equal rows keep their order); the
  // selection moves with its row. Without onCompare the captions decide.
  void sort();

  // The user clicks the row at a position among those shown (or, with -1, an
  // empty part): the selection, then onClick.
  void clickRow(int position);
  // The user clicks a column header: onColumnClick with the column's number.
  void clickColumn(int column);

  // The user presses a key for a command on the list's rows.
  enum class Command { Delete, SelectAll, Copy };
  void command(Command c);
  // The user asks for the list's shortcut menu (the right button, the menu key).
  void contextMenu();

  std::function<void()> onClick;
  std::function<void(Command)> onCommand;
  std::function<void()> onContextMenu;
  std::function<void(int column)> onColumnClick;
  std::function<int(const Row& a, const Row& b)> onCompare;

 private:
  std::vector<Column> columns_;
  void refilter();
  void rowsChanged();  // every position may show other rows

  std::vector<Row> rows_;
  int selected_ = -1;
  bool multiSelect_ = false;
  std::vector<char> marked_;  // with several selectable: one mark per row
  std::function<bool(const Row&)> keep_;
  std::vector<int> shown_;  // while filtered: the rows shown, ascending
  std::vector<char> samePositions_;  // since the rows last changed, when known
  bool readOnly_ = true;
  bool followsSelection_ = true;
};

}  // namespace tg::ui
