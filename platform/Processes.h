#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tg {

// One entry of a process snapshot: the id and the executable's file name
// without its folder.
struct ProcessEntry {
  std::uint32_t pid = 0;
  std::string exeName;
};

// Show states passed to the programs the control centre starts.
constexpr int kShowHidden = 0;
constexpr int kShowNormal = 1;

struct Processes {
  // Every running process; empty when no snapshot can be taken.
  virtual std::optional<std::vector<ProcessEntry>> snapshot() = 0;
  // Opens the process for termination only and ends it with exit code 0.
  // False when it cannot be opened or ended.
  virtual bool terminate(std::uint32_t pid) = 0;
  // Full paths of the modules loaded in a process, the executable first, in
  // snapshot order; empty when no module snapshot can be taken, and for process
  // 0 (which names no program: the system's snapshot would give the caller's own).
  virtual std::optional<std::vector<std::string>> modules(std::uint32_t pid) = 0;
  // Starts a command line in a new console at normal priority, asking for the
  // given show state for its first window; handles are not kept. A program named
  // without a folder is looked for first in the directory of the running executable.
  virtual bool createProcess(const std::string& commandLine, int showState) = 0;
  // A text with every %NAME% of the program's environment replaced by its value.
  virtual std::string expandEnvironment(const std::string& text) = 0;
  // Where a program named without a folder is found when it is started: the
  // folder of the running executable, the current folder, the system folders
  // and the PATH, with ".exe" added to a name without an extension.
  virtual std::optional<std::string> findProgram(const std::string& name) = 0;
  // The logon name of the user who runs the program; empty when it is refused.
  virtual std::string userName() = 0;
  // The program's current folder, with no backslash at the end but for a drive root.
  virtual std::string currentFolder() = 0;
  virtual ~Processes() = default;
};

}  // namespace tg
