#include <gtest/gtest.h>

#include "engines/ProcessUtilities.h"
#include "watchers/NewDriveScan.h"
#include "pages/settings/ScanPage.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

class ScanPageTest : public testing::PageTest {
 protected:
  ScanPage& openScanPage() { return open<ScanPage>(nav::kScan); }
  // The shell requests other than the network engine's, as "file parameters".
  Names launches() const {
    Names out;
    for (const ShellRequest& r : fake.shell.requests)
      if (r.file.find("netguard") == std::string::npos) out.push_back(r.file + " " + r.parameters);
    return out;
  }
  void arrive(std::uint32_t mask, std::uint16_t flags = 0, unsigned type = ui::DeviceChange::kVolume) {
    window->form.deviceChange({ui::DeviceChange::kArrival, type, mask, flags});
  }
};

TEST_F(ScanPageTest, OpeningSwitchesTheHourlyScanOnAndShowsTheLastReport) {
  fake.files.addFile(fake.inProgram("anaviri.txt"), "C:\\x.exe : Eicar\r\nfin\r\n");
  start();
  window->centre.state.HourlyScan = false;
  ScanPage& page = openScanPage();
  EXPECT_TRUE(window->centre.state.HourlyScan);
  EXPECT_TRUE(page.radiobutton12->checked());
  EXPECT_TRUE(page.modes[0]->checked());
  EXPECT_EQ(page.Memo1->lines(), (Names{"C:\\x.exe : Eicar", "fin"}));
  page.radiobutton13->click();
  EXPECT_FALSE(window->centre.state.HourlyScan);
  EXPECT_TRUE(page.modes[0]->checked());  // each group is a radio group of its own

  fake.files.remove(fake.inProgram("anaviri.txt"));
  EXPECT_TRUE(openScanPage().Memo1->lines().empty());
  EXPECT_TRUE(window->centre.state.HourlyScan);
}

TEST_F(ScanPageTest, StartingStopsTheRunningScannerAndTheMonitorEnablesTheButtonOnceNoneRuns) {
  start();
  fake.processes.add("scanengine.exe");
  ScanPage& page = openScanPage();
  page.modes[1]->click();
  page.BitBtn22->click();
  EXPECT_EQ(fake.files.contents(fake.inProgram("analyse.txt")), "1\r\n");
  EXPECT_EQ(fake.processes.endedNames, (Names{"scanengine.exe"}));
  EXPECT_EQ(launches(), (Names{fake.inProgram("scanengine.exe") + " 1"}));
  EXPECT_EQ(fake.shell.requests[0].verb, "");
  EXPECT_TRUE(fake.shell.requests[0].ownedByMainWindow);
  EXPECT_FALSE(page.BitBtn22->enabled());

  fake.processes.add("scanengine.exe");  // the new scanner runs
  fake.timers.advance(1500);
  EXPECT_FALSE(page.BitBtn22->enabled());
  KillByName(fake.processes, "scanengine.exe");
  fake.timers.advance(1500);
  EXPECT_TRUE(page.BitBtn22->enabled());

  // Stop writes the mode shown, then stops; the button keeps its state.
  page.BitBtn22->click();
  page.modes[2]->click();
  fake.processes.add("scanengine.exe");
  page.BitBtn23->click();
  EXPECT_EQ(fake.files.contents(fake.inProgram("analyse.txt")), "2\r\n");
  EXPECT_FALSE(fake.processes.running("scanengine.exe"));
  EXPECT_FALSE(page.BitBtn22->enabled());
  // A new page starts with its button enabled, and the old one's hook is gone.
  EXPECT_TRUE(openScanPage().BitBtn22->enabled());
}

TEST_F(ScanPageTest, AnAnalyseFileThatCannotBeWrittenEndsTheStartBeforeTheScannerIsTouched) {
  start();
  fake.processes.add("scanengine.exe");
  ScanPage& page = openScanPage();
  fake.files.failWritesTo(fake.inProgram("analyse.txt"));
  EXPECT_THROW(page.BitBtn22->click(), std::runtime_error);
  EXPECT_TRUE(fake.processes.running("scanengine.exe"));
  EXPECT_TRUE(launches().empty());
  EXPECT_TRUE(page.BitBtn22->enabled());
}

TEST_F(ScanPageTest, ANewDriveIsOfferedForScanningOnlyWhenItsVolumeCanBeRead) {
  start();
  fake.shell.volumes = {"E:\\", "G:\\"};
  arrive(1u << 4, 0x0001);                        // a medium inserted into a drive
  arrive(1u << 4, 0x0002);                        // a network drive
  arrive(1u << 5);                                // a card reader without its card
  arrive(1u << 4, 0, 5);                          // another kind of device
  window->form.deviceChange({0x8004, 2, 1u << 4, 0});  // a removal
  EXPECT_TRUE(fake.dialogs.questions.empty());

  fake.dialogs.answerNext(Answer::No);
  arrive(1u << 4);
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 91E ?"}));
  EXPECT_TRUE(launches().empty());

  fake.dialogs.answerNext(Answer::Yes);
  arrive(1u << 4);
  EXPECT_EQ(launches(), (Names{"cmd /C \"dir E:\"", fake.inProgram("scanengine.exe") + " 3 E"}));
  EXPECT_EQ(fake.shell.requests[0].verb, "open");
  EXPECT_EQ(fake.shell.requests[0].show, kShowHidden);

  // Any success of the listing will do; a failure scans nothing.
  fake.shell.requests.clear();
  fake.shell.onExecute = [](const ShellRequest& r) -> std::intptr_t { return r.file == "cmd" ? 33 : kShellSuccess; };
  fake.dialogs.answerNext(Answer::Yes);
  arrive(1u << 6);  // G
  EXPECT_EQ(launches().back(), fake.inProgram("scanengine.exe") + " 3 G");
  fake.shell.requests.clear();
  fake.shell.onExecute = [](const ShellRequest& r) -> std::intptr_t { return r.file == "cmd" ? 2 : kShellSuccess; };
  fake.dialogs.answerNext(Answer::Yes);
  arrive(1u << 6);
  EXPECT_EQ(launches(), (Names{"cmd /C \"dir G:\""}));
}

TEST_F(ScanPageTest, TheDriveLetterComesFromTheRoundedLogarithmOfTheWholeMask) {
  EXPECT_EQ(driveLetterOf(1), 'A');
  EXPECT_EQ(driveLetterOf(1u << 25), 'Z');
  EXPECT_EQ(driveLetterOf((1u << 2) | (1u << 4)), 'E');  // log2(20) = 4.32
  EXPECT_EQ(driveLetterOf((1u << 3) | (1u << 4)), 'F');  // log2(24) = 4.58: the volume check decides
  EXPECT_EQ(driveLetterOf(0), std::nullopt);
  EXPECT_EQ(driveLetterOf(1u << 26), std::nullopt);
}

}  // namespace
}  // namespace tg
