#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <memory>
#include <vector>

#include "pages/Pages.h"
#include "ui/Containers.h"

namespace tg {

class MainWindow;

// The order in which the page host tests a chosen item's text, as language entries.
constexpr std::array<int, 21> kPageTestOrder = {1, 2, 3, 4, 85, 5, 6, 99, 96, 90, 48, 25, 57, 58, 64, 59, 60, 61, 62, 63, 129};

// The page area of the main window: every choice of a navigation item tears
// the shown page down and builds the chosen one afresh.
class PageHost {
 public:
  PageHost(MainWindow& window, PageWindow& lent) : window_(window), lent_(lent) {}

  // A page's builder, by the language entry of its item. An item whose page
  // has no builder builds nothing.
  void registerPage(int entry, PageBuilder builder);

  // The user chose a navigation item.
  void ListBox1Click();
  // Destroys every built page and puts the page panel back, hidden.
  void TearDownPages();
  bool built(int entry) const;
  Page* page(int entry) const;
  // The language entries of the pages built, in the order they were built.
  std::vector<int> builtPages() const;

 private:
  struct Slot {
    PageBuilder builder;
    bool built = false;                 // the page's marker
    std::vector<ui::Control*> controls;  // its controls on the panel
    std::unique_ptr<Page> state;
    long order = 0;
  };
  void choose(int entry);
  void buildPage(int entry, Slot& slot);
  void destroyPage(Slot& slot);

  MainWindow& window_;
  PageWindow& lent_;  // what the pages reach of the window
  std::map<int, Slot> pages_;
  long builds_ = 0;
};

}  // namespace tg
