#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "ui/Containers.h"
#include "ui/Form.h"
#include "win32/TestFiles.h"
#include "win32/Win32System.h"
#include "win32/Win32Timers.h"
#include "win32/peers/FormPeer.h"
#include "win32/peers/Win32PeerFactory.h"

namespace tg::win32 {
namespace {

// Presses a button of the next message box that opens, from another thread,
// as a user would; remembers the box's text.
class BoxPresser {
 public:
  explicit BoxPresser(int button, DWORD after = 0) : thread_([this, button, after] {
    Sleep(after);
    run(button);
  }) {}
  ~BoxPresser() { thread_.join(); }
  std::string text() {
    thread_.join();
    thread_ = std::thread([] {});
    return text_;
  }
  bool pressed() const { return pressed_; }

 private:
  void run(int button) {
    for (int i = 0; i < 500 && !pressed_; ++i) {
      if (HWND box = FindWindowA("#32770", "Tarnivoxguard2013")) {
        char buffer[512] = {};
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // the static text of a message box
        text_ = buffer;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        pressed_ = true;
        return;
      }
      Sleep(10);
    }
  }

  std::string text_;
  std::atomic<bool> pressed_{false};
  std::thread thread_;
};

TEST(Win32Dialogs, TheQuestionBoxAnswersWithTheButtonPressed) {
  Win32Dialogs dialogs;
  {
    BoxPresser yes(IDYES);
    EXPECT_EQ(dialogs.askYesNo("Supprimer cette r\xE8gle ?"), Answer::Yes);
    EXPECT_EQ(yes.text(), "Supprimer cette r\xE8gle ?");
  }
  {
    BoxPresser no(IDNO);
    EXPECT_EQ(dialogs.askYesNo("Encore ?"), Answer::No);
    EXPECT_TRUE(no.pressed());
  }
}

TEST(Win32Dialogs, TheErrorReportShowsTheErrorsText) {
  Win32Dialogs dialogs;
  BoxPresser ok(IDOK);
  dialogs.reportError("cannot write C:\\x\\regles.xml");
  EXPECT_EQ(ok.text(), "cannot write C:\\x\\regles.xml");
}

TEST(Win32Dialogs, TimerTicksRunWhileTheQuestionIsOpenAndTheBoxBelongsToTheWindow) {
  ui::Form form("TForm2", {100, 100, 400, 300}, "Tarnivoxguard2013");
  Win32PeerFactory factory;
  FormPeer& window = factory.attach(form);
  form.setVisible(true);

  Win32Timers timers;
  int ticks = 0;
  bool askedInside = false;
  const TimerId tick = timers.startRepeating(50, [&] { ++ticks; });
  Win32Dialogs dialogs;
  dialogs.setOwner(window.hwnd());
  HWND owner = nullptr;
  std::thread spy([&] {
    testing::waitFor([&] {
      if (HWND box = FindWindowA("#32770", "Tarnivoxguard2013")) owner = GetWindow(box, GW_OWNER);
      return owner != nullptr;
    }, 3000);
  });
  BoxPresser yes(IDYES, 600);
  const int before = ticks;
  EXPECT_EQ(dialogs.askYesNo("Mettre en quarantaine ?"), Answer::Yes);
  askedInside = ticks - before >= 3;  // 600 ms at 50 ms a tick, with room to spare
  spy.join();
  timers.stop(tick);
  EXPECT_TRUE(askedInside) << ticks - before << " ticks while the question was open";
  EXPECT_EQ(owner, window.hwnd());
}

TEST(Win32Timers, OneShotAndRepeatingTimersFireAndStop) {
  Win32Timers timers;
  int repeats = 0;
  int once = 0;
  const TimerId every = timers.startRepeating(20, [&] { ++repeats; });
  timers.startOnce(30, [&] { ++once; });
  const TimerId stopped = timers.startOnce(40, [&] { ++once; });
  timers.stop(stopped);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 400) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
  timers.stop(every);
  EXPECT_GE(repeats, 5);
  EXPECT_EQ(once, 1);
}

TEST(Win32Peers, SuspendedRedrawingIsTheWindowsOwn) {
  ui::Form form("TForm2", {100, 100, 400, 300}, "x");
  Win32PeerFactory factory;
  factory.attach(form);
  ui::Panel& panel = form.add<ui::Panel>("PagePanel", ui::Rect{10, 10, 100, 100});
  form.setVisible(true);
  HWND hwnd = dynamic_cast<WindowPeer*>(panel.peer())->hwnd();
  panel.suspendRedraw(true);
  // WM_SETREDRAW FALSE takes the visible flag away without hiding the window.
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE, 0);
  panel.suspendRedraw(false);
  EXPECT_NE(GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE, 0);
}

}  // namespace
}  // namespace tg::win32
