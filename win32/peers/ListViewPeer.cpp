#include "win32/peers/ListViewPeer.h"

namespace tg::win32 {

ListViewPeer::ListViewPeer(ui::ListView& view, PeerContext& context) : WindowPeer(view, context), view_(view) {
  create(WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP, WS_EX_CLIENTEDGE);
  if (!hwnd_) return;
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  addColumns();
  fill();
}

void ListViewPeer::addColumns() {
  const auto& columns = view_.columns();
  for (; columnsShown_ < static_cast<int>(columns.size()); ++columnsShown_) {
    const auto& column = columns[static_cast<std::size_t>(columnsShown_)];
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    std::string caption = column.caption;
    c.pszText = caption.data();
    c.cx = context().scale(column.width);
    c.iSubItem = columnsShown_;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(columnsShown_), reinterpret_cast<LPARAM>(&c));
  }
}

void ListViewPeer::insertRow(int index) {
  const auto& row = view_.rows()[static_cast<std::size_t>(index)];
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  std::string caption = row.caption;
  item.pszText = caption.data();
  const int at = static_cast<int>(SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (std::size_t s = 0; s < row.subItems.size(); ++s) {
    LVITEMA sub{};
    sub.iSubItem = static_cast<int>(s + 1);
    std::string text = row.subItems[s];
    sub.pszText = text.data();
    SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
  }
}

void ListViewPeer::fill() {
  Updating guard(*this);
  SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < view_.rowCount(); ++i) insertRow(i);
  showSelection();
  SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListViewPeer::showSelection() {
  Updating guard(*this);
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (view_.selected() < 0) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(view_.selected()), reinterpret_cast<LPARAM>(&state));
}

void ListViewPeer::update(ui::Change change, std::size_t index) {
  switch (change) {
    case ui::Change::Columns: addColumns(); return;
    case ui::Change::Items: fill(); return;
    case ui::Change::ItemAdded: {
      Updating guard(*this);
      insertRow(static_cast<int>(index));
      return;
    }
    case ui::Change::Selection: showSelection(); return;
    default: WindowPeer::update(change, index);
  }
}

LRESULT ListViewPeer::notify(NMHDR& header) {
  if (updating()) return 0;
  switch (header.code) {
    case NM_CLICK: {
      const auto& activate = reinterpret_cast<NMITEMACTIVATE&>(header);
      view_.clickRow(activate.iItem);
      return 0;
    }
    case LVN_COLUMNCLICK:
      view_.clickColumn(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
      return 0;
    case LVN_ITEMCHANGED: {
      // A selection moved by the keyboard: the model follows, without a click.
      const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && change.iItem != view_.selected()) {
        Updating guard(*this);
        view_.setSelected(change.iItem);
      }
      return 0;
    }
    default: return 0;
  }
}

}  // namespace tg::win32
