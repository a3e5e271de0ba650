#include <gtest/gtest.h>

#include <algorithm>

#include "pages/records/AlertListPage.h"
#include "pages/records/IntegrityPage.h"
#include "pages/records/RuleListPage.h"
#include "stores/DataPacket.h"
#include "unit/PageTest.h"
#include "testing/StoreRows.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

// A rule or an alert as the monitor writes it; `path` names its program's file.
Row record(const std::string& name, const std::string& when, const std::string& path = "") {
  return {name, when, "@", "07/11/2025", "3", "32", "PC/Elodie", path, path.empty() ? "0" : "12345", "x10", "x11"};
}

class RecordPagesTest : public testing::PageTest {
 protected:
  void storeFile(StoreId id, const std::vector<Row>& rows) {
    fake.files.addFile(fake.inProgram(schemaOf(id).fileName),
                       encodeDataPacket(schemaOf(id).fields, rows, CodePage(1252)));
  }
  std::vector<Row> rows(StoreId id) {
    auto packet = decodeDataPacket(fake.files.contents(fake.inProgram(schemaOf(id).fileName)).value_or(""),
                                   CodePage(1252));
    return packet ? packet->rows : std::vector<Row>{};
  }
  Names names(StoreId id) {
    Names out;
    for (const Row& r : rows(id)) out.push_back(valueOf(r, 0));
    return out;
  }
  std::string bytes(StoreId id) { return fake.files.contents(fake.inProgram(schemaOf(id).fileName)).value_or(""); }

  RuleListPage& ruleList() { return open<RuleListPage>(nav::kRuleList); }
  AlertListPage& alertList() { return open<AlertListPage>(nav::kAlertList); }
  ui::ListView& integrityList() { return open<IntegrityPage>(nav::kIntegrity).ListView4; }

  static Names column(const ui::ListView& list, std::size_t c) {
    Names out;
    for (int row = 0; row < list.rowCount(); ++row) out.emplace_back(list.text(row, c));
    return out;
  }
  // A row's cells after its first.
  static Names cells(const ui::ListView& list, int row) {
    Names out;
    for (std::size_t c = 1; c < list.columns().size(); ++c) out.emplace_back(list.text(row, c));
    return out;
  }
  static Names captions(const ui::ListView& list) {
    Names out;
    for (const auto& column : list.columns()) out.push_back(column.caption);
    return out;
  }
};

TEST_F(RecordPagesTest, TheRuleListShowsEveryRuleByItsCellRulesInAReadOnlyTable) {
  Row unknown = record("b.exe", "02/01/2026 10:00:00");
  unknown[3] = unknown[4] = "?";
  unknown[5] = "0";
  Row spaced = record("c.exe", "03/01/2026 10:00:00");
  spaced[3] = " ?";
  spaced[5] = "71";
  Row odd = record("d.exe", "04/01/2026 10:00:00");
  odd[5] = "3";
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00", "C:\\Apps\\a.exe"), unknown, spaced, odd});
  start();
  ui::ListView& list = ruleList().ListView2;

  EXPECT_EQ(list.bounds(), (ui::Rect{8, 24, 585, 320}));
  EXPECT_TRUE(list.readOnly());
  EXPECT_TRUE(list.showHint());
  EXPECT_EQ(captions(list), (Names{"fr 9", "fr 10", "fr 11", "fr 31", "fr 33", "fr 43", "fr 44", "fr 45", "fr 30"}));
  EXPECT_EQ(column(list, 0), (Names{"1", "2", "3", "4"}));
  EXPECT_EQ(cells(list, 0),
            (Names{"a.exe", "01/01/2026 10:00:00", "@", "07/11/2025", "3", "fr 39", "PC/Elodie", "C:\\Apps\\a.exe"}));
  EXPECT_EQ(column(list, 4), (Names{"07/11/2025", "fr 42", " ?", "07/11/2025"}));
  EXPECT_EQ(column(list, 5), (Names{"3", "fr 42", "3", "3"}));
  EXPECT_EQ(column(list, 6), (Names{"fr 39", "fr 42", "fr 41", "fr 42"}));
}

TEST_F(RecordPagesTest, EmptyStoresGiveListsWithTheirHeadersAndNoRows) {
  start();
  EXPECT_EQ(ruleList().ListView2.columns().size(), 9u);
  EXPECT_EQ(window->pages.builtPages(), (std::vector<int>{nav::kRuleList}));
  EXPECT_EQ(alertList().ListView3.rowCount(), 0);
  EXPECT_EQ(integrityList().columns().size(), 11u);
  EXPECT_EQ(integrityList().rowCount(), 0);
  EXPECT_EQ(window->PagePanel.children().size(), 2u);  // the list and its filter box
}

// The numbers of the rows a list shows, top to bottom.
Names shownNumbers(const ui::ListView& list) {
  Names out;
  for (int at = 0; at < list.shownCount(); ++at) out.emplace_back(list.text(list.shownRow(at), 0));
  return out;
}

TEST_F(RecordPagesTest, TheFilterShowsTheRowsThatHoldEveryTypedWordInSomeCellWhateverTheCase) {
  storeFile(StoreId::Rules, {record("firefox.exe", "01/01/2026 10:00:00", "C:\\Program Files\\Mozilla\\firefox.exe"),
                             record("notepad.exe", "02/01/2026 10:00:00", "C:\\Windows\\notepad.exe"),
                             record("FireTool.exe", "03/01/2026 10:00:00", "D:\\Tools\\FireTool.exe")});
  start();
  RuleListPage& page = ruleList();
  ui::Edit& box = page.filterBox();
  EXPECT_EQ(box.bounds(), (ui::Rect{8, 1, 280, 21}));  // in the band above the list, which keeps its bounds
  EXPECT_EQ(box.cue(), builtInText("FR", 105));
  struct Case {
    const char* typed;
    Names shown;
  } cases[] = {
      {"fire", {"1", "3"}},          // letter case ignored
      {"FIRE mozilla", {"1"}},       // every word must occur, each in any cell
      {"mozilla FIRE", {"1"}},
      {"windows", {"2"}},            // found in the path column only
      {"   ", {"1", "2", "3"}},      // no word: every row
      {"nothing.exe", {}},
  };
  for (const Case& c : cases) {
    box.type(std::string(1, ui::kEscape));  // Escape empties the box: every row again
    EXPECT_EQ(box.text(), "");
    // An empty box leaves Escape to the window's cancel button, as before.
    EXPECT_FALSE(box.usesKey(ui::DialogKey::Escape));
    EXPECT_EQ(shownNumbers(page.ListView2), (Names{"1", "2", "3"}));
    box.type(c.typed);
    EXPECT_EQ(shownNumbers(page.ListView2), c.shown) << c.typed;
    EXPECT_EQ(page.ListView2.rowCount(), 3) << "the rows stay, hidden";
    EXPECT_EQ(box.usesKey(ui::DialogKey::Escape), !box.text().empty()) << c.typed;
  }
  // Nothing shown, nothing to remove: a click asks nothing.
  page.ListView2.clickRow(0);
  EXPECT_TRUE(fake.dialogs.questions.empty());
  // The alert list and the rule integrity list have the same box.
  for (int entry : {nav::kAlertList, nav::kIntegrity}) {
    choose(entry);
    const auto& children = window->PagePanel.children();
    EXPECT_TRUE(std::any_of(children.begin(), children.end(), [](const auto& c) { return c->name() == "FilterEdit"; }))
        << entry;
  }
}

TEST_F(RecordPagesTest, UnderAFilterRowsKeepTheirNumbersTheSortOrdersThemAndAClickRemovesTheClickedProgram) {
  storeFile(StoreId::Rules, {record("a.exe", "03/01/2026 10:00:00"), record("b.exe", "01/01/2026 10:00:00"),
                             record("ab.exe", "02/01/2026 10:00:00"), record("c.exe", "04/01/2026 10:00:00")});
  start();
  RuleListPage& page = ruleList();
  page.filterBox().type("a");
  EXPECT_EQ(shownNumbers(page.ListView2), (Names{"1", "3"}));
  page.ListView2.clickColumn(2);  // by the date, oldest first
  EXPECT_EQ(shownNumbers(page.ListView2), (Names{"3", "1"}));
  fake.dialogs.answerNext(Answer::Yes);
  page.ListView2.clickRow(1);  // the second row shown: a.exe
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 22a.exe"}));
  EXPECT_EQ(names(StoreId::Rules), (Names{"b.exe", "ab.exe", "c.exe"}));
  EXPECT_EQ(shownNumbers(page.ListView2), (Names{"3"}));
  page.filterBox().type(std::string(1, ui::kEscape));
  EXPECT_EQ(shownNumbers(page.ListView2), (Names{"2", "3", "4"}));
}

TEST_F(RecordPagesTest, DeleteRemovesTheRulesOfTheSelectedProgramsInOneSaveAndKeepsTheOthersByteForByte) {
  const std::vector<Row> stored{record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00"),
                                record("c.exe", "02/01/2026 10:00:00"), record("", "02/01/2026 11:00:00"),
                                record("d.exe", "03/01/2026 10:00:00"), record("a.exe", "04/01/2026 10:00:00")};
  using Command = ui::ListView::Command;
  struct Case {
    const char* what;
    std::vector<int> selected;  // positions shown
    Names question;
    Names left;
    Names listed;
  } cases[] = {
      {"none", {}, {}, {"a.exe", "b.exe", "c.exe", "", "d.exe", "a.exe"}, {"1", "2", "3", "4", "5", "6"}},
      {"one, as a click", {2}, {"fr 22c.exe"}, {"a.exe", "b.exe", "d.exe", "a.exe"}, {"1", "2", "4", "5", "6"}},
      {"several", {0, 2, 5}, {"fr 222 programmes : a.exe, c.exe"}, {"b.exe", "d.exe"}, {"2", "4", "5"}},
      {"all", {0, 1, 2, 3, 4, 5}, {"fr 224 programmes : a.exe, b.exe, c.exe, ..."}, {}, {}},
  };
  for (const Case& c : cases) {
    storeFile(StoreId::Rules, stored);
    start();
    RuleListPage& page = ruleList();
    const int saves = fake.files.writeCount(fake.inProgram("regles.xml.saving"));
    page.ListView2.selectShown(c.selected);
    fake.dialogs.questions.clear();
    fake.dialogs.answerNext(Answer::Yes);
    page.ListView2.command(Command::Delete);
    EXPECT_EQ(fake.dialogs.questions, c.question) << c.what;
    EXPECT_EQ(names(StoreId::Rules), c.left) << c.what;
    EXPECT_EQ(fake.files.writeCount(fake.inProgram("regles.xml.saving")) - saves, c.question.empty() ? 0 : 1) << c.what;
    EXPECT_EQ(shownNumbers(page.ListView2), c.listed) << c.what;
    if (c.left == Names{"b.exe", "d.exe"}) {  // the rules kept are the stored ones, every field
      EXPECT_EQ(rows(StoreId::Rules), (std::vector<Row>{stored[1], stored[4]}));
    }
  }
}

TEST_F(RecordPagesTest, ASeveralRowRemovalThatCannotBeSavedLeavesTheFileAndTheList) {
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00"),
                             record("c.exe", "02/01/2026 10:00:00")});
  start();
  const std::string before = bytes(StoreId::Rules);
  RuleListPage& page = ruleList();
  page.ListView2.selectShown({0, 1});
  fake.files.setDiskFull(true);
  fake.dialogs.answerNext(Answer::Yes);
  EXPECT_THROW(page.ListView2.command(ui::ListView::Command::Delete), StoreError);  // reported by the window
  EXPECT_EQ(bytes(StoreId::Rules), before);
  EXPECT_EQ(shownNumbers(page.ListView2), (Names{"1", "2", "3"}));
}

TEST_F(RecordPagesTest, DeleteOnTheAlertListQuarantinesOnlyTheSelectedProgramsNotYetThereInOneSaveEach) {
  storeFile(StoreId::Alerts, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00"),
                              record("c.exe", "02/01/2026 10:00:00")});
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00"),
                             record("c.exe", "02/01/2026 10:00:00"), record("", "02/01/2026 11:00:00")});
  storeFile(StoreId::Quarantine, {{"b.exe"}});
  start();
  AlertListPage& page = alertList();
  const int quarantineSaves = fake.files.writeCount(fake.inProgram("quarantaines.xml.saving"));
  const int ruleSaves = fake.files.writeCount(fake.inProgram("regles.xml.saving"));
  page.ListView3.selectAll();
  fake.dialogs.answerNext(Answer::Yes);
  page.ListView3.command(ui::ListView::Command::Delete);
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 203 programmes : a.exe, b.exe, c.exe"}));
  EXPECT_EQ(names(StoreId::Quarantine), (Names{"b.exe", "a.exe", "c.exe"}));
  EXPECT_EQ(names(StoreId::Rules), (Names{"b.exe", ""}));  // as a click: nameless rules stay
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("quarantaines.xml.saving")) - quarantineSaves, 1);
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("regles.xml.saving")) - ruleSaves, 1);
  EXPECT_EQ(state().QuarantineNames, (Names{"b.exe", "a.exe", "c.exe"}));
}

TEST_F(RecordPagesTest, ASeveralRowQuarantineWhileTheQuarantineFileIsHeldOrTheDiskFullChangesNothing) {
  storeFile(StoreId::Alerts, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00")});
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00")});
  storeFile(StoreId::Quarantine, {{"old.exe"}});
  start();
  AlertListPage& page = alertList();
  const std::string quarantine = bytes(StoreId::Quarantine), rules = bytes(StoreId::Rules);
  page.ListView3.selectAll();
  fake.files.setLocked(fake.inProgram("quarantaines.xml"), true);  // another program holds it
  fake.dialogs.answerNext(Answer::Yes);
  EXPECT_THROW(page.ListView3.command(ui::ListView::Command::Delete), StoreError);  // reported by the window
  fake.files.setLocked(fake.inProgram("quarantaines.xml"), false);
  EXPECT_EQ(bytes(StoreId::Quarantine), quarantine);
  EXPECT_EQ(bytes(StoreId::Rules), rules);
  EXPECT_EQ(state().QuarantineNames, (Names{"old.exe"}));
  // A full disk at the quarantine's save: the same.
  fake.files.setDiskFull(true);
  fake.dialogs.answerNext(Answer::Yes);
  EXPECT_THROW(page.ListView3.command(ui::ListView::Command::Delete), StoreError);
  fake.files.setDiskFull(false);
  EXPECT_EQ(bytes(StoreId::Quarantine), quarantine);
  EXPECT_EQ(bytes(StoreId::Rules), rules);
  EXPECT_EQ(state().QuarantineNames, (Names{"old.exe"}));
}

TEST_F(RecordPagesTest, CopyPutsTheHeaderAndTheSelectedRowsOnTheClipboardAndTheMenuOffersEachAction) {
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00", "C:\\a.exe"), record("b.exe", "01/01/2026 11:00:00"),
                             record("c.exe", "02/01/2026 10:00:00", "C:\\c.exe")});
  start();
  RuleListPage& page = ruleList();
  page.ListView2.selectShown({0, 2});
  page.ListView2.command(ui::ListView::Command::Copy);
  ASSERT_TRUE(fake.clipboard.text);
  EXPECT_EQ(*fake.clipboard.text,
            "fr 9\tfr 10\tfr 11\tfr 31\tfr 33\tfr 43\tfr 44\tfr 45\tfr 30\r\n"
            "1\ta.exe\t01/01/2026 10:00:00\t@\t07/11/2025\t3\tfr 39\tPC/Elodie\tC:\\a.exe\r\n"
            "3\tc.exe\t02/01/2026 10:00:00\t@\t07/11/2025\t3\tfr 39\tPC/Elodie\tC:\\c.exe\r\n");

  // The shortcut menu: copy, select all, and the page's own action.
  fake.clipboard.text.reset();
  fake.dialogs.nextMenuChoice = 1;
  page.ListView2.contextMenu();
  ASSERT_EQ(fake.dialogs.menus.size(), 1u);
  EXPECT_EQ(fake.dialogs.menus[0], (Names{builtInText("FR", 107), builtInText("FR", 108), builtInText("FR", 109)}));
  EXPECT_EQ(page.ListView2.selectedRows(), (std::vector<int>{0, 1, 2}));
  fake.dialogs.nextMenuChoice = 2;
  fake.dialogs.answerNext(Answer::No);
  page.ListView2.contextMenu();
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 223 programmes : a.exe, b.exe, c.exe"}));
  EXPECT_EQ(names(StoreId::Rules).size(), 3u);
  // The integrity list copies and selects; it has no action of its own.
  choose(nav::kIntegrity);
  ui::ListView& integrity = integrityList();
  integrity.contextMenu();
  EXPECT_EQ(fake.dialogs.menus.back(), (Names{builtInText("FR", 107), builtInText("FR", 108)}));
}

TEST_F(RecordPagesTest, RemovingOneRowRemovesEveryRuleOfThatProgramAndEveryNamelessRuleButOnlyThatRow) {
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00"),
                             record("a.exe", "02/01/2026 10:00:00"), record("", "02/01/2026 11:00:00"),
                             record("A.exe", "03/01/2026 10:00:00"), record("a.exe", "04/01/2026 10:00:00")});
  start();
  RuleListPage& page = ruleList();
  // The monitor admits one more while the question is open: it goes too.
  fake.dialogs.answerNext(Answer::Yes, [&] {
    testing::appendRow(window->centre.stores.table(StoreId::Rules), {"a.exe"});
  });
  page.ListView2.clickRow(2);
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 22a.exe"}));
  EXPECT_EQ(names(StoreId::Rules), (Names{"b.exe", "A.exe"}));
  EXPECT_EQ(rows(StoreId::Rules)[1], record("A.exe", "03/01/2026 10:00:00"));  // every field kept
  EXPECT_EQ(column(page.ListView2, 0), (Names{"1", "2", "4", "5", "6"}));
  EXPECT_EQ(column(page.ListView2, 1), (Names{"a.exe", "b.exe", "", "A.exe", "a.exe"}));

  // A rebuilt page shows the store as it now is.
  EXPECT_EQ(column(ruleList().ListView2, 1), (Names{"b.exe", "A.exe"}));
}

TEST_F(RecordPagesTest, AnswerNoOrAClickBesideTheRowsChangesNothing) {
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00"), record("", "01/01/2026 11:00:00")});
  start();
  const std::string before = bytes(StoreId::Rules);
  const int writes = fake.files.writeCount(fake.inProgram("regles.xml.saving"));
  RuleListPage& page = ruleList();
  page.ListView2.clickRow(-1);
  EXPECT_TRUE(fake.dialogs.questions.empty());
  fake.dialogs.answerNext(Answer::No);
  page.ListView2.clickRow(0);
  EXPECT_EQ(fake.dialogs.questions.size(), 1u);
  EXPECT_EQ(bytes(StoreId::Rules), before);
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("regles.xml.saving")), writes);
  EXPECT_EQ(page.ListView2.rowCount(), 2);
  EXPECT_EQ(window->centre.stores.table(StoreId::Rules).recordCount(), 2u);
}

TEST_F(RecordPagesTest, ARemovalWhoseSaveFailsIsReportedAndLeavesTheFileAsItWas) {
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00")});
  start();
  const std::string before = bytes(StoreId::Rules);
  RuleListPage& page = ruleList();
  fake.files.setDiskFull(true);
  fake.dialogs.answerNext(Answer::Yes);
  EXPECT_THROW(page.ListView2.clickRow(0), StoreError);
  EXPECT_EQ(bytes(StoreId::Rules), before);
  EXPECT_FALSE(fake.files.exists(fake.inProgram("regles.xml.saving")));
  EXPECT_EQ(page.ListView2.rowCount(), 2);  // the action ended before the row went
  // Once the disk has room, the next save writes what memory holds.
  fake.files.setDiskFull(false);
  fake.dialogs.answerNext(Answer::Yes);
  page.ListView2.clickRow(1);
  EXPECT_TRUE(names(StoreId::Rules).empty());
}

TEST_F(RecordPagesTest, TheThirdHeaderSortsByRecordingDateOldestFirstEveryTime) {
  storeFile(StoreId::Rules, {record("feb.exe", "01/02/2026 09:00:00"), record("bad.exe", "31/02/2026 09:00:00"),
                             record("jan.exe", "15/01/2026 18:30:00"), record("old.exe", "15/01/2025 18:30:00"),
                             record("noon.exe", "15/01/2026 12:00:00")});
  start();
  ui::ListView& list = ruleList().ListView2;
  list.clickColumn(1);
  list.clickColumn(0);
  EXPECT_EQ(column(list, 1), (Names{"feb.exe", "bad.exe", "jan.exe", "old.exe", "noon.exe"}));
  const int resumes = list.redrawResumes();
  list.clickColumn(2);
  const Names sorted{"old.exe", "noon.exe", "jan.exe", "feb.exe", "bad.exe"};  // an unreadable date comes last
  EXPECT_EQ(column(list, 1), sorted);
  EXPECT_EQ(column(list, 0), (Names{"4", "5", "3", "1", "2"}));
  list.clickColumn(2);
  EXPECT_EQ(column(list, 1), sorted);
  EXPECT_EQ(list.redrawResumes(), resumes + 2);
  EXPECT_FALSE(list.redrawSuspended());
  EXPECT_EQ(names(StoreId::Rules), (Names{"feb.exe", "bad.exe", "jan.exe", "old.exe", "noon.exe"}));

  // A comparison that fails leaves the list drawing again.
  list.onCompare = [](int, int) -> int { throw std::runtime_error("x"); };
  EXPECT_THROW(list.clickColumn(2), std::runtime_error);
  EXPECT_FALSE(list.redrawSuspended());
}

TEST_F(RecordPagesTest, TheSortReadsDatesInTheSystemsFormat) {
  fake.locale.set(testing::FakeLocale::english());
  storeFile(StoreId::Rules, {record("feb.exe", "2/1/2026 9:00:00 AM"), record("jan.exe", "1/15/2026 9:00:00 PM"),
                             record("morning.exe", "1/15/2026 9:00:00 AM")});
  start();
  ui::ListView& list = ruleList().ListView2;
  list.clickColumn(2);
  EXPECT_EQ(column(list, 1), (Names{"morning.exe", "jan.exe", "feb.exe"}));
}

TEST_F(RecordPagesTest, QuarantiningAnAlertAddsItsNameOnceAndRemovesItsRulesButKeepsNamelessOnes) {
  storeFile(StoreId::Alerts, {record(" a.exe ", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00"),
                              record(" a.exe ", "01/01/2026 12:00:00")});
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00"), record("b.exe", "01/01/2026 11:00:00"),
                             record("", "01/01/2026 11:30:00"), record("a.exe", "01/01/2026 12:00:00"),
                             record(" a.exe ", "01/01/2026 12:30:00"), record("a.exe", "01/01/2026 13:00:00")});
  storeFile(StoreId::Quarantine, {{"c.exe"}});
  start();
  const std::string alertsBefore = bytes(StoreId::Alerts);
  AlertListPage& page = alertList();
  EXPECT_EQ(column(page.ListView3, 1), (Names{" a.exe ", "b.exe", " a.exe "}));

  fake.dialogs.answerNext(Answer::Yes);
  page.ListView3.clickRow(0);
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 20 a.exe "}));
  EXPECT_EQ(names(StoreId::Quarantine), (Names{"c.exe", " a.exe "}));  // stored as the row has it
  EXPECT_EQ(window->centre.state.QuarantineNames, (Names{"c.exe", " a.exe "}));
  EXPECT_EQ(names(StoreId::Rules), (Names{"b.exe", "", " a.exe "}));
  EXPECT_FALSE(window->centre.stores.table(StoreId::Quarantine).active());  // closed between uses
  EXPECT_EQ(page.ListView3.rowCount(), 3);
  EXPECT_EQ(bytes(StoreId::Alerts), alertsBefore);

  // The second alert of the program: " a.exe " trimmed is not a stored name
  // (" a.exe " is, with its blanks), so it is added once more; then "b.exe".
  fake.dialogs.answerNext(Answer::Yes);
  page.ListView3.clickRow(2);
  EXPECT_EQ(names(StoreId::Quarantine), (Names{"c.exe", " a.exe ", " a.exe "}));
}

TEST_F(RecordPagesTest, QuarantiningAProgramAlreadyInQuarantineChangesNothing) {
  storeFile(StoreId::Alerts, {record("a.exe", "01/01/2026 10:00:00")});
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00")});
  storeFile(StoreId::Quarantine, {{"a.exe"}});
  start();
  const std::string rulesBefore = bytes(StoreId::Rules), quarantineBefore = bytes(StoreId::Quarantine);
  fake.dialogs.answerNext(Answer::Yes);
  alertList().ListView3.clickRow(0);
  EXPECT_EQ(bytes(StoreId::Rules), rulesBefore);
  EXPECT_EQ(bytes(StoreId::Quarantine), quarantineBefore);
  EXPECT_EQ(window->centre.state.QuarantineNames, (Names{"a.exe"}));
  // No leaves everything too.
  alertList().ListView3.clickRow(0);
  EXPECT_EQ(bytes(StoreId::Quarantine), quarantineBefore);
}

TEST_F(RecordPagesTest, AQuarantineFileThatCannotBeReadEndsTheActionWithNothingChanged) {
  storeFile(StoreId::Alerts, {record("a.exe", "01/01/2026 10:00:00")});
  storeFile(StoreId::Rules, {record("a.exe", "01/01/2026 10:00:00")});
  storeFile(StoreId::Quarantine, {{"c.exe"}});
  start();
  const std::string rulesBefore = bytes(StoreId::Rules), quarantineBefore = bytes(StoreId::Quarantine);
  fake.files.setLocked(fake.inProgram("quarantaines.xml"), true);
  fake.dialogs.answerNext(Answer::Yes);
  try {
    alertList().ListView3.clickRow(0);
    ADD_FAILURE() << "no error";
  } catch (const StoreError& e) {
    EXPECT_NE(std::string(e.what()).find("quarantaines.xml"), std::string::npos) << e.what();
  }
  fake.files.setLocked(fake.inProgram("quarantaines.xml"), false);
  EXPECT_EQ(bytes(StoreId::Quarantine), quarantineBefore);
  EXPECT_EQ(bytes(StoreId::Rules), rulesBefore);
  EXPECT_EQ(window->centre.state.QuarantineNames, (Names{"c.exe"}));

  // A missing file is an empty store, as at start-up.
  fake.files.remove(fake.inProgram("quarantaines.xml"));
  fake.dialogs.answerNext(Answer::Yes);
  alertList().ListView3.clickRow(0);
  EXPECT_EQ(names(StoreId::Quarantine), (Names{"a.exe"}));
  EXPECT_TRUE(names(StoreId::Rules).empty());
}

class IntegrityPageTest : public RecordPagesTest {
 protected:
  static std::string words(std::uint32_t n, std::uint32_t value) {
    std::string bytes;
    for (std::uint32_t i = 0; i < n; ++i)
      for (int b = 0; b < 4; ++b) bytes += static_cast<char>((value >> (8 * b)) & 0xFF);
    return bytes;
  }
};

TEST_F(IntegrityPageTest, EachRuleIsShownBesideWhatItsFileIsNow) {
  const std::string same = "C:\\Apps\\same.exe", changed = "C:\\Apps\\changed.exe", early = "C:\\Apps\\early.exe";
  fake.files.addFile(same, words(1000, 1));  // 4000 bytes: words 500 to 998 count
  fake.files.addFile(changed, words(1000, 1));
  fake.files.addFile(early, words(1000, 1));
  fake.files.setTimes(same, {2025, 11, 7, 14, 3, 58, 0}, {2026, 12, 1, 9, 5, 7, 0});
  fake.files.setTimes(changed, {2025, 11, 7, 14, 3, 58, 0}, {2026, 12, 2, 0, 0, 0, 0});
  fake.shell.typeNames[same] = "Application";
  Row a = record("same.exe", "01/01/2026 10:00:00", same), b = record("changed.exe", "02/01/2026 10:00:00", changed),
      c = record("early.exe", "03/01/2026 10:00:00", early), none = record("none.exe", "04/01/2026 10:00:00");
  a[8] = b[8] = c[8] = std::to_string(499u);
  storeFile(StoreId::Rules, {a, b, c, none});
  // After the rules were recorded: one word inside the checksummed stretch, one before it.
  std::string inside = words(1000, 1), before = words(1000, 1);
  inside[4 * 700] = 3;
  before[4 * 100] = 3;
  fake.files.writeBytes(changed, inside);
  fake.files.writeBytes(early, before);
  fake.files.setTimes(changed, {2025, 11, 7, 14, 3, 58, 0}, {2026, 12, 2, 0, 0, 0, 0});
  start();
  const ui::ListView& list = integrityList();

  EXPECT_EQ(captions(list), (Names{"fr 9", "fr 10", "fr 11", "fr 31", "fr 92", "fr 93", "fr 44", "fr 45", "fr 30",
                                   "fr 94", "fr 95"}));
  EXPECT_EQ(list.rows()[0].subItems, (Names{"same.exe", "01/01/2026 10:00:00", "@", "01/12/2026 09:05:06",
                                            "Application", "fr 39", "PC/Elodie", same, "499", "499"}));
  EXPECT_EQ(list.rows()[1].text(4), "02/12/2026");  // midnight: the date alone
  EXPECT_EQ(list.rows()[1].text(10), "501");
  EXPECT_EQ(list.rows()[2].text(10), "499");
  EXPECT_EQ(list.rows()[3].subItems,
            (Names{"none.exe", "04/01/2026 10:00:00", "@", "fr 42", "fr 42", "fr 39", "PC/Elodie", "", "0", "fr 42"}));
  EXPECT_TRUE(fake.files.writeCount(fake.inProgram("regles.xml.saving")) == 0);
}

TEST_F(IntegrityPageTest, AFileThatCannotBeFoundOrReadShowsTheMissingValueForWhatCannotBeHad) {
  const std::string gone = "C:\\Apps\\gone.exe", held = "C:\\Apps\\held.exe";
  fake.files.addFile(held, words(10, 7));
  fake.files.setTimes(held, {2025, 11, 7, 14, 3, 58, 0}, {2026, 12, 1, 9, 5, 8, 0});
  fake.files.setLocked(held, true);
  storeFile(StoreId::Rules, {record("gone.exe", "01/01/2026 10:00:00", gone),
                             record("held.exe", "01/01/2026 10:00:00", held)});
  start();
  const ui::ListView& list = integrityList();
  EXPECT_EQ(list.rows()[0].text(4), "fr 42");
  EXPECT_EQ(list.rows()[0].text(5), "");
  EXPECT_EQ(list.rows()[0].text(10), "fr 42");
  EXPECT_EQ(list.rows()[1].text(4), "01/12/2026 09:05:08");  // found, though it cannot be opened
  EXPECT_EQ(list.rows()[1].text(10), "fr 42");
}

}  // namespace
}  // namespace tg
