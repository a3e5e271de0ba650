// How the main window answers while the folder surveillance meets bursts of new
// files (1,000 in a subfolder of the watched folder, then 200 in the folder
// itself, which the surveillance deletes, then 200 more while another program
// holds the day's log), and the processor time the program takes while the
// folder stays idle. The aim: 50 ms at worst. Run under wine:
//   wine build/windows/bench/watch_bench.exe [idle seconds]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/Text.h"
#include "win32/EngineFolder.h"
#include "win32/TestFiles.h"

namespace {

using tg::testing::EngineFolder;
using tg::testing::StartedProgram;
using tg::testing::TempFolder;


double nowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / frequency;
}

// The main window's answer times to WM_NULL, taken every few milliseconds on a
// thread of their own from construction to finish().
class AnswerTimes {
 public:
  explicit AnswerTimes(HWND window)
      : thread_([this, window] {
          while (!done_) {
            const double before = nowMs();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            times_.push_back(nowMs() - before);
            Sleep(3);
          }
        }) {}
  ~AnswerTimes() {
    if (thread_.joinable()) finish();
  }
  AnswerTimes(const AnswerTimes&) = delete;
  AnswerTimes& operator=(const AnswerTimes&) = delete;

  // "N answers: median M ms, worst W ms".
  std::string finish() {
    done_ = true;
    thread_.join();
    std::sort(times_.begin(), times_.end());
    if (times_.empty()) return "no answers";
    char text[128];
    std::snprintf(text, sizeof text, "%zu answers: median %.2f ms, worst %.2f ms", times_.size(),
                  times_[times_.size() / 2], times_.back());
    return text;
  }

 private:
  std::atomic<bool> done_{false};
  std::vector<double> times_;
  std::thread thread_;
};

bool createFile(const std::string& path) {
  // Shared for deletion: the surveillance may delete it before it is closed.
  const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// The plain files of a folder (ending in a backslash), names folded to lower case.
std::set<std::string> plainFiles(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA((folder + "*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(tg::foldedAscii(data.cFileName));
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return names;
}

// A folder inside a temporary folder, removed with its plain files before the
// temporary folder goes (which removes plain files only).
class Subfolder {
 public:
  explicit Subfolder(std::string path) : path_(std::move(path)) { ok_ = CreateDirectoryA(path_.c_str(), nullptr) != 0; }
  ~Subfolder() {
    for (const std::string& name : plainFiles(path_)) DeleteFileA((path_ + name).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  Subfolder(const Subfolder&) = delete;
  Subfolder& operator=(const Subfolder&) = delete;
  explicit operator bool() const { return ok_; }
  const std::string& path() const { return path_; }  // ends in a backslash

 private:
  std::string path_;
  bool ok_ = false;
};

// Lines of the surveillance's day logs in the program directory: every run of
// its change handler adds one line per plain file of the watched folder.
long logLines(const EngineFolder& dir) {
  long lines = 0;
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA((dir / "*surveillance.txt").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string text = dir.read(data.cFileName);
    lines += static_cast<long>(std::count(text.begin(), text.end(), '\n'));
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return lines;
}

double processorMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

}  // namespace

int main(int argc, char** argv) {
  const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  EngineFolder dir;
  if (!CopyFileA(tg::replacedAll(TG_PROGRAM_EXE, '/', '\\').c_str(), (dir / "tarnivoxguard2013.exe").c_str(), FALSE)) {
    std::printf("the program could not be copied\n");
    return 1;
  }
  for (const char* engine : {"rtguard.exe", "netguard.exe", "notify.exe", "mailfilter.exe"}) dir.install("probe.exe", engine);
  dir.write("rtguard.resident", "");

  // The watched folder, its snapshot of three kept files, and a subfolder.
  TempFolder watched;
  const std::vector<std::string> kept = {"kept1.txt", "kept2.txt", "kept3.txt"};
  std::string snapshot;
  for (const std::string& name : kept) {
    createFile(watched / name);
    snapshot += name + "\r\n";
  }
  const std::set<std::string> keptFolded = plainFiles(watched.path());
  const Subfolder sub(watched / "sub\\");
  std::string folder = watched.path();
  folder.pop_back();  // the surveillance joins the folder and a name with a backslash
  dir.write("mode.txt", "1\r\n");
  dir.write("surveille.txt", folder + "\r\n");
  dir.write("repertoiresurveille.txt", snapshot);

  const StartedProgram centre = tg::testing::startCommand("\"" + (dir / "tarnivoxguard2013.exe") + "\"", dir.path());
  HWND window = nullptr;
  for (int i = 0; i < 500 && !window; ++i, Sleep(20)) window = tg::testing::mainWindowOf(centre.pid());
  if (!window || !sub) {
    std::printf(window ? "the subfolder could not be made\n" : "the main window did not appear\n");
    return 1;
  }
  Sleep(2000);  // the start-up's own work done
  std::printf("watched folder %s; idle %d s\n", folder.c_str(), idleSeconds);

  {
    const long linesBefore = logLines(dir);
    AnswerTimes answers(window);
    const double start = nowMs();
    int made = 0;
    for (int i = 0; i < 1000; ++i) made += createFile(sub.path() + "file" + std::to_string(i) + ".txt") ? 1 : 0;
    const double creation = nowMs() - start;
    Sleep(1000);  // the events of the burst's end served
    std::printf("1,000 files in the subfolder: %d made in %.0f ms; over that and 1 s more, %s; handler log lines %ld\n",
                made, creation, answers.finish().c_str(), logLines(dir) - linesBefore);
  }
  {
    AnswerTimes answers(window);
    const double start = nowMs();
    int made = 0;
    for (int i = 0; i < 200; ++i) made += createFile(watched / ("new" + std::to_string(i) + ".txt")) ? 1 : 0;
    const double creation = nowMs() - start;
    bool clean = false;
    while (!(clean = plainFiles(watched.path()) == keptFolded) && nowMs() - start < 30000) Sleep(5);
    const double cleaned = nowMs() - start;
    if (clean)
      std::printf("200 files in the folder: %d made in %.0f ms, the folder held only its snapshot's files after %.0f ms; %s\n",
                  made, creation, cleaned, answers.finish().c_str());
    else
      std::printf("200 files in the folder: %d made in %.0f ms, %zu files still there after 30 s; %s\n", made, creation,
                  plainFiles(watched.path()).size() - keptFolded.size(), answers.finish().c_str());
  }
  {
    // Another program holds the day's log: the window must not wait for it.
    const long linesBefore = logLines(dir);  // read while it can be
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((dir / "*surveillance.txt").c_str(), &data);
    HANDLE held = INVALID_HANDLE_VALUE;
    if (search != INVALID_HANDLE_VALUE) {
      FindClose(search);
      held = CreateFileA((dir / data.cFileName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (held == INVALID_HANDLE_VALUE) {
      std::printf("held log: the day's log could not be held\n");
    } else {
      AnswerTimes answers(window);
      const double start = nowMs();
      for (int i = 0; i < 200; ++i) createFile(watched / ("held" + std::to_string(i) + ".txt"));
      bool clean = false;
      while (!(clean = plainFiles(watched.path()) == keptFolded) && nowMs() - start < 30000) Sleep(5);
      const double cleaned = nowMs() - start;
      Sleep(1000);
      const std::string times = answers.finish();
      CloseHandle(held);
      const double released = nowMs();
      long gained = 0;
      while ((gained = logLines(dir) - linesBefore) <= 0 && nowMs() - released < 10000) Sleep(20);
      std::printf("200 files while the day's log is held: the folder %s after %.0f ms; %s; %ld log lines written "
                  "%.0f ms after the log was released\n",
                  clean ? "held only its snapshot's files" : "still held new files", cleaned, times.c_str(), gained,
                  nowMs() - released);
    }
  }
  {
    Sleep(2000);  // the last events served
    const long linesBefore = logLines(dir);
    const double cpuBefore = processorMs(centre.handle());
    const double start = nowMs();
    Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    const double cpu = processorMs(centre.handle()) - cpuBefore;
    const double wall = nowMs() - start;
    if (cpuBefore < 0)
      std::printf("idle: the program's processor time cannot be read\n");
    else
      std::printf("idle %.0f s: the program took %.0f ms of processor time, %.3f %% of one core; handler log lines %ld\n",
                  wall / 1000, cpu, 100.0 * cpu / wall, logLines(dir) - linesBefore);
  }
  SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, nullptr);
  return 0;
}
