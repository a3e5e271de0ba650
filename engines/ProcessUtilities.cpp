#include "engines/ProcessUtilities.h"

#include "engines/EngineTable.h"
#include "base/Text.h"

namespace tg {

namespace {

bool pidMatches(std::uint32_t pid, std::string_view pidText) { return std::to_string(pid) == pidText; }

// Walks one snapshot. With `kill`, every entry that `match` accepts is ended and
// the result is whether one was; without, the first match ends the walk.
template <typename Match>
bool walk(Processes& processes, Match match, bool kill) {
  const auto entries = processes.snapshot();
  if (!entries) return false;
  bool result = false;
  for (const ProcessEntry& entry : *entries) {
    if (!match(entry)) continue;
    if (!kill) return true;
    result = processes.terminate(entry.pid) || result;
  }
  return result;
}

}  // namespace

bool KillByName(Processes& processes, std::string_view exeName) {
  return walk(processes, [&](const ProcessEntry& e) { return equalsIgnoringAsciiCase(e.exeName, exeName); }, true);
}

bool IsRunning(Processes& processes, std::string_view exeName) {
  return walk(processes, [&](const ProcessEntry& e) { return equalsIgnoringAsciiCase(e.exeName, exeName); }, false);
}

bool IsRunningWithPid(Processes& processes, std::string_view exeName, std::string_view pidText) {
  return walk(
      processes,
      [&](const ProcessEntry& e) { return equalsIgnoringAsciiCase(e.exeName, exeName) && pidMatches(e.pid, pidText); },
      false);
}

bool KillByNameAndPid(Processes& processes, std::string_view exeName, std::string_view pidText) {
  return walk(
      processes,
      [&](const ProcessEntry& e) { return equalsIgnoringAsciiCase(e.exeName, exeName) && pidMatches(e.pid, pidText); },
      true);
}

void StopEngines(Processes& processes, std::span<const std::string_view> exeNames) {
  for (std::string_view name : exeNames) KillByName(processes, name);
}

bool FileIsLocked(FileSystem& files, const std::string& path) {
  // Only another process's hold counts: a file the user may not write (a
  // read-only engine, a protected folder) is not locked, or every wait for it
  // would last its whole bound.
  return files.openExclusively(path) == FileError::Held;
}

bool RunHidden(Processes& processes, const std::string& commandLine, int showState) {
  return processes.createProcess(commandLine, showState);
}

std::intptr_t StartEngine(Shell& shell, const std::string& programDirectory, std::string_view exeName,
                          const std::string& parameters, std::string_view verb, bool ownedByMainWindow) {
  ShellRequest request;
  request.verb = std::string(verb);
  request.file = programDirectory + std::string(exeName);
  request.parameters = parameters;
  request.show = kShowHidden;
  request.ownedByMainWindow = ownedByMainWindow;
  return shell.execute(request);
}

void NotifyUser(Shell& shell, const std::string& programDirectory, const std::string& message) {
  StartEngine(shell, programDirectory, engine::notify, replacedAll(message, ' ', ';'), "open");
}

}  // namespace tg
