#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "win32/TempFolder.h"

namespace tg::testing {

// A running program started by a test; ended when the test lets go of it.
class StartedProgram {
 public:
  StartedProgram() = default;
  StartedProgram(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
  StartedProgram(StartedProgram&& other) noexcept : process_(other.process_), pid_(other.pid_) {
    other.process_ = nullptr;
  }
  StartedProgram& operator=(StartedProgram&& other) noexcept {
    std::swap(process_, other.process_);
    std::swap(pid_, other.pid_);
    return *this;
  }
  StartedProgram(const StartedProgram&) = delete;
  ~StartedProgram();

  explicit operator bool() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_; }
  // True when it ended within the time; its exit code then in `exitCode`.
  bool waitForExit(DWORD milliseconds, DWORD* exitCode = nullptr);

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// A temporary program directory holding copies of the suite's engines.
class EngineFolder {
 public:
  EngineFolder() = default;
  // In a folder of its own under `base` (ending in a backslash).
  explicit EngineFolder(const std::string& base) : folder_(base) {}
  // Copies the engine `source` (for example "probe.exe") as `name`.
  bool install(const std::string& source, const std::string& name);
  bool installAs(const std::string& engine) { return install(engine, engine); }
  bool write(const std::string& file, const std::string& bytes);
  std::string read(const std::string& file) const;
  bool exists(const std::string& file) const;
  // Starts an installed program with a parameter text, in this folder.
  StartedProgram start(const std::string& name, const std::string& parameters = "");
  // Waits until a file exists and holds `text` somewhere. It is read only when
  // its stamp has changed (see stampOf).
  bool waitForText(const std::string& file, const std::string& text, DWORD milliseconds) const;

  const std::string& path() const { return folder_.path(); }
  std::string operator/(const std::string& name) const { return folder_ / name; }

 private:
  TempFolder folder_;
};

// The engine programs of the suite, which the control centre starts and stops by name.
inline const char* const kSuiteEngines[] = {"rtguard.exe",    "scanengine.exe", "diskscan.exe",
                                            "siteguard.exe",  "netguard.exe",   "mailfilter.exe",
                                            "backup.exe",     "dbupdate.exe",   "notify.exe"};

// Makes a folder the control centre's program directory: a copy of the
// program, a probe in place of each engine (those that stay running until
// ended told to, as the real ones do) and the language files of `codes`
// ("fr", "gb"...) from `languageDir`. Whether every copy was made.
bool fillProgramDirectory(EngineFolder& folder, const std::string& programExe, const std::string& languageDir,
                          const std::vector<std::string>& codes);

// The folder holding the built engines, ending in a backslash.
std::string suiteDirectory();
// Starts a command line and returns the started program.
StartedProgram startCommand(const std::string& commandLine, const std::string& currentDirectory);

}  // namespace tg::testing
