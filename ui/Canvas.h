#pragma once

#include <string>

#include "ui/Geometry.h"

namespace tg::ui {

class ImageList;

struct Font {
  std::string name = "MS Sans Serif";
  int height = -11;  // pixels, negative: the character height (8 points at 96 DPI)
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color = kSystemColor;
  friend bool operator==(const Font&, const Font&) = default;
};

// Where owner-drawn rows and controls draw; recorded in tests, GDI on Windows.
class Canvas {
 public:
  virtual ~Canvas() = default;
  // The font text is written in; starts as the control's font.
  virtual Font& font() = 0;
  virtual void fillRect(const Rect& area, const Color& color) = 0;
  // Text at a point (its top left), transparent background, in font().
  virtual void textOut(int x, int y, const std::string& text) = 0;
  virtual void drawImage(const ImageList& images, int index, int x, int y) = 0;
  // The dotted rectangle that shows which row or control has the keyboard focus.
  virtual void drawFocusRect(const Rect& area) = 0;
};

}  // namespace tg::ui
