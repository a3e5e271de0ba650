#include "win32/SuiteStop.h"

#include <windows.h>

#include <optional>

#include "engines/EngineTable.h"
#include "base/Text.h"
#include "win32/Handle.h"
#include "win32/Win32Processes.h"

namespace tg::win32 {

namespace {

constexpr char kControlCentre[] = "tarnivoxguard2013.exe";

// The ids of the other running processes of that executable name; none
// without a snapshot.
std::optional<std::vector<DWORD>> processIds(const std::string& exeName) {
  const auto snapshot = Win32Processes().snapshot();
  if (!snapshot) return std::nullopt;
  std::vector<DWORD> out;
  for (const ProcessEntry& entry : *snapshot)
    if (equalsIgnoringAsciiCase(entry.exeName, exeName) && entry.pid != GetCurrentProcessId()) out.push_back(entry.pid);
  return out;
}

// Every running process of that executable name, opened to be waited for and ended.
std::vector<Handle> openProcesses(const std::string& exeName) {
  std::vector<Handle> out;
  for (DWORD pid : processIds(exeName).value_or(std::vector<DWORD>{})) {
    Handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (process) out.push_back(std::move(process));
  }
  return out;
}

bool running(const std::string& exeName) {
  const auto ids = processIds(exeName);
  return !ids || !ids->empty();  // no snapshot, no proof that it is gone
}

struct WindowSearch {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->pid) search->windows.push_back(window);
  return TRUE;
}

// Tells every top-level window of the process that the log-on ends, as the
// system does: first the question, then the end itself.
void tellTheLogOnEnds(HANDLE process, unsigned answerMs) {
  WindowSearch search{GetProcessId(process), {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.windows)
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, answerMs, nullptr);
  for (HWND window : search.windows)
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, answerMs, nullptr);
}

// Waits for the process to end, ending it by force after the bound.
void awaitEnd(HANDLE process, unsigned boundMs) {
  if (WaitForSingleObject(process, boundMs) == WAIT_OBJECT_0) return;
  if (TerminateProcess(process, 1)) WaitForSingleObject(process, boundMs);
}

}  // namespace

std::vector<std::string> suiteProgramNames() {
  std::vector<std::string> names{kControlCentre};
  for (std::string_view engine : kShutdownStopList) names.emplace_back(engine);
  names.emplace_back(engine::notify);
  return names;
}

bool stopSuite(const StopBounds& bounds) {
  for (Handle& centre : openProcesses(kControlCentre)) {
    tellTheLogOnEnds(centre.get(), bounds.answerMs);
    awaitEnd(centre.get(), bounds.exitMs);
  }
  // The control centre has stopped its engines; whatever is left (one it did
  // not know of, or all of them after a forced end) is ended here.
  const std::vector<std::string> names = suiteProgramNames();
  for (std::size_t i = 1; i < names.size(); ++i)
    for (Handle& engine : openProcesses(names[i])) {
      TerminateProcess(engine.get(), 0);  // one that ended meanwhile refuses, and the wait returns at once
      WaitForSingleObject(engine.get(), bounds.engineMs);
    }
  for (const std::string& name : names)
    if (running(name)) return false;
  return true;
}

}  // namespace tg::win32
