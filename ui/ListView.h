#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/Event.h"

namespace tg::ui {

// Rows that another object holds, which a list shows without a copy of their
// texts: it asks for a cell as it paints, sorts, filters or copies a row.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual std::size_t rowCount() const = 0;
  // The text of a cell (empty past the row's cells); valid until the next call.
  virtual std::string_view text(std::size_t row, std::size_t column) const = 0;
};

// A table in report style: columns with headers, rows with sub-items, the
// whole row selected at once, and a custom comparison for sorting. The rows
// are the list's own (rows()) or those of a RowSource. A filter may hide
// rows: they stay with their order, and the selection and the row numbers that
// callers see are always numbers among all rows; only clicks come as
// positions among the rows shown.
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
  // The list's own rows; none while it shows a source.
  const std::vector<Row>& rows() const { return rows_; }
  int rowCount() const { return static_cast<int>(source_ ? items_.size() : rows_.size()); }
  // The text of column `column` of a row, from its own rows or the source; as a
  // source's texts, valid until the next call.
  std::string_view text(int row, std::size_t column) const;
  void addRow(Row row);  // a row of its own: not while it shows a source
  // Every row at once, in place of those there were (the selection goes).
  void setRows(std::vector<Row> rows);
  // Every row of `source`, in its order, in place of the rows there were; the
  // list keeps only their numbers. The selection goes.
  void setSource(std::shared_ptr<const RowSource> source);
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

  // Only the rows `keep` accepts (by their numbers) are shown; none: every row. The selection of
  // a row that goes out of sight goes.
  void setFilter(std::function<bool(int row)> keep);
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

  // Orders the rows with onCompare, which compares two rows by their numbers
  // before the sort (stable: equal rows keep their order); the selection
  // moves with its row. Without onCompare the captions decide.
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
  std::function<int(int a, int b)> onCompare;

 private:
  std::vector<Column> columns_;
  void refilter();
  void rowsChanged();  // every position may show other rows

  // Reorders the rows: row i becomes the row that was order[i].
  void permute(const std::vector<std::size_t>& order);
  void removeRows(const std::vector<char>& gone);

  std::vector<Row> rows_;
  std::shared_ptr<const RowSource> source_;
  std::vector<std::uint32_t> items_;  // with a source: its row of each row
  int selected_ = -1;
  bool multiSelect_ = false;
  std::vector<char> marked_;  // with several selectable: one mark per row
  std::function<bool(int row)> keep_;
  std::vector<int> shown_;  // while filtered: the rows shown, ascending
  std::vector<char> samePositions_;  // since the rows last changed, when known
  bool readOnly_ = true;
  bool followsSelection_ = true;
};

}  // namespace tg::ui
