#pragma once

#include <string>

#include "win32/Win32Platform.h"

namespace tg::suite {

// What every engine program knows about itself.
struct EngineProcess {
  EngineProcess();

  win32::Win32Platform real;
  std::string directory;  // the engine's own folder, ending in a backslash
  std::string name;       // its executable's file name
  std::string arguments;  // the parameter text it was started with

  std::string inDirectory(const std::string& file) const { return directory + file; }
  // A line in the engine's log beside it, with the date and time.
  void log(const std::string& logName, const std::string& line);
  // Waits until the process is ended from outside.
  [[noreturn]] void stayResident();
};

}  // namespace tg::suite
