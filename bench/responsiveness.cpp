// How long the main window takes to answer a message while the monitor's ticks
// run with a network engine that needs 2 seconds (a probe that waits before
// writing its answer), or, with "huge", while a netguard.txt of 100 MB lies in
// the folder at every reading (random bytes, then valid lines), which the
// monitor reads only the first part of. The aim: 50 ms at worst. Run under wine:
//   wine build/windows/bench/responsiveness.exe [seconds] [huge]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/Text.h"
#include "win32/EngineFolder.h"
#include "win32/TestFiles.h"

namespace {

// The worst and the median answer of the window to WM_NULL over some seconds.
struct Answers {
  double median = 0;
  double p99 = 0;
  double worst = 0;
  std::size_t count = 0;
  std::vector<std::pair<double, double>> slow;  // answers over 20 ms, and when (s)
};
Answers answersOver(HWND window, int seconds) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  std::vector<std::pair<double, double>> slow;
  const DWORD start = GetTickCount();
  const DWORD end = start + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    QueryPerformanceCounter(&after);
    times.push_back(1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / static_cast<double>(frequency.QuadPart));
    if (times.back() > 20) slow.emplace_back(times.back(), (GetTickCount() - start) / 1000.0);
    Sleep(5);
  }
  std::sort(times.begin(), times.end());
  if (times.empty()) return {};
  return {times[times.size() / 2], times[(times.size() - 1) * 99 / 100], times.back(), times.size(), slow};
}

// A netguard.txt of 100 MB that the network engine never replaces.
bool hugeReading(int seconds, bool validLines) {
  tg::testing::EngineFolder dir;
  CopyFileA(tg::replacedAll(TG_PROGRAM_EXE, '/', '\\').c_str(), (dir / "tarnivoxguard2013.exe").c_str(), FALSE);
  for (const char* engine : {"rtguard.exe", "netguard.exe", "notify.exe", "mailfilter.exe"}) dir.install("probe.exe", engine);
  dir.write("rtguard.resident", "");
  constexpr std::size_t kSize = 100u << 20;
  std::string bytes;
  bytes.reserve(kSize + 200);
  if (validLines) {
    while (bytes.size() < kSize)
      bytes += "app" + std::to_string(bytes.size() % 50) + ".exe;" + std::to_string(4000 + bytes.size() % 50) +
               ";TCP;10.0.0.2:50000;93.184.216.34;443;ESTABLISHED;50000;;;;\r\n";
  } else {
    unsigned state = 12345;
    bytes.resize(kSize);
    for (char& c : bytes) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
  }
  if (!dir.write("netguard.txt", bytes)) {
    std::printf("netguard.txt could not be written\n");
    return false;
  }
  bytes = {};
  tg::testing::StartedProgram centre = tg::testing::startCommand("\"" + (dir / "tarnivoxguard2013.exe") + "\"", dir.path());
  HWND window = nullptr;
  for (int i = 0; i < 500 && !window; ++i, Sleep(20)) window = tg::testing::mainWindowOf(centre.pid());
  if (!window) {
    std::printf("the main window did not appear\n");
    return false;
  }
  Sleep(1000);  // the start-up's own work done; the first reading comes at 1.5 s
  const Answers a = answersOver(window, seconds);
  const std::string log = dir.read("probe.log");
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(centre.handle(), &memory, sizeof memory);
  std::printf("100 MB netguard.txt of %s: %zu messages over %d s; answer ms: median %.2f, worst %.2f; engine starts "
              "%ld; peak working set %.0f MB\n",
              validLines ? "valid lines" : "random bytes", a.count, seconds, a.median, a.worst,
              static_cast<long>(std::count(log.begin(), log.end(), '\n')), memory.PeakWorkingSetSize / 1048576.0);
  for (const auto& [ms, when] : a.slow) std::printf("  %.1f ms at %.1f s\n", ms, when);
  SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, nullptr);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 15;
  if (argc > 2 && std::strcmp(argv[2], "huge") == 0) {
    const bool ok = hugeReading(seconds, false) && hugeReading(seconds, true);
    return ok ? 0 : 1;
  }
  tg::testing::EngineFolder dir;
  CopyFileA(tg::replacedAll(TG_PROGRAM_EXE, '/', '\\').c_str(), (dir / "tarnivoxguard2013.exe").c_str(), FALSE);
  for (const char* engine : {"rtguard.exe", "netguard.exe", "notify.exe", "mailfilter.exe"}) dir.install("probe.exe", engine);
  dir.write("rtguard.resident", "");
  dir.write("netguard.delay", "2000");
  std::string answer = "netguard.txt\r\n";
  for (int i = 0; i < 200; ++i)
    answer += "app" + std::to_string(i % 20) + ".exe;" + std::to_string(4000 + i % 20) +
              ";TCP;10.0.0.2:50000;93.184.216.34;443;ESTABLISHED;50000;;;;\r\n";
  answer += "end;200;;\r\n";
  dir.write("netguard.answer", answer);

  tg::testing::StartedProgram centre = tg::testing::startCommand("\"" + (dir / "tarnivoxguard2013.exe") + "\"", dir.path());
  HWND window = nullptr;
  for (int i = 0; i < 500 && !window; ++i, Sleep(20)) window = tg::testing::mainWindowOf(centre.pid());
  if (!window) {
    std::printf("the main window did not appear\n");
    return 1;
  }
  const Answers a = answersOver(window, seconds);
  const std::string log = dir.read("probe.log");
  const auto starts = std::count(log.begin(), log.end(), '\n');
  std::printf("%zu messages over %d s; answer time ms: median %.2f, p99 %.2f, worst %.2f; engine starts %ld\n", a.count,
              seconds, a.median, a.p99, a.worst, static_cast<long>(starts));
  for (const auto& [ms, when] : a.slow) std::printf("  %.1f ms at %.1f s\n", ms, when);
  SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, nullptr);
  return 0;
}
