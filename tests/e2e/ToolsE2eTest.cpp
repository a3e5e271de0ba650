// The tool pages of the real control centre under wine: a folder put under
// surveillance through the page loses the file another program writes in it;
// the clean-up page removes the desktop's dead shortcuts and the start-up
// entries of removed programs, and keeps the rest.
#include "ControlCentreKit.h"
#include "UserFolderFiles.h"
#include "WatchPageKit.h"

#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <cstdlib>

#include "stores/StoreSchema.h"
#include "win32/TempFolder.h"
#include "win32/TestFiles.h"

namespace tg::e2e {
namespace {

using testing::fileExists;
using testing::writeFile;
using testing::writeShortcut;

TEST(WatchPageUnderWine, AFileAnotherProgramWritesInTheChosenFolderIsDeletedAndLogged) {
  ProgramDirectory dir;
  testing::TempFolder watched;
  ASSERT_TRUE(writeFile(watched / "kept.txt", "known"));
  const std::string folder = watched.path().substr(0, watched.path().size() - 1);
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(centre.choose(58));

  ASSERT_TRUE(turnWatchModeOn(centre, dir));
  screenshot(centre.mainWindow(), "page-watch.bmp");
  ASSERT_TRUE(chooseWatchedFolder(centre, dir, folder)) << dir.folder.read("surveille.txt");
  ASSERT_TRUE(dir.folder.waitForText("repertoiresurveille.txt", "kept.txt", 10000));

  const auto written = std::chrono::steady_clock::now();
  ASSERT_TRUE(writeFile(watched / "intruder.exe", "MZ"));
  EXPECT_TRUE(waitFor([&] { return !fileExists(watched / "intruder.exe"); }, 10000));
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - written);
  std::printf("the new file went after %lld ms\n", static_cast<long long>(took.count()));
  EXPECT_TRUE(fileExists(watched / "kept.txt"));
  ASSERT_TRUE(waitFor([&] { return countOf(dayLog(dir.folder), watched / "intruder.exe") == 1; }, 10000))
      << dayLog(dir.folder);
  EXPECT_NE(dayLog(dir.folder).find(watched / "kept.txt"), std::string::npos);

  // The deleted name is known from then on: written again, it stays.
  ASSERT_TRUE(writeFile(watched / "intruder.exe", "MZ"));
  ASSERT_TRUE(waitFor([&] { return countOf(dayLog(dir.folder), watched / "intruder.exe") == 2; }, 10000))
      << dayLog(dir.folder);
  EXPECT_TRUE(fileExists(watched / "intruder.exe"));
}

std::string runValue(const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", name, RRF_RT_REG_SZ, nullptr,
                   data, &size) != ERROR_SUCCESS)
    return "(none)";
  return data;
}

void setRunValue(const char* name, const std::string& command) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", name, REG_SZ,
                  command.c_str(), static_cast<DWORD>(command.size() + 1));
}

void deleteRunValue(const char* name) {
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", name);
}

TEST(CleanUpPageUnderWine, DeadShortcutsAndTheEntriesOfRemovedProgramsGoAndEverythingElseStays) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  UserFolderFiles desktop(desktopFolder());
  ASSERT_EQ(desktop.unusable(), "") << "no test may delete in the home folder";
  testing::TempFolder programs;
  ASSERT_TRUE(writeFile(programs / "tool.exe", "MZ"));
  ASSERT_TRUE(writeFile(programs / "removed.exe", "MZ"));
  ASSERT_TRUE(CreateDirectoryA((programs / "Suite Tools").c_str(), nullptr));
  ASSERT_TRUE(writeFile(programs / "Suite Tools\\app.exe", "MZ"));

  const std::string stamp = std::to_string(GetCurrentProcessId());
  const std::string dead = "tg-dead-" + stamp + ".lnk", live = "tg-live-" + stamp + ".lnk",
                    letter = "tg-letter-" + stamp + ".txt";
  ASSERT_TRUE(writeShortcut(desktop.add(dead), programs / "removed.exe"));
  ASSERT_TRUE(writeShortcut(desktop.add(live), programs / "tool.exe"));
  ASSERT_TRUE(writeFile(desktop.add(letter), "a document, not a shortcut"));
  setRunValue("TgTestRemoved", programs / "removed.exe" + " /autoRun");
  setRunValue("TgTestExisting", programs / "Suite Tools\\app.exe" + " -min /tray");
  ASSERT_TRUE(DeleteFileA((programs / "removed.exe").c_str()));

  // The desktop check and the start-up clean-up on; the recycle bins off, as
  // wine's bin is the machine's own trash.
  ProgramDirectory dir;
  Row switches(12, "0");
  switches[8] = switches[9] = "1";
  ASSERT_TRUE(dir.folder.write("configuration.xml", encodeDataPacket(schemaOf(StoreId::Configuration).fields, {switches},
                                                                     CodePage(static_cast<int>(GetACP())))));
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(centre.choose(61));
  HWND recycleBins = pageControl(centre, "BUTTON", 40, 112);
  ASSERT_NE(recycleBins, nullptr);
  ASSERT_EQ(SendMessageA(recycleBins, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  HWND findings = pageControl(centre, "LISTBOX", 168, 48);
  ASSERT_NE(findings, nullptr);

  clickButton(pageChild(centre, "BUTTON", 248, 264));  // examine
  ASSERT_TRUE(waitFor([&] { return runValue("TgTestRemoved") == "(none)"; }, 10000));
  EXPECT_EQ(runValue("TgTestExisting"), programs / "Suite Tools\\app.exe" + " -min /tray");
  // The desktop is the test prefix's own: nothing but this test's files is
  // there, so nothing else can be deleted.
  std::vector<std::string> listed;
  for (int i = 0; i < SendMessageA(findings, LB_GETCOUNT, 0, 0); ++i) listed.push_back(listText(findings, i));
  ASSERT_EQ(listed, (std::vector<std::string>{dead}));
  screenshot(centre.mainWindow(), "page-clean-up.bmp");

  clickButton(pageChild(centre, "BUTTON", 504, 80));  // remove
  answerNextBox(IDYES);
  EXPECT_TRUE(waitFor([&] { return !fileExists(desktop.path(dead)); }, 10000));
  EXPECT_TRUE(fileExists(desktop.path(live)));
  EXPECT_TRUE(fileExists(desktop.path(letter)));
  deleteRunValue("TgTestExisting");
  CoUninitialize();
}

TEST(RegistryChangeNoticeUnderWine, TheSuitesMessageWithItsOwnParameterTellsTheUser) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  PostMessageA(centre.mainWindow(), 2997, 0, 0);
  PostMessageA(centre.mainWindow(), 2997, 2997, 0);
  ASSERT_TRUE(dir.folder.waitForText("probe.log", "notify.exe|change;registre", 10000)) << dir.folder.read("probe.log");
  EXPECT_EQ(countOf(dir.folder.read("probe.log"), "notify.exe|"), 1);
}

}  // namespace
}  // namespace tg::e2e
