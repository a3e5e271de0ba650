#pragma once

#include "ui/ListView.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// A report-style list view, whole rows selected.
class ListViewPeer : public WindowPeer {
 public:
  ListViewPeer(ui::ListView& view, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  LRESULT notify(NMHDR& header) override;

 private:
  void addColumns();
  void insertRow(int index);
  void fill();
  void showSelection();
  ui::ListView& view_;
  int columnsShown_ = 0;
};

}  // namespace tg::win32
