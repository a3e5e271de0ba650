#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ui/Containers.h"
#include "ui/Form.h"
#include "win32/FileDialogPresser.h"
#include "win32/TempFolder.h"
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

// Closes every error box of ours that opens while it lives, and keeps their
// texts: a box that should not be there fails the test instead of hanging it.
class ErrorBoxCatcher {
 public:
  ErrorBoxCatcher() : thread_([this] { run(); }) {}
  ~ErrorBoxCatcher() { stop(); }
  std::vector<std::string> stop() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
    return texts_;
  }

 private:
  void run() {
    while (!done_) {
      if (HWND box = FindWindowA("#32770", "Tarnivoxguard2013"); box && IsWindowVisible(box)) {
        texts_.push_back(testing::file_dialog::textOf(GetDlgItem(box, 0xFFFF)));
        testing::file_dialog::press(box, IDOK);
        testing::waitFor([&] { return !IsWindow(box); }, 3000);
      }
      Sleep(10);
    }
  }

  std::vector<std::string> texts_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

const std::vector<FileType> kTransferTypes = {{"XML files", "*.xml"}, {"Tables", "*.csv"}};

TEST(Win32FileDialogs, SaveGivesTheFullPathTypedAndTheTypeShown) {
  struct Case {
    const char* what;
    const char* typed;
    int type;
    bool exists;  // the dialog asks before a file is replaced
    const char* chosen;
    std::size_t chosenType;
  };
  const Case cases[] = {
      {"a name of the second type", "carried.csv", 1, false, "carried.csv", 1},
      {"a name without extension gets the first type's", "carried", -1, false, "carried.xml", 0},
      {"a file replaced after the question", "regles.xml", -1, true, "regles.xml", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempFolder folder;
    if (c.exists) {
      ASSERT_TRUE(testing::writeFile(folder / c.typed, "<regles/>"));
    }
    testing::FileDialogAnswer answer;
    answer.fileName = folder / c.typed;
    answer.type = c.type;
    if (c.exists) answer.boxButton = IDYES;
    Win32Dialogs dialogs;
    testing::FileDialogPresser user("Export the rules", answer);
    const std::optional<SaveChoice> choice = dialogs.chooseFileToSave("Export the rules", kTransferTypes, "regles.xml");
    const testing::FileDialogSeen& seen = user.seen();
    EXPECT_TRUE(seen.asAnswered);
    EXPECT_EQ(seen.shownName, "regles.xml");
    EXPECT_EQ(seen.boxText.empty(), !c.exists) << seen.boxText;
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->path, folder / c.chosen);
    EXPECT_EQ(choice->type, c.chosenType);
  }
}

TEST(Win32FileDialogs, OpenGivesTheFullPathsOfExistingFilesOnly) {
  struct Case {
    const char* what;
    bool several;
    bool inFolderShown;  // names typed in the folder the dialog shows, not full paths
    std::string typed;
    std::vector<std::string> chosen;
  };
  const Case cases[] = {
      {"one file", false, false, "a.xml", {"a.xml"}},
      {"two files", true, true, "\"a.xml\" \"b.xml\"", {"a.xml", "b.xml"}},
      {"one file where several may be", true, false, "b.xml", {"b.xml"}},
      {"a file that is not there", false, false, "missing.xml", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempFolder folder;
    ASSERT_TRUE(testing::writeFile(folder / "a.xml", "<regles/>"));
    ASSERT_TRUE(testing::writeFile(folder / "b.xml", "<alertes/>"));
    testing::FileDialogAnswer answer;
    if (c.inFolderShown) answer.folder = folder.path();
    answer.fileName = c.inFolderShown ? c.typed : folder / c.typed;
    const bool refused = c.chosen.empty();
    if (refused) {  // the dialog says so, stays open, and the user gives up
      answer.boxButton = IDOK;
      answer.cancelAfterBox = true;
    }
    Win32Dialogs dialogs;
    testing::FileDialogPresser user("Import", answer);
    const std::vector<std::string> files = dialogs.chooseFilesToOpen("Import", kTransferTypes, c.several);
    const testing::FileDialogSeen& seen = user.seen();
    EXPECT_TRUE(seen.asAnswered);
    EXPECT_EQ(seen.boxText.empty(), !refused) << seen.boxText;
    std::vector<std::string> expected;
    for (const std::string& name : c.chosen) expected.push_back(folder / name);
    EXPECT_EQ(files, expected);
  }
}

TEST(Win32FileDialogs, CancelChoosesNothingAndSaysNothing) {
  testing::TempFolder folder;
  ASSERT_TRUE(testing::writeFile(folder / "a.xml", "<regles/>"));
  testing::FileDialogAnswer answer;
  answer.fileName = folder / "a.xml";  // typed, then cancelled: not taken
  answer.button = IDCANCEL;
  Win32Dialogs dialogs;
  ErrorBoxCatcher errors;
  {
    testing::FileDialogPresser user("Export the rules", answer);
    EXPECT_FALSE(dialogs.chooseFileToSave("Export the rules", kTransferTypes, "regles.xml"));
    EXPECT_TRUE(user.seen().asAnswered);
  }
  for (bool several : {false, true}) {
    SCOPED_TRACE(several ? "several" : "one");
    testing::FileDialogPresser user("Import", answer);
    EXPECT_TRUE(dialogs.chooseFilesToOpen("Import", kTransferTypes, several).empty());
    EXPECT_TRUE(user.seen().asAnswered);
  }
  EXPECT_TRUE(errors.stop().empty());
}

TEST(Win32FileDialogs, AChoiceLongerThanTheDialogCanHoldIsReported) {
  testing::TempFolder folder;
  // 160 names of about 220 characters: more than the 32 KiB the dialog is given.
  std::string typed;
  for (int i = 0; i < 160; ++i) {
    const std::string name = std::string(215, 'n') + std::to_string(1000 + i) + ".xml";
    ASSERT_TRUE(testing::writeFile(folder / name, ""));
    typed += "\"" + name + "\" ";
  }
  testing::FileDialogAnswer answer;
  answer.folder = folder.path();
  answer.fileName = typed;
  Win32Dialogs dialogs;
  ErrorBoxCatcher errors;
  testing::FileDialogPresser user("Import", answer);
  // Not a part of the list: Windows' dialog fails, wine's cuts the list short.
  EXPECT_TRUE(dialogs.chooseFilesToOpen("Import", kTransferTypes, true).empty());
  EXPECT_TRUE(user.seen().asAnswered);
  const std::vector<std::string> texts = errors.stop();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("longer than it can hold"), std::string::npos) << texts[0];
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
