#include "app/NavigationList.h"

namespace tg {

void fillNavigationList(ui::ListBox& list, const LanguageTable& table) {
  std::vector<std::string> items;
  for (int entry : kNavigationEntries) items.push_back(table.text(entry));
  list.setItems(std::move(items));
}

void drawNavigationRow(ui::Canvas& canvas, const ui::ImageList& images, int index, const std::string& text,
                       const ui::Rect& area, ui::ItemState state) {
  canvas.fillRect(area, index % 2 == 1 ? ui::rgb(0xEE, 0xF3, 0xF4) : ui::kWhite);
  canvas.font().color = ui::kBlack;
  canvas.textOut(area.left + 30, area.top + 2, text);
  if (state.selected) {
    canvas.fillRect(area, ui::rgb(0xC5, 0xD1, 0xF8));
    canvas.font().color = ui::kYellow;
    canvas.font().bold = true;
    canvas.font().italic = true;
    canvas.textOut(area.left + 30, area.top + 2, text);
  }
  canvas.drawImage(images, index, area.left + 4, area.top + (kNavigationRowHeight - images.height()) / 2);
  if (state.focused) canvas.drawFocusRect(area);
}

}  // namespace tg
