#include "ui/Raster.h"

#include <cmath>
#include <cstdlib>

namespace tg::ui {

Raster::Raster(int width, int height) {
  image_.width = width;
  image_.height = height;
  image_.pixels.assign(static_cast<std::size_t>(width * height), 0);
}

Raster& Raster::pixel(int x, int y, std::uint32_t color) {
  if (x >= 0 && y >= 0 && x < image_.width && y < image_.height)
    image_.pixels[static_cast<std::size_t>(y * image_.width + x)] = color;
  return *this;
}

Raster& Raster::fill(int x, int y, int width, int height, std::uint32_t color) {
  for (int j = y; j < y + height; ++j)
    for (int i = x; i < x + width; ++i) pixel(i, j, color);
  return *this;
}

Raster& Raster::frame(int x, int y, int width, int height, std::uint32_t color) {
  fill(x, y, width, 1, color);
  fill(x, y + height - 1, width, 1, color);
  fill(x, y, 1, height, color);
  fill(x + width - 1, y, 1, height, color);
  return *this;
}

Raster& Raster::disc(double cx, double cy, double radius, std::uint32_t color) {
  for (int y = 0; y < image_.height; ++y)
    for (int x = 0; x < image_.width; ++x) {
      const double dx = x + 0.5 - cx;
      const double dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= radius * radius) pixel(x, y, color);
    }
  return *this;
}

Raster& Raster::ring(double cx, double cy, double radius, std::uint32_t color) {
  for (int y = 0; y < image_.height; ++y)
    for (int x = 0; x < image_.width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (std::fabs(d - radius) <= 0.5) pixel(x, y, color);
    }
  return *this;
}

Raster& Raster::line(int x0, int y0, int x1, int y1, std::uint32_t color) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    pixel(x0, y0, color);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      error += dx;
      y0 += sy;
    }
  }
  return *this;
}

}  // namespace tg::ui
