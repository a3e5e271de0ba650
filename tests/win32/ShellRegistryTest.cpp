// The shell, registry and environment calls of the clean-up, against wine's
// real ones: special folders, shortcut targets, the Run key's values and the
// program search.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <algorithm>

#include "base/Text.h"
#include "win32/TempFolder.h"
#include "win32/TestFiles.h"
#include "win32/Win32Processes.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Shell.h"

namespace tg::win32 {
namespace {

using testing::TempFolder;
using testing::writeFile;

TEST(Win32Shell, SpecialFoldersAndShortcutTargetsComeFromTheShell) {
  Win32Shell shell;
  const std::string desktop = shell.specialFolderPath(kDesktopFolder);
  ASSERT_FALSE(desktop.empty());
  EXPECT_NE(GetFileAttributesA(desktop.c_str()), INVALID_FILE_ATTRIBUTES) << desktop;
  EXPECT_EQ(shell.specialFolderPath(-5), "");  // no such folder number

  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  TempFolder folder;
  ASSERT_TRUE(writeFile(folder / "tool.exe", "MZ"));
  ASSERT_TRUE(testing::writeShortcut(folder / "tool.lnk", folder / "tool.exe"));
  CoUninitialize();
  // The call brings its own COM apartment: none is open on this thread now.
  EXPECT_EQ(foldedAscii(shell.shortcutTarget(folder / "tool.lnk")), foldedAscii(folder / "tool.exe"));
  ASSERT_TRUE(writeFile(folder / "letter.lnk", "not a shortcut at all"));
  EXPECT_EQ(shell.shortcutTarget(folder / "letter.lnk"), "");
  EXPECT_EQ(shell.shortcutTarget(folder / "missing.lnk"), "");
}

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(Win32Registry, TheRunKeysValuesAreListedTestedAndDeleted) {
  Win32Registry registry;
  const std::string text = "TgRegistryTestText" + std::to_string(GetCurrentProcessId());
  const std::string number = "TgRegistryTestNumber" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(registry.writeAutorun(text, "C:\\x.exe /autoRun"));
  const DWORD one = 1;
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, number.c_str(), REG_DWORD, &one, sizeof one), ERROR_SUCCESS);

  const auto names = registry.autorunNames();
  ASSERT_TRUE(names);
  EXPECT_NE(std::find(names->begin(), names->end(), text), names->end());
  EXPECT_NE(std::find(names->begin(), names->end(), number), names->end());
  EXPECT_EQ(registry.readAutorun(text), "C:\\x.exe /autoRun");
  EXPECT_EQ(registry.readAutorun(number), "");  // no text
  EXPECT_EQ(registry.hasAutorun(number), true);

  EXPECT_TRUE(registry.deleteAutorun(text));
  EXPECT_TRUE(registry.deleteAutorun(number));
  EXPECT_EQ(registry.hasAutorun(text), false);
  EXPECT_FALSE(registry.deleteAutorun(text));  // gone already
}

TEST(Win32Processes, EnvironmentNamesAreExpandedAndProgramsFoundAsTheyAreStarted) {
  Win32Processes processes;
  char windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  EXPECT_EQ(foldedAscii(processes.expandEnvironment("%SystemRoot%\\system32\\x.exe /s")),
            foldedAscii(std::string(windows) + "\\system32\\x.exe /s"));
  EXPECT_EQ(processes.expandEnvironment("%TgNoSuchVariable%\\x"), "%TgNoSuchVariable%\\x");

  const auto notepad = processes.findProgram("notepad");  // ".exe" added, found in the system folders
  ASSERT_TRUE(notepad);
  EXPECT_NE(foldedAscii(*notepad).find("notepad.exe"), std::string::npos);
  EXPECT_FALSE(processes.findProgram("tg-no-such-program-here.exe"));
  EXPECT_FALSE(processes.userName().empty());
}

}  // namespace
}  // namespace tg::win32
