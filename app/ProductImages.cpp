#include "app/ProductImages.h"

#include <cmath>
#include <functional>
#include <vector>

#include "ui/Raster.h"

namespace tg {

namespace {

using ui::Raster;

constexpr std::uint32_t kInk = 0xFF303030;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlue = 0xFF1F5FBF;
constexpr std::uint32_t kLightBlue = 0xFF8FB8EF;
constexpr std::uint32_t kGreen = 0xFF2E8B3A;
constexpr std::uint32_t kRed = 0xFFC62828;
constexpr std::uint32_t kYellow = 0xFFF2C12E;
constexpr std::uint32_t kOrange = 0xFFE07B22;
constexpr std::uint32_t kBrown = 0xFF8A5A2B;
constexpr std::uint32_t kGrey = 0xFF8C8C8C;
constexpr std::uint32_t kLightGrey = 0xFFD6D6D6;

void shield(Raster& r, int size, std::uint32_t body, std::uint32_t rim) {
  // Straight top, sides narrowing to a point at the bottom.
  const double s = size / 16.0;
  for (int y = 0; y < size; ++y) {
    const double t = (y + 0.5) / size;
    const double half = t < 0.45 ? 6.5 * s : 6.5 * s * std::max(0.0, 1.0 - (t - 0.45) / 0.55);
    for (int x = 0; x < size; ++x) {
      const double dx = std::fabs(x + 0.5 - size / 2.0);
      if (y >= static_cast<int>(1 * s) && dx <= half) r.pixel(x, y, dx > half - s ? rim : body);
    }
  }
}

void check(Raster& r, int size, std::uint32_t color) {
  const double s = size / 16.0;
  for (int w = 0; w < std::max(1, static_cast<int>(s * 1.6)); ++w) {
    r.line(static_cast<int>(4 * s), static_cast<int>(8 * s) + w, static_cast<int>(7 * s), static_cast<int>(11 * s) + w, color);
    r.line(static_cast<int>(7 * s), static_cast<int>(11 * s) + w, static_cast<int>(12 * s), static_cast<int>(5 * s) + w, color);
  }
}

void globe(Raster& r, std::uint32_t sea) {
  r.disc(8, 8, 6.5, sea).ring(8, 8, 6.5, kInk);
  r.line(2, 8, 14, 8, kWhite).line(8, 2, 8, 14, kWhite);
  r.ring(8, 8, 3.5, kWhite);
}

using Painter = std::function<void(Raster&)>;

const std::vector<Painter>& navigationPainters() {
  static const std::vector<Painter> painters = {
      [](Raster& r) {  // home
        for (int i = 0; i < 7; ++i) r.line(8 - i, 1 + i, 8 + i, 1 + i, kRed);
        r.fill(3, 8, 10, 7, kLightGrey).frame(3, 8, 10, 7, kInk).fill(7, 10, 3, 5, kBrown);
      },
      [](Raster& r) {  // rules: a list with ticks
        r.fill(2, 1, 12, 14, kWhite).frame(2, 1, 12, 14, kInk);
        for (int y : {4, 8, 12}) r.pixel(4, y, kGreen).pixel(5, y + 1, kGreen).line(6, y, 7, y - 1, kGreen).fill(9, y, 3, 1, kInk);
      },
      [](Raster& r) {  // alerts: a warning triangle
        for (int i = 0; i < 13; ++i) r.line(8 - i / 2, 2 + i, 8 + i / 2, 2 + i, kYellow);
        r.line(2, 14, 14, 14, kInk).line(2, 14, 8, 2, kInk).line(14, 14, 8, 2, kInk);
        r.fill(8, 6, 1, 5, kInk).pixel(8, 12, kInk);
      },
      [](Raster& r) {  // connection journal: a notebook
        r.fill(3, 1, 11, 14, kLightBlue).frame(3, 1, 11, 14, kInk);
        for (int y = 4; y < 14; y += 3) r.fill(5, y, 7, 1, kBlue);
        for (int y = 2; y < 15; y += 3) r.pixel(2, y, kInk);
      },
      [](Raster& r) {  // connections: traffic both ways
        for (int i = 0; i < 2; ++i) r.line(1, 4 + i, 11, 4 + i, kGreen).line(5, 10 + i, 14, 10 + i, kBlue);
        for (int i = 0; i < 4; ++i) r.line(11 + i, 1 + i, 11 + i, 8 - i, kGreen).line(4 - i, 7 + i, 4 - i, 14 - i, kBlue);
      },
      [](Raster& r) {  // protocols and quarantine: a padlock
        r.ring(8, 6, 3.5, kInk).fill(3, 7, 10, 8, kYellow).frame(3, 7, 10, 8, kInk).fill(7, 9, 2, 3, kInk);
      },
      [](Raster& r) {  // options and languages: a speech bubble
        r.fill(1, 2, 14, 9, kLightBlue).frame(1, 2, 14, 9, kBlue).line(4, 11, 4, 14, kBlue).line(4, 14, 7, 11, kBlue);
        r.fill(4, 5, 8, 1, kBlue).fill(4, 7, 6, 1, kBlue);
      },
      [](Raster& r) {  // real-time protection: a shield
        shield(r, 16, kBlue, kInk);
        check(r, 16, kWhite);
      },
      [](Raster& r) {  // watch: an eye
        for (int x = 1; x < 15; ++x) {
          const int h = static_cast<int>(std::round(4.5 * std::sin((x - 0.5) * 3.14159 / 14)));
          r.fill(x, 8 - h, 1, 2 * h + 1, kWhite).pixel(x, 8 - h, kInk).pixel(x, 8 + h, kInk);
        }
        r.disc(8, 8.5, 2.6, kBlue).disc(8, 8.5, 1.1, kInk);
      },
      [](Raster& r) {  // cookies and downloads: a cookie
        r.disc(8, 8, 6.5, kOrange).ring(8, 8, 6.5, kBrown);
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{5, 5}, {10, 6}, {7, 9}, {11, 10}, {5, 11}}) r.fill(x, y, 2, 2, kBrown);
      },
      [](Raster& r) {  // backup: a disk
        r.fill(2, 2, 12, 12, kBlue).frame(2, 2, 12, 12, kInk).fill(4, 2, 8, 5, kWhite).fill(9, 3, 2, 3, kBlue);
        r.fill(4, 9, 8, 5, kLightGrey);
      },
      [](Raster& r) {  // disk scan: a drive with a light
        r.fill(1, 5, 14, 7, kLightGrey).frame(1, 5, 14, 7, kInk).fill(11, 9, 2, 1, kGreen).fill(3, 7, 6, 1, kGrey);
      },
      [](Raster& r) {  // clean-up: a waste bin
        r.fill(3, 3, 10, 2, kGrey).fill(6, 1, 4, 2, kGrey).fill(4, 5, 8, 10, kLightGrey).frame(4, 5, 8, 10, kInk);
        for (int x : {6, 8, 10}) r.fill(x, 7, 1, 6, kGrey);
      },
      [](Raster& r) {  // site list: a globe with a bar
        globe(r, kLightBlue);
        for (int i = 0; i < 2; ++i) r.line(3 + i, 13, 13 + i, 3, kRed);
      },
      [](Raster& r) {  // scan: a magnifier
        r.disc(6.5, 6.5, 4.5, kLightBlue).ring(6.5, 6.5, 4.5, kInk);
        for (int i = 0; i < 3; ++i) r.line(10 + i, 10, 14, 14 - i, kBrown);
      },
      [](Raster& r) {  // rule integrity: a page with a tick
        r.fill(3, 1, 10, 14, kWhite).frame(3, 1, 10, 14, kInk);
        check(r, 16, kGreen);
      },
      [](Raster& r) {  // file cipher: a key
        r.disc(4.5, 8, 3.5, kYellow).ring(4.5, 8, 3.5, kInk).disc(4.5, 8, 1, kWhite);
        r.fill(8, 7, 7, 2, kYellow).fill(12, 9, 1, 3, kYellow).fill(14, 9, 1, 2, kYellow);
      },
      [](Raster& r) {  // network identity: three linked machines
        r.line(4, 4, 12, 4, kInk).line(4, 4, 8, 12, kInk).line(12, 4, 8, 12, kInk);
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 2}, {10, 2}, {6, 10}}) r.fill(x, y, 5, 4, kBlue).frame(x, y, 5, 4, kInk);
      },
      [](Raster& r) {  // about: an "i"
        r.disc(8, 8, 7, kBlue).fill(7, 7, 2, 6, kWhite).fill(7, 4, 2, 2, kWhite);
      },
      [](Raster& r) {  // the web site: a globe
        globe(r, kGreen);
      },
      [](Raster& r) {  // quit: a power sign
        r.ring(8, 8.5, 5.5, kRed).ring(8, 8.5, 4.8, kRed).fill(6, 1, 4, 4, 0).fill(7, 1, 2, 8, kRed);
      },
  };
  return painters;
}

}  // namespace

ui::Image applicationIcon(int size) {
  Raster r(size, size);
  shield(r, size, kBlue, 0xFF0B2F6B);
  check(r, size, kWhite);
  return r.take();
}

ui::ImageList navigationImages() {
  ui::ImageList list(16, 16);
  for (const Painter& paint : navigationPainters()) {
    Raster r(16, 16);
    paint(r);
    list.add(r.take());
  }
  return list;
}

ui::ImageList languageFlags() {
  ui::ImageList list(16, 16);
  auto vertical = [](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    Raster r(16, 16);
    r.fill(0, 3, 5, 10, a).fill(5, 3, 6, 10, b).fill(11, 3, 5, 10, c).frame(0, 3, 16, 10, kGrey);
    return r.take();
  };
  auto horizontal = [](std::uint32_t a, int ha, std::uint32_t b, int hb, std::uint32_t c) {
    Raster r(16, 16);
    r.fill(0, 3, 16, ha, a).fill(0, 3 + ha, 16, hb, b).fill(0, 3 + ha + hb, 16, 10 - ha - hb, c).frame(0, 3, 16, 10, kGrey);
    return r.take();
  };
  list.add(vertical(0xFF0055A4, kWhite, 0xFFEF4135));  // France
  {
    Raster r(16, 16);  // the United Kingdom, simplified
    r.fill(0, 3, 16, 10, 0xFF012169);
    for (int i = -1; i <= 1; ++i) r.line(0, 3 + i + 1, 15, 12 + i - 1 + 1, kWhite).line(0, 12 + i, 15, 3 + i, kWhite);
    r.line(0, 3, 15, 12, 0xFFC8102E).line(0, 12, 15, 3, 0xFFC8102E);
    r.fill(6, 3, 4, 10, kWhite).fill(0, 6, 16, 4, kWhite).fill(7, 3, 2, 10, 0xFFC8102E).fill(0, 7, 16, 2, 0xFFC8102E);
    r.frame(0, 3, 16, 10, kGrey);
    list.add(r.take());
  }
  list.add(horizontal(0xFFAA151B, 3, 0xFFF1BF00, 4, 0xFFAA151B));   // Spain
  list.add(horizontal(0xFF000000, 3, 0xFFDD0000, 4, 0xFFFFCE00));  // Germany
  list.add(vertical(0xFF009246, kWhite, 0xFFCE2B37));               // Italy
  return list;
}

ui::ImageList internetGlyphs() {
  ui::ImageList list(16, 16);
  Raster allowed(16, 16);
  globe(allowed, kGreen);
  list.add(allowed.take());
  Raster blocked(16, 16);
  globe(blocked, kGrey);
  for (int i = 0; i < 2; ++i) blocked.line(2 + i, 13, 13 + i, 2, kRed);
  blocked.ring(8, 8, 6.5, kRed);
  list.add(blocked.take());
  return list;
}

}  // namespace tg
