#pragma once

#include <array>
#include <string>

#include "pages/Pages.h"
#include "stores/LanguageTable.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/Lists.h"

namespace tg {

// The row height of the navigation list: 17 pixels, so that its twenty-one
// rows fit the list's 369 without a scroll bar or a row cut in half.
constexpr int kNavigationRowHeight = 17;

// Fills the list with the texts of the current language.
void fillNavigationList(ui::ListBox& list, const LanguageTable& table);

// One row as the navigation list draws it: odd rows light grey-blue, even rows
// white, the text at 30 pixels from the left; a selected row light blue with
// its text in bold italic yellow; the row's picture at 4 pixels, centred; the
// focused row framed by the focus rectangle.
void drawNavigationRow(ui::Canvas& canvas, const ui::ImageList& images, int index, const std::string& text,
                       const ui::Rect& area, ui::ItemState state);

}  // namespace tg
