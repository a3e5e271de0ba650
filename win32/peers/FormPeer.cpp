#include "win32/peers/FormPeer.h"

#include <dbt.h>

#include "win32/peers/OwnWindows.h"

namespace tg::win32 {

FormPeer::FormPeer(ui::Form& form, PeerContext& context) : OwnWindowPeer(form, context), form_(form) {
  const ui::Rect& b = form.bounds();
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (form.frame() == ui::Form::Frame::Dialog) {
    style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    exStyle |= WS_EX_DLGMODALFRAME;
  }
  RECT size{0, 0, context.scale(b.width), context.scale(b.height)};
  if (!AdjustWindowRectEx(&size, style, FALSE, exStyle)) size = {0, 0, context.scale(b.width), context.scale(b.height)};
  const int width = size.right - size.left;
  const int height = size.bottom - size.top;
  RECT outer{context.scale(b.left), context.scale(b.top), 0, 0};
  if (form.frame() == ui::Form::Frame::Dialog) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    outer.left = work.left + (work.right - work.left - width) / 2;
    outer.top = work.top + (work.bottom - work.top - height) / 2;
  }
  outer.right = outer.left + width;
  outer.bottom = outer.top + height;
  createTopLevel(formWindowClass(), style, exStyle, outer);
  if (!hwnd_) return;
  fitClientArea();
  if (form.visible()) ShowWindow(hwnd_, SW_SHOW);
}

// The metrics may not be the frame the window gets (a window manager's, under
// wine): the outer size is mended by what the client area misses.
void FormPeer::fitClientArea() {
  const ui::Rect& b = form_.bounds();
  RECT client;
  RECT window;
  if (!GetClientRect(hwnd_, &client) || !GetWindowRect(hwnd_, &window)) return;
  const int missingWidth = context().scale(b.width) - (client.right - client.left);
  const int missingHeight = context().scale(b.height) - (client.bottom - client.top);
  if (missingWidth == 0 && missingHeight == 0) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + missingWidth, window.bottom - window.top + missingHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::update(ui::Change change, std::size_t index) {
  if (!hwnd_) return;
  if (change == ui::Change::Visible) {
    ShowWindow(hwnd_, form_.visible() ? SW_SHOW : SW_HIDE);
    if (form_.visible()) fitClientArea();  // a window manager frames the window when it is shown
    return;
  }
  if (change == ui::Change::Bounds) {
    const ui::Rect& b = form_.bounds();
    if (form_.frame() == ui::Form::Frame::Single)
      SetWindowPos(hwnd_, nullptr, context().scale(b.left), context().scale(b.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
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
  if (message == WM_DEVICECHANGE) {
    ui::DeviceChange change;
    change.event = static_cast<unsigned>(wParam);
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    // Only arrivals and removals carry a device header.
    if (header && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
      change.deviceType = header->dbch_devicetype;
      if (header->dbch_devicetype == DBT_DEVTYP_VOLUME && header->dbch_size >= sizeof(DEV_BROADCAST_VOLUME)) {
        const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam);
        change.unitMask = volume->dbcv_unitmask;
        change.flags = volume->dbcv_flags;
      }
    }
    form_.deviceChange(change);
    result = TRUE;
    return true;
  }
  if (message >= WM_USER && message < 0xC000) {
    form_.privateMessage(message, static_cast<std::uintptr_t>(wParam));
    result = 0;
    return true;
  }
  if (message == WM_QUERYENDSESSION) {
    result = DefWindowProcA(hwnd_, message, wParam, lParam);
    form_.queryEndSession();
    return true;
  }
  if (message == WM_ENDSESSION) {
    form_.endSession(wParam != FALSE);
    result = 0;
    return true;
  }
  return false;
}

}  // namespace tg::win32
