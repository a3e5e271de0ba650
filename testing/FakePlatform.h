#pragma once

#include "platform/Platform.h"
#include "testing/FakeClipboard.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeDirectoryWatchers.h"
#include "testing/FakeFileSystem.h"
#include "testing/FakeLocale.h"
#include "testing/FakeProcesses.h"
#include "testing/FakeRegistry.h"
#include "testing/FakeShell.h"
#include "testing/FakeSockets.h"
#include "testing/FakeTimers.h"
#include "testing/FakeTray.h"

namespace tg::testing {

// Every fake facility in one place, with the program directory C:\Program\.
struct FakePlatform {
  FakeClock clock;
  FakeFileSystem files{&clock};
  FakeLocale locale;
  FakeDialogs dialogs;
  FakeProcesses processes;
  FakeShell shell;
  FakeSockets sockets;
  FakeTimers timers{clock};
  FakeRegistry registry;
  FakeTray tray;
  FakeClipboard clipboard;
  FakeDirectoryWatchers watchers{files};
  Platform platform{files, clock, locale, dialogs, processes, shell, sockets, timers, registry, tray, watchers, clipboard};

  static constexpr const char* kProgramDirectory = "C:\\Program\\";

  FakePlatform() {
    files.addDirectory(kProgramDirectory);
    files.onNameChange = [this](const std::string& path) { watchers.nameChanged(path); };
  }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;
  std::string inProgram(const std::string& name) const { return kProgramDirectory + name; }
};

}  // namespace tg::testing
