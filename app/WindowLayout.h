#pragma once

#include "ui/Geometry.h"

namespace tg {

// Where the main window's navigation list and page area stand in its client
// area; the end-to-end tests find the pages' controls from here.
constexpr ui::Rect kNavigationListBounds{16, 48, 161, 369};
constexpr ui::Rect kPagePanelBounds{176, 48, 609, 369};

}  // namespace tg
