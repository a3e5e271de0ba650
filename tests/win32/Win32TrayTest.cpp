#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "win32/Win32Tray.h"

namespace tg::win32 {
namespace {

// Asks the shell to drop the tray host's icon; true when it had one.
bool shellDropsIcon(HWND host) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = host;
  data.uID = 1;
  return Shell_NotifyIconA(NIM_DELETE, &data) != 0;
}

TEST(Win32Tray, OneIconThatComesBackWithEveryNewTaskBarAndTheLoopEndsWithTheHost) {
  {
    Win32Tray tray;
    std::vector<unsigned> events;
    EXPECT_TRUE(tray.addIcon("Tarnivoxguard2013", [&](unsigned e) { events.push_back(e); }));
    EXPECT_TRUE(tray.addIcon("Tarnivoxguard2013", [&](unsigned e) { events.push_back(e); }));
    EXPECT_TRUE(shellDropsIcon(tray.window()));
    EXPECT_FALSE(shellDropsIcon(tray.window())) << "the icon was added twice";

    // The shell restarted: its new task bar has no icon until ours asks again.
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    SendMessageA(tray.window(), taskbarCreated, 0, 0);
    EXPECT_TRUE(shellDropsIcon(tray.window()));
    // A task bar message without a restart finds the icon there and adds no other.
    SendMessageA(tray.window(), taskbarCreated, 0, 0);
    SendMessageA(tray.window(), taskbarCreated, 0, 0);
    EXPECT_TRUE(shellDropsIcon(tray.window()));
    EXPECT_FALSE(shellDropsIcon(tray.window()));

    SendMessageA(tray.window(), kTrayCallbackMessage, 1, kTrayRightButtonDown);
    EXPECT_EQ(events, (std::vector<unsigned>{kTrayRightButtonDown}));

    // Taken away (the application ends), it stays away, new task bar or not.
    EXPECT_TRUE(tray.addIcon("Tarnivoxguard2013", [](unsigned) {}));
    tray.removeIcon();
    EXPECT_FALSE(shellDropsIcon(tray.window()));
    SendMessageA(tray.window(), taskbarCreated, 0, 0);
    EXPECT_FALSE(shellDropsIcon(tray.window()));
  }
  // The tray host is the application's main window: its end ends the loop.
  // The quit message is taken here, or the next tests' boxes would end at once.
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace tg::win32
