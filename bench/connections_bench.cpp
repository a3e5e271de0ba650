// The connections page against readings of 2,000 connections: a real main
// window whose monitor reads a netguard.txt of that many lines at every tick
// (one connection in a hundred new each time), first with the home page shown,
// then with the connections page. For each: the tick's own work (the message
// in which the monitor goes through the reading), and the user-interface
// thread's whole time per reading, the page's following and the paints in it;
// with the page shown, the longest a message sent to the window waited for its
// answer. Aims: the tick within 10 % of its time without the page, and every
// answer under 50 ms. Run under wine:
//   wine build/windows/bench/connections_bench.exe [connections] [readings]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchKit.h"
#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "pages/tools/ConnectionsPage.h"
#include "win32/TempFolder.h"
#include "win32/TestFiles.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Platform.h"

namespace {

using namespace tg;
using namespace tg::bench;

constexpr std::size_t kPrograms = 200;  // each with many connections, each with its rule

// The network engine's list at a reading: one connection in a hundred is
// another than at the reading before (a new local port).
std::string netguardFile(std::size_t connections, std::size_t reading) {
  std::string text;
  for (std::size_t i = 0; i < connections; ++i) {
    const std::size_t program = i % kPrograms;
    const std::size_t port = 20000 + (i % 100 == reading % 100 ? reading % 300 * 100 : 0) + i % 10000;
    text += "prog" + std::to_string(1000 + program) + ".exe;" + std::to_string(4000 + 4 * program) +
            ";TCP;192.168.1.20:" + std::to_string(port) + ";10." + std::to_string(i / 65536 % 256) + "." +
            std::to_string(i / 256 % 256) + "." + std::to_string(i % 256) + ";" + (i % 3 ? "443" : "80") +
            ";ESTABLISHED;" + std::to_string(port) + ";;;;\r\n";
  }
  return text + "end;" + std::to_string(connections) + ";;\r\n";
}

// The program folder's netguard.txt, written anew for each reading.
struct NetworkList {
  std::string path;
  std::size_t connections;
  void write(std::size_t reading) const {
    if (testing::writeFileToDisk(path, netguardFile(connections, reading))) return;
    std::printf("%s could not be written\n", path.c_str());
    std::exit(1);
  }
};

// Every message of the thread handled until the monitor has made `readings`
// more readings, each one's handling timed, the list changed after each: the
// message in which the reading was made (the tick's own work); the thread's
// time in each reading's span, and of it the paints' and the page's (`follow`,
// timed on its own right after each reading, which leaves its timer nothing
// to do).
struct Span {
  std::vector<double> ticks, perReading, paints, page;
  double worstMessage = 0;
};
Span handleReadings(MainWindow& w, const NetworkList& list, int readings, const std::function<void()>& follow = {}) {
  Span span;
  double busy = 0, painting = 0;
  std::uint64_t seen = w.monitor.latestReading().number;
  const DWORD start = GetTickCount();
  while (static_cast<int>(span.perReading.size()) < readings && GetTickCount() - start < 120000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      const double took = milliseconds([&] {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      });
      busy += took;
      if (msg.message == WM_PAINT) painting += took;
      span.worstMessage = std::max(span.worstMessage, took);
      if (w.monitor.latestReading().number == seen) continue;
      seen = w.monitor.latestReading().number;
      span.ticks.push_back(took);
      list.write(static_cast<std::size_t>(seen));
      const double followed = follow ? milliseconds(follow) : 0;
      span.worstMessage = std::max(span.worstMessage, took + followed);
      span.page.push_back(followed);
      span.perReading.push_back(busy + followed);
      span.paints.push_back(painting);
      busy = painting = 0;
    }
  }
  return span;
}

// How long messages sent to a window wait for their answers, at worst.
class AnswerProbe {
 public:
  explicit AnswerProbe(HWND window)
      : thread_([this, window] {
          while (!done_) {
            DWORD_PTR answer = 0;
            const double took = milliseconds([&] { SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer); });
            if (took > worst_) worst_ = took;
            ++asked_;
            Sleep(5);
          }
          finished_ = true;
        }) {}
  ~AnswerProbe() { stop(); }
  // Its last message is answered meanwhile: the window's thread is the caller.
  void stop() {
    done_ = true;
    while (!finished_) pumpUntilPainted();
    if (thread_.joinable()) thread_.join();
  }
  double worst() const { return worst_; }
  long asked() const { return asked_; }

 private:
  std::atomic<bool> done_{false}, finished_{false};
  std::atomic<double> worst_{0};
  std::atomic<long> asked_{0};
  std::thread thread_;
};

std::string summary(const std::vector<double>& v) {
  char text[128];
  std::snprintf(text, sizeof text, "median %.1f ms, worst %.1f ms", median(v), *std::max_element(v.begin(), v.end()));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t connections = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 2000;
  const int readings = argc > 2 ? std::max(3, std::atoi(argv[2])) : 12;
  testing::TempFolder dir;
  win32::Win32Platform real;
  const LocaleFormats locale = real.locale.formats();
  if (!fillRuleFolder(real.files, dir.path(), locale, 10000)) return 1;
  const NetworkList list{dir.path() + "netguard.txt", connections};
  list.write(0);

  win32::Win32Desktop desktop;
  auto window = std::make_unique<MainWindow>(real.platform, desktop, dir.path(), "bench");
  MainWindow& w = *window;
  w.FormCreate();
  // The list is written by the benchmark: no engine is started to write it.
  w.centre.state.ConnectionMonitoring = false;
  w.showFromTray();
  pumpUntilPainted();

  // 1. The home page: the monitor alone. The first reading is left out (the
  // first look at every program).
  handleReadings(w, list, 1);
  const Span hidden = handleReadings(w, list, readings);

  // 2. The connections page shown, following every reading.
  const auto item = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), nav::kConnections);
  w.ListBox1.clickItem(static_cast<int>(item - kNavigationEntries.begin()));
  pumpUntilPainted();
  auto* page = dynamic_cast<ConnectionsPage*>(w.pages.page(nav::kConnections));
  if (!page) {
    std::printf("the connections page did not open\n");
    return 1;
  }
  handleReadings(w, list, 1);
  AnswerProbe probe(windowOf(w.form));
  std::vector<SeenReading> kept;  // two readings one after the other, for the figure below
  const Span shown = handleReadings(w, list, readings, [&] {
    if (kept.size() < 2) kept.push_back(w.monitor.latestReading());
    page->follow();
  });
  probe.stop();
  const int rows = page->List.rowCount();
  // The page's rows taken alone, from each of the two readings to the other.
  ConnectionRows alone;
  std::vector<double> takes;
  for (int i = 0; i < 2 * readings && kept.size() == 2; ++i) {
    SeenReading& next = kept[static_cast<std::size_t>(i % 2)];
    next.number = static_cast<std::uint64_t>(i + 1);
    takes.push_back(milliseconds([&] { alone.take(next); }));
  }
  // What painting every row in sight again would cost at each reading.
  HWND listWindow = windowOf(page->List);
  std::vector<double> repaints;
  for (int i = 0; i < 7; ++i)
    repaints.push_back(milliseconds([&] {
      InvalidateRect(listWindow, nullptr, FALSE);
      UpdateWindow(listWindow);
    }));
  window.reset();

  const double ratio = median(shown.ticks) / median(hidden.ticks);
  const double total = median(shown.perReading) / median(hidden.perReading);
  std::printf("%zu connections a reading (1 in 100 new each time), %d readings each, 10,000 rules:\n", connections,
              readings);
  std::printf("  the tick's reading, page hidden: %s\n", summary(hidden.ticks).c_str());
  std::printf("  the tick's reading, page shown:  %s  shown/hidden %.2f  %s\n", summary(shown.ticks).c_str(), ratio,
              ratio <= 1.10 ? "within 10 %" : "OVER 10 %");
  std::printf("  the thread's time per reading, hidden %s; shown %s (%.2f)\n", summary(hidden.perReading).c_str(),
              summary(shown.perReading).c_str(), total);
  std::printf("    of it the page's follow of the reading %s, the paints %s\n", summary(shown.page).c_str(),
              summary(shown.paints).c_str());
  std::printf("    (the reading's rows taken alone %s)\n", summary(takes).c_str());
  std::printf("    (a repaint of the whole list, for comparison: %s)\n", summary(repaints).c_str());
  std::printf("  page shown: the longest message %.1f ms; the window's worst answer %.1f ms (%ld asked)  %s\n",
              shown.worstMessage, probe.worst(), probe.asked(), probe.worst() < 50 ? "under 50 ms" : "OVER 50 ms");
  std::printf("  rows on the page: %d (%zu expected)\n", rows, connections);
  if (static_cast<int>(hidden.ticks.size()) < readings || static_cast<int>(shown.ticks.size()) < readings)
    std::printf("  the monitor made too few readings in two minutes\n");
  return rows == static_cast<int>(connections) ? 0 : 1;
}
