#include "win32/Screenshot.h"

#include "base/Text.h"

#include <fstream>

namespace tg::testing {

Screenshot::Screenshot(HWND window) {
  RECT outer;
  GetWindowRect(window, &outer);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  clientOrigin_ = {origin.x - outer.left, origin.y - outer.top};
  width_ = outer.right - outer.left;
  height_ = outer.bottom - outer.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width_, height_, screen, outer.left, outer.top, SRCCOPY);
  GdiFlush();
  bits_.assign(static_cast<const char*>(bits), static_cast<std::size_t>(width_) * height_ * 4);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

COLORREF Screenshot::pixel(int x, int y) const {
  x += clientOrigin_.x;
  y += clientOrigin_.y;
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const auto* p = reinterpret_cast<const unsigned char*>(bits_.data()) + (static_cast<std::size_t>(y) * width_ + x) * 4;
  return RGB(p[2], p[1], p[0]);
}

bool Screenshot::saveBmp(const std::string& path) const {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = -height_;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + bits_.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  // The screen leaves the fourth byte at 0, which viewers would read as fully transparent.
  std::string opaque = bits_;
  for (std::size_t i = 3; i < opaque.size(); i += 4) opaque[i] = static_cast<char>(0xFF);
  out.write(opaque.data(), static_cast<std::streamsize>(opaque.size()));
  return static_cast<bool>(out);
}

std::string artefactDirectory() {
  const std::string dir = replacedAll(TG_ARTEFACT_DIR, '/', '\\');
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

}  // namespace tg::testing
