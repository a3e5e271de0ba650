#include "win32/peers/ButtonPeer.h"

namespace tg::win32 {

ButtonPeer::ButtonPeer(ui::Button& button, PeerContext& context) : WindowPeer(button, context), button_(button) {
  loadGlyph();
  create("BUTTON", BS_OWNERDRAW | WS_TABSTOP);
  if (hwnd_) SetWindowTextA(hwnd_, button.shownCaption().c_str());
}

void ButtonPeer::loadGlyph() {
  const ui::Image image = button_.glyph().pixels.empty() ? ui::kindGlyph(button_.buttonKind()) : button_.glyph();
  glyph_ = image.pixels.empty() ? nullptr : std::make_unique<Bitmap>(image);
}

void ButtonPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Caption && hwnd_) {
    SetWindowTextA(hwnd_, button_.shownCaption().c_str());
    InvalidateRect(hwnd_, nullptr, TRUE);
    return;
  }
  if (change == ui::Change::Image) loadGlyph();
  WindowPeer::update(change, index);
  if (change == ui::Change::Image || change == ui::Change::Style) InvalidateRect(hwnd_, nullptr, TRUE);
}

void ButtonPeer::command(WORD code) {
  if (code == BN_CLICKED && !updating()) button_.click();  // last: the click may destroy this peer
}

bool ButtonPeer::drawItem(DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  const bool pushed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  if (button_.isDefault() && !disabled) {
    FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&area, -1, -1);
  }
  DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  // The caption without its '&', and the position of the underlined letter.
  std::string caption;
  for (char c : button_.shownCaption())
    if (c != '&') caption += c;
  HGDIOBJ old = SelectObject(dc, context().font(button_.font()));
  SIZE text{0, 0};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
  // A caption too long to sit beside the glyph is shown whole without it:
  // the words matter more than the picture.
  const int room = (area.right - area.left) - 2 * context().scale(3);
  const bool withGlyph = glyph_ && (caption.empty() || context().scale(20) + text.cx <= room);
  const int glyphSize = withGlyph ? context().scale(16) : 0;
  const int gap = withGlyph && !caption.empty() ? context().scale(4) : 0;
  const int contentWidth = glyphSize + gap + text.cx;
  const int shift = pushed ? 1 : 0;
  int x = (area.left + area.right - contentWidth) / 2 + shift;
  const int middle = (area.top + area.bottom) / 2 + shift;
  if (withGlyph) {
    glyph_->draw(dc, x, middle - glyphSize / 2, glyphSize, glyphSize);
    x += glyphSize + gap;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  RECT textArea{x, middle - text.cy / 2, x + text.cx + 2, middle + text.cy / 2 + 1};
  DrawTextA(dc, button_.shownCaption().c_str(), -1, &textArea, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, old);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = area;
    InflateRect(&focus, -context().scale(4), -context().scale(4));
    DrawFocusRect(dc, &focus);
  }
  return true;
}

}  // namespace tg::win32
