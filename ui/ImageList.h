#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tg::ui {

// A picture as 32-bit pixels, 0xAARRGGBB, row by row from the top; alpha 0 is
// transparent.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  // A picture drawn as text: one character per pixel, '.' transparent, other
  // characters looked up in `palette` ("Xff0000" means X is red).
  static Image fromArt(const std::vector<std::string>& rows, const std::vector<std::string>& palette);
};

// Pictures of one size, addressed by their index.
class ImageList {
 public:
  ImageList(int width, int height) : width_(width), height_(height) {}
  int width() const { return width_; }
  int height() const { return height_; }
  int count() const { return static_cast<int>(images_.size()); }
  // Adds a picture of the list's size; a picture of another size is refused.
  bool add(Image image);
  const Image& at(int index) const { return images_.at(static_cast<std::size_t>(index)); }

 private:
  int width_;
  int height_;
  std::vector<Image> images_;
};

}  // namespace tg::ui
