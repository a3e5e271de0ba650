#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ui/Canvas.h"
#include "ui/ImageList.h"

namespace tg::win32 {

// A 32-bit bitmap made from a model picture, with its alpha premultiplied.
class Bitmap {
 public:
  explicit Bitmap(const ui::Image& image);
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  HBITMAP handle() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Draws it with its transparency, stretched to the size given.
  void draw(HDC dc, int x, int y, int width, int height) const;

 private:
  HBITMAP bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// What the peers of one window share: the display's scale, fonts, brushes,
// bitmaps of image lists and the tooltip window.
class PeerContext {
 public:
  PeerContext();
  ~PeerContext();
  PeerContext(const PeerContext&) = delete;
  PeerContext& operator=(const PeerContext&) = delete;

  // Model pixels (96 DPI) to display pixels, and back.
  int scale(int v) const { return MulDiv(v, dpi_, 96); }
  int unscale(int v) const { return MulDiv(v, 96, dpi_); }
  RECT scaled(int left, int top, int width, int height) const;

  HFONT font(const ui::Font& font);
  HBRUSH brush(COLORREF color);
  const Bitmap& imageOf(const ui::ImageList& list, int index);

  // The tooltip window that shows the hints of the controls of `owner`.
  HWND tooltips(HWND owner);
  // A unique child-window identifier.
  int nextId() { return ++lastId_; }

 private:
  int dpi_ = 96;
  int lastId_ = 1000;
  std::map<std::tuple<std::string, int, int>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::map<std::pair<const ui::ImageList*, int>, std::unique_ptr<Bitmap>> images_;
  HWND tooltips_ = nullptr;
};

COLORREF colorRef(const ui::Color& c, int systemColor);

}  // namespace tg::win32
