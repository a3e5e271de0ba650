#include "ui/ImageList.h"

#include <charconv>

namespace tg::ui {

Image Image::fromArt(const std::vector<std::string>& rows, const std::vector<std::string>& palette) {
  std::uint32_t colours[256] = {};
  for (const std::string& entry : palette) {
    if (entry.size() != 7) continue;
    std::uint32_t rgb = 0;
    std::from_chars(entry.data() + 1, entry.data() + 7, rgb, 16);
    colours[static_cast<unsigned char>(entry[0])] = 0xFF000000u | rgb;
  }
  Image image;
  image.height = static_cast<int>(rows.size());
  image.width = rows.empty() ? 0 : static_cast<int>(rows.front().size());
  image.pixels.assign(static_cast<std::size_t>(image.width * image.height), 0);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width && x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x)
      image.pixels[static_cast<std::size_t>(y * image.width + x)] =
          colours[static_cast<unsigned char>(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])];
  return image;
}

bool ImageList::add(Image image) {
  if (image.width != width_ || image.height != height_) return false;
  images_.push_back(std::move(image));
  return true;
}

}  // namespace tg::ui
