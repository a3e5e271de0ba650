// The rule list's filter and its removal of many programs, against a rule
// store of 10,000 rows, in a real main window: a program's name typed letter
// by letter into the filter box as the keyboard gives it, each key timed until
// the list has painted (aim: under 50 ms a key); then 1,000 of the programs
// selected and removed with Delete and Yes, the save included (aim: under
// 1 s). Run under wine:
//   wine build/windows/bench/filter_bench.exe [rules]
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchKit.h"
#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "pages/records/RuleListPage.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"
#include "base/Text.h"
#include "win32/TempFolder.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Platform.h"

namespace {

using namespace tg;
using namespace tg::bench;

// Answers Yes to every question box of the program while it lives.
class YesPresser {
 public:
  YesPresser()
      : thread_([this] {
          while (!done_) {
            if (HWND box = FindWindowA("#32770", "Tarnivoxguard2013"))
              PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
            Sleep(2);
          }
        }) {}
  ~YesPresser() {
    done_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::size_t count = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 10000;
  testing::TempFolder dir;
  win32::Win32Platform real;
  const LocaleFormats locale = real.locale.formats();
  if (!fillRuleFolder(real.files, dir.path(), locale, count)) return 1;
  const StoreFile file = ruleFile(real.files, dir.path(), locale);

  win32::Win32Desktop desktop;
  auto window = std::make_unique<MainWindow>(real.platform, desktop, dir.path(), "bench");
  MainWindow& w = *window;
  w.FormCreate();
  w.Timer1.setEnabled(false);  // no monitor ticks amid the figures
  w.showFromTray();
  pumpUntilPainted();
  const auto item = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), nav::kRuleList);
  w.ListBox1.clickItem(static_cast<int>(item - kNavigationEntries.begin()));
  pumpUntilPainted();
  auto* page = dynamic_cast<RuleListPage*>(w.pages.page(nav::kRuleList));
  if (!page || page->ListView2.rowCount() != static_cast<int>(count)) {
    std::printf("the rule list page did not open with %zu rows\n", count);
    return 1;
  }
  HWND box = windowOf(page->filterBox());
  HWND list = windowOf(page->ListView2);

  // 1. A name typed into the filter, each key until the list has painted.
  const std::string typed = "prog" + std::to_string(1000 + count / 2) + ".exe";
  std::vector<double> keys;
  for (char c : typed)
    keys.push_back(milliseconds([&] {
      SendMessageA(box, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
      pumpUntilPainted();
    }));
  const int found = page->ListView2.shownCount();
  const bool painted = !GetUpdateRect(list, nullptr, FALSE);
  SendMessageA(box, WM_CHAR, 0x1B, 1);  // Escape: every row again
  pumpUntilPainted();

  // 2. 1,000 programs selected and removed with Delete and Yes, saved.
  const std::size_t removed = std::min<std::size_t>(1000, count);
  std::vector<int> positions;
  for (std::size_t i = 0; i < removed; ++i) positions.push_back(static_cast<int>(i * (count / removed)));
  page->ListView2.selectShown(positions);
  pumpUntilPainted();
  double removal = 0;
  {
    YesPresser yes;
    removal = milliseconds([&] {
      SendMessageA(list, WM_KEYDOWN, VK_DELETE, 1);
      pumpUntilPainted();
    });
  }
  RecordStore saved("ClientDataSet1");
  file.load(saved);
  window.reset();

  std::printf("rule list of %zu rules:\n", count);
  std::printf("  filter typed \"%s\", from each key to the list painted: median %.1f ms, worst %.1f ms  %s\n",
              typed.c_str(), median(keys), *std::max_element(keys.begin(), keys.end()),
              *std::max_element(keys.begin(), keys.end()) < 50 ? "under 50 ms" : "OVER 50 ms");
  std::printf("    each key:");
  for (double k : keys) std::printf(" %.1f", k);
  std::printf("\n    rows shown at the end: %d (1 expected)%s\n", found, painted ? "" : ", the list not painted");
  std::printf("  %zu programs removed with Delete and Yes, saved: %.1f ms  %s\n", removed, removal,
              removal < 1000 ? "under 1 s" : "OVER 1 s");
  std::printf("    rules left in the file: %zu (%zu expected)\n", saved.rows().size(), count - removed);
  return found == 1 && saved.rows().size() == count - removed ? 0 : 1;
}
