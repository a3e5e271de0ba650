#include <gtest/gtest.h>

#include "pages/records/RuleListPage.h"
#include "pages/tools/ConnectionsPage.h"
#include "stores/DataPacket.h"
#include "PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

std::string line(const std::string& name, std::uint32_t pid, const std::string& port = "5000") {
  return name + ";" + std::to_string(pid) + ";TCP;10.0.0.2:50000;1.2.3.4;" + port + ";ESTABLISHED;50000;;;;";
}

class ConnectionsPageTest : public testing::PageTest {
 protected:
  ConnectionsPageTest() { withNetworkEngine(); }

  // The page on the window's page panel, as its item builds it.
  ConnectionsPage& open() {
    PageContext context{window->pageWindow, window->PagePanel};
    page_ = ConnectionsPage::build(context);
    window->PagePanel.setVisible(true);  // as the page host shows it
    return dynamic_cast<ConnectionsPage&>(*page_);
  }
  // The next reading, and the page's look at it.
  void reading(Lines lines) {
    connections = std::move(lines);
    const std::uint64_t before = window->monitor.latestReading().number;
    for (int i = 0; i < 100 && window->monitor.latestReading().number == before; ++i) fake.timers.advance(100);
    fake.timers.advance(ConnectionsPage::kFollowMs);
  }
  // Column `column` of the rows in the order shown.
  Names shown(std::size_t column) {
    Names texts;
    ConnectionsPage& p = dynamic_cast<ConnectionsPage&>(*page_);
    for (int position = 0; position < p.List.shownCount(); ++position)
      texts.push_back(p.List.rows()[static_cast<std::size_t>(p.List.shownRow(position))].text(column));
    return texts;
  }
  Names selected() {
    Names names;
    ConnectionsPage& p = dynamic_cast<ConnectionsPage&>(*page_);
    for (int row : p.List.selectedRows()) names.push_back(p.List.rows()[static_cast<std::size_t>(row)].text(1));
    return names;
  }
  void select(const std::string& program) {
    ConnectionsPage& p = dynamic_cast<ConnectionsPage&>(*page_);
    const Names programs = shown(1);
    p.List.selectShown({static_cast<int>(std::find(programs.begin(), programs.end(), program) - programs.begin())});
  }
  std::string decision(Verdict verdict, std::string detail = {}) {
    return ConnectionsPage::decisionText({verdict, std::move(detail)}, window->centre.languageTable);
  }

  std::unique_ptr<Page> page_;
};

TEST_F(ConnectionsPageTest, TheListFollowsEveryReadingKeepingOrderAndSelectionMarkingNewRowsAndAPauseFreezesIt) {
  fake.files.addFile(fake.inProgram("regles.xml"),
                     encodeDataPacket(schemaOf(StoreId::Rules).fields, {{"known.exe"}}, CodePage(1252)));
  start();
  const auto known = fake.processes.add("known.exe", {"C:\\Apps\\known.exe"});
  const auto fresh = fake.processes.add("fresh.exe", {"C:\\Apps\\fresh.exe"});
  state().ProtocolSwitches[static_cast<std::size_t>(Protocol::HTTP)] = true;
  const auto web = fake.processes.add("web.exe", {"C:\\Apps\\web.exe"});
  reading({line("known.exe", known), line("fresh.exe", fresh), line("web.exe", web, "80")});
  ConnectionsPage& page = open();
  EXPECT_EQ(shown(1), (Names{"known.exe", "fresh.exe", "web.exe"}));
  EXPECT_EQ(shown(2), (Names{decision(Verdict::AllowedByRule), decision(Verdict::New),
                             decision(Verdict::ProtocolSwitch, "HTTP")}));
  EXPECT_EQ(shown(0), (Names{"", "", ""})) << "nothing to be new against";

  // Sorted by process id, highest first, and one row selected: both stay.
  page.columnClick(3);
  page.columnClick(3);
  EXPECT_EQ(shown(1), (Names{"web.exe", "fresh.exe", "known.exe"}));
  select("fresh.exe");
  const auto later = fake.processes.add("later.exe", {"C:\\Apps\\later.exe"});
  reading({line("known.exe", known), line("fresh.exe", fresh), line("later.exe", later)});
  EXPECT_EQ(shown(1), (Names{"later.exe", "fresh.exe", "known.exe"}));
  EXPECT_EQ(shown(0), (Names{"\xBB", "", ""}));
  EXPECT_EQ(selected(), (Names{"fresh.exe"}));
  EXPECT_EQ(shown(2)[1], decision(Verdict::AllowedByRule)) << "recorded at the reading before";
  reading({line("fresh.exe", fresh), line("later.exe", later)});
  EXPECT_EQ(shown(1), (Names{"later.exe", "fresh.exe"})) << "gone, and new for one reading only";
  EXPECT_EQ(shown(0), (Names{"", ""}));

  page.PauseBox.click();
  const auto paused = fake.processes.add("paused.exe", {"C:\\Apps\\paused.exe"});
  reading({line("fresh.exe", fresh), line("paused.exe", paused)});
  EXPECT_EQ(shown(1), (Names{"later.exe", "fresh.exe"}));
  page.PauseBox.click();
  EXPECT_EQ(shown(1), (Names{"paused.exe", "fresh.exe"})) << "the latest at once";

  // Copied with the header first.
  select("fresh.exe");
  page.List.command(ui::ListView::Command::Copy);
  ASSERT_TRUE(fake.clipboard.text);
  EXPECT_EQ(fake.clipboard.text->substr(0, fake.clipboard.text->find("\r\n")),
            "\tfr 10\t" + window->centre.languageTable.text(136) + "\t" + window->centre.languageTable.text(130) +
                "\t" + window->centre.languageTable.text(131) + "\t" + window->centre.languageTable.text(132) + "\t" +
                window->centre.languageTable.text(133) + "\t" + window->centre.languageTable.text(134) + "\t" +
                window->centre.languageTable.text(135));
}

TEST_F(ConnectionsPageTest, TheSelectedProgramsGoIntoQuarantineOrEndAndALostReadingLeavesTheRowsMarkedOld) {
  start();
  const auto a = fake.processes.add("a.exe", {"C:\\Apps\\a.exe"});
  const auto b = fake.processes.add("b.exe", {"C:\\Apps\\b.exe"});
  reading({line("a.exe", a), line("b.exe", b)});
  ConnectionsPage& page = open();

  select("a.exe");
  page.QuarantineButton.click();  // declined
  EXPECT_EQ(fake.dialogs.questions.back(), "fr 20a.exe");
  fake.dialogs.answerNext(Answer::Yes);
  page.QuarantineButton.click();
  EXPECT_EQ(state().QuarantineNames, (Names{"a.exe"}));
  reading({line("a.exe", a), line("b.exe", b)});
  EXPECT_EQ(fake.processes.endedNames, (Names{"a.exe"})) << "ended at the next reading";
  EXPECT_EQ(shown(2)[0], decision(Verdict::Quarantined));

  select("b.exe");
  fake.dialogs.answerNext(Answer::Yes);
  page.EndButton.click();
  EXPECT_EQ(fake.dialogs.questions.back(), window->centre.languageTable.text(149) + "b.exe");
  EXPECT_EQ(fake.processes.ended.back(), "b.exe#" + std::to_string(b));

  // The rule list opens on that program, once the page's handler is done.
  page.RulesButton.click();
  page_.reset();
  fake.timers.advance(1);
  auto* rules = dynamic_cast<RuleListPage*>(window->pages.page(nav::kRuleList));
  ASSERT_NE(rules, nullptr);
  EXPECT_EQ(rules->filterBox().text(), "b.exe");

  // No list any more: the last rows stay, said to be old.
  ConnectionsPage& again = open();
  EXPECT_EQ(again.StateLabel.caption(), "");
  fake.shell.onExecute = [](const ShellRequest&) -> std::intptr_t { return kShellSuccess; };
  fake.files.remove(fake.inProgram("netguard.txt"));
  for (int i = 0; i < 300 && again.StateLabel.caption().empty(); ++i) fake.timers.advance(100);
  EXPECT_EQ(again.StateLabel.caption(), window->centre.languageTable.text(148));
  EXPECT_EQ(shown(1), (Names{"a.exe", "b.exe"}));
}

}  // namespace
}  // namespace tg
