#include "win32/peers/ListViewPeer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tg::win32 {

namespace {

// Copies a text into a buffer the control lent, cut to its size.
void copyInto(std::string_view text, char* buffer, int size) {
  if (!buffer || size <= 0) return;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

// A wide text in the system code page.
std::string narrowed(const wchar_t* text) {
  if (!text || !*text) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!WideCharToMultiByte(CP_ACP, 0, text, -1, bytes.data(), size, nullptr, nullptr)) return {};
  bytes.resize(static_cast<std::size_t>(size - 1));
  return bytes;
}

}  // namespace

ListViewPeer::ListViewPeer(ui::ListView& view, PeerContext& context) : WindowPeer(view, context), view_(view) {
  // No LVS_EDITLABELS: cells are never edited in place.
  create(WC_LISTVIEWA, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | (view.multiSelect() ? 0 : LVS_SINGLESEL) | WS_TABSTOP,
         WS_EX_CLIENTEDGE);
  if (!hwnd_) return;
  Updating guard(*this);
  // The texts handed over are the system code page's bytes, whatever the
  // parent window would take.
  SendMessageA(hwnd_, CCM_SETUNICODEFORMAT, FALSE, 0);
  // Painted off screen first: a list whose rows change under the user's eyes
  // (every reading, on the connections page) does not flicker.
  constexpr DWORD kStyles = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, kStyles, kStyles);
  applyCellTips();
  addColumns();
  showRows();
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
    if (SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(columnsShown_), reinterpret_cast<LPARAM>(&c)) < 0)
      return;  // tried again with the next column added
  }
}

void ListViewPeer::showRows() {
  Updating guard(*this);
  // Every row shown is asked for again, the scroll position kept where the
  // count allows. The same count (a sort, a new reading) only needs the rows
  // in sight that changed painted again: setting the count makes the control
  // go over all its rows.
  const int count = view_.shownCount();
  if (count == countShown_) {
    repaintChangedRows(count);
  } else if (SendMessageA(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL)) {
    countShown_ = count;
  }
  showSelection();
}

void ListViewPeer::repaintChangedRows(int count) {
  const auto top = static_cast<int>(SendMessageA(hwnd_, LVM_GETTOPINDEX, 0, 0));
  const int last = std::min(count - 1, top + static_cast<int>(SendMessageA(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0)));
  int first = -1, end = -1;
  for (int p = std::max(0, top); p <= last; ++p)
    if (view_.positionChanged(p)) {
      if (first < 0) first = p;
      end = p;
    }
  if (first < 0) return;
  RECT from{}, to{}, client{};
  from.left = to.left = LVIR_BOUNDS;
  if (!SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(first), reinterpret_cast<LPARAM>(&from)) ||
      !SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(end), reinterpret_cast<LPARAM>(&to)) ||
      !GetClientRect(hwnd_, &client)) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    return;
  }
  // Whole rows, each painted whole: nothing to erase first.
  const RECT rows{client.left, std::max(from.top, client.top), client.right, std::min(to.bottom, client.bottom)};
  InvalidateRect(hwnd_, &rows, FALSE);
}

void ListViewPeer::showAddedRow() {
  Updating guard(*this);
  // The rows before it are unchanged: only the new one needs painting.
  const int count = view_.shownCount();
  if (SendMessageA(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL))
    countShown_ = count;
}

void ListViewPeer::applySelectionStyle() {
  const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  const LONG wanted = view_.multiSelect() ? (style & ~LVS_SINGLESEL) : (style | LVS_SINGLESEL);
  if (wanted != style) SetWindowLongA(hwnd_, GWL_STYLE, wanted);
}

void ListViewPeer::showSelection() {
  Updating guard(*this);
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (view_.multiSelect()) {
    // The control keeps the states of its rows itself: all cleared at once
    // (which visits every row, so only when some are selected), then the
    // model's rows set.
    if (SendMessageA(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0) > 0 ||
        SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0)
      SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED;
    state.stateMask = LVIS_SELECTED;
    for (int row : view_.selectedRows())
      SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(view_.positionOf(row)), reinterpret_cast<LPARAM>(&state));
    const int focused = view_.positionOf(view_.selected());
    if (focused >= 0) {
      state.state = state.stateMask = LVIS_FOCUSED;
      SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&state));
      if (view_.followsSelection()) SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(focused), FALSE);
    }
    return;
  }
  // Only the rows that hold the selection or the focus are cleared: clearing
  // "every row" (-1) makes the control visit each of them.
  for (const UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
    const LRESULT row = SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which);
    if (row >= 0) SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  }
  const int selected = view_.positionOf(view_.selected());
  if (selected < 0) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state)) &&
      view_.followsSelection())
    SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
}

void ListViewPeer::applyCellTips() {
  // With hints on, a caption too narrow for its column shows whole in a tip.
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_LABELTIP, view_.showHint() ? LVS_EX_LABELTIP : 0);
}

std::string_view ListViewPeer::cellText(int row, int column) const {
  // A row the model no longer shows (the control's count is about to follow) is blank.
  const int shown = view_.shownRow(row);
  if (shown < 0 || column < 0) return {};
  return view_.text(shown, static_cast<std::size_t>(column));
}

void ListViewPeer::giveText(LVITEMA& item) const {
  if (item.mask & LVIF_TEXT) copyInto(cellText(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
}

int ListViewPeer::findRow(int start, UINT flags, const std::string& wanted) const {
  // The letter search over the captions, as the control does for rows it holds.
  const int count = view_.shownCount();
  if (!(flags & (LVFI_STRING | LVFI_PARTIAL)) || count == 0) return -1;
  const int length = static_cast<int>(wanted.size());
  const bool partial = (flags & LVFI_PARTIAL) != 0;
  if (start < 0 || start >= count) start = 0;
  const int span = (flags & LVFI_WRAP) ? count : count - start;
  for (int k = 0; k < span; ++k) {
    const int i = (start + k) % count;
    const std::string_view caption = view_.text(view_.shownRow(i), 0);
    const int size = static_cast<int>(caption.size());
    if (partial && size < length) continue;
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(), partial ? length : size, wanted.data(),
                       length) == CSTR_EQUAL)
      return i;
  }
  return -1;
}

void ListViewPeer::update(ui::Change change, std::size_t index) {
  if (!hwnd_) return;
  switch (change) {
    case ui::Change::Columns: addColumns(); return;
    case ui::Change::Items: showRows(); return;
    case ui::Change::ItemAdded: showAddedRow(); return;
    case ui::Change::Selection:
      // A selection the control itself made and the model took is shown already.
      if (!updating()) showSelection();
      return;
    case ui::Change::Style:
      applySelectionStyle();
      WindowPeer::update(change, index);
      return;
    case ui::Change::Hint:
      applyCellTips();
      WindowPeer::update(change, index);
      return;
    default: WindowPeer::update(change, index);
  }
}

bool ListViewPeer::plainClickOn(int position) const {
  if (position < 0) return true;
  const LRESULT first = SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  return first == position && SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(first), LVNI_SELECTED) < 0;
}

void ListViewPeer::takeSelection() {
  std::vector<int> positions;
  for (LRESULT at = -1; (at = SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(at), LVNI_SELECTED)) >= 0;)
    positions.push_back(static_cast<int>(at));
  const auto focused = static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  Updating guard(*this);
  view_.selectShown(positions, focused);
}

bool ListViewPeer::keyDown(WORD key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  using Command = ui::ListView::Command;
  if (key == VK_DELETE) {
    view_.command(Command::Delete);
  } else if (control && key == 'A') {
    view_.command(Command::SelectAll);
  } else if (control && key == 'C') {
    view_.command(Command::Copy);
  } else if (key == VK_APPS) {
    view_.contextMenu();
  } else {
    return false;
  }
  return true;
}

LRESULT ListViewPeer::notify(NMHDR& header) {
  // The control asks for texts and rows even while the model's state is pushed.
  switch (header.code) {
    case LVN_GETDISPINFOA: giveText(reinterpret_cast<NMLVDISPINFOA&>(header).item); return 0;
    // wine asks in the wide form whatever the notification format.
    case LVN_ODFINDITEMA: {
      const auto& find = reinterpret_cast<NMLVFINDITEMA&>(header);
      return findRow(find.iStart, find.lvfi.flags, find.lvfi.psz ? find.lvfi.psz : "");
    }
    case LVN_ODFINDITEMW: {
      const auto& find = reinterpret_cast<NMLVFINDITEMW&>(header);
      return findRow(find.iStart, find.lvfi.flags, narrowed(find.lvfi.psz));
    }
    default: break;
  }
  if (updating()) return 0;
  switch (header.code) {
    case NM_CLICK: {
      const auto& activate = reinterpret_cast<NMITEMACTIVATE&>(header);
      // With Ctrl or Shift the click builds a selection of several rows: it
      // acts on none of them. wine leaves the key flags empty; the keys' state
      // and the control's result tell it too (a plain click leaves its one row
      // selected).
      const bool extending = (activate.uKeyFlags & (LVKF_CONTROL | LVKF_SHIFT)) || GetKeyState(VK_CONTROL) < 0 ||
                             GetKeyState(VK_SHIFT) < 0 || !plainClickOn(activate.iItem);
      if (view_.multiSelect() && extending) {
        takeSelection();
        return 0;
      }
      view_.clickRow(activate.iItem);
      return 0;
    }
    case NM_RCLICK:
      if (view_.multiSelect()) takeSelection();
      view_.contextMenu();
      return 0;
    case LVN_KEYDOWN:
      keyDown(reinterpret_cast<NMLVKEYDOWN&>(header).wVKey);
      return 0;
    case LVN_ODSTATECHANGED:
      if (view_.multiSelect()) takeSelection();
      return 0;
    case LVN_COLUMNCLICK:
      view_.clickColumn(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
      return 0;
    case LVN_ITEMCHANGED: {
      // A selection moved by the keyboard: the model follows, without a click.
      // With one row selected at most, the control reports each row on its
      // own, never a range (LVN_ODSTATECHANGED).
      const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      if (view_.multiSelect()) {
        if (change.uChanged & LVIF_STATE) takeSelection();
        return 0;
      }
      const int row = view_.shownRow(change.iItem);
      if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && row >= 0 &&
          row != view_.selected()) {
        Updating guard(*this);
        view_.setSelected(row);
      }
      return 0;
    }
    default: return 0;
  }
}

}  // namespace tg::win32
