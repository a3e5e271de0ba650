#include "win32/peers/PeerContext.h"

#include <commctrl.h>

namespace tg::win32 {

COLORREF colorRef(const ui::Color& c, int systemColor) {
  return c.isDefault ? GetSysColor(systemColor) : RGB(c.red, c.green, c.blue);
}

Bitmap::Bitmap(const ui::Image& image) : width_(image.width), height_(image.height) {
  if (image.width <= 0 || image.height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) return;
  auto* out = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint32_t p = image.pixels[i];
    const std::uint32_t a = p >> 24;
    const std::uint32_t r = ((p >> 16) & 0xFF) * a / 255;
    const std::uint32_t g = ((p >> 8) & 0xFF) * a / 255;
    const std::uint32_t b = (p & 0xFF) * a / 255;
    out[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
}

Bitmap::~Bitmap() {
  if (bitmap_) DeleteObject(bitmap_);
}

void Bitmap::draw(HDC dc, int x, int y, int width, int height) const {
  if (!bitmap_) return;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  HGDIOBJ old = SelectObject(memory, bitmap_);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, memory, 0, 0, width_, height_, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
}

PeerContext::PeerContext() {
  if (HDC screen = GetDC(nullptr)) {
    dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
  }
  if (dpi_ <= 0) dpi_ = 96;
}

PeerContext::~PeerContext() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
  if (tooltips_) DestroyWindow(tooltips_);
}

RECT PeerContext::scaled(int left, int top, int width, int height) const {
  return RECT{scale(left), scale(top), scale(left + width), scale(top + height)};
}

HFONT PeerContext::font(const ui::Font& f) {
  const int style = (f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0);
  const auto key = std::make_tuple(f.name, f.height, style);
  if (const auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  HFONT font = CreateFontA(scale(f.height), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_[key] = font;
  return font;
}

HBRUSH PeerContext::brush(COLORREF color) {
  if (const auto it = brushes_.find(color); it != brushes_.end()) return it->second;
  HBRUSH b = CreateSolidBrush(color);
  brushes_[color] = b;
  return b;
}

const Bitmap& PeerContext::imageOf(const ui::ImageList& list, int index) {
  auto& slot = images_[{&list, index}];
  if (!slot) slot = std::make_unique<Bitmap>(list.at(index));
  return *slot;
}

HWND PeerContext::tooltips(HWND owner) {
  if (!tooltips_)
    tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  return tooltips_;
}

}  // namespace tg::win32
