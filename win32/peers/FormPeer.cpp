#include "win32/peers/FormPeer.h"

#include "win32/peers/OwnWindows.h"

namespace tg::win32 {

FormPeer::FormPeer(ui::Form& form, PeerContext& context) : OwnWindowPeer(form, context), form_(form) {
  const ui::Rect& b = form.bounds();
  createTopLevel(formWindowClass(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                 context.scaled(b.left, b.top, b.width, b.height));
  if (form.visible()) ShowWindow(hwnd_, SW_SHOW);
}

void FormPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Visible && hwnd_) {
    ShowWindow(hwnd_, form_.visible() ? SW_SHOW : SW_HIDE);
    return;
  }
  OwnWindowPeer::update(change, index);
}

bool FormPeer::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (onMessage && onMessage(message, wParam, lParam, result)) return true;
  if (message == WM_CLOSE) {
    form_.close();  // the model decides; the window is not destroyed here
    result = 0;
    return true;
  }
  return false;
}

}  // namespace tg::win32
