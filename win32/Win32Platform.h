#pragma once

#include <string>

#include "platform/Platform.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Processes.h"
#include "win32/Win32Shell.h"
#include "win32/Win32Sockets.h"
#include "win32/Win32Timers.h"
#include "win32/Win32System.h"

namespace tg::win32 {

// The real platform, for the one process that runs it.
struct Win32Platform {
  Win32FileSystem files;
  Win32Clock clock;
  Win32Locale locale;
  Win32Dialogs dialogs;
  Win32Processes processes;
  Win32Shell shell;
  Win32Sockets sockets;
  Win32Timers timers;
  Platform platform{files, clock, locale, dialogs, processes, shell, sockets, timers};
};

// The directory of the running executable, ending in a backslash.
std::string executableDirectory();

}  // namespace tg::win32
