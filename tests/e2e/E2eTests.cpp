// The real control centre, started under wine in a program directory of its
// own with probe engines, and driven from outside through window messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>

#include "ControlCentreKit.h"
#include "win32/SuiteStop.h"
#include "stores/StoreSchema.h"

namespace tg::e2e {
namespace {

TEST(ControlCentreUnderWine, ASecondStartEndsAtOnceLeavingOneOfEverything) {
  ProgramDirectory dir;
  ControlCentre first(dir);
  ASSERT_TRUE(first.ready);
  ASSERT_TRUE(waitFor([] { return countProcesses("rtguard.exe") == 1; }));
  StartedProgram second = testing::startCommand("\"" + dir.exe() + "\"", dir.folder.path());
  DWORD code = 99;
  EXPECT_TRUE(second.waitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(countProcesses("tarnivoxguard2013.exe"), 1);
  EXPECT_EQ(windowsOf(0, "TgTrayHost").size(), 1u);  // one tray host, so one icon
  EXPECT_EQ(countProcesses("rtguard.exe"), 1);
}

TEST(ControlCentreUnderWine, AnObjectOfAnotherKindUnderTheLocksNameIsNoSecondStart) {
  // An event holding the name leaves no mutex to create, and says so with
  // another error than "already exists": nobody else runs.
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "tarnivoxguard2013.exe");
  ASSERT_NE(event, nullptr);
  SetLastError(0);
  EXPECT_EQ(CreateMutexA(nullptr, FALSE, "tarnivoxguard2013.exe"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  ProgramDirectory dir;
  {
    ControlCentre centre(dir);
    EXPECT_TRUE(centre.ready);
    EXPECT_NE(centre.trayHost(), nullptr);
    EXPECT_FALSE(centre.process.waitForExit(500));
  }
  CloseHandle(event);
}

std::string autorunValue(FILETIME* written) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return "<no key>";
  char data[MAX_PATH * 2] = {};
  DWORD size = sizeof data - 1;
  const LONG read = RegQueryValueExA(key, "Tarnivoxguard2013", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  if (written) RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, written);
  RegCloseKey(key);
  return read == ERROR_SUCCESS ? data : "<no value>";
}

TEST(ControlCentreUnderWine, TheAutorunValueFollowsTheExecutableAndIsWrittenOnlyWhenItDiffers) {
  ProgramDirectory dir;
  FILETIME firstWrite{};
  {
    ControlCentre centre(dir);
    ASSERT_TRUE(centre.ready);
    EXPECT_EQ(autorunValue(&firstWrite), dir.exe());
  }
  Sleep(1500);  // a later write would carry a later time
  {
    ControlCentre again(dir);
    ASSERT_TRUE(again.ready);
    FILETIME secondWrite{};
    EXPECT_EQ(autorunValue(&secondWrite), dir.exe());
    EXPECT_EQ(CompareFileTime(&firstWrite, &secondWrite), 0) << "the value was written again";
  }
  ProgramDirectory moved;
  {
    ControlCentre there(moved);
    ASSERT_TRUE(there.ready);
    EXPECT_EQ(autorunValue(nullptr), moved.exe());
  }
}

TEST(ControlCentreUnderWine, TheTrayMenuShowsTheWindowAndTheCloseBoxOnlyHidesIt) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  HWND window = centre.mainWindow();
  EXPECT_FALSE(IsWindowVisible(window));  // the main window starts hidden
  // A left click does nothing: sent, so that it has been handled when the answer comes.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(centre.trayHost(), 1025, 1, 0x201, SMTO_NORMAL, 10000, &answer));
  EXPECT_FALSE(IsWindowVisible(window));
  ASSERT_TRUE(centre.trayMenuItem());
  ASSERT_TRUE(waitFor([&] { return IsWindowVisible(window) != 0; }, 10000));
  screenshot(window, "main-home.bmp");

  // The permanent controls sit where the window's design puts them.
  EXPECT_NE(centre.navigationList(), nullptr);
  EXPECT_NE(childAt(window, "msctls_trackbar32", 408, 144), nullptr);
  EXPECT_NE(childAt(window, "msctls_statusbar32", 0, 443), nullptr);
  HWND internet = childAt(window, "Button", 408, 104);
  ASSERT_NE(internet, nullptr);

  // Escape anywhere in the window acts on the Internet button: its glyph changes.
  auto glyphPixel = [&] {
    RedrawWindow(internet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Sleep(200);
    return testing::Screenshot(window).pixel(408 + 37, 104 + 12);
  };
  const COLORREF allowed = glyphPixel();
  PostMessageA(centre.navigationList(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(waitFor([&] { return glyphPixel() != allowed; }, 5000));
  PostMessageA(centre.navigationList(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(waitFor([&] { return glyphPixel() == allowed; }, 5000));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(window); }, 5000));
  EXPECT_FALSE(centre.process.waitForExit(500));  // the process goes on
  EXPECT_EQ(countProcesses("rtguard.exe"), 1);
}

// The about boxes of the control centre: its windows other than the main one.
std::vector<HWND> aboutBoxesOf(const ControlCentre& centre) {
  std::vector<HWND> boxes = windowsOf(centre.process.pid(), "TgForm");
  std::erase(boxes, centre.mainWindow());
  return boxes;
}

// Chooses the about item while no box is open: the box, once shown, or null.
HWND openFirstAboutBox(const ControlCentre& centre) {
  if (!centre.choose(48)) return nullptr;
  if (!waitFor([&] { return aboutBoxesOf(centre).size() == 1; }, 10000)) return nullptr;
  HWND about = aboutBoxesOf(centre).front();
  return waitFor([&] { return IsWindowVisible(about) != 0; }, 5000) ? about : nullptr;
}


TEST(ControlCentreUnderWine, ChoosingItemsShowsTheAboutBoxAndKeepsTheWindowWhole) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  HWND window = centre.mainWindow();
  ASSERT_TRUE(centre.choose(3));  // the alert list: its row is selected
  ASSERT_TRUE(waitFor([&] { return SendMessageA(centre.navigationList(), LB_GETCURSEL, 0, 0) == 2; }, 5000))
      << centre.navigationList();
  screenshot(window, "main-alerts-chosen.bmp");
  HWND about = openFirstAboutBox(centre);
  ASSERT_NE(about, nullptr);
  screenshot(about, "about-box.bmp");
  HWND ok = childAt(about, "BUTTON", 111, 180);
  ASSERT_NE(ok, nullptr);
  clickButton(ok);
  EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(about); }, 5000));
  EXPECT_TRUE(IsWindowVisible(window));
}

std::pair<LONG, LONG> clientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// The frame is the system's (wine's own on its virtual desktop, a window
// manager's otherwise): the controls' area stays as designed.
TEST(WindowFrames, TheMainWindowAndTheAboutBoxKeepTheirDesignedClientAreas) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  HWND window = centre.mainWindow();
  EXPECT_EQ(clientSize(window), (std::pair<LONG, LONG>{786, 462}));
  // The status bar spans the window's width and lies on its bottom edge.
  HWND status = childAt(window, "msctls_statusbar32", 0, 443);
  ASSERT_NE(status, nullptr);
  RECT bar;
  GetWindowRect(status, &bar);
  POINT corner{bar.right, bar.bottom};
  ScreenToClient(window, &corner);
  EXPECT_EQ(corner.x, 786);
  EXPECT_EQ(corner.y, 462);
  screenshot(window, "frame-main.bmp");

  HWND about = openFirstAboutBox(centre);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(clientSize(about), (std::pair<LONG, LONG>{298, 213}));
  screenshot(about, "frame-about.bmp");
}

TEST(ControlCentreUnderWine, AboutBoxesAreDestroyedByTheirOkButtonOrTheirCloseBox) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(centre.choose(48));
  ASSERT_TRUE(waitFor([&] { return aboutBoxesOf(centre).size() == 3; }, 10000));
  std::vector<HWND> boxes = aboutBoxesOf(centre);
  // The windows are listed newest first at times: a box may be counted before its button is made.
  HWND ok = nullptr;
  ASSERT_TRUE(waitFor([&] {
    ok = childAt(boxes[0], "BUTTON", 111, 180);
    return ok && IsWindowVisible(ok) && IsWindowVisible(boxes[2]);
  }, 10000));
  clickButton(ok);
  PostMessageA(boxes[1], WM_CLOSE, 0, 0);
  EXPECT_TRUE(waitFor([&] { return !IsWindow(boxes[0]) && !IsWindow(boxes[1]); }, 5000));
  EXPECT_EQ(aboutBoxesOf(centre), (std::vector<HWND>{boxes[2]}));
  EXPECT_TRUE(IsWindowVisible(boxes[2]));
  EXPECT_TRUE(IsWindowVisible(centre.mainWindow()));
}

TEST(ControlCentreUnderWine, TheNavigationKeysOnlyMoveAndEnterOrSpaceActsOnTheSelectedItem) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  HWND window = centre.mainWindow();
  HWND list = centre.navigationList();
  auto selected = [&] { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); };
  auto questionShown = [] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; };
  auto rowOf = [](int entry) {
    return static_cast<int>(std::find(kNavigationEntries.begin(), kNavigationEntries.end(), entry) -
                            kNavigationEntries.begin());
  };
  const int alertRow = rowOf(nav::kAlertList), aboutRow = rowOf(nav::kAbout), quitRow = rowOf(nav::kQuit);
  ASSERT_TRUE(centre.choose(nav::kAlertList));  // a click: the row takes the selection and the focus
  ASSERT_TRUE(waitFor([&] { return selected() == alertRow; }, 5000));

  // Down over the about item onto the quit item: nothing but the selection moves.
  for (int i = alertRow; i < quitRow; ++i) PostMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_TRUE(waitFor([&] { return selected() == quitRow; }, 5000));
  EXPECT_FALSE(questionShown());
  EXPECT_TRUE(aboutBoxesOf(centre).empty());
  // The focused row shows the focus rectangle: dots of the inverse of the
  // selected row's colour along its top edge.
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Sleep(300);
  const testing::Screenshot shot(window);
  POINT rowTop{60, quitRow * kNavigationRowHeight};
  MapWindowPoints(list, window, &rowTop, 1);
  int dots = 0;
  for (int x = 0; x < 80; ++x)
    if (shot.pixel(rowTop.x + x, rowTop.y) == RGB(0xFF - 0xC5, 0xFF - 0xD1, 0xFF - 0xF8)) ++dots;
  EXPECT_GE(dots, 30) << "no focus rectangle on the quit row";
  screenshot(window, "navigation-focus.bmp");

  // Up twice to the about item; Enter opens one box.
  PostMessageA(list, WM_KEYDOWN, VK_UP, 1);
  PostMessageA(list, WM_KEYDOWN, VK_UP, 1);
  PostMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_TRUE(waitFor([&] { return aboutBoxesOf(centre).size() == 1; }, 10000));
  EXPECT_EQ(selected(), aboutRow);

  // Home, End and a letter only move too; a letter goes to the next row whose text starts with it.
  PostMessageA(list, WM_KEYDOWN, VK_END, 1);
  PostMessageA(list, WM_KEYDOWN, VK_HOME, 1);
  ASSERT_TRUE(waitFor([&] { return selected() == 0; }, 5000));
  const char letter = dir.entry(nav::kQuit).front();
  int expected = 1;
  while (std::toupper(static_cast<unsigned char>(dir.entry(kNavigationEntries[expected]).front())) !=
         std::toupper(static_cast<unsigned char>(letter)))
    ++expected;
  PostMessageA(list, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(letter)), 1);
  ASSERT_TRUE(waitFor([&] { return selected() == expected; }, 5000));
  EXPECT_FALSE(questionShown());
  EXPECT_EQ(aboutBoxesOf(centre).size(), 1u);

  // Space on the quit item asks; No keeps everything.
  PostMessageA(list, WM_KEYDOWN, VK_END, 1);
  PostMessageA(list, WM_KEYDOWN, VK_SPACE, 1);
  answerNextBox(IDNO);
  EXPECT_TRUE(waitFor([&] { return !questionShown(); }, 5000));
  // The window answers once the question's handler is done: it went on.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer));
  EXPECT_FALSE(centre.process.waitForExit(0));

  // A press on the about item released over another row runs neither. Sent:
  // each has been handled when its answer comes.
  auto middleOf = [](int row) { return MAKELPARAM(40, row * kNavigationRowHeight + kNavigationRowHeight / 2); };
  ASSERT_TRUE(SendMessageTimeoutA(list, WM_LBUTTONDOWN, MK_LBUTTON, middleOf(aboutRow), SMTO_NORMAL, 10000, &answer));
  ASSERT_TRUE(SendMessageTimeoutA(list, WM_MOUSEMOVE, MK_LBUTTON, middleOf(alertRow), SMTO_NORMAL, 10000, &answer));
  ASSERT_TRUE(SendMessageTimeoutA(list, WM_LBUTTONUP, 0, middleOf(alertRow), SMTO_NORMAL, 10000, &answer));
  EXPECT_EQ(selected(), alertRow);
  EXPECT_EQ(aboutBoxesOf(centre).size(), 1u);
}

TEST(ControlCentreUnderWine, TheQuitItemStopsItsEnginesInOrderAndEndsTheProcess) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  // The engines, running as the control centre found them (rtguard it started itself).
  dir.folder.write("netguard.resident", "");
  std::vector<std::pair<std::string, StartedProgram>> engines;
  for (const char* engine : kSuiteEngines)
    if (std::string(engine) != "rtguard.exe" && std::string(engine) != "notify.exe")
      engines.emplace_back(engine, dir.folder.start(engine));
  ASSERT_TRUE(waitFor([&] {
    const std::string log = dir.folder.read("probe.log");
    for (const char* engine : kSuiteEngines)
      if (std::string(engine) != "notify.exe" && log.find(std::string(engine) + "|") == std::string::npos) return false;
    return true;
  }));

  // Each engine's end, in the order they come: the ones started here, and the
  // real-time engine that the control centre started.
  std::vector<std::pair<std::string, HANDLE>> watched;
  for (auto& [name, program] : engines) watched.emplace_back(name, program.handle());
  for (DWORD pid : processesNamed("rtguard.exe")) watched.emplace_back("rtguard.exe", OpenProcess(SYNCHRONIZE, FALSE, pid));
  std::vector<std::string> ended;
  std::atomic<bool> watching{true};
  std::atomic<bool> allEnded{false};
  HWND window = centre.mainWindow();
  bool shownAtFirstEnd = true;
  std::thread watcher([&] {
    auto running = watched;
    while (!running.empty() && watching) {
      std::vector<HANDLE> handles;
      for (auto& [name, h] : running) handles.push_back(h);
      const DWORD which = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, 200);
      if (which >= WAIT_OBJECT_0 + handles.size()) continue;
      if (ended.empty()) shownAtFirstEnd = IsWindowVisible(window) != 0;
      ended.push_back(running[which - WAIT_OBJECT_0].first);
      running.erase(running.begin() + (which - WAIT_OBJECT_0));
    }
    allEnded = running.empty();
  });
  auto stopWatching = [&] {
    watching = false;
    if (watcher.joinable()) watcher.join();
  };
  struct AtEnd {
    std::function<void()> run;
    ~AtEnd() { run(); }
  } atEnd{stopWatching};  // also when an assertion ends the test early

  ASSERT_TRUE(centre.choose(25));
  answerNextBox(IDYES);
  DWORD code = 99;
  EXPECT_TRUE(centre.process.waitForExit(15000, &code));
  EXPECT_EQ(code, 0u);
  // The engines were stopped before the process ended: every end is seen.
  EXPECT_TRUE(waitFor([&] { return allEnded.load(); }, 10000));
  stopWatching();
  for (auto& [name, handle] : watched)
    if (name == "rtguard.exe") CloseHandle(handle);
  EXPECT_EQ(ended, (std::vector<std::string>{"rtguard.exe", "scanengine.exe", "diskscan.exe", "siteguard.exe",
                                             "netguard.exe", "dbupdate.exe", "mailfilter.exe", "backup.exe"}));
  EXPECT_FALSE(shownAtFirstEnd);  // the window went from the screen before the engines were stopped
}

TEST(ControlCentreUnderWine, TheInstallersStopperEndsItAsTheEndOfTheLogOnDoesThenEveryEngineLeft) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  // Engines it does not stop itself (the message pop-up) and one it does.
  dir.folder.write("notify.resident", "");
  StartedProgram notify = dir.folder.start("notify.exe");
  StartedProgram backup = dir.folder.start("backup.exe");
  ASSERT_TRUE(notify && backup);

  EXPECT_TRUE(win32::stopSuite());
  // It ended on its own: a forced end gives 1.
  DWORD code = 99;
  ASSERT_TRUE(centre.process.waitForExit(0, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(notify.waitForExit(0));
  EXPECT_TRUE(backup.waitForExit(0));
  for (const std::string& name : win32::suiteProgramNames()) EXPECT_EQ(countProcesses(name), 0) << name;
}

// ---------------------------------------------------------------- the monitor


std::string shortDateOfLastWrite(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return "?";
  FindClose(search);
  FILETIME local;
  SYSTEMTIME st;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &st);
  char text[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text);
  return text;
}

std::string ownerOf(const std::string& path) {
  unsigned char descriptor[1024];
  DWORD needed = 0;
  if (!GetFileSecurityA(path.c_str(), OWNER_SECURITY_INFORMATION, descriptor, sizeof descriptor, &needed)) return "";
  PSID sid = nullptr;
  BOOL defaulted = FALSE;
  GetSecurityDescriptorOwner(descriptor, &sid, &defaulted);
  char name[256], domain[256];
  DWORD nameSize = sizeof name, domainSize = sizeof domain;
  SID_NAME_USE use;
  if (!LookupAccountSidA(nullptr, sid, name, &nameSize, domain, &domainSize, &use)) return "";
  return std::string(domain) + "/" + name;
}

std::uint32_t middleWordsSum(const std::string& bytes) {
  const std::size_t n = bytes.size() / 4;
  if (n == 0) return 0;
  const std::size_t start = n / 2;
  const std::size_t count = std::min<std::size_t>(n - 1 - start, 500);
  std::uint32_t sum = 0;
  for (std::size_t i = start; i < start + count; ++i) {
    std::uint32_t word = 0;
    std::memcpy(&word, bytes.data() + 4 * i, 4);
    sum += word;
  }
  return sum;
}

TEST(MonitorUnderWine, ARunningProgramIsRecordedOnceWithItsRealFacts) {
  Victim victim;
  ASSERT_TRUE(victim.process);
  ProgramDirectory dir;
  answerAsNetworkEngine(dir, victim.connectionLine());
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  // Recorded at the first reading, and saved before the next starts; nothing is recorded twice.
  ASSERT_TRUE(centre.readingsGoneBy(2));
  const auto rules = storeRows(dir.folder, "regles.xml");
  const auto alerts = storeRows(dir.folder, "alertes.xml");
  ASSERT_EQ(rules.size(), 1u);
  ASSERT_EQ(alerts.size(), 1u);
  const Row& rule = rules[0];
  const std::string bytes = victim.folder.read("victim.exe");
  EXPECT_EQ(rule[0], "victim.exe");
  EXPECT_EQ(rule[2], "@");
  EXPECT_EQ(_stricmp(rule[7].c_str(), victim.path.c_str()), 0) << rule[7];
  EXPECT_EQ(rule[4], std::to_string(std::llround(static_cast<double>(bytes.size()) / 1024.0)));
  EXPECT_EQ(rule[3], shortDateOfLastWrite(victim.path));
  EXPECT_EQ(rule[6], ownerOf(victim.path));
  EXPECT_FALSE(rule[6].empty());
  EXPECT_EQ(rule[8], std::to_string(middleWordsSum(bytes)));
  for (std::size_t f = 0; f < 8; ++f) EXPECT_EQ(alerts[0][f], rule[f]) << "field " << f + 1;
  const std::string& modules = alerts[0][8];
  EXPECT_EQ(_strnicmp(modules.c_str(), (victim.path + ";").c_str(), victim.path.size() + 1), 0) << modules;
  std::string lower = modules;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(lower.find("ntdll.dll;"), std::string::npos) << modules;
  EXPECT_FALSE(victim.process.waitForExit(0));  // admitted, not ended
}

// No machine has this many connections, but a file of any size may lie where
// netguard.txt goes. Before, each reading of it held the window for seconds.
TEST(MonitorUnderWine, AHundredMegabyteNetguardFileHoldsNeitherTheWindowNorTheTicks) {
  ProgramDirectory dir;
  std::string bytes(100u << 20, '\0');
  unsigned seed = 2013;
  for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
  // And the network engine writes none of its own. The file is on the disk
  // before the program starts: its write-back would slow the program's saves
  // and engine starts, which the window waits for, on a disk shared with
  // other tests.
  ASSERT_TRUE(testing::writeFileToDisk(dir.folder / "netguard.txt", bytes));
  bytes = {};
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  const Answering answering = answeringUntil(centre.mainWindow(), [&] { return centre.readings() >= 4; }, 30000);
  EXPECT_TRUE(answering.done) << centre.readings() << " readings";
  EXPECT_LT(answering.worstMs, kHeldWindowMs);
}

TEST(MonitorUnderWine, AQuarantinedProgramIsEnded) {
  Victim victim;
  ASSERT_TRUE(victim.process);
  ProgramDirectory dir;
  dir.folder.write("quarantaines.xml",
                   encodeDataPacket(schemaOf(StoreId::Quarantine).fields, {{"victim.exe"}}, CodePage(1252)));
  answerAsNetworkEngine(dir, victim.connectionLine());
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  EXPECT_TRUE(victim.process.waitForExit(20000));
  EXPECT_TRUE(storeRows(dir.folder, "regles.xml").empty());
}

}  // namespace
}  // namespace tg::e2e

namespace tg::e2e {
namespace {

// Size and last write of a file, read from its folder: possible while another program holds it.
TEST(StoresUnderWine, ARuleFileHeldAtStartUpSurvivesWholeAndIsReadOnceReleased) {
  Victim victim;
  ASSERT_TRUE(victim.process);
  ProgramDirectory dir;
  std::vector<Row> rules;
  for (int i = 0; i < 10000; ++i)
    rules.push_back({"program" + std::to_string(i) + ".exe", "08/12/2026 10:15:00", "@", "?", "?", "0", "",
                     "C:\\Apps\\program" + std::to_string(i) + ".exe", "0"});
  const std::string xml = encodeDataPacket(schemaOf(StoreId::Rules).fields, rules, CodePage(1252));
  ASSERT_TRUE(dir.folder.write("regles.xml", xml));
  // Another program holds the file open without sharing it.
  ASSERT_TRUE(dir.folder.install("probe.exe", "holder.exe"));
  dir.folder.write("holder.resident", "");
  dir.folder.write("holder.hold", "regles.xml\r\n");
  StartedProgram holder = dir.folder.start("holder.exe");
  ASSERT_TRUE(dir.folder.waitForText("probe.log", "holder.exe|", 10000));
  const auto before = testing::stampOf(dir.folder / "regles.xml");
  ASSERT_TRUE(before);
  ASSERT_EQ(before->size, xml.size());
  answerAsNetworkEngine(dir, victim.connectionLine());

  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  // After a few seconds the user is told which file waits, once.
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 20000));
  HWND box = FindWindowA("#32770", "Tarnivoxguard2013");
  const std::string text = boxText(box);
  EXPECT_NE(text.find("regles.xml cannot be read: it is in use by another program"), std::string::npos) << text;
  screenshot(box, "held-store-report.bmp");
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") == nullptr; }, 5000));
  ASSERT_TRUE(centre.readingsGoneBy(2));  // nothing recorded, nothing written, no second box
  EXPECT_EQ(FindWindowA("#32770", "Tarnivoxguard2013"), nullptr);
  EXPECT_TRUE(storeRows(dir.folder, "alertes.xml").empty());
  EXPECT_FALSE(dir.folder.exists("regles.xml.saving"));
  EXPECT_EQ(testing::stampOf(dir.folder / "regles.xml"), before);  // never written
  holder = StartedProgram{};  // ended: the file is free

  // Read within a moment; the newcomer then joins the 10,000 rules, and the
  // reading after that records nothing more.
  ASSERT_TRUE(waitFor([&] { return testing::stampOf(dir.folder / "regles.xml") != before; }, 20000));
  ASSERT_TRUE(centre.readingsGoneBy(1));
  const std::vector<Row> after = storeRows(dir.folder, "regles.xml");
  ASSERT_EQ(after.size(), 10001u);
  for (std::size_t i = 0; i < 10000; ++i) ASSERT_EQ(after[i], rules[i]) << i;
  EXPECT_EQ(valueOf(after.back(), 0), "victim.exe");
  EXPECT_EQ(storeRows(dir.folder, "alertes.xml").size(), 1u);
  EXPECT_FALSE(dir.folder.exists("regles.xml.unreadable"));
}

}  // namespace
}  // namespace tg::e2e
