// What the end-to-end tests share: the real control centre started under wine
// in a program directory of its own with probe engines, its windows, and the
// user's moves given to it through window messages.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "app/NavigationList.h"
#include "app/WindowLayout.h"
#include "stores/DataPacket.h"
#include "stores/StoreSchema.h"
#include "base/Text.h"
#include "stores/TextFile.h"
#include "win32/EngineFolder.h"
#include "win32/Screenshot.h"
#include "win32/SuiteStop.h"
#include "win32/TestFiles.h"

namespace tg::e2e {

using testing::EngineFolder;
using testing::StartedProgram;
using testing::windowsOf;

using testing::processesNamed;

inline int countProcesses(const std::string& name) { return static_cast<int>(processesNamed(name).size()); }

// A window's text, as it answers WM_GETTEXT (an edit box's contents too).
inline std::string windowText(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// A child window of a class at a place of its parent's client area.
inline HWND childAt(HWND parent, const char* windowClass, int left, int top) {
  return testing::findChild(parent, [&](HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    POINT at{r.left, r.top};
    ScreenToClient(parent, &at);
    return _stricmp(testing::classOf(w).c_str(), windowClass) == 0 && at.x == left && at.y == top;
  });
}

using testing::waitFor;

// How many times `part` occurs in `text`.
inline int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Longer than any answer of a window that goes on while it waits, however busy
// the machine, and shorter than the waits of these tests (2 s and more): a
// window held by its wait answers only after it. How fast the window answers
// is the benchmarks' business.
constexpr long long kHeldWindowMs = 1000;

// How long a window takes at worst to answer a message while a condition is
// awaited; whether it came true in time.
struct Answering {
  bool done = false;
  long long worstMs = 0;
};
template <typename Condition>
Answering answeringUntil(HWND window, Condition condition, DWORD milliseconds) {
  Answering result;
  const auto start = std::chrono::steady_clock::now();
  const auto limit = start + std::chrono::milliseconds(milliseconds);
  for (;;) {
    const auto asked = std::chrono::steady_clock::now();
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
    result.worstMs = std::max<long long>(result.worstMs, took.count());
    if (condition()) {
      result.done = true;
      return result;
    }
    if (std::chrono::steady_clock::now() > limit) return result;
    Sleep(10);
  }
}

using testing::kSuiteEngines;

// A program directory with the control centre, probes in place of its engines
// and the five language files.
class ProgramDirectory {
 public:
  ProgramDirectory() { fill(); }
  // Under `base`, a folder ending in a backslash (on a volume of the test's own).
  explicit ProgramDirectory(const std::string& base) : folder(base) { fill(); }
  std::string entry(int n) const { return n >= 1 && n <= static_cast<int>(french.size()) ? french[n - 1] : ""; }
  std::string exe() const { return folder / "tarnivoxguard2013.exe"; }

  EngineFolder folder;
  Lines french;

 private:
  void fill() {
    EXPECT_TRUE(testing::fillProgramDirectory(folder, replacedAll(TG_PROGRAM_EXE, '/', '\\'),
                                              replacedAll(TG_LANGUAGE_DIR, '/', '\\'), {"fr", "gb", "de", "it", "es"}));
    french = splitLines(folder.read("kelm2013_fr.txt"));
  }
};

// The running control centre and its windows.
class ControlCentre {
 public:
  explicit ControlCentre(const ProgramDirectory& dir) : dir_(dir) {
    process = testing::startCommand("\"" + dir.exe() + "\"", dir.folder.path());
    const DWORD error = process ? 0 : GetLastError();
    EXPECT_TRUE(process) << "the control centre did not start: error " << error;
    ready = waitFor([&] { return mainWindow() && trayHost(); });
  }
  ~ControlCentre() {
    // Ends the run the way Windows ends the log-on, and then every engine
    // left: one that the program started in its last moments (a tick starts
    // engines) would outlive the test and hold the test's output open, and
    // ctest would wait for it. The tests run one at a time.
    win32::stopSuite();
  }
  HWND mainWindow() const {
    for (HWND w : windowsOf(process.pid(), "TgForm")) {
      char title[128] = {};
      GetWindowTextA(w, title, sizeof title);
      if (title == dir_.entry(24)) return w;
    }
    return nullptr;
  }
  HWND trayHost() const {
    const auto found = windowsOf(process.pid(), "TgTrayHost");
    return found.empty() ? nullptr : found.front();
  }
  HWND navigationList() const {
    return childAt(mainWindow(), "LISTBOX", kNavigationListBounds.left, kNavigationListBounds.top);
  }
  // Whether the control centre shows a message box (a question, a report).
  bool asking() const {
    for (HWND w : windowsOf(process.pid(), "#32770"))
      if (IsWindowVisible(w)) return true;
    return false;
  }
  // Clicks the navigation row of a language entry as one step: the press and
  // the release are sent, not posted, so that they reach the list in order
  // with nothing of the test's between them, and the click has been handled
  // (its page built, or its question shown) when this returns true.
  bool choose(int entry) const {
    const auto row = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), entry) - kNavigationEntries.begin();
    if (row == static_cast<std::ptrdiff_t>(kNavigationEntries.size())) return false;
    // The list is not scrolled: all its rows fit.
    HWND list = navigationList();
    const LPARAM at = MAKELPARAM(40, row * kNavigationRowHeight + kNavigationRowHeight / 2);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(list, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 10000, &answer)) return false;
    // The release may open a question, which holds its answer until the
    // question goes: it is sent without waiting, and its answer (or the
    // question) awaited.
    bool handled = false;
    if (!SendMessageCallbackA(
            list, WM_LBUTTONUP, 0, at, [](HWND, UINT, ULONG_PTR done, LRESULT) { *reinterpret_cast<bool*>(done) = true; },
            reinterpret_cast<ULONG_PTR>(&handled)))
      return false;
    return waitFor([&] {
      MSG message;
      PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // lets the answer's callback run
      return handled || asking();
    }, 10000);
  }
  // Whether the window's thread has come back to its queue since this call:
  // what it was handling then, a click and the saves it made, is done. A sent
  // message waits for the thread's next look at its queue; messages posted
  // before it may come after it.
  bool caughtUp() const {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(mainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) != 0;
  }
  // Opens the main window through the tray menu; whether it showed.
  bool openWindow() const { return trayMenuItem() && waitFor([&] { return IsWindowVisible(mainWindow()) != 0; }, 10000); }
  // Opens the tray menu as a right-button press on the icon does and takes
  // its item; whether the menu opened and closed again. The keys are posted
  // once the menu shows: its own loop then takes them.
  bool trayMenuItem() const {
    auto menuShown = [&] {
      for (HWND w : windowsOf(process.pid(), "#32768"))
        if (IsWindowVisible(w)) return true;
      return false;
    };
    PostMessageA(trayHost(), 1025, 1, 0x204);
    if (!waitFor(menuShown, 10000)) return false;
    PostMessageA(trayHost(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(trayHost(), WM_KEYDOWN, VK_RETURN, 0);
    return waitFor([&] { return !menuShown(); }, 10000);
  }
  // How many times the network engine has been started: each tick of the
  // monitor starts it once, after the reading before it was gone through.
  int readings() const { return countOf(dir_.folder.read("probe.log"), "netguard.exe|"); }
  // Waits until the monitor has gone through `more` readings after the one
  // it is at: what it did meanwhile is then there to be looked at.
  bool readingsGoneBy(int more) const {
    const int now = readings();
    return waitFor([&] { return readings() >= now + more + 1; }, 20000);
  }

  StartedProgram process;
  bool ready = false;

 private:
  const ProgramDirectory& dir_;
};

// A control of a page once shown, at its place in the main window's client area.
inline HWND shownAt(const ControlCentre& centre, const char* windowClass, int left, int top) {
  HWND found = nullptr;
  waitFor([&] {
    found = childAt(centre.mainWindow(), windowClass, left, top);
    return found && IsWindowVisible(found);
  }, 10000);
  return found;
}

// A control of the shown page, at its place in the page panel; pageChild does
// not wait for it to show.
inline HWND pageControl(const ControlCentre& centre, const char* windowClass, int left, int top) {
  return shownAt(centre, windowClass, kPagePanelBounds.left + left, kPagePanelBounds.top + top);
}
inline HWND pageChild(const ControlCentre& centre, const char* windowClass, int left, int top) {
  return childAt(centre.mainWindow(), windowClass, kPagePanelBounds.left + left, kPagePanelBounds.top + top);
}

// Presses a button of the next message box the control centre shows.
inline void answerNextBox(int button) {
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 10000));
  HWND box = FindWindowA("#32770", "Tarnivoxguard2013");
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

inline void screenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);
  testing::Screenshot(window).saveBmp(testing::artefactDirectory() + name);
}

// A click on a button, posted as one message in which the button presses and
// releases itself: with a press and a release posted apart, a busy machine
// once let the click get lost between them.
inline void clickButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

// A running program of the test's own, as the network engine would report it.
struct Victim {
  EngineFolder folder;
  StartedProgram process;
  std::string name;
  std::string path;
  explicit Victim(const std::string& base = "victim") : name(base + ".exe") {
    folder.install("probe.exe", name);
    folder.write(base + ".resident", "");
    path = folder / name;
    process = folder.start(name);
    waitFor([&] { return folder.read("probe.log").find(name + "|") != std::string::npos; });
  }
  std::string connectionLine() const {
    return name + ";" + std::to_string(process.pid()) + ";TCP;10.0.0.2:50000;93.184.216.34;443;ESTABLISHED;50000;;;;";
  }
};

inline void answerAsNetworkEngine(ProgramDirectory& dir, const std::vector<std::string>& lines) {
  std::string answer = "netguard.txt\r\n";
  for (const std::string& line : lines) answer += line + "\r\n";
  dir.folder.write("netguard.answer", answer + "end;" + std::to_string(lines.size()) + ";;\r\n");
}
inline void answerAsNetworkEngine(ProgramDirectory& dir, const std::string& line) {
  answerAsNetworkEngine(dir, std::vector<std::string>{line});
}

// A store file with these rows, in the system's code page.
inline void storeFile(ProgramDirectory& dir, StoreId id, const std::vector<Row>& rows) {
  ASSERT_TRUE(dir.folder.write(schemaOf(id).fileName,
                               encodeDataPacket(schemaOf(id).fields, rows, CodePage(static_cast<int>(GetACP())))));
}

// The rows of a store file, read once. The program cannot replace a file that
// anyone holds open (wine refuses it), so a test reads a store only once the
// program is done with it: after a sign that its save is over, never in a loop.
inline std::vector<Row> storeRows(const EngineFolder& folder, const std::string& file) {
  if (!folder.exists(file)) return {};
  const auto packet = decodeDataPacket(folder.read(file), CodePage(static_cast<int>(GetACP())));
  return packet ? packet->rows : std::vector<Row>{};
}

// A list box row's text through the wide message, converted to the code page:
// wine gives the narrow one across processes as wide characters.
inline std::string listText(HWND list, int row) {
  wchar_t wide[256] = {};
  if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) >= 256) return "(long)";
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(wide));
  char text[512] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

// Memory in the control centre's process, for the control messages whose
// parameters are pointers.
class RemoteMemory {
 public:
  explicit RemoteMemory(DWORD pid, SIZE_T size = 4096) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) memory_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
  ~RemoteMemory() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  explicit operator bool() const { return memory_ != nullptr; }
  SIZE_T size() const { return size_; }
  // The address in the other process, `offset` bytes in.
  char* at(SIZE_T offset = 0) const { return memory_ + offset; }
  LPARAM param(SIZE_T offset = 0) const { return reinterpret_cast<LPARAM>(at(offset)); }
  bool write(const void* data, SIZE_T size, SIZE_T offset = 0) const {
    return memory_ && WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  bool read(void* data, SIZE_T size, SIZE_T offset = 0) const {
    return memory_ && ReadProcessMemory(process_, at(offset), data, size, nullptr);
  }

 private:
  SIZE_T size_;
  HANDLE process_ = nullptr;
  char* memory_ = nullptr;
};

// A list view of the control centre seen from outside. Its messages carry
// pointers, so they go through memory in the control centre's process.
class RemoteListView {
 public:
  RemoteListView(HWND list, DWORD pid) : list_(list), memory_(pid) {}

  explicit operator bool() const { return list_ && memory_; }
  int rows() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
  int columns() const {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  }
  int selected() const { return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }

  std::string text(int row, int column) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = memory_.at(sizeof item);
    item.cchTextMax = static_cast<int>(memory_.size() - sizeof item);
    if (!memory_.write(&item, sizeof item)) return "(unwritable)";
    SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), memory_.param());
    char text[512] = {};
    if (!memory_.read(text, sizeof text - 1, sizeof item)) return "(unreadable)";
    return text;
  }

  int selectedCount() const { return static_cast<int>(SendMessageA(list_, LVM_GETSELECTEDCOUNT, 0, 0)); }

  // A click in the row's first cell, as the mouse gives it; with `keys`
  // (MK_SHIFT, MK_CONTROL) held.
  void clickRow(int row, WPARAM keys = 0) const {
    const LPARAM at = centreOf(row);
    PostMessageA(list_, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    PostMessageA(list_, WM_LBUTTONUP, keys, at);
  }
  // A click of the right button on the row, which asks for the list's shortcut menu.
  void rightClickRow(int row) const {
    const LPARAM at = centreOf(row);
    PostMessageA(list_, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(list_, WM_RBUTTONUP, 0, at);
  }

 private:
  // A point in the row's first cell, in the list's client area.
  LPARAM centreOf(int row) const {
    RECT r{};
    r.left = LVIR_BOUNDS;
    memory_.write(&r, sizeof r);
    SendMessageA(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), memory_.param());
    memory_.read(&r, sizeof r);
    return MAKELPARAM(r.left + 12, (r.top + r.bottom) / 2);
  }
  HWND list_;
  RemoteMemory memory_;
};

// The first values of a store's rows, read once (see storeRows).
inline std::vector<std::string> namesIn(const ProgramDirectory& dir, StoreId id) {
  std::vector<std::string> names;
  for (const Row& row : storeRows(dir.folder, schemaOf(id).fileName)) names.push_back(valueOf(row, 0));
  return names;
}

inline std::string boxText(HWND box) {
  char text[2048] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the static text of a message box
  return text;
}

}  // namespace tg::e2e
