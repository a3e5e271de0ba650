#include "ui/Containers.h"

namespace tg::ui {

TabSheet& TabControl::addSheet(std::string name, std::string caption) {
  TabSheet& sheet = add<TabSheet>(std::move(name), std::move(caption));
  if (active_ < 0) {
    active_ = 0;
  } else {
    sheet.setVisible(false);
  }
  changed(Change::Items);
  return sheet;
}

std::vector<TabSheet*> TabControl::sheets() const {
  std::vector<TabSheet*> out;
  for (const auto& child : children())
    if (auto* sheet = dynamic_cast<TabSheet*>(child.get())) out.push_back(sheet);
  return out;
}

TabSheet* TabControl::activeSheet() const {
  const auto all = sheets();
  return active_ >= 0 && active_ < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(active_)] : nullptr;
}

void TabControl::setActiveIndex(int index) {
  const auto all = sheets();
  if (index < 0 || index >= static_cast<int>(all.size()) || index == active_) return;
  active_ = index;
  for (std::size_t i = 0; i < all.size(); ++i) all[i]->setVisible(static_cast<int>(i) == index);
  changed(Change::Position);
}

void TabControl::selectTab(int index) {
  const int before = active_;
  setActiveIndex(index);
  if (active_ != before) fire(onChange);
}

}  // namespace tg::ui
