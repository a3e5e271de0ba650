#include "win32/peers/FormPeer.h"

#include "win32/peers/OwnWindows.h"

namespace tg::win32 {

FormPeer::FormPeer(ui::Form& form, PeerContext& context) : OwnWindowPeer(form, context), form_(form) {
  const ui::Rect& b = form.bounds();
  RECT outer = context.scaled(b.left, b.top, b.width, b.height);
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (form.frame() == ui::Form::Frame::Dialog) {
    // The bounds give the client area; the window is centred on the screen.
    style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    exStyle |= WS_EX_DLGMODALFRAME;
    RECT client{0, 0, context.scale(b.width), context.scale(b.height)};
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    outer.left = work.left + (work.right - work.left - width) / 2;
    outer.top = work.top + (work.bottom - work.top - height) / 2;
    outer.right = outer.left + width;
    outer.bottom = outer.top + height;
  }
  createTopLevel(formWindowClass(), style, exStyle, outer);
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
  if (message == WM_QUERYENDSESSION) {
    result = DefWindowProcA(hwnd_, message, wParam, lParam);
    form_.queryEndSession();
    return true;
  }
  return false;
}

}  // namespace tg::win32
