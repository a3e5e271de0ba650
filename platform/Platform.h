#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/DirectoryWatch.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Sockets.h"
#include "platform/Timers.h"
#include "platform/Tray.h"

namespace tg {

// Everything through which the core reaches the operating system. The real
// implementation lives in win32/, the in-memory one in testing/.
struct Platform {
  FileSystem& files;
  Clock& clock;
  Locale& locale;
  Dialogs& dialogs;
  Processes& processes;
  Shell& shell;
  Sockets& sockets;
  Timers& timers;
  Registry& registry;
  Tray& tray;
  DirectoryWatchers& watchers;
  Clipboard& clipboard;
};

}  // namespace tg
