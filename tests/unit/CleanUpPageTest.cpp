#include <gtest/gtest.h>

#include "pages/tools/CleanUpPage.h"
#include "pages/tools/StartupEntries.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

const std::string kDesktop = "C:\\Users\\Jean\\Desktop\\";

class CleanUpPageTest : public testing::PageTest {
 protected:
  CleanUpPageTest() {
    fake.files.addFile(kDesktop + "dead.lnk", "shortcut");
    fake.files.addFile(kDesktop + "Live.LNK", "shortcut");
    fake.files.addFile(kDesktop + "Gone.Lnk", "shortcut");
    fake.files.addFile(kDesktop + "letter.doc", "a document, which gives no target either");
    fake.files.addFile(kDesktop + "hidden.lnk", "shortcut", attr::Hidden);
    fake.files.addFile("C:\\Apps\\tool.exe", "MZ");
    fake.shell.shortcuts[kDesktop + "Live.LNK"] = "C:\\Apps\\tool.exe";
    fake.shell.shortcuts[kDesktop + "Gone.Lnk"] = "C:\\Removed\\gone.exe";
    fake.files.addFile(kDesktop + "Share.lnk", "shortcut");
    fake.shell.shortcuts[kDesktop + "Share.lnk"] = "\\\\server\\tools\\run.exe";  // out of reach, maybe for now
    start();
  }
  // The page, with the three switches as given.
  CleanUpPage& open(bool desktopCheck, bool startUp, bool recycleBins) {
    state().ConfigurationSwitches[8] = desktopCheck;
    state().ConfigurationSwitches[9] = startUp;
    state().ConfigurationSwitches[10] = recycleBins;
    return PageTest::open<CleanUpPage>(nav::kCleanUp);
  }
  bool onDesktop(const std::string& name) { return fake.files.exists(kDesktop + name); }
};

TEST_F(CleanUpPageTest, ShortcutsWithoutTargetAreListedAndTheUncheckedOnesDeletedAfterYes) {
  CleanUpPage& page = open(true, false, false);
  page.BitBtn13->click();
  EXPECT_EQ(page.findings->items(), (Names{"dead.lnk", "Gone.Lnk"}));
  EXPECT_FALSE(page.findings->checked(0));

  fake.dialogs.answerNext(Answer::No);
  page.BitBtn18->click();
  EXPECT_TRUE(onDesktop("dead.lnk"));
  EXPECT_TRUE(onDesktop("Gone.Lnk"));

  page.findings->toggleCheck(1);  // the user keeps Gone.Lnk
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn18->click();
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 65", "fr 65"}));
  EXPECT_FALSE(onDesktop("dead.lnk"));
  EXPECT_TRUE(onDesktop("Gone.Lnk"));
  EXPECT_TRUE(onDesktop("Live.LNK"));
  EXPECT_TRUE(onDesktop("letter.doc"));
  EXPECT_TRUE(onDesktop("hidden.lnk"));
  EXPECT_TRUE(onDesktop("Share.lnk"));
  EXPECT_EQ(page.findings->count(), 2);  // listed until the next examination
  EXPECT_EQ(fake.shell.recycleBinsEmptied, 0);
  EXPECT_TRUE(fake.registry.deleted.empty());  // the start-up box is off

  // A second removal skips the file already gone.
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn18->click();
  EXPECT_TRUE(onDesktop("Gone.Lnk"));
}

TEST_F(CleanUpPageTest, TheRecycleBinsAreEmptiedOnlyAfterYesAndWithTheirBoxChecked) {
  CleanUpPage& page = open(true, false, true);
  page.BitBtn13->click();
  page.findings->toggleCheck(0);
  page.findings->toggleCheck(1);
  fake.dialogs.answerNext(Answer::No);
  page.BitBtn18->click();
  EXPECT_EQ(fake.shell.recycleBinsEmptied, 0);
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn18->click();
  EXPECT_EQ(fake.shell.recycleBinsEmptied, 1);
  EXPECT_TRUE(onDesktop("dead.lnk"));  // every entry kept
  EXPECT_TRUE(onDesktop("Gone.Lnk"));
}

TEST_F(CleanUpPageTest, ExamineDoesNothingWithBothBoxesOffAndNothingWithoutADesktop) {
  fake.registry.autorun["Old"] = "C:\\Removed\\old.exe";
  CleanUpPage& page = open(false, false, true);
  EXPECT_FALSE(page.CheckBox10->checked());
  EXPECT_TRUE(page.CheckBox12->checked());
  EXPECT_EQ(page.CheckBox12->caption(), "fr 83");
  page.BitBtn13->click();
  EXPECT_EQ(page.findings->count(), 0);
  EXPECT_TRUE(fake.registry.deleted.empty());

  fake.shell.specialFolders.clear();
  CleanUpPage& again = open(true, false, false);
  again.BitBtn13->click();
  EXPECT_EQ(again.findings->count(), 0);
}

TEST_F(CleanUpPageTest, StartUpEntriesGoOnlyWhenNoReadingOfTheirCommandNamesAnExistingProgram) {
  fake.files.addFile("C:\\Program Files\\Suite\\app.exe", "MZ");
  fake.files.addFile("C:\\Windows\\system32\\helper.exe", "MZ");
  fake.processes.searchable["helper.exe"] = "C:\\Windows\\system32\\helper.exe";
  auto& run = fake.registry.autorun;
  run["Removed"] = "C:\\Removed\\old.exe /autoRun";
  run["Kept"] = "C:\\Apps\\tool.exe /autoRun";
  run["Bare path"] = "C:\\Apps\\tool.exe";
  run["Quoted"] = "\"C:\\Program Files\\Suite\\app.exe\" -min";
  run["Spaces"] = "C:\\Program Files\\Suite\\app.exe -min /tray";
  run["Environment"] = "%SystemRoot%\\system32\\helper.exe";
  run["Searched"] = "helper /silent";
  run["No extension"] = "C:\\Apps\\tool -x";
  run["Gone quoted"] = "\"C:\\Program Files\\Gone\\app.exe\" -min";
  run["Gone spaces"] = "C:\\Program Files\\Gone\\app.exe -min";
  run["A folder"] = "C:\\Apps";
  run["Empty"] = "";
  run["Only the ending"] = "/autoRun";
  fake.registry.addNumber("Number");
  CleanUpPage& page = open(false, true, false);
  page.BitBtn13->click();
  Names left;
  for (const auto& [name, command] : run) left.push_back(name);
  EXPECT_EQ(left, (Names{"Bare path", "Empty", "Environment", "Kept", "No extension", "Only the ending", "Quoted",
                         "Searched", "Spaces"}));
  EXPECT_TRUE(fake.registry.hasAutorun("Number").value_or(false));
}

// Out of reach is not gone: a program that may come back keeps its entry
// and its shortcut.
TEST_F(CleanUpPageTest, ProgramsOnAnAbsentDriveAnOfflineShareOrBehindADeniedFolderAreKept) {
  fake.files.addDirectory("D:\\");                          // a drive that answers
  fake.files.addDirectory("\\\\nas\\apps");              // a share that answers
  fake.files.addFile("C:\\Locked\\inner\\app.exe", "MZ");
  fake.files.setDenied("C:\\Locked", true);
  struct Case {
    const char* entry;
    std::string command;
    bool deleted;
  } cases[] = {
      {"Gone from a present drive", "D:\\Tools\\gone.exe /autoRun", true},
      {"Gone from a share that answers", "\\\\nas\\apps\\gone.exe", true},
      {"On a drive not plugged in", "E:\\Portable\\app.exe /autoRun", false},
      {"On an offline share", "\\\\server\\tools\\run.exe -quiet", false},
      {"Quoted, on an offline share", "\"\\\\server\\tools\\my app.exe\" -x", false},
      {"Behind a folder that cannot be read", "C:\\Locked\\inner\\app.exe", false},
  };
  for (const Case& c : cases) fake.registry.autorun[c.entry] = c.command;
  CleanUpPage& page = open(false, true, false);
  page.BitBtn13->click();
  for (const Case& c : cases) EXPECT_EQ(fake.registry.autorun.count(c.entry), c.deleted ? 0u : 1u) << c.entry;

  // The desktop check lists only shortcuts whose target is surely gone.
  fake.files.addFile(kDesktop + "Stick.lnk", "shortcut");
  fake.shell.shortcuts[kDesktop + "Stick.lnk"] = "E:\\Portable\\app.exe";
  fake.files.addFile(kDesktop + "Locked.lnk", "shortcut");
  fake.shell.shortcuts[kDesktop + "Locked.lnk"] = "C:\\Locked\\inner\\gone.exe";
  fake.files.addFile(kDesktop + "OldTool.lnk", "shortcut");
  fake.shell.shortcuts[kDesktop + "OldTool.lnk"] = "D:\\Tools\\gone.exe";
  CleanUpPage& again = open(true, false, false);
  again.BitBtn13->click();
  EXPECT_EQ(again.findings->items(), (Names{"dead.lnk", "Gone.Lnk", "OldTool.lnk"}));
}

TEST_F(CleanUpPageTest, StartUpEntriesThatCannotBeReadOrDeletedEndTheActionWithAnError) {
  fake.registry.autorun["Removed"] = "C:\\Removed\\old.exe";
  CleanUpPage& page = open(false, true, false);
  fake.registry.refuseDeletes = true;
  EXPECT_THROW(page.BitBtn13->click(), std::runtime_error);
  EXPECT_EQ(fake.registry.autorun.count("Removed"), 1u);
  fake.registry.keyOpens = false;
  EXPECT_THROW(page.BitBtn13->click(), std::runtime_error);
}

TEST_F(CleanUpPageTest, TheRegistryChangeNoticeTellsTheUserOnlyForItsOwnParameter) {
  window->form.privateMessage(2997, 0);
  window->form.privateMessage(2998, 2997);
  EXPECT_TRUE(fake.shell.requests.empty());
  window->form.privateMessage(2997, 2997);
  ASSERT_EQ(fake.shell.requests.size(), 1u);
  EXPECT_EQ(fake.shell.requests[0].file, fake.inProgram("notify.exe"));
  EXPECT_EQ(fake.shell.requests[0].parameters, "change;registre");
  EXPECT_EQ(fake.shell.requests[0].verb, "open");
  EXPECT_EQ(fake.shell.requests[0].show, kShowHidden);
}

}  // namespace
}  // namespace tg
