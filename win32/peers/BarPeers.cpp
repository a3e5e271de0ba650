#include "win32/peers/BarPeers.h"

namespace tg::win32 {

TrackBarPeer::TrackBarPeer(ui::TrackBar& bar, PeerContext& context) : WindowPeer(bar, context), bar_(bar) {
  create(TRACKBAR_CLASSA, TBS_AUTOTICKS | WS_TABSTOP | (bar.vertical() ? TBS_VERT : TBS_HORZ));
  if (!hwnd_) return;
  Updating guard(*this);
  SendMessageA(hwnd_, TBM_SETRANGE, TRUE, MAKELPARAM(bar.minimum(), bar.maximum()));
  SendMessageA(hwnd_, TBM_SETPOS, TRUE, bar.position());
}

void TrackBarPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Position) {
    Updating guard(*this);
    SendMessageA(hwnd_, TBM_SETPOS, TRUE, bar_.position());
    return;
  }
  WindowPeer::update(change, index);
}

void TrackBarPeer::scroll(WORD) {
  if (updating()) return;
  bar_.moveTo(static_cast<int>(SendMessageA(hwnd_, TBM_GETPOS, 0, 0)));
}

StatusBarPeer::StatusBarPeer(ui::StatusBar& bar, PeerContext& context) : WindowPeer(bar, context), bar_(bar) {
  create(STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE);
  if (!hwnd_) return;
  SendMessageA(hwnd_, SB_SIMPLE, TRUE, 0);
  update(ui::Change::Text, 0);
}

void StatusBarPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Text) {
    SendMessageA(hwnd_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(bar_.simpleText().c_str()));
    return;
  }
  WindowPeer::update(change, index);
}

TabControlPeer::TabControlPeer(ui::TabControl& tabs, PeerContext& context) : WindowPeer(tabs, context), tabs_(tabs) {
  create(WC_TABCONTROLA, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT);
  fill();
}

void TabControlPeer::fill() {
  if (!hwnd_) return;
  Updating guard(*this);
  SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
  int i = 0;
  for (ui::TabSheet* sheet : tabs_.sheets()) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string caption = sheet->caption();
    item.pszText = caption.data();
    SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(i++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(tabs_.activeIndex()), 0);
  const ui::Rect area = sheetArea();
  for (ui::TabSheet* sheet : tabs_.sheets()) sheet->setBounds(area);
}

ui::Rect TabControlPeer::sheetArea() const {
  RECT r{0, 0, context().scale(tabs_.bounds().width), context().scale(tabs_.bounds().height)};
  SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return {context().unscale(r.left), context().unscale(r.top), context().unscale(r.right - r.left),
          context().unscale(r.bottom - r.top)};
}

void TabControlPeer::update(ui::Change change, std::size_t index) {
  switch (change) {
    case ui::Change::Items: fill(); return;
    case ui::Change::Position: {
      Updating guard(*this);
      SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(tabs_.activeIndex()), 0);
      return;
    }
    default: WindowPeer::update(change, index);
  }
}

LRESULT TabControlPeer::notify(NMHDR& header) {
  if (header.code == TCN_SELCHANGE && !updating()) tabs_.selectTab(static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)));
  return 0;
}

}  // namespace tg::win32
