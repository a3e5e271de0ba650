#include "win32/peers/GdiCanvas.h"

#include "ui/ImageList.h"

namespace tg::win32 {

void GdiCanvas::fillRect(const ui::Rect& area, const ui::Color& color) {
  const RECT r = context_.scaled(area.left, area.top, area.width, area.height);
  FillRect(dc_, &r, context_.brush(colorRef(color, COLOR_WINDOW)));
}

void GdiCanvas::textOut(int x, int y, const std::string& text) {
  HGDIOBJ old = SelectObject(dc_, context_.font(font_));
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, colorRef(font_.color, COLOR_WINDOWTEXT));
  TextOutA(dc_, context_.scale(x), context_.scale(y), text.c_str(), static_cast<int>(text.size()));
  SelectObject(dc_, old);
}

void GdiCanvas::drawImage(const ui::ImageList& images, int index, int x, int y) {
  if (index < 0 || index >= images.count()) return;
  context_.imageOf(images, index)
      .draw(dc_, context_.scale(x), context_.scale(y), context_.scale(images.width()), context_.scale(images.height()));
}

void GdiCanvas::drawFocusRect(const ui::Rect& area) {
  const RECT r = context_.scaled(area.left, area.top, area.width, area.height);
  // The dots are drawn in the inverse of what lies below: text colours set
  // for a row must not tint them.
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  DrawFocusRect(dc_, &r);
}

}  // namespace tg::win32
