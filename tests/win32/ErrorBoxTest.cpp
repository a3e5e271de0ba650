// An error that a handler does not handle, reached through real window
// messages: the error box shows its text, one box at a time, and the program
// goes on.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwchar>
#include <stdexcept>
#include <thread>

#include "ui/Button.h"
#include "ui/Form.h"
#include "win32/TestFiles.h"
#include "win32/ErrorBox.h"
#include "win32/MessageLoop.h"
#include "win32/Screenshot.h"
#include "win32/Win32System.h"
#include "win32/Win32Timers.h"
#include "win32/peers/FormPeer.h"
#include "win32/peers/Win32PeerFactory.h"

namespace tg::win32 {
namespace {

// The message boxes a thread shows. Asked from another thread, and sending the
// windows no message: the thread may be waiting for the asker meanwhile.
std::vector<HWND> errorBoxesOf(DWORD thread) {
  std::vector<HWND> boxes;
  EnumThreadWindows(
      thread,
      [](HWND w, LPARAM found) -> BOOL {
        char name[16] = {};
        wchar_t title[32] = {};
        GetClassNameA(w, name, sizeof name);
        InternalGetWindowText(w, title, 32);
        if (std::strcmp(name, "#32770") == 0 && std::wcscmp(title, L"Tarnivoxguard2013") == 0 && IsWindowVisible(w))
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

// The icon a message box shows.
HICON iconOf(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(
      box,
      [](HWND w, LPARAM found) -> BOOL {
        char name[16] = {};
        GetClassNameA(w, name, sizeof name);
        if (_stricmp(name, "Static") != 0 || (GetWindowLongA(w, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
        *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(SendMessageA(w, STM_GETICON, 0, 0));
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&icon));
  return icon;
}

// Looks at the error boxes of the user-interface thread from another thread,
// as the user would: reads the first one, keeps it open a while counting how
// many are open at once, then presses the OK button of each.
class ErrorBoxWatcher {
 public:
  ErrorBoxWatcher(DWORD keepOpenMs, std::function<void()> beforeClosing = {}, std::string screenshot = {})
      : ui_(GetCurrentThreadId()),
        thread_([this, keepOpenMs, beforeClosing = std::move(beforeClosing), screenshot = std::move(screenshot)] {
          watch(keepOpenMs, beforeClosing, screenshot);
        }) {}
  ~ErrorBoxWatcher() { finish(); }
  bool done() const { return done_; }
  // Waits for the watch to end (the thread that shows boxes must not wait here).
  void finish() {
    if (thread_.joinable()) thread_.join();
  }

  bool seen = false;
  std::string text;
  HWND owner = nullptr;
  HICON icon = nullptr;
  std::size_t mostOpen = 0;

 private:
  void watch(DWORD keepOpenMs, const std::function<void()>& beforeClosing, const std::string& screenshot) {
    HWND box = nullptr;
    if (testing::waitFor([&] {
          const auto boxes = errorBoxesOf(ui_);
          if (!boxes.empty()) box = boxes.front();
          return box != nullptr;
        }, 10000)) {
      seen = true;
      char buffer[512] = {};
      GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // the static text of a message box
      text = buffer;
      owner = GetWindow(box, GW_OWNER);
      icon = iconOf(box);
      for (DWORD waited = 0; waited < keepOpenMs; waited += 10, Sleep(10))
        mostOpen = std::max(mostOpen, errorBoxesOf(ui_).size());
      if (!screenshot.empty()) testing::Screenshot(box).saveBmp(testing::artefactDirectory() + screenshot);
      if (beforeClosing) beforeClosing();
      // Every box goes, so that boxes piled up make the test fail, not hang.
      testing::waitFor([&] {
        const auto open = errorBoxesOf(ui_);
        for (HWND w : open)
          PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, IDOK)));
        return open.empty();
      }, 5000);
    }
    done_ = true;
  }

  DWORD ui_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

void pumpFor(DWORD milliseconds) {
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(5)) pumpMessages({});
}

TEST(ErrorReportUnderWindows, AFailingClickShowsItsErrorAndTheWindowGoesOn) {
  ui::Form form("TForm2", {100, 100, 400, 300}, "Fenetre");
  Win32PeerFactory factory;
  FormPeer& window = factory.attach(form);
  ui::Button& button = form.add<ui::Button>("BitBtn15", ui::Rect{20, 20, 90, 25}, ui::ButtonKind::Custom, "Effacer");
  int clicks = 0;
  button.onClick = [&] {
    if (++clicks == 1) throw std::runtime_error("cannot write C:\\Program\\regles.xml");
  };
  form.setVisible(true);
  SetForegroundWindow(window.hwnd());
  SetActiveWindow(window.hwnd());
  pumpFor(50);
  HWND buttonWindow = dynamic_cast<WindowPeer*>(button.peer())->hwnd();
  const auto click = [&] {
    SendMessageA(buttonWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(buttonWindow, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  };

  {
    ErrorBoxWatcher watcher(300, {}, "error-box.bmp");
    click();  // returns once the box is closed
    watcher.finish();
    ASSERT_TRUE(watcher.seen);
    EXPECT_EQ(watcher.text, "cannot write C:\\Program\\regles.xml");
    EXPECT_EQ(watcher.owner, window.hwnd());
    EXPECT_EQ(watcher.icon, LoadIcon(nullptr, IDI_ERROR));
    EXPECT_EQ(watcher.mostOpen, 1u);
  }
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(IsWindowEnabled(window.hwnd()));  // the box gave its owner back
  click();
  pumpFor(50);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(errorBoxesOf(GetCurrentThreadId()).empty());
}

TEST(ErrorReportUnderWindows, ATickThatKeepsFailingShowsOneBoxAtATimeWhileTheTicksGoOn) {
  Win32Timers timers;
  Win32Dialogs dialogs;
  std::atomic<int> ticks{0};
  std::atomic<bool> failing{true};
  int ticksWhenClosing = 0;
  // Ticks in turn throw and report through the dialogs: both use the one box.
  const TimerId every = timers.startRepeating(50, [&] {
    const int n = ++ticks;
    if (!failing) return;
    if (n % 2) throw std::runtime_error("netguard.txt cannot be read");
    dialogs.reportError("the rule store cannot be saved");
  });
  {
    ErrorBoxWatcher watcher(600, [&] {
      failing = false;
      ticksWhenClosing = ticks;
    });
    while (!watcher.done()) {
      pumpMessages({});
      Sleep(5);
    }
    watcher.finish();
    ASSERT_TRUE(watcher.seen);
    EXPECT_EQ(watcher.text, "netguard.txt cannot be read");
    EXPECT_EQ(watcher.mostOpen, 1u);
  }
  // The box's own loop served the ticks: 600 ms at 50 ms a tick, with room to spare.
  EXPECT_GE(ticksWhenClosing - 1, 3) << ticksWhenClosing << " ticks in all";
  pumpFor(500);
  EXPECT_GE(ticks - ticksWhenClosing, 3);  // still ticking after the box
  timers.stop(every);
  EXPECT_TRUE(errorBoxesOf(GetCurrentThreadId()).empty());
}

}  // namespace
}  // namespace tg::win32
