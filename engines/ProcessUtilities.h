#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/Shell.h"

namespace tg {

// Process names are compared ignoring the letter case of A to Z only; a process
// id given as text matches only its plain decimal form ("123", never "0123").
// Every call takes a fresh snapshot; none reports an error.

// Ends every process of that executable name; true when at least one ended.
bool KillByName(Processes& processes, std::string_view exeName);
bool IsRunning(Processes& processes, std::string_view exeName);
bool IsRunningWithPid(Processes& processes, std::string_view exeName, std::string_view pidText);
// Ends every process with both that name and that id; true when one ended.
bool KillByNameAndPid(Processes& processes, std::string_view exeName, std::string_view pidText);

// Stops the engines of a stop list, in its order.
void StopEngines(Processes& processes, std::span<const std::string_view> exeNames);

// True when the file exists and another process holds it without sharing
// (a running engine's executable, an engine's output being written).
bool FileIsLocked(FileSystem& files, const std::string& path);

// Starts a command line as a new process; whether it was created.
bool RunHidden(Processes& processes, const std::string& commandLine, int showState);

// Starts an engine of the program directory through the shell, hidden.
std::intptr_t StartEngine(Shell& shell, const std::string& programDirectory, std::string_view exeName,
                          const std::string& parameters, std::string_view verb, bool ownedByMainWindow = true);

// The message pop-up: notify.exe with the text, every space turned into ";",
// as its whole parameter string.
void NotifyUser(Shell& shell, const std::string& programDirectory, const std::string& message);

}  // namespace tg
