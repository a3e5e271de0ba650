#pragma once

#include <windows.h>

#include "ui/Canvas.h"
#include "win32/peers/PeerContext.h"

namespace tg::win32 {

// The model's canvas on a device context: model pixels are scaled to the
// display, text is transparent, images keep their transparency.
class GdiCanvas : public ui::Canvas {
 public:
  GdiCanvas(HDC dc, PeerContext& context, const ui::Font& font) : dc_(dc), context_(context), font_(font) {}
  ui::Font& font() override { return font_; }
  void fillRect(const ui::Rect& area, const ui::Color& color) override;
  void textOut(int x, int y, const std::string& text) override;
  void drawImage(const ui::ImageList& images, int index, int x, int y) override;
  void drawFocusRect(const ui::Rect& area) override;

 private:
  HDC dc_;
  PeerContext& context_;
  ui::Font font_;
};

}  // namespace tg::win32
