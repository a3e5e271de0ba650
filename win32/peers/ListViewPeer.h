#pragma once

#include <string>
#include <string_view>

#include "ui/ListView.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// A report-style list view, whole rows selected. The control holds no rows of
// its own: it knows their number and asks the model for the texts of the rows
// it draws, so that a list of ten thousand rows costs no more to show than one
// screenful.
class ListViewPeer : public WindowPeer {
 public:
  ListViewPeer(ui::ListView& view, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  LRESULT notify(NMHDR& header) override;

 private:
  void addColumns();
  void showRows();
  void showAddedRow();
  // Invalidates the rows in sight whose texts the model changed, first to last.
  void repaintChangedRows(int count);
  void showSelection();
  void applySelectionStyle();
  // The model takes the selection the control now shows (several rows selectable).
  void takeSelection();
  // Whether the control shows only this row selected, as a plain click leaves it.
  bool plainClickOn(int position) const;
  // A key on the list: Delete, Ctrl+A and Ctrl+C become the model's commands.
  bool keyDown(WORD key);
  void applyCellTips();
  std::string_view cellText(int row, int column) const;
  // Answers to the control's questions: a cell's text, the row a search finds.
  void giveText(LVITEMA& item) const;
  int findRow(int start, UINT flags, const std::string& wanted) const;
  ui::ListView& view_;
  int columnsShown_ = 0;
  int countShown_ = 0;
};

}  // namespace tg::win32
