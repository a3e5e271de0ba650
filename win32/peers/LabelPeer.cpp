#include "win32/peers/LabelPeer.h"

#include "ui/Static.h"

namespace tg::win32 {

LabelPeer::LabelPeer(ui::Control& model, PeerContext& context) : WindowPeer(model, context) {
  const auto* label = dynamic_cast<ui::Label*>(&model);
  create("STATIC", SS_NOPREFIX | (label && label->wordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP));
  fitToText();
}

void LabelPeer::fitToText() {
  const ui::Rect& b = model().bounds();
  if (!hwnd_ || (b.width > 0 && b.height > 0)) return;
  HDC dc = GetDC(hwnd_);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, context().font(model().font()));
  SIZE size{0, 0};
  const std::string& text = model().caption();
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  const int width = b.width > 0 ? context().scale(b.width) : size.cx + 1;
  const int height = b.height > 0 ? context().scale(b.height) : size.cy;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LabelPeer::update(ui::Change change, std::size_t index) {
  WindowPeer::update(change, index);
  if (change == ui::Change::Caption || change == ui::Change::Bounds) fitToText();
  if (change == ui::Change::Style) {
    const auto* label = dynamic_cast<ui::Label*>(&model());
    LONG style = GetWindowLongA(hwnd_, GWL_STYLE) & ~(SS_LEFT | SS_LEFTNOWORDWRAP);
    SetWindowLongA(hwnd_, GWL_STYLE, style | (label && label->wordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP));
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

HBRUSH LabelPeer::controlColor(HDC dc) {
  SetTextColor(dc, colorRef(model().font().color, COLOR_WINDOWTEXT));
  SetBkColor(dc, backgroundColor());
  return context().brush(backgroundColor());
}

}  // namespace tg::win32
