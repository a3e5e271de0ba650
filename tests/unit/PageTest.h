#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "stores/TextFile.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"

namespace tg::testing {

// A main window over the fake platform, whose French entry N reads "fr N",
// and the pages its navigation items build.
class PageTest : public ::testing::Test {
 protected:
  FakePlatform fake;
  HeadlessDesktop desktop;
  std::unique_ptr<MainWindow> window;

  PageTest() {
    Lines entries;
    for (int n = 1; n <= 101; ++n) entries.push_back("fr " + std::to_string(n));
    fake.files.addFile(fake.inProgram("kelm2013_fr.txt"), joinLines(entries));
  }

  // The start-up, the window shown; what the start-up asked of the shell and
  // the processes is forgotten, so that tests see only what they cause.
  MainWindow& start() {
    window = std::make_unique<MainWindow>(fake.platform, desktop, FakePlatform::kProgramDirectory, "1.17.08.28");
    window->FormCreate();
    window->form.setVisible(true);
    fake.shell.requests.clear();
    fake.processes.endedNames.clear();
    return *window;
  }
  SharedState& state() { return window->centre.state; }

  // Chooses the navigation item of a language entry; the page it built.
  template <typename PageType>
  PageType& open(int entry) {
    const auto it = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), entry);
    window->ListBox1.clickItem(static_cast<int>(it - kNavigationEntries.begin()));
    auto* page = dynamic_cast<PageType*>(window->pages.page(entry));
    if (!page) throw std::logic_error("no page was built for entry " + std::to_string(entry));
    return *page;
  }
};

}  // namespace tg::testing
