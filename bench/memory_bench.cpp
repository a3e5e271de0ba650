// The control centre's private memory, as a heavy user's machine would have
// it: the real program started on an empty folder, then on 10,000 rules and
// 10,000 alerts with realistic module lists (about 2,000 characters each).
// Reported as Windows reports it (private bytes) and, under wine, as the
// process's RssAnon: at rest after each start, after the rule and alert pages
// were opened and sorted, and the highest while loading. Aims, above the empty
// start: 20 MB at rest, 22 MB with the pages, 40 MB at the peak. Run under wine:
//   wine build/windows/bench/memory_bench.exe [rules] [alerts]
#include <windows.h>
#include <psapi.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "BenchKit.h"
#include "app/NavigationList.h"
#include "app/WindowLayout.h"
#include "base/CodePage.h"
#include "pages/Pages.h"
#include "stores/DataPacket.h"
#include "win32/EngineFolder.h"
#include "win32/SuiteStop.h"
#include "win32/TestFiles.h"
#include "win32/Win32Platform.h"

namespace {

using namespace tg;
using namespace tg::bench;

// Alerts as the monitor records them: a rule's first eight values and the
// modules the program had loaded, its own file first, then system libraries
// and some of its own, separated by ";".
std::vector<Row> realisticAlerts(const std::vector<Row>& rules) {
  std::mt19937 random(2013);
  std::vector<std::string> system;
  for (const char* dll : {"ntdll", "kernel32", "KERNELBASE", "user32", "gdi32", "advapi32", "msvcrt", "sechost",
                          "rpcrt4", "shell32", "shlwapi", "ole32", "oleaut32", "combase", "ws2_32", "crypt32",
                          "comctl32", "uxtheme", "imm32", "version", "winmm", "iphlpapi", "dnsapi", "mswsock",
                          "bcrypt", "wintrust", "setupapi", "cfgmgr32", "powrprof", "profapi", "dwmapi", "msctf",
                          "netapi32", "userenv", "wininet", "urlmon", "iertutil", "secur32", "sspicli", "nsi"})
    system.push_back(std::string("C:\\Windows\\System32\\") + dll + ".dll");
  std::vector<Row> alerts;
  alerts.reserve(rules.size());
  for (const Row& rule : rules) {
    Row alert(rule.begin(), rule.begin() + 8);
    std::string modules = rule[7] + ";";
    const std::string folder = rule[7].substr(0, rule[7].rfind('\\') + 1);
    std::shuffle(system.begin(), system.end(), random);
    for (std::size_t i = 0; modules.size() < 1700; ++i) modules += system[i % system.size()] + ";";
    for (int i = 0; modules.size() < 2000; ++i) modules += folder + "lib" + std::to_string(random() % 40) + ".dll;";
    alert.push_back(std::move(modules));
    alerts.push_back(std::move(alert));
  }
  return alerts;
}

// The program's memory: private bytes as Windows counts them, and RssAnon of
// its Linux process under wine (0 elsewhere).
struct Memory {
  double privateMb = 0;
  double anonMb = 0;
};

// A file read to its end, its size unknown beforehand (those of /proc say 0).
std::string readAll(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

// The Linux process of a wine program, found by its name in /proc (0 when there is none).
int linuxPidOf(const std::string& program) {
  int found = 0;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const int pid = std::atoi(entry.cFileName);
    if (pid <= 0) continue;
    const std::string cmdline = readAll("Z:\\proc\\" + std::to_string(pid) + "\\cmdline");
    if (cmdline.find(program) != std::string::npos) found = pid;
  } while (!found && FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

double anonMbOf(int linuxPid) {
  if (linuxPid <= 0) return 0;
  const std::string status = readAll("Z:\\proc\\" + std::to_string(linuxPid) + "\\status");
  const std::size_t at = status.find("RssAnon:");
  return at == std::string::npos ? 0 : std::atof(status.c_str() + at + 8) / 1024.0;
}

Memory memoryOf(HANDLE process, int linuxPid) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  Memory m;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    m.privateMb = static_cast<double>(counters.PrivateUsage) / (1024.0 * 1024.0);
  m.anonMb = anonMbOf(linuxPid);
  return m;
}

// The control centre started in a folder of its own, with probes for its engines.
class Run {
 public:
  Run(const std::vector<Row>& rules, const std::vector<Row>& alerts) {
    testing::fillProgramDirectory(folder_, replacedAll(TG_PROGRAM_EXE, '/', '\\'),
                                  replacedAll(TG_LANGUAGE_DIR, '/', '\\'), {"fr"});
    french_ = splitLines(folder_.read("kelm2013_fr.txt"));
    const CodePage codePage(static_cast<int>(GetACP()));
    if (!rules.empty())
      folder_.write("regles.xml", encodeDataPacket(schemaOf(StoreId::Rules).fields, rules, codePage));
    if (!alerts.empty())
      folder_.write("alertes.xml", encodeDataPacket(schemaOf(StoreId::Alerts).fields, alerts, codePage));
  }
  ~Run() { win32::stopSuite(); }

  // Starts the program and follows its memory until its window is there and
  // a few seconds have passed: the highest figures seen, and the last.
  bool start(Memory& peak, Memory& rest) {
    program_ = testing::startCommand("\"" + (folder_ / "tarnivoxguard2013.exe") + "\"", folder_.path());
    if (!program_) return false;
    handle_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program_.pid());
    const DWORD begun = GetTickCount();
    DWORD windowAt = 0;
    while (GetTickCount() - begun < 60000 && (!windowAt || GetTickCount() - windowAt < 4000)) {
      if (!linuxPid_) linuxPid_ = linuxPidOf(folder_.path() + "tarnivoxguard2013.exe");
      const Memory now = memoryOf(handle_, linuxPid_);
      peak.privateMb = std::max(peak.privateMb, now.privateMb);
      peak.anonMb = std::max(peak.anonMb, now.anonMb);
      if (!windowAt && mainWindow()) windowAt = GetTickCount();
      Sleep(5);
    }
    rest = memoryOf(handle_, linuxPid_);
    return windowAt != 0;
  }
  Memory memory() const { return memoryOf(handle_, linuxPid_); }

  // Chooses a record list's item and sorts its list by the date column, as
  // clicks do; whether the list showed `rows` rows.
  bool openAndSort(int entry, int rows) {
    HWND window = mainWindow();
    HWND navigation = nullptr;
    for (HWND w = GetWindow(window, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
      if (_stricmp(testing::classOf(w).c_str(), "LISTBOX") == 0) navigation = w;
    const auto row = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), entry) - kNavigationEntries.begin();
    const LPARAM at = MAKELPARAM(40, row * kNavigationRowHeight + kNavigationRowHeight / 2);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(navigation, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 30000, &answer);
    SendMessageTimeoutA(navigation, WM_LBUTTONUP, 0, at, SMTO_NORMAL, 30000, &answer);
    HWND list = nullptr;
    for (int i = 0; i < 3000 && !list; ++i, Sleep(10)) list = shownList(window, rows);
    if (!list) return false;
    // The date column's header, found from the widths of the columns before it.
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int x = 0;
    for (int c = 0; c < 2; ++c) x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    x += 10;
    SendMessageTimeoutA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8), SMTO_NORMAL, 30000, &answer);
    SendMessageTimeoutA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 8), SMTO_NORMAL, 30000, &answer);
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
    return true;
  }
  bool showWindow() {
    // The tray icon's menu, and its one item.
    const auto hosts = testing::windowsOf(program_.pid(), "TgTrayHost");
    if (hosts.empty()) return false;
    PostMessageA(hosts.front(), 1025, 1, 0x204);
    for (int i = 0; i < 500 && testing::windowsOf(program_.pid(), "#32768").empty(); ++i) Sleep(10);
    PostMessageA(hosts.front(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(hosts.front(), WM_KEYDOWN, VK_RETURN, 0);
    for (int i = 0; i < 500 && !IsWindowVisible(mainWindow()); ++i) Sleep(10);
    return IsWindowVisible(mainWindow()) != 0;
  }

 private:
  HWND mainWindow() const {
    for (HWND w : testing::windowsOf(program_.pid(), "TgForm")) {
      char title[128] = {};
      GetWindowTextA(w, title, sizeof title);
      if (french_.size() >= 24 && title == french_[23]) return w;
    }
    return nullptr;
  }
  // The visible list view of the shown page, once it holds `rows` rows.
  static HWND shownList(HWND window, int rows) {
    return testing::findChild(window, [rows](HWND w) {
      return _stricmp(testing::classOf(w).c_str(), WC_LISTVIEWA) == 0 && IsWindowVisible(w) &&
             SendMessageA(w, LVM_GETITEMCOUNT, 0, 0) == rows;
    });
  }

  testing::EngineFolder folder_;
  Lines french_;
  testing::StartedProgram program_;
  HANDLE handle_ = nullptr;
  int linuxPid_ = 0;
};

// One figure with what it is above the empty start; RssAnon decides the aim
// where there is one (wine reports no private bytes of other processes).
void report(const char* what, const Memory& m, const Memory& empty, double aim) {
  const bool anon = m.anonMb > 0;
  const double above = anon ? m.anonMb - empty.anonMb : m.privateMb - empty.privateMb;
  std::printf("  %-36s", what);
  if (m.privateMb > 0)
    std::printf(" private %6.1f MB (+%5.1f)", m.privateMb, m.privateMb - empty.privateMb);
  else
    std::printf(" private bytes not reported");
  if (anon) std::printf("  RssAnon %6.1f MB (+%5.1f)", m.anonMb, m.anonMb - empty.anonMb);
  std::printf("  %s\n", aim <= 0 ? "" : above <= aim ? "within the aim" : "OVER THE AIM");
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t ruleCount = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 10000;
  const std::size_t alertCount = argc > 2 ? static_cast<std::size_t>(std::atoi(argv[2])) : 10000;
  win32::stopSuite();  // nothing of an earlier run

  Memory emptyPeak, empty;
  {
    Run run({}, {});
    if (!run.start(emptyPeak, empty)) {
      std::printf("the control centre did not start on an empty folder\n");
      return 1;
    }
  }

  win32::Win32Platform real;
  const std::vector<Row> rules = realisticRules(ruleCount, real.locale.formats());
  const std::vector<Row> alerts =
      realisticAlerts(std::vector<Row>(rules.begin(), rules.begin() + static_cast<std::ptrdiff_t>(std::min(alertCount, ruleCount))));
  Memory peak, rest;
  Run run(rules, alerts);
  if (!run.start(peak, rest)) {
    std::printf("the control centre did not start on the stores\n");
    return 1;
  }
  const bool shown = run.showWindow();
  const bool rulesOpened = shown && run.openAndSort(nav::kRuleList, static_cast<int>(ruleCount));
  const bool alertsOpened = rulesOpened && run.openAndSort(nav::kAlertList, static_cast<int>(alertCount));
  Sleep(2000);
  const Memory pages = run.memory();

  std::printf("private memory of the control centre, %zu rules and %zu alerts of about 2,000-character modules:\n",
              ruleCount, alertCount);
  report("empty folder, at rest", empty, empty, 0);
  report("the stores, at rest", rest, empty, 20);
  report("with both pages opened and sorted", pages, empty, 22);
  report("the stores, highest while loading", peak, empty, 40);
  if (!alertsOpened) std::printf("  the pages could not all be opened (window %d, rules %d)\n", shown, rulesOpened);
  return alertsOpened ? 0 : 1;
}
