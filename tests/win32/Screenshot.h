#pragma once

#include <windows.h>

#include <string>

namespace tg::testing {

// What a window shows on the screen, as pixels.
class Screenshot {
 public:
  explicit Screenshot(HWND window);
  COLORREF pixel(int x, int y) const;  // in the window's client coordinates
  bool saveBmp(const std::string& path) const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  POINT clientOrigin_{0, 0};  // of the client area within the captured window
  std::string bits_;          // 32-bit rows, top down
};

std::string artefactDirectory();

}  // namespace tg::testing
