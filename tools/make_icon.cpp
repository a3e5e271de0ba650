// Writes the application's icon file from the product's own drawing:
//   make_icon <path of the .ico>
// The file is kept in the source tree; a unit test checks it matches.
#include <cstdio>
#include <fstream>

#include "app/ProductImages.h"
#include "ui/IconFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon <file.ico>\n");
    return 2;
  }
  const std::string bytes = tg::ui::iconFile({tg::applicationIcon(16), tg::applicationIcon(32), tg::applicationIcon(48)});
  std::ofstream out(argv[1], std::ios::binary);
  out << bytes;
  return out ? 0 : 1;
}
