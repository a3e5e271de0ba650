// The connections page of the real control centre under wine: the readings of
// the network engine shown with what the monitor decided about each, and a
// program put in quarantine from the page.
#include "ControlCentreKit.h"

#include <commctrl.h>

#include "pages/Pages.h"

namespace tg::e2e {
namespace {

constexpr int kProgramColumn = 1, kVerdictColumn = 2, kPidColumn = 3;
constexpr int kAllowedByRule = 137, kQuarantined = 140;

TEST(ConnectionsUnderWine, ThePageShowsEachReadingsVerdictsAndPutsAProgramInQuarantineFromIt) {
  Victim kept("kept");      // recorded at the first reading, allowed by its rule after
  Victim banned("banned");  // in quarantine from the start
  Victim victim;            // put in quarantine from the page
  ASSERT_TRUE(kept.process && banned.process && victim.process);
  ProgramDirectory dir;
  storeFile(dir, StoreId::Quarantine, {{"banned.exe"}});
  answerAsNetworkEngine(dir, {kept.connectionLine(), banned.connectionLine(), victim.connectionLine()});
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(centre.choose(nav::kConnections));
  HWND listWindow = pageControl(centre, WC_LISTVIEWA, 8, 24);
  ASSERT_TRUE(listWindow);
  const RemoteListView list(listWindow, centre.process.pid());
  ASSERT_TRUE(list);
  EXPECT_EQ(list.columns(), 9);

  auto rowOf = [&](const std::string& program) {
    for (int row = 0; row < list.rows(); ++row)
      if (list.text(row, kProgramColumn) == program) return row;
    return -1;
  };
  auto verdictOf = [&](const std::string& program) {
    const int row = rowOf(program);
    return row < 0 ? std::string("(no row)") : list.text(row, kVerdictColumn);
  };
  auto allShow = [&](const std::vector<std::pair<std::string, int>>& expected) {
    return waitFor([&] {
      for (const auto& [program, entry] : expected)
        if (verdictOf(program) != dir.entry(entry)) return false;
      return list.rows() == 3;
    }, 20000);
  };

  // From the second reading on, the new programs have their rules; the one in
  // quarantine is ended, and said to be.
  EXPECT_TRUE(allShow({{"kept.exe", kAllowedByRule}, {"victim.exe", kAllowedByRule}, {"banned.exe", kQuarantined}}))
      << verdictOf("kept.exe") << " / " << verdictOf("victim.exe") << " / " << verdictOf("banned.exe");
  EXPECT_TRUE(banned.process.waitForExit(10000));
  EXPECT_EQ(list.text(rowOf("victim.exe"), kPidColumn), std::to_string(victim.process.pid()));
  screenshot(centre.mainWindow(), "connections.bmp");

  // The victim's row, selected, put in quarantine with one question; the
  // monitor ends it at its next reading and the page says why.
  list.clickRow(rowOf("victim.exe"));
  ASSERT_TRUE(waitFor([&] { return list.selectedCount() == 1 && list.selected() == rowOf("victim.exe"); }, 10000));
  HWND quarantine = pageControl(centre, "BUTTON", 8, 338);
  ASSERT_TRUE(quarantine);
  clickButton(quarantine);
  answerNextBox(IDYES);
  EXPECT_TRUE(victim.process.waitForExit(20000)) << "ended at the next reading";
  EXPECT_TRUE(allShow({{"kept.exe", kAllowedByRule}, {"victim.exe", kQuarantined}, {"banned.exe", kQuarantined}}))
      << verdictOf("victim.exe");
  EXPECT_EQ(list.selected(), rowOf("victim.exe")) << "the selection stays on its connection";
  EXPECT_FALSE(kept.process.waitForExit(0));
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"banned.exe", "victim.exe"}));
  EXPECT_EQ(namesIn(dir, StoreId::Rules), (std::vector<std::string>{"kept.exe"})) << "its rule goes with it";
  screenshot(centre.mainWindow(), "connections-quarantined.bmp");
}

}  // namespace
}  // namespace tg::e2e
