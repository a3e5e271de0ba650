#pragma once

#include <cstdint>

namespace tg::ui {

// Pixels from the parent's client area, at 96 DPI.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool isDefault = false;  // the system's own colour for the control
  friend bool operator==(const Color&, const Color&) = default;
};

constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {r, g, b, false}; }
constexpr Color kSystemColor{0, 0, 0, true};
constexpr Color kWhite = rgb(0xFF, 0xFF, 0xFF);
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kAqua = rgb(0x00, 0xFF, 0xFF);
constexpr Color kYellow = rgb(0xFF, 0xFF, 0x00);
constexpr Color kBlue = rgb(0x00, 0x00, 0xFF);
constexpr Color kGrey = rgb(0x80, 0x80, 0x80);

}  // namespace tg::ui
