#include <gtest/gtest.h>

#include "pages/tools/DiskScanPage.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;
constexpr int kPause = DiskScanPage::kPauseMs;

class DiskScanPageTest : public testing::PageTest {
 protected:
  DiskScanPageTest() {
    fake.files.addFile(fake.inProgram("diskscan.exe"), "MZ");
    fake.files.addFile("C:\\Data\\a.txt", "same");
    fake.files.addFile("C:\\Data\\Photos\\b.txt", "same");
    fake.files.addFile("D:\\Copies\\a.txt", "same");
  }
  // diskscan.exe as it runs: its file held for `runMs`, then liste2.txt written (not when empty).
  void engineRuns(int runMs, std::string list = {}) {
    fake.shell.onExecute = [this, runMs, list](const ShellRequest& r) -> std::intptr_t {
      if (r.file != fake.inProgram("diskscan.exe")) return kShellSuccess;
      fake.files.setLocked(fake.inProgram("diskscan.exe"), true);
      fake.timers.startOnce(runMs, [this, list] {
        if (!list.empty()) fake.files.addFile(fake.inProgram("liste2.txt"), list);
        fake.files.setLocked(fake.inProgram("diskscan.exe"), false);
      });
      return kShellSuccess;
    };
  }
  // The parameters of the disk scanner's and the end messages' starts (the monitor starts its own engine).
  std::vector<std::string> startedParameters() const {
    std::vector<std::string> out;
    for (const ShellRequest& r : fake.shell.requests)
      if (r.file == fake.inProgram("diskscan.exe") || r.file == fake.inProgram("notify.exe")) out.push_back(r.parameters);
    return out;
  }
  bool stepsEnabled(const DiskScanPage& p) const {
    return p.BitBtn12->enabled() && p.BitBtn9->enabled() && p.BitBtn10->enabled() && p.BitBtn11->enabled();
  }
  bool stepsDisabled(const DiskScanPage& p) const {
    return !p.BitBtn12->enabled() && !p.BitBtn9->enabled() && !p.BitBtn10->enabled() && !p.BitBtn11->enabled();
  }
  DiskScanPage& open() { return PageTest::open<DiskScanPage>(nav::kDiskScan); }
};

TEST_F(DiskScanPageTest, AStepRunsTheEngineAndWaitsForItBetweenItsPausesWithoutHoldingTheWindow) {
  fake.files.addDirectory("C:\\Program\\Logs");
  start();
  DiskScanPage& page = open();
  EXPECT_EQ(page.DirectoryListBox2->directory(), "C:\\Program");  // the current folder
  EXPECT_EQ(page.Edit3->text(), "");
  EXPECT_TRUE(page.Edit3->readOnly());

  engineRuns(kPause + 3000);
  page.BitBtn9->click();  // no folder chosen yet
  EXPECT_EQ(startedParameters(), (Names{"1 "}));
  EXPECT_EQ(fake.shell.requests[0].show, kShowHidden);
  EXPECT_EQ(page.state->caption(), "fr 66");
  EXPECT_TRUE(stepsDisabled(page));
  page.BitBtn12->click();  // disabled buttons and a running step start nothing more
  page.BitBtn12Click();

  // The first pause, the rest of the engine's run, then the second pause.
  fake.timers.advance(kPause + 3000 + kPause - 1);
  EXPECT_EQ(startedParameters(), (Names{"1 "}));
  EXPECT_TRUE(stepsDisabled(page));
  fake.timers.advance(100);
  EXPECT_EQ(startedParameters(), (Names{"1 ", "ok1"}));
  EXPECT_TRUE(stepsEnabled(page));
  EXPECT_EQ(page.state->caption(), "fr 67");

  // A chosen folder goes to step 1; step 0 has its own text.
  const auto& entries = page.DirectoryListBox2->entries();
  const auto logs = std::find_if(entries.begin(), entries.end(), [](const auto& e) { return e.caption == "Logs"; });
  page.DirectoryListBox2->openEntry(static_cast<int>(logs - entries.begin()));
  EXPECT_EQ(page.Edit3->text(), "C:\\Program\\Logs");
  fake.shell.requests.clear();
  page.BitBtn9->click();
  fake.timers.advance(3 * kPause);
  page.BitBtn12->click();
  fake.timers.advance(3 * kPause);
  EXPECT_EQ(startedParameters(), (Names{"1 C:\\Program\\Logs", "ok1", "0 0", "ok0"}));
}

TEST_F(DiskScanPageTest, StepTwoWaitsForBothProgramsAndListsTheExistingFilesOutsideTheChosenFolder) {
  fake.files.addFile(fake.inProgram("fc.exe"), "MZ");
  start();
  DiskScanPage& page = open();
  page.Edit3->setText("c:\\data\\photos");  // the engine writes another letter case
  engineRuns(1000,
             "C:\\\\Data\\a.txt\r\n"
             "C:\\Data\\Photos\\b.txt\r\n"
             "D:\\\\Copies\\a.txt\r\n"
             "D:\\Copies\\gone.txt\r\n"
             "D:\\Copies\r\n");
  page.BitBtn10->click();
  fake.timers.advance(kPause + 1000 + kPause);
  fake.files.setLocked(fake.inProgram("fc.exe"), true);  // held from before the third pause
  fake.timers.advance(kPause + 5000);
  fake.files.setLocked(fake.inProgram("fc.exe"), false);
  EXPECT_EQ(page.CheckListBox2->count(), 0);
  fake.timers.advance(kPause - 100);
  EXPECT_EQ(page.CheckListBox2->count(), 0);  // the last pause counts from the end of the wait
  fake.timers.advance(200);
  EXPECT_EQ(page.CheckListBox2->items(), (Names{"C:\\Data\\a.txt", "D:\\Copies\\a.txt"}));
  EXPECT_FALSE(page.CheckListBox2->checked(0));
  EXPECT_EQ(startedParameters(), (Names{"2", "ok2"}));
  EXPECT_TRUE(stepsEnabled(page));

  // Without a list the entries stay, and the step still ends as usual.
  fake.files.remove(fake.inProgram("liste2.txt"));
  engineRuns(10);
  fake.shell.requests.clear();
  page.BitBtn10->click();
  fake.timers.advance(4 * kPause + 100);
  EXPECT_EQ(page.CheckListBox2->count(), 2);
  EXPECT_EQ(startedParameters(), (Names{"2", "ok2"}));

  // A list that cannot be read goes to the error report; the entries stay and the steps come back.
  fake.files.addFile(fake.inProgram("liste2.txt"), "C:\\Data\\a.txt\r\n");
  fake.files.setDenied(fake.inProgram("liste2.txt"), true);
  fake.shell.requests.clear();
  page.BitBtn10->click();
  EXPECT_THROW(fake.timers.advance(4 * kPause + 100), std::runtime_error);
  EXPECT_EQ(page.CheckListBox2->count(), 2);
  EXPECT_EQ(startedParameters(), (Names{"2"}));  // no end message
  EXPECT_TRUE(stepsEnabled(page));
  EXPECT_EQ(page.state->caption(), "fr 67");
}

TEST_F(DiskScanPageTest, StepThreeDeletesTheUncheckedFilesAfterYesAndLeavesTheListAsItIs) {
  start();
  DiskScanPage& page = open();
  page.CheckListBox2->setItems({"C:\\Data\\a.txt", "C:\\Data\\Photos\\b.txt", "D:\\Copies\\gone.txt", "D:\\Copies"});
  page.CheckListBox2->setChecked(1, true);

  fake.dialogs.answerNext(Answer::No);
  page.BitBtn11->click();
  EXPECT_TRUE(fake.files.exists("C:\\Data\\a.txt"));
  EXPECT_EQ(fake.dialogs.questions.back(), "fr 65");

  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn11->click();
  EXPECT_FALSE(fake.files.exists("C:\\Data\\a.txt"));
  EXPECT_TRUE(fake.files.exists("C:\\Data\\Photos\\b.txt"));
  EXPECT_TRUE(fake.files.exists("D:\\Copies\\a.txt"));  // a folder is no file to delete
  EXPECT_EQ(page.CheckListBox2->count(), 4);
  EXPECT_TRUE(stepsEnabled(page));
  EXPECT_TRUE(fake.shell.requests.empty());  // no end message

  // Every entry checked: nothing goes.
  page.CheckListBox2->setItems({"C:\\Data\\Photos\\b.txt", "D:\\Copies\\a.txt"});
  page.CheckListBox2->setChecked(0, true);
  page.CheckListBox2->setChecked(1, true);
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn11->click();
  EXPECT_TRUE(fake.files.exists("C:\\Data\\Photos\\b.txt"));
  EXPECT_TRUE(fake.files.exists("D:\\Copies\\a.txt"));
}

TEST_F(DiskScanPageTest, TheFolderBoxTakesOnlyDigitsAndBackspaceAndAClickedEntryBecomesTheTip) {
  EXPECT_EQ(DiskScanPage::repairedPath("C:\\\\Data\\x"), "C:\\Data\\x");
  EXPECT_EQ(DiskScanPage::repairedPath("\\\\server\\share"), "\\\\server\\share");  // only after a colon
  start();
  DiskScanPage& page = open();
  for (char key : {'7', '\b'}) {
    char typed = key;
    EXPECT_TRUE(page.Edit3->keyPress(typed));
  }
  for (char key : {'a', ' ', '\\'}) {
    char typed = key;
    EXPECT_FALSE(page.Edit3->keyPress(typed));
  }
  page.Edit3->type("12");
  EXPECT_EQ(page.Edit3->text(), "");  // read-only

  page.CheckListBox2->clickItem(-1);
  EXPECT_EQ(page.CheckListBox2->hint(), "");
  page.CheckListBox2->setItems({"C:\\a very long folder name\\with a long file name.txt"});
  page.CheckListBox2->clickItem(0);
  EXPECT_TRUE(page.CheckListBox2->showHint());
  EXPECT_EQ(page.CheckListBox2->hint(), "C:\\a very long folder name\\with a long file name.txt");
}

}  // namespace
}  // namespace tg
