#pragma once

#include <string>

#include "platform/Platform.h"
#include "win32/Win32DirectoryWatchers.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Processes.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Shell.h"
#include "win32/Win32Sockets.h"
#include "win32/Win32Timers.h"
#include "win32/Win32Tray.h"
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
  Win32Registry registry;
  Win32Tray tray;
  Win32DirectoryWatchers watchers;
  Win32Clipboard clipboard;
  Platform platform{files, clock, locale, dialogs, processes, shell, sockets, timers, registry, tray, watchers, clipboard};
};

// The running executable's full path, and its directory ending in a backslash.
std::string executablePath();
std::string executableDirectory();

}  // namespace tg::win32
