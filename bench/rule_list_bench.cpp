// The rule list against a rule store of 10,000 rows, in one run: loading the
// store's file, opening the rule list page in a real main window until the
// list has painted, and sorting it by its date column, each page figure set
// beside the load. The target is each within three times the load. Run under
// wine:
//   wine build/windows/bench/rule_list_bench.exe [rows]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "BenchKit.h"
#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "pages/records/RuleListPage.h"
#include "stores/DateText.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"
#include "base/Text.h"
#include "win32/MessageLoop.h"
#include "win32/TempFolder.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Platform.h"
#include "win32/peers/WindowPeer.h"

namespace {

using namespace tg;
using namespace tg::bench;

}  // namespace

int main(int argc, char** argv) {
  const std::size_t count = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 10000;
  constexpr int kRuns = 7;
  testing::TempFolder dir;
  win32::Win32Platform real;
  const LocaleFormats locale = real.locale.formats();
  if (!fillRuleFolder(real.files, dir.path(), locale, count)) return 1;
  const StoreFile file = ruleFile(real.files, dir.path(), locale);

  // 1. The store's file alone.
  std::vector<double> loads;
  for (int i = 0; i < kRuns; ++i) {
    RecordStore store("ClientDataSet1");
    loads.push_back(milliseconds([&] { file.load(store); }));
    if (store.rows().size() != count) {
      std::printf("the store read back %zu rows of %zu\n", store.rows().size(), count);
      return 1;
    }
  }

  win32::Win32Desktop desktop;
  auto window = std::make_unique<MainWindow>(real.platform, desktop, dir.path(), "bench");
  MainWindow& w = *window;
  w.FormCreate();
  w.Timer1.setEnabled(false);  // no monitor ticks amid the figures
  w.showFromTray();
  pumpUntilPainted();
  const auto item = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), nav::kRuleList);
  const int ruleItem = static_cast<int>(item - kNavigationEntries.begin());

  // 2. and 3. The page opened afresh each time, then sorted from store order.
  // Each also in its two parts: the click's own work, then the messages it left.
  std::vector<double> opens, sorts, openClicks, openPaints, sortClicks, sortPaints;
  bool painted = true;
  for (int i = 0; i < kRuns; ++i) {
    openClicks.push_back(milliseconds([&] { w.ListBox1.clickItem(ruleItem); }));
    openPaints.push_back(milliseconds(pumpUntilPainted));
    opens.push_back(openClicks.back() + openPaints.back());
    auto* page = dynamic_cast<RuleListPage*>(w.pages.page(nav::kRuleList));
    if (!page || page->ListView2.rowCount() != static_cast<int>(count)) {
      std::printf("the rule list page did not open with %zu rows\n", count);
      return 1;
    }
    sortClicks.push_back(milliseconds([&] { page->ListView2.clickColumn(2); }));
    sortPaints.push_back(milliseconds(pumpUntilPainted));
    sorts.push_back(sortClicks.back() + sortPaints.back());
    painted = painted && !GetUpdateRect(windowOf(page->ListView2), nullptr, FALSE);
    RecordedDateOrder order(locale, page->ListView2);
    for (int r = 1; r < page->ListView2.rowCount(); ++r)
      if (order.compare(r - 1, r) > 0) {
        std::printf("the list is not in date order at row %d\n", r);
        return 1;
      }
  }

  // Where the page's time goes: the rows given to a list and sorted without any window.
  std::vector<double> building, modelSorts, datesRead;
  std::size_t readable = 0;
  for (int i = 0; i < kRuns; ++i) {
    const RecordStore& store = w.centre.stores.table(StoreId::Rules);
    ui::ListView list("ListView2", {8, 24, 585, 320});
    building.push_back(milliseconds([&] { list.setSource(std::make_shared<RecordRows>(store, w.centre.languageTable)); }));
    RecordedDateOrder order(locale, list);
    list.onCompare = [&order](int a, int b) { return order.compare(a, b); };
    modelSorts.push_back(milliseconds([&] { list.sort(); }));
    datesRead.push_back(milliseconds([&] {
      for (int row = 0; row < list.rowCount(); ++row)
        if (parseDateTimeText(locale, list.text(row, 2))) ++readable;
    }));
  }
  window.reset();

  const double load = median(loads), open = median(opens), sort = median(sorts);
  std::printf("rule list of %zu rules, median of %d runs (first run in brackets):\n", count, kRuns);
  std::printf("  load regles.xml          %8.1f ms  (%.1f)\n", load, loads.front());
  std::printf("  open the rule list page  %8.1f ms  (%.1f)  page/load %.2f  %s\n", open, opens.front(), open / load,
              open <= 3 * load ? "within 3x" : "OVER 3x");
  std::printf("  sort by the third column %8.1f ms  (%.1f)  sort/load %.2f  %s\n", sort, sorts.front(), sort / load,
              sort <= 3 * load ? "within 3x" : "OVER 3x");
  std::printf("  the click's work, then its messages: page %.1f + %.1f ms, sort %.1f + %.1f ms\n", median(openClicks),
              median(openPaints), median(sortClicks), median(sortPaints));
  std::printf("  without windows: rows given %.1f ms, rows sorted %.1f ms (their dates read alone %.1f ms)\n",
              median(building), median(modelSorts), median(datesRead));
  if (readable != count * kRuns) std::printf("  only %zu dates of %zu could be read\n", readable / kRuns, count);
  if (!painted) std::printf("  the list still had parts to paint after the messages were handled\n");
  return 0;
}
