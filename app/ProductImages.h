#pragma once

#include "ui/ImageList.h"

namespace tg {

// The product's own pictures, drawn in code.

// The application's icon (a blue shield with a white check), square.
ui::Image applicationIcon(int size);
// ImageList1: one 16 x 16 picture per navigation row, in row order.
ui::ImageList navigationImages();
// ImageList2: the five language flags, in the language list's order: FR, GB, ESP, DE, ITA.
ui::ImageList languageFlags();
// ImageList3: the Internet button's glyphs, 0 allowed and 1 blocked.
ui::ImageList internetGlyphs();

}  // namespace tg
