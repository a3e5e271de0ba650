#pragma once

#include <cstdint>

#include "ui/ImageList.h"

namespace tg::ui {

// Small drawing steps for the product's own pictures. Colours are 0xAARRGGBB;
// everything is clipped to the picture.
class Raster {
 public:
  Raster(int width, int height);
  Image& image() { return image_; }
  Image take() { return std::move(image_); }

  Raster& pixel(int x, int y, std::uint32_t color);
  Raster& fill(int x, int y, int width, int height, std::uint32_t color);
  Raster& frame(int x, int y, int width, int height, std::uint32_t color);
  // A filled disc and a ring of one pixel's thickness, centred on (cx, cy).
  Raster& disc(double cx, double cy, double radius, std::uint32_t color);
  Raster& ring(double cx, double cy, double radius, std::uint32_t color);
  Raster& line(int x0, int y0, int x1, int y1, std::uint32_t color);

 private:
  Image image_;
};

}  // namespace tg::ui
