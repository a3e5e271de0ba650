#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "pages/records/ProtocolQuarantinePage.h"
#include "stores/DataPacket.h"
#include "stores/TextFile.h"
#include "PageTest.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"

namespace tg {
namespace {

using testing::FakePlatform;
using Names = std::vector<std::string>;

class ProtocolQuarantinePageTest : public testing::PageTest {
 protected:
  const std::string file = fake.inProgram("quarantaines.xml");

  ProtocolQuarantinePageTest() { withNetworkEngine(); }

  void store(const Names& names) {
    std::vector<Row> rows;
    for (const std::string& name : names) rows.push_back({name});
    fake.files.addFile(file, encodeDataPacket(schemaOf(StoreId::Quarantine).fields, rows, CodePage(1252)));
  }
  Names stored() {
    const auto packet = decodeDataPacket(fake.files.contents(file).value_or(""), CodePage(1252));
    EXPECT_TRUE(packet);
    Names out;
    if (packet)
      for (const Row& row : packet->rows) out.push_back(valueOf(row, 0));
    return out;
  }
  int saves() const { return fake.files.writeCount(file + ".saving"); }
  ProtocolQuarantinePage& start() {
    startShown();
    return visit();
  }
  ProtocolQuarantinePage& visit() { return open<ProtocolQuarantinePage>(nav::kProtocolQuarantine); }
  void add(ProtocolQuarantinePage& page, const std::string& name) {
    page.Edit1.setText(name);
    page.BitBtn21.click();
  }
  // The monitor's next reading, with one connection of the program.
  void tickWith(const std::string& name, std::uint32_t pid) {
    connections = {name + ";" + std::to_string(pid) + ";TCP;10.0.0.2:50000;;80;ESTABLISHED;50000;;;;"};
    tick();
  }
};

TEST_F(ProtocolQuarantinePageTest, EachVisitListsTheStoredNamesTrimmedOnceOnTheQuarantineTab) {
  store({"a.exe", " b.exe "});
  start();
  ProtocolQuarantinePage& page = visit();
  EXPECT_EQ(page.ComboBox1.items(), (Names{"a.exe", "b.exe"}));
  EXPECT_EQ(state().QuarantineNames, (Names{"a.exe", "b.exe"}));
  EXPECT_EQ(page.TabControl1.activeSheet(), &page.TabSheet2);
  EXPECT_FALSE(window->centre.stores.table(StoreId::Quarantine).active());
  // Ctrl+C on the names copies them all, under the tab's caption.
  page.ComboBox1.copy();
  EXPECT_EQ(fake.clipboard.text, "fr 5\r\na.exe\r\nb.exe\r\n");
}

TEST_F(ProtocolQuarantinePageTest, EveryCheckSetsAllSevenSwitchesAndEveryVisitStartsUnchecked) {
  using Switches = std::array<bool, kProtocolCount>;
  ProtocolQuarantinePage& page = start();
  page.TabControl1.selectTab(0);
  page.CheckListBox1.toggleCheck(3);  // DNS
  EXPECT_EQ(state().ProtocolSwitches, (Switches{false, false, false, true, false, false, false}));
  ProtocolQuarantinePage& again = visit();
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(again.CheckListBox1.checked(i));
  EXPECT_TRUE(state().ProtocolSwitches[3]);
  again.TabControl1.selectTab(0);
  again.CheckListBox1.toggleCheck(0);  // FTP, and DNS off since its box is clear
  EXPECT_EQ(state().ProtocolSwitches, (Switches{true, false, false, false, false, false, false}));
}

TEST_F(ProtocolQuarantinePageTest, AddingStoresTheEntryAsTypedAndAnEmptyEntryDoesNothing) {
  ProtocolQuarantinePage& page = start();
  const int before = saves();
  add(page, "");
  EXPECT_EQ(saves(), before);
  for (const char* name : {"   ", "x.exe", "x.exe"}) add(page, name);
  EXPECT_EQ(stored(), (Names{"   ", "x.exe", "x.exe"}));
  EXPECT_EQ(page.ComboBox1.items(), (Names{"   ", "x.exe", "x.exe"}));
  EXPECT_EQ(page.Edit1.text(), "");
  EXPECT_EQ(state().QuarantineNames, (Names{"", "x.exe", "x.exe"}));
}

TEST_F(ProtocolQuarantinePageTest, RemovingTakesEveryRecordOfExactlyTheBoxsText) {
  store({"x.exe", "", "X.exe", "x.exe", " x.exe"});
  ProtocolQuarantinePage& page = start();
  page.ComboBox1.select(0);
  page.BitBtn1.click();
  EXPECT_EQ(stored(), (Names{"", "X.exe", " x.exe"}));
  EXPECT_EQ(page.ComboBox1.items(), (Names{"", "X.exe", " x.exe"}));
  EXPECT_EQ(page.ComboBox1.text(), "");
  EXPECT_EQ(state().QuarantineNames, (Names{"", "X.exe", "x.exe"}));
  page.BitBtn1.click();  // an empty text takes the empty records only
  EXPECT_EQ(stored(), (Names{"X.exe", " x.exe"}));
}

TEST_F(ProtocolQuarantinePageTest, EmptyingSavesAStoreWithNoRecordsEvenWhenItHadNone) {
  store({"a.exe", "b.exe"});
  ProtocolQuarantinePage& page = start();
  page.ComboBox1.select(1);
  page.BitBtn2.click();
  EXPECT_TRUE(stored().empty());
  EXPECT_TRUE(page.ComboBox1.items().empty());
  EXPECT_EQ(page.ComboBox1.text(), "");
  EXPECT_TRUE(state().QuarantineNames.empty());
  const int before = saves();
  page.BitBtn2.click();
  EXPECT_EQ(saves(), before + 1);
  const auto packet = decodeDataPacket(fake.files.contents(file).value_or(""), CodePage(1252));
  ASSERT_TRUE(packet);
  EXPECT_EQ(packet->fields, schemaOf(StoreId::Quarantine).fields);
  EXPECT_TRUE(packet->rows.empty());
}

TEST_F(ProtocolQuarantinePageTest, EnterInTheEntryAddsAndEscapeOnTheTabRemovesNotTheInternetButton) {
  ProtocolQuarantinePage& page = start();
  window->form.setFocus(&page.Edit1);
  page.Edit1.type("n.exe");
  EXPECT_TRUE(window->form.dialogKey(ui::DialogKey::Enter));
  EXPECT_EQ(stored(), (Names{"n.exe"}));
  window->form.setFocus(&page.ComboBox1);
  page.ComboBox1.select(0);
  EXPECT_TRUE(window->form.dialogKey(ui::DialogKey::Escape));
  EXPECT_TRUE(stored().empty());
  EXPECT_TRUE(state().InternetAllowed);
  // On the protocol tab neither key has a button.
  page.TabControl1.selectTab(0);
  EXPECT_FALSE(window->form.dialogKey(ui::DialogKey::Enter));
  EXPECT_FALSE(window->form.dialogKey(ui::DialogKey::Escape));
}

TEST_F(ProtocolQuarantinePageTest, TheMonitorEndsANameJustAddedAndSparesOneJustRemoved) {
  ProtocolQuarantinePage& page = start();
  add(page, "evil.exe");
  tickWith("evil.exe", fake.processes.add("evil.exe"));
  EXPECT_EQ(fake.processes.endedNames, (Names{"evil.exe"}));
  page.ComboBox1.select(0);
  page.BitBtn1.click();
  tickWith("evil.exe", fake.processes.add("evil.exe"));
  EXPECT_EQ(fake.processes.endedNames, (Names{"evil.exe"}));
}

TEST_F(ProtocolQuarantinePageTest, AFailedSaveThrowsAndLeavesTheFileAndTheMonitorsNamesAsTheyWere) {
  store({"a.exe"});
  ProtocolQuarantinePage& page = start();
  const std::string bytes = fake.files.contents(file).value_or("");
  auto unchanged = [&] {
    EXPECT_EQ(fake.files.contents(file), bytes);
    EXPECT_EQ(state().QuarantineNames, (Names{"a.exe"}));
    EXPECT_FALSE(window->centre.stores.table(StoreId::Quarantine).active());
  };
  fake.files.setDiskFull(true);
  page.Edit1.setText("b.exe");
  EXPECT_THROW(page.BitBtn21.click(), StoreError);
  unchanged();
  EXPECT_EQ(page.ComboBox1.items(), (Names{"a.exe"}));
  EXPECT_EQ(page.Edit1.text(), "b.exe");
  fake.files.setDiskFull(false);
  fake.files.failWritesTo(file + ".saving");
  page.ComboBox1.select(0);
  EXPECT_THROW(page.BitBtn1.click(), StoreError);
  unchanged();
  EXPECT_THROW(page.BitBtn2.click(), StoreError);
  unchanged();
}

}  // namespace
}  // namespace tg
