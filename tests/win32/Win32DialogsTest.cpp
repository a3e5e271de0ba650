#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "win32/Win32System.h"

namespace tg::win32 {
namespace {

// Presses a button of the next message box that opens, from another thread,
// as a user would; remembers the box's text.
class BoxPresser {
 public:
  explicit BoxPresser(int button) : thread_([this, button] { run(button); }) {}
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

}  // namespace
}  // namespace tg::win32
