#pragma once

#include <string>
#include <vector>

#include "ui/ImageList.h"

namespace tg::ui {

// The bytes of a Windows .ico file holding the pictures (32-bit, with their
// transparency and an AND mask), as the resource compiler wants it.
std::string iconFile(const std::vector<Image>& pictures);

}  // namespace tg::ui
