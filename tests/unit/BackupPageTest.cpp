#include <gtest/gtest.h>

#include "pages/settings/BackupPage.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

class BackupPageTest : public testing::PageTest {
 protected:
  BackupPageTest() {
    fake.files.addDirectory("C:\\A");
    fake.files.addDirectory("D:\\B");
    fake.files.addFile("C:\\notes.txt", "x");
    start();
  }
  BackupPage& open() { return PageTest::open<BackupPage>(nav::kBackup); }
  void addPair(BackupPage& page, const std::string& first, const std::string& second) {
    page.Edit2->setText(first);
    page.Edit3->setText(second);
    page.BitBtn27->click();
  }
};

TEST_F(BackupPageTest, PairsOfExistingFoldersOnlyAreListedAndTheChosenOneIsWhatTheScheduleBacksUp) {
  BackupPage& page = open();
  addPair(page, "C:\\A", "D:\\B");
  addPair(page, "C:\\A", "D:\\Missing");
  addPair(page, "C:\\notes.txt", "D:\\B");  // a file is no folder
  addPair(page, "", "D:\\B");
  addPair(page, "C:\\A", "D:\\B");  // the same pair again
  EXPECT_EQ(page.Combobox11->items(), (Names{"C:\\A;D:\\B", "C:\\A;D:\\B"}));
  EXPECT_TRUE(state().BackupPair.empty());

  page.BitBtn29->click();  // no row shown: nothing runs
  EXPECT_TRUE(fake.shell.requests.empty());
  page.Combobox11->select(0);
  EXPECT_EQ(state().BackupPair, "C:\\A;D:\\B");
  page.BitBtn29->click();
  ASSERT_EQ(fake.shell.requests.size(), 1u);
  EXPECT_EQ(fake.shell.requests[0].file, fake.inProgram("backup.exe"));
  EXPECT_EQ(fake.shell.requests[0].parameters, "C:\\A;D:\\B");
  EXPECT_EQ(fake.shell.requests[0].verb, "");

  // Removing the chosen row asks first, and does not stop its scheduled backups.
  fake.dialogs.answerNext(Answer::No);
  page.BitBtn28->click();
  EXPECT_EQ(page.Combobox11->count(), 2);
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn28->click();
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 65", "fr 65"}));
  EXPECT_EQ(page.Combobox11->count(), 1);
  EXPECT_EQ(state().BackupPair, "C:\\A;D:\\B");

  // A new opening empties the list and the pair.
  EXPECT_EQ(open().Combobox11->count(), 0);
  EXPECT_TRUE(state().BackupPair.empty());
}

TEST_F(BackupPageTest, TheScheduleGroupShowsTheScheduleInForceAndTheBoxTheMonitoringSwitch) {
  BackupPage* page = &open();
  EXPECT_TRUE(page->schedule[0]->checked());
  EXPECT_TRUE(page->CheckBox15->checked());
  page->schedule[2]->click();
  EXPECT_TRUE(state().BackupEveryHour);
  EXPECT_FALSE(state().BackupEveryMinute);
  page->schedule[1]->click();
  EXPECT_TRUE(state().BackupEveryMinute);
  EXPECT_FALSE(state().BackupEveryHour);
  page->CheckBox15->click();
  EXPECT_FALSE(state().ConnectionMonitoring);

  page = &open();
  EXPECT_TRUE(page->schedule[1]->checked());  // every minute, as in force
  EXPECT_FALSE(page->CheckBox15->checked());
  EXPECT_TRUE(state().BackupEveryMinute);
  page->schedule[0]->click();
  EXPECT_FALSE(state().BackupEveryMinute || state().BackupEveryHour);
}

}  // namespace
}  // namespace tg
