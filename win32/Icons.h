#pragma once

#include <windows.h>

#include "ui/ImageList.h"

namespace tg::win32 {

// An icon made from a model picture, with its transparency; null on failure.
// The caller destroys it with DestroyIcon.
HICON createIcon(const ui::Image& picture);

}  // namespace tg::win32
