#include "app/PageHost.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "app/WindowLayout.h"

namespace tg {

void PageHost::registerPage(int entry, PageBuilder builder) { pages_[entry].builder = std::move(builder); }

bool PageHost::built(int entry) const {
  const auto it = pages_.find(entry);
  return it != pages_.end() && it->second.built;
}

Page* PageHost::page(int entry) const {
  const auto it = pages_.find(entry);
  return it == pages_.end() ? nullptr : it->second.state.get();
}

std::vector<int> PageHost::builtPages() const {
  std::vector<std::pair<long, int>> order;
  for (const auto& [entry, slot] : pages_)
    if (slot.built) order.emplace_back(slot.order, entry);
  std::sort(order.begin(), order.end());
  std::vector<int> entries;
  for (const auto& [n, entry] : order) entries.push_back(entry);
  return entries;
}

void PageHost::ListBox1Click() {
  ui::ListBox& list = window_.ListBox1;
  if (list.itemIndex() < 0) return;
  const std::string text = list.items()[static_cast<std::size_t>(list.itemIndex())];
  // Without texts every item would equal every entry and one click would run them all.
  if (text.empty()) return;
  for (int entry : kPageTestOrder)
    if (window_.centre.languageTable.text(entry) == text) choose(entry);
}

void PageHost::choose(int entry) {
  switch (entry) {
    case nav::kHome: window_.showHomePage(); return;
    case nav::kWebSite: window_.openWebSite(); return;
    case nav::kAbout: window_.openAboutBox(); return;
    case nav::kQuit: window_.quitItem(); return;
    default: break;
  }
  const auto it = pages_.find(entry);
  if (it == pages_.end() || !it->second.builder) return;  // not built yet by this program
  buildPage(entry, it->second);
}

void PageHost::buildPage(int, Slot& slot) {
  ui::Panel& panel = window_.PagePanel;
  window_.form.suspendRedraw(true);
  TearDownPages();
  panel.setVisible(true);
  panel.suspendRedraw(true);
  if (slot.built) destroyPage(slot);
  // A builder that fails (a store that cannot be read) still leaves its
  // controls to the page's teardown, and the window drawing again.
  struct Finish {
    PageHost& host;
    Slot& slot;
    std::size_t before;
    ~Finish() {
      ui::Panel& p = host.window_.PagePanel;
      slot.controls.clear();
      for (std::size_t i = before; i < p.children().size(); ++i) slot.controls.push_back(p.children()[i].get());
      slot.built = true;
      slot.order = ++host.builds_;
      host.window_.form.suspendRedraw(false);
      p.suspendRedraw(false);
    }
  } finish{*this, slot, panel.children().size()};
  PageContext context{lent_, panel};
  slot.state = slot.builder(context);
}

void PageHost::destroyPage(Slot& slot) {
  ui::Panel& panel = window_.PagePanel;
  for (ui::Control* control : slot.controls) panel.destroy(*control);
  slot.controls.clear();
  slot.state.reset();
  slot.built = false;
}

void PageHost::TearDownPages() {
  MainWindow& w = window_;
  for (ui::Control* c : std::initializer_list<ui::Control*>{&w.Label10, &w.Label11, &w.Label12, &w.TrackBar1, &w.BitBtn15})
    c->setVisible(false);
  ui::Panel& panel = w.PagePanel;
  panel.setEnabled(true);
  panel.setBounds({kPagePanelBounds.left, kPagePanelBounds.top, panel.bounds().width, kPagePanelBounds.height});
  panel.setVisible(false);
  panel.setBounds(kPagePanelBounds);
  for (auto& [entry, slot] : pages_)
    if (slot.built) destroyPage(slot);
}

}  // namespace tg
