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
#include "testing/LanguageEntries.h"

namespace tg::testing {

// The control centre's main window over the fake platform, and the pages its
// navigation items build. Its French file's entry N reads "fr N" unless the
// fixture is given other entries (none: the test puts its own files).
class PageTest : public ::testing::Test {
 protected:
  FakePlatform fake;
  HeadlessDesktop desktop;
  std::unique_ptr<MainWindow> window;
  Lines connections;  // what the network engine writes at its next run, once withNetworkEngine()
  int netguardStarts = 0;

  explicit PageTest(const Lines& french = numberedEntries("fr ")) {
    if (!french.empty()) fake.files.addFile(fake.inProgram("kelm2013_fr.txt"), joinLines(french));
  }

  // The start-up, the window left hidden as at log-on.
  MainWindow& startHidden() {
    window = std::make_unique<MainWindow>(fake.platform, desktop, FakePlatform::kProgramDirectory, "1.17.08.28");
    window->FormCreate();
    return *window;
  }
  // The start-up, the window shown as the tray's item shows it, so that the
  // user's moves reach its controls.
  MainWindow& startShown() {
    startHidden().form.setVisible(true);
    return *window;
  }
  // The same, and what the start-up asked of the shell and the processes is
  // forgotten, so that tests see only what they cause.
  MainWindow& start() {
    startShown();
    fake.shell.requests.clear();
    fake.processes.endedNames.clear();
    return *window;
  }
  SharedState& state() { return window->centre.state; }

  // Chooses the navigation item of a language entry.
  void choose(int entry) {
    const auto it = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), entry);
    window->ListBox1.clickItem(static_cast<int>(it - kNavigationEntries.begin()));
  }
  // The same; the page it built.
  template <typename PageType>
  PageType& open(int entry) {
    choose(entry);
    auto* page = dynamic_cast<PageType*>(window->pages.page(entry));
    if (!page) throw std::logic_error("no page was built for entry " + std::to_string(entry));
    return *page;
  }

  // A network engine that writes `connections`, and a closing line, at each run.
  void withNetworkEngine() {
    fake.files.addFile(fake.inProgram("netguard.exe"), "MZ");
    fake.shell.onExecute = [this](const ShellRequest& r) -> std::intptr_t {
      if (r.file == fake.inProgram("netguard.exe")) {
        ++netguardStarts;
        Lines out = connections;
        out.push_back("end;0;;");
        fake.files.addFile(fake.inProgram("netguard.txt"), joinLines(out));  // written whatever the test does to the disk
      }
      return kShellSuccess;
    };
  }
  // Runs the next tick of the monitor's timer through its waits.
  void tick() {
    fake.timers.advance(1500);
    fake.timers.advance(700);
  }
};

}  // namespace tg::testing
