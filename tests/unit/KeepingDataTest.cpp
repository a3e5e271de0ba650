#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "stores/DataPacket.h"
#include "stores/TextFile.h"
#include "PageTest.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"

namespace tg {
namespace {

using testing::FakePlatform;

std::string storeXml(StoreId id, const std::vector<Row>& rows) {
  return encodeDataPacket(schemaOf(id).fields, rows, CodePage(1252));
}

std::vector<Row> manyRules(std::size_t count) {
  std::vector<Row> rows;
  for (std::size_t i = 0; i < count; ++i)
    rows.push_back({"program" + std::to_string(i) + ".exe", "08/12/2026 10:15:00", "@", "?", "?", "0", "",
                    "C:\\Apps\\program" + std::to_string(i) + ".exe", "0"});
  return rows;
}

std::size_t rowCount(const std::optional<std::string>& bytes) {
  const auto packet = bytes ? decodeDataPacket(*bytes, CodePage(1252)) : std::nullopt;
  return packet ? packet->rows.size() : 0;
}

// The control centre started on the fake platform, with a network engine that
// reports one connection of a program no rule knows yet.
class KeepingData : public testing::PageTest {
 protected:
  KeepingData() : PageTest(testing::numberedEntries("fr")) {
    withNetworkEngine();
    const std::uint32_t pid = fake.processes.add("newcomer.exe", {"C:\\Apps\\newcomer.exe"});
    connections = {"newcomer.exe;" + std::to_string(pid) + ";TCP;10.0.0.2:50000;1.2.3.4;80;ESTABLISHED;50000;;;;"};
  }

  MainWindow& start() { return startHidden(); }
  void put(const std::string& name, const std::string& bytes) { fake.files.addFile(fake.inProgram(name), bytes); }
  std::optional<std::string> file(const std::string& name) { return fake.files.contents(fake.inProgram(name)); }
  void runFor(std::int64_t ms) { fake.timers.advance(ms); }
};

TEST_F(KeepingData, AStoreHeldAtStartUpSurvivesWholeIsReportedOnceAndIsReadWhenReleased) {
  const std::string rules = storeXml(StoreId::Rules, manyRules(10000));
  put("regles.xml", rules);
  fake.files.setLocked(fake.inProgram("regles.xml"), true);
  MainWindow& w = start();
  EXPECT_TRUE(w.centre.stores.pending(StoreId::Rules));

  // Ticks go on; nothing is recorded while the rules are unknown, and nothing
  // is written over the file. The user hears of it once, after a few seconds.
  runFor(2000);
  EXPECT_TRUE(fake.dialogs.errors.empty());
  runFor(10000);
  ASSERT_EQ(fake.dialogs.errors.size(), 1u);
  EXPECT_NE(fake.dialogs.errors[0].find("regles.xml cannot be read: it is in use by another program"),
            std::string::npos)
      << fake.dialogs.errors[0];
  EXPECT_EQ(rowCount(file("alertes.xml")), 0u);
  EXPECT_EQ(file("regles.xml"), rules);
  EXPECT_FALSE(fake.files.exists(fake.inProgram("regles.xml.saving")));

  // Released: read within a moment, and the newcomer is added to the 10,000.
  fake.files.setLocked(fake.inProgram("regles.xml"), false);
  runFor(ControlCentre::kPendingRetryMs);
  EXPECT_FALSE(w.centre.stores.pending(StoreId::Rules));
  EXPECT_EQ(w.centre.stores.table(StoreId::Rules).recordCount(), 10000u);
  runFor(5000);
  EXPECT_EQ(rowCount(file("regles.xml")), 10001u);
  EXPECT_EQ(rowCount(file("alertes.xml")), 1u);
  EXPECT_EQ(fake.dialogs.errors.size(), 1u);
  EXPECT_EQ(fake.timers.active(), 2u);  // Timer1 and the watch's check of its path: the retries have stopped
}

TEST_F(KeepingData, AFileReleasedWithinAFewSecondsIsReadWithoutAWord) {
  put("site.xml", storeXml(StoreId::Sites, {{"blocked.example", "1.2.3.4"}}));
  fake.files.setLocked(fake.inProgram("site.xml"), true);
  MainWindow& w = start();
  EXPECT_TRUE(w.centre.state.BlockedSiteAddresses.empty());
  runFor(1000);
  fake.files.setLocked(fake.inProgram("site.xml"), false);
  runFor(1000);
  EXPECT_EQ(w.centre.state.BlockedSiteAddresses, std::vector<std::string>{"1.2.3.4"});
  runFor(10000);
  EXPECT_TRUE(fake.dialogs.errors.empty());
}

TEST_F(KeepingData, SwitchesAndQuarantinedNamesReadLateTakeEffect) {
  put("configuration.xml", storeXml(StoreId::Configuration, {Row(12, "1")}));
  put("quarantaines.xml", storeXml(StoreId::Quarantine, {{" bad.exe "}}));
  fake.files.setDenied(fake.inProgram("configuration.xml"), true);
  fake.files.setLocked(fake.inProgram("quarantaines.xml"), true);
  MainWindow& w = start();
  for (bool on : w.centre.state.ConfigurationSwitches) EXPECT_FALSE(on);
  EXPECT_TRUE(w.centre.state.QuarantineNames.empty());
  w.centre.state.QuarantineNames.push_back("added.exe");  // by the quarantine page meanwhile

  fake.files.setDenied(fake.inProgram("configuration.xml"), false);
  fake.files.setLocked(fake.inProgram("quarantaines.xml"), false);
  runFor(ControlCentre::kPendingRetryMs);
  for (bool on : w.centre.state.ConfigurationSwitches) EXPECT_TRUE(on);
  EXPECT_EQ(w.centre.state.QuarantineNames, (std::vector<std::string>{"bad.exe", "added.exe"}));
  EXPECT_FALSE(w.centre.stores.table(StoreId::Configuration).active());
  EXPECT_FALSE(w.centre.stores.table(StoreId::Quarantine).active());
}

TEST_F(KeepingData, ALanguageChoiceReadLateChangesTheWindowsTexts) {
  put("langues.xml", storeXml(StoreId::Language, {{"GB"}}));
  put("kelm2013_gb.txt", joinLines(testing::numberedEntries("gb")));
  fake.files.setLocked(fake.inProgram("langues.xml"), true);
  MainWindow& w = start();
  EXPECT_EQ(w.ListBox1.items()[0], "fr1");  // the French texts meanwhile
  fake.files.setLocked(fake.inProgram("langues.xml"), false);
  runFor(ControlCentre::kPendingRetryMs);
  EXPECT_EQ(w.centre.LanguageCode, "GB");
  EXPECT_EQ(w.ListBox1.items()[0], "gb1");
  EXPECT_EQ(w.form.caption(), "gb24");
}

TEST_F(KeepingData, ALanguageStoreThatCannotBeSavedStillGivesTheFrenchTexts) {
  fake.files.failWritesTo(fake.inProgram("langues.xml.saving"), 0);
  MainWindow& w = start();
  EXPECT_EQ(w.centre.LanguageCode, "FR");
  EXPECT_EQ(w.ListBox1.items()[0], "fr1");
}

TEST_F(KeepingData, WithoutAnyTextsAClickOnANavigationItemRunsNothing) {
  fake.files.remove(fake.inProgram("kelm2013_fr.txt"));
  MainWindow& w = start();
  w.form.setVisible(true);
  for (int row = 0; row < w.ListBox1.count(); ++row) {
    // Items the first 101 entries do not hold keep their built-in texts.
    const int entry = kNavigationEntries[static_cast<std::size_t>(row)];
    ASSERT_EQ(w.ListBox1.items()[static_cast<std::size_t>(row)],
              entry > LanguageTable::kEntries ? builtInText("FR", entry) : "");
    w.ListBox1.clickItem(row);
  }
  EXPECT_TRUE(fake.dialogs.questions.empty());  // no quit question
  EXPECT_EQ(w.aboutBoxes.count(), 0u);
  for (const ShellRequest& r : fake.shell.requests) EXPECT_EQ(r.file.find("http"), std::string::npos) << r.file;
}

}  // namespace
}  // namespace tg
