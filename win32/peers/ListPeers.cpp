#include "win32/peers/ListPeers.h"

#include <algorithm>
#include <vector>

#include "win32/ErrorBox.h"
#include "win32/peers/GdiCanvas.h"

namespace tg::win32 {

namespace {

ui::Rect unscaledRect(const PeerContext& c, const RECT& r) {
  return {c.unscale(r.left), c.unscale(r.top), c.unscale(r.right - r.left), c.unscale(r.bottom - r.top)};
}

}  // namespace

// ---------------------------------------------------------------- list box

ListBoxPeer::ListBoxPeer(ui::ListBox& list, PeerContext& context)
    : WindowPeer(list, context), list_(list), checkList_(dynamic_cast<ui::CheckListBox*>(&list)) {
  DWORD style = LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
  if (list.drawing() == ui::ListBox::Drawing::OwnerVariable) style |= LBS_OWNERDRAWVARIABLE;
  if (list.drawing() == ui::ListBox::Drawing::OwnerFixed) style |= LBS_OWNERDRAWFIXED;
  if (checkList_ && checkList_->columns() > 1) style = (style & ~WS_VSCROLL) | LBS_MULTICOLUMN | WS_HSCROLL;
  create("LISTBOX", style, WS_EX_CLIENTEDGE);
  if (!hwnd_) return;
  if (checkList_ && checkList_->columns() > 1)
    SendMessageA(hwnd_, LB_SETCOLUMNWIDTH, context.scale(list.bounds().width) / checkList_->columns(), 0);
  if (checkList_) SetWindowSubclass(hwnd_, checks, 1, reinterpret_cast<DWORD_PTR>(this));
  if (list.keysOnlyMove()) SetWindowSubclass(hwnd_, keys, 2, reinterpret_cast<DWORD_PTR>(this));
  fill();
}

ListBoxPeer::~ListBoxPeer() {
  if (hwnd_ && checkList_) RemoveWindowSubclass(hwnd_, checks, 1);
  if (hwnd_ && list_.keysOnlyMove()) RemoveWindowSubclass(hwnd_, keys, 2);
}

void ListBoxPeer::fill() {
  Updating guard(*this);
  SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : list_.items()) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  showSelection();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBoxPeer::showSelection() {
  Updating guard(*this);
  SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list_.itemIndex()), 0);
}

void ListBoxPeer::update(ui::Change change, std::size_t index) {
  switch (change) {
    case ui::Change::Items: fill(); return;
    case ui::Change::ItemAdded: {
      Updating guard(*this);
      SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list_.items()[index].c_str()));
      return;
    }
    case ui::Change::Selection: showSelection(); return;
    case ui::Change::Check: InvalidateRect(hwnd_, nullptr, FALSE); return;
    case ui::Change::Style: SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, context().scale(list_.itemHeight())); return;
    default: WindowPeer::update(change, index);
  }
}

void ListBoxPeer::command(WORD code) {
  // A list whose keys only move acts through its subclass alone.
  if (code != LBN_SELCHANGE || updating() || list_.keysOnlyMove()) return;
  list_.clickItem(static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)));
}

bool ListBoxPeer::measureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = static_cast<UINT>(context().scale(list_.itemHeight()));
  return true;
}

bool ListBoxPeer::drawItem(DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return true;
  const ui::ItemState state{(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0};
  const int index = static_cast<int>(item.itemID);
  if (!checkList_) {
    GdiCanvas canvas(item.hDC, context(), list_.font());
    list_.drawItem(index, unscaledRect(context(), item.rcItem), state, canvas);
    return true;
  }
  // A check list row: the box, then the text beside it.
  RECT box = item.rcItem;
  FillRect(item.hDC, &box, context().brush(GetSysColor(state.selected ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
  const int side = context().scale(13);
  box.left += context().scale(2);
  box.top += (box.bottom - box.top - side) / 2;
  box.right = box.left + side;
  box.bottom = box.top + side;
  DrawFrameControl(item.hDC, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checkList_->checked(index) ? DFCS_CHECKED : 0));
  // The text stays in its row: in a list of several columns the next column
  // starts there. A text too long loses its middle, so that a path keeps its
  // file name; the list's tip shows it whole.
  RECT text = item.rcItem;
  text.left += context().scale(18);
  HGDIOBJ old = SelectObject(item.hDC, context().font(list_.font()));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(state.selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::string& caption = list_.items()[static_cast<std::size_t>(index)];
  DrawTextA(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  SelectObject(item.hDC, old);
  return true;
}

LRESULT CALLBACK ListBoxPeer::checks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  LRESULT result = 0;
  guarded([&] { result = reinterpret_cast<ListBoxPeer*>(data)->checkListAnswer(hwnd, message, wParam, lParam); });
  return result;
}

LRESULT ListBoxPeer::checkListAnswer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) {
    const LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, lParam);
    const int index = LOWORD(hit);
    RECT row;
    if (!HIWORD(hit) && SendMessageA(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
      const int x = static_cast<short>(LOWORD(lParam));
      if (x < row.left + context().scale(17)) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        checkList_->toggleCheck(index);
        return result;
      }
    }
  } else if (message == WM_CHAR && wParam == ' ') {
    const int index = static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0));
    if (index >= 0) checkList_->toggleCheck(index);
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ListBoxPeer::keys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  LRESULT result = 0;
  guarded([&] { result = reinterpret_cast<ListBoxPeer*>(data)->keysAnswer(hwnd, message, wParam, lParam); });
  return result;
}

int ListBoxPeer::rowAt(LPARAM point) const {
  const LRESULT hit = SendMessageA(hwnd_, LB_ITEMFROMPOINT, 0, point);
  if (HIWORD(hit)) return -1;
  const int index = LOWORD(hit);
  RECT row;
  if (SendMessageA(hwnd_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row)) == LB_ERR) return -1;
  const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  return PtInRect(&row, at) ? index : -1;
}

LRESULT ListBoxPeer::keysAnswer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  constexpr LPARAM kRepeated = 1 << 30;  // the key was already down
  switch (message) {
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_UP:
        case VK_LEFT: list_.pressKey(ui::ListKey::Up); return 0;
        case VK_DOWN:
        case VK_RIGHT: list_.pressKey(ui::ListKey::Down); return 0;
        case VK_PRIOR: list_.pressKey(ui::ListKey::PageUp); return 0;
        case VK_NEXT: list_.pressKey(ui::ListKey::PageDown); return 0;
        case VK_HOME: list_.pressKey(ui::ListKey::Home); return 0;
        case VK_END: list_.pressKey(ui::ListKey::End); return 0;
        case VK_RETURN:
        case VK_SPACE:
          // A held key acts once, not at every repeat.
          if (!(lParam & kRepeated)) list_.activate();
          return 0;
        default: break;
      }
      break;
    case WM_CHAR:
      if (wParam == ' ' || wParam == '\r') return 0;  // acted on when the key went down
      if (wParam > ' ') {
        list_.typeCharacter(static_cast<char>(wParam));
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: pressed_ = true; break;
    case WM_LBUTTONUP: {
      const bool wasPressed = pressed_;
      pressed_ = false;
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      if (wasPressed) {
        const int row = rowAt(lParam);
        if (row >= 0) {
          list_.clickItem(row);
        } else {
          showSelection();  // released away from the rows: the click is cancelled
        }
      }
      return result;
    }
    default: break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---------------------------------------------------------------- combo box

ComboBoxPeer::ComboBoxPeer(ui::ComboBox& combo, PeerContext& context) : WindowPeer(combo, context), combo_(combo) {
  DWORD style = WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL |
                (combo.style() == ui::ComboBox::Style::DropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  if (combo.ownerDrawn()) style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  create("COMBOBOX", style);
  if (!hwnd_) return;
  update(ui::Change::Bounds, 0);  // the window's height includes its dropped-down list
  fill();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (combo.style() == ui::ComboBox::Style::DropDown && GetComboBoxInfo(hwnd_, &info) && info.hwndItem &&
      SetWindowSubclass(info.hwndItem, editKeys, 1, reinterpret_cast<DWORD_PTR>(this)))
    edit_ = info.hwndItem;
}

ComboBoxPeer::~ComboBoxPeer() {
  if (edit_) RemoveWindowSubclass(edit_, editKeys, 1);
}

LRESULT CALLBACK ComboBoxPeer::editKeys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  // Ctrl+C comes as the key, then as its character (3).
  const bool copyKey = (message == WM_KEYDOWN && wParam == 'C') || (message == WM_CHAR && wParam == 3);
  if (copyKey && GetKeyState(VK_CONTROL) < 0) {
    DWORD start = 0, end = 0;
    SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) {
      if (message == WM_KEYDOWN) guarded([&] { reinterpret_cast<ComboBoxPeer*>(data)->combo_.copy(); });
      return 0;
    }
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void ComboBoxPeer::fill() {
  Updating guard(*this);
  SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : combo_.items()) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  showSelection();
}

void ComboBoxPeer::showSelection() {
  Updating guard(*this);
  SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.itemIndex()), 0);
  if (combo_.style() == ui::ComboBox::Style::DropDown) SetWindowTextA(hwnd_, combo_.text().c_str());
}

void ComboBoxPeer::update(ui::Change change, std::size_t index) {
  switch (change) {
    case ui::Change::Items: fill(); return;
    case ui::Change::ItemAdded: {
      Updating guard(*this);
      SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(combo_.items()[index].c_str()));
      return;
    }
    case ui::Change::Selection:
    case ui::Change::Text: showSelection(); return;
    case ui::Change::Bounds: {
      ui::Rect shown = combo_.bounds();
      const RECT r = context().scaled(shown.left, shown.top, shown.width, std::max(shown.height, 200));
      SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    default: WindowPeer::update(change, index);
  }
}

void ComboBoxPeer::command(WORD code) {
  if (updating()) return;
  switch (code) {
    case CBN_DROPDOWN: combo_.setDroppedDown(true); break;
    case CBN_CLOSEUP: combo_.setDroppedDown(false); break;
    case CBN_SELCHANGE: combo_.select(static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0))); break;
    case CBN_EDITCHANGE: combo_.userType(windowText(hwnd_)); break;
    default: break;
  }
}

bool ComboBoxPeer::measureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = static_cast<UINT>(context().scale(15));
  return true;
}

bool ComboBoxPeer::drawItem(DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return true;
  GdiCanvas canvas(item.hDC, context(), combo_.font());
  combo_.drawItem(static_cast<int>(item.itemID), unscaledRect(context(), item.rcItem),
                  {(item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0}, canvas);
  return true;
}

// ---------------------------------------------------------------- folder list

DirectoryListBoxPeer::DirectoryListBoxPeer(ui::DirectoryListBox& folders, PeerContext& context)
    : WindowPeer(folders, context), folders_(folders) {
  create("LISTBOX", LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
  fill();
}

void DirectoryListBoxPeer::fill() {
  if (!hwnd_) return;
  Updating guard(*this);
  SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const auto& entry : folders_.entries()) {
    const std::string shown = std::string(static_cast<std::size_t>(entry.level) * 3, ' ') + entry.caption;
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(folders_.currentIndex()), 0);
}

void DirectoryListBoxPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Items) {
    fill();
    return;
  }
  WindowPeer::update(change, index);
}

void DirectoryListBoxPeer::command(WORD code) {
  if (code == LBN_DBLCLK && !updating()) folders_.openEntry(static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)));
}

}  // namespace tg::win32
