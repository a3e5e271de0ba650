#include "win32/peers/TextPeers.h"

#include <vector>

#include "stores/TextFile.h"
#include "win32/ErrorBox.h"

namespace tg::win32 {

EditPeer::EditPeer(ui::Edit& edit, PeerContext& context) : WindowPeer(edit, context), edit_(edit) {
  create("EDIT", ES_AUTOHSCROLL | WS_TABSTOP | (edit.readOnly() ? ES_READONLY : 0), WS_EX_CLIENTEDGE);
  if (!hwnd_) return;
  Updating guard(*this);
  SetWindowTextA(hwnd_, edit.text().c_str());
  showCue();
  SetWindowSubclass(hwnd_, filter, 1, reinterpret_cast<DWORD_PTR>(this));
}

void EditPeer::showCue() {
  if (edit_.cue().empty()) return;
  // The hint is taken in the wide form only.
  const std::string& cue = edit_.cue();
  const int size = MultiByteToWideChar(CP_ACP, 0, cue.data(), static_cast<int>(cue.size()), nullptr, 0);
  if (size <= 0) return;
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  if (!MultiByteToWideChar(CP_ACP, 0, cue.data(), static_cast<int>(cue.size()), wide.data(), size)) return;
  SendMessageW(hwnd_, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

EditPeer::~EditPeer() {
  if (hwnd_) RemoveWindowSubclass(hwnd_, filter, 1);
}

LRESULT CALLBACK EditPeer::filter(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_CHAR) {
    auto* self = reinterpret_cast<EditPeer*>(data);
    char key = static_cast<char>(wParam);
    bool passes = false;
    if (!guarded([&] { passes = self->edit_.keyPress(key); }) || !passes) return 0;  // dropped by the filter
    wParam = static_cast<unsigned char>(key);
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void EditPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Text) {
    Updating guard(*this);
    SetWindowTextA(hwnd_, edit_.text().c_str());
    return;
  }
  if (change == ui::Change::Style) {
    SendMessageA(hwnd_, EM_SETREADONLY, edit_.readOnly(), 0);
    showCue();
    return;
  }
  WindowPeer::update(change, index);
}

void EditPeer::command(WORD code) {
  if (code == EN_CHANGE && !updating()) edit_.textEdited(windowText(hwnd_));
}

MemoPeer::MemoPeer(ui::Memo& memo, PeerContext& context) : WindowPeer(memo, context), memo_(memo) {
  DWORD bars = 0;
  if (memo.scrollBars() == ui::Memo::ScrollBars::Vertical || memo.scrollBars() == ui::Memo::ScrollBars::Both)
    bars |= WS_VSCROLL;
  if (memo.scrollBars() == ui::Memo::ScrollBars::Horizontal || memo.scrollBars() == ui::Memo::ScrollBars::Both)
    bars |= WS_HSCROLL;
  create("EDIT", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | (bars & WS_HSCROLL ? ES_AUTOHSCROLL : 0) | bars |
                     WS_TABSTOP | (memo.readOnly() ? ES_READONLY : 0),
         WS_EX_CLIENTEDGE);
  showLines();
}

void MemoPeer::showLines() {
  if (!hwnd_) return;
  Updating guard(*this);
  std::string text = joinLines(memo_.lines());
  if (text.size() >= 2) text.resize(text.size() - 2);  // no empty line after the last
  SetWindowTextA(hwnd_, text.c_str());
}

void MemoPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Text) {
    showLines();
    return;
  }
  if (change == ui::Change::Style) {
    SendMessageA(hwnd_, EM_SETREADONLY, memo_.readOnly(), 0);
    return;
  }
  WindowPeer::update(change, index);
}

void MemoPeer::command(WORD code) {
  if (code == EN_CHANGE && !updating()) memo_.userSetText(windowText(hwnd_));
}

}  // namespace tg::win32
