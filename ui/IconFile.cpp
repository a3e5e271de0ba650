#include "ui/IconFile.h"

#include <cstdint>

namespace tg::ui {

namespace {

void put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One icon image: a bitmap header of double height, the colour rows bottom up,
// then the AND mask rows (1 = transparent), each row padded to 32 bits.
std::string iconImage(const Image& p) {
  std::string out;
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(p.width));
  put32(out, static_cast<std::uint32_t>(p.height * 2));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);  // BI_RGB
  const std::uint32_t maskRow = static_cast<std::uint32_t>((p.width + 31) / 32 * 4);
  put32(out, static_cast<std::uint32_t>(p.width * p.height * 4) + maskRow * static_cast<std::uint32_t>(p.height));
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  for (int y = p.height - 1; y >= 0; --y)
    for (int x = 0; x < p.width; ++x) put32(out, p.pixels[static_cast<std::size_t>(y * p.width + x)]);
  for (int y = p.height - 1; y >= 0; --y) {
    std::string row(maskRow, '\0');
    for (int x = 0; x < p.width; ++x)
      if ((p.pixels[static_cast<std::size_t>(y * p.width + x)] >> 24) == 0)
        row[static_cast<std::size_t>(x / 8)] = static_cast<char>(row[static_cast<std::size_t>(x / 8)] | (0x80 >> (x % 8)));
    out += row;
  }
  return out;
}

}  // namespace

std::string iconFile(const std::vector<Image>& pictures) {
  std::string header;
  put16(header, 0);
  put16(header, 1);  // an icon
  put16(header, static_cast<std::uint16_t>(pictures.size()));
  std::vector<std::string> images;
  for (const Image& p : pictures) images.push_back(iconImage(p));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
  std::string directory;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    directory += static_cast<char>(pictures[i].width >= 256 ? 0 : pictures[i].width);
    directory += static_cast<char>(pictures[i].height >= 256 ? 0 : pictures[i].height);
    directory += '\0';  // no palette
    directory += '\0';
    put16(directory, 1);
    put16(directory, 32);
    put32(directory, static_cast<std::uint32_t>(images[i].size()));
    put32(directory, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  std::string file = header + directory;
  for (const std::string& image : images) file += image;
  return file;
}

}  // namespace tg::ui
