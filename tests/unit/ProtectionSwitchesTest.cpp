#include <gtest/gtest.h>

#include "pages/settings/JournalPage.h"
#include "pages/settings/ProtectionSwitches.h"
#include "pages/settings/RealTimeOptionsPage.h"
#include "stores/DataPacket.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

class ProtectionSwitchesTest : public testing::PageTest {
 protected:
  void storeConfiguration(const Row& fields) {
    fake.files.addFile(fake.inProgram("configuration.xml"),
                       encodeDataPacket(schemaOf(StoreId::Configuration).fields, {fields}, CodePage(1252)));
  }
  Row storedConfiguration() {
    auto packet = decodeDataPacket(fake.files.contents(fake.inProgram("configuration.xml")).value_or(""), CodePage(1252));
    return packet && packet->rows.size() == 1 ? packet->rows[0] : Row{};
  }
  PageContext context() { return PageContext{window->pageWindow, window->PagePanel}; }
  // The files the shell was asked to start, by name.
  Names started() const {
    Names names;
    for (const ShellRequest& r : fake.shell.requests) names.push_back(r.file.substr(r.file.rfind('\\') + 1));
    return names;
  }
};

TEST_F(ProtectionSwitchesTest, OpeningTheRealTimePageShowsTheStoredSwitchesAndWritesNothing) {
  storeConfiguration({"1", " 1", "1", "0", "1", "1", "1", "yes", "1", "1", "1", "1"});
  start();
  const int writes = fake.files.writeCount(fake.inProgram("configuration.xml.saving"));
  auto& page = open<RealTimeOptionsPage>(nav::kRealTimeOptions);
  EXPECT_FALSE(page.CheckBox2.checked());  // Champ8 "yes"
  EXPECT_TRUE(page.CheckBox3.checked());   // Champ1 "1"
  EXPECT_FALSE(page.CheckBox4.checked());  // Champ2 " 1"
  EXPECT_EQ(page.CheckBox2.caption(), "fr 72");
  EXPECT_EQ(page.CheckBox2.parent()->bounds(), (ui::Rect{56, 40, 505, 241}));
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("configuration.xml.saving")), writes);
  EXPECT_TRUE(fake.shell.requests.empty());
  EXPECT_TRUE(fake.processes.endedNames.empty());
}

TEST_F(ProtectionSwitchesTest, AToggleRewritesAllTwelveFieldsAndRestartsTheRealTimeEngineOnce) {
  storeConfiguration({"1", " 1", "1", "0", "1", "1", "1", "yes", "1", "1", "1", "1"});
  start();
  fake.processes.add("rtguard.exe");
  auto& page = open<RealTimeOptionsPage>(nav::kRealTimeOptions);
  page.CheckBox3.click();  // Champ1 off
  EXPECT_EQ(storedConfiguration(), (Row{"0", "0", "1", "0", "1", "1", "1", "0", "1", "1", "1", "1"}));
  EXPECT_EQ(fake.processes.endedNames, (Names{"rtguard.exe"}));
  EXPECT_EQ(started(), (Names{"rtguard.exe"}));
  EXPECT_EQ(fake.shell.requests[0].verb, "open");
  EXPECT_EQ(fake.shell.requests[0].show, kShowHidden);
  EXPECT_FALSE(window->centre.stores.table(StoreId::Configuration).active());

  // Each toggle restarts it, whatever the others hold.
  page.CheckBox2.click();
  EXPECT_EQ(storedConfiguration()[7], "1");
  EXPECT_TRUE(configurationSwitch(window->centre.state, 8));
  EXPECT_EQ(started(), (Names{"rtguard.exe", "rtguard.exe"}));
}

TEST_F(ProtectionSwitchesTest, AWriteThatFailsIsNotifiedAndTheEngineStillStartsAgain) {
  storeConfiguration(Row(12, "1"));
  start();
  const std::string before = fake.files.contents(fake.inProgram("configuration.xml")).value_or("");
  auto& page = open<RealTimeOptionsPage>(nav::kRealTimeOptions);
  fake.files.setDiskFull(true);
  page.CheckBox4.click();
  EXPECT_EQ(started(), (Names{"notify.exe", "rtguard.exe"}));
  EXPECT_EQ(fake.shell.requests[0].parameters, "erreur;configuration;checkb");
  EXPECT_FALSE(configurationSwitch(window->centre.state, 2));  // the switch keeps its new value
  EXPECT_EQ(fake.files.contents(fake.inProgram("configuration.xml")).value_or(""), before);

  // A file held by another program cannot be opened: an error for the
  // general report, nothing written, and the protection back on all the same.
  fake.files.setDiskFull(false);
  fake.shell.requests.clear();
  fake.files.setLocked(fake.inProgram("configuration.xml"), true);
  EXPECT_THROW(page.CheckBox4.click(), StoreError);
  EXPECT_EQ(started(), (Names{"rtguard.exe"}));
  fake.files.setLocked(fake.inProgram("configuration.xml"), false);
  EXPECT_EQ(fake.files.contents(fake.inProgram("configuration.xml")).value_or(""), before);
}

TEST_F(ProtectionSwitchesTest, AMissingConfigurationFileIsWrittenAfreshFromTheSwitches) {
  storeConfiguration(Row(12, "0"));
  start();
  fake.files.remove(fake.inProgram("configuration.xml"));
  open<RealTimeOptionsPage>(nav::kRealTimeOptions).CheckBox3.click();
  EXPECT_EQ(storedConfiguration(), (Row{"1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(ProtectionSwitchesTest, TheJournalPageOpensOnMatchedOnlyWhateverWasChosenBefore) {
  start();
  const int writes = fake.files.writeCount(fake.inProgram("configuration.xml.saving"));
  SharedState& s = window->centre.state;
  auto* page = &open<JournalPage>(nav::kJournal);
  EXPECT_TRUE(s.JournalMatchedOnly);
  EXPECT_TRUE(page->radiobutton1.checked());
  EXPECT_FALSE(page->CheckBox1.checked());
  page->CheckBox1.click();
  page->radiobutton2.click();
  EXPECT_TRUE(s.JournalOn);
  EXPECT_FALSE(s.JournalMatchedOnly);
  EXPECT_FALSE(page->radiobutton1.checked());

  page = &open<JournalPage>(nav::kJournal);
  EXPECT_TRUE(s.JournalMatchedOnly);
  EXPECT_TRUE(page->radiobutton1.checked());
  EXPECT_TRUE(page->CheckBox1.checked());
  page->radiobutton2.click();
  page->radiobutton1.click();
  EXPECT_TRUE(s.JournalMatchedOnly);
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("configuration.xml.saving")), writes);
  EXPECT_TRUE(fake.shell.requests.empty());
}

TEST_F(ProtectionSwitchesTest, TheModeAndCtrlplFilesAreWrittenAndAFailedWriteIsAnError) {
  start();
  PageContext c = context();
  radiobutton4Click(c);
  EXPECT_EQ(fake.files.contents(fake.inProgram("mode.txt")), "1\r\n");
  EXPECT_EQ(window->centre.state.WatchMode, '1');
  fake.files.failWritesTo(fake.inProgram("mode.txt"));
  EXPECT_THROW(radiobutton3Click(c), std::runtime_error);
  EXPECT_EQ(window->centre.state.WatchMode, '1');  // the file was not saved

  CheckBox14Click(c, false);
  EXPECT_EQ(fake.files.contents(fake.inProgram("ctrlpl.txt")), "0\r\n");
  EXPECT_FALSE(window->centre.state.CtrlplSwitch);
  fake.files.failWritesTo(fake.inProgram("ctrlpl.txt"));
  EXPECT_THROW(CheckBox14Click(c, true), std::runtime_error);
  EXPECT_TRUE(window->centre.state.CtrlplSwitch);
  EXPECT_TRUE(fake.shell.requests.empty());  // neither restarts the real-time engine
}

}  // namespace
}  // namespace tg
