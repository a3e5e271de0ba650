#include <windows.h>

#include <memory>

#include "app/MainWindow.h"
#include "app/Product.h"
#include "app/TrayHost.h"
#include "win32/ErrorBox.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Platform.h"

// The generated header of this program's version (win32/Version.h.in).
#include "Version.h"

namespace {

// The single-instance lock: a named mutex held for the whole run.
class InstanceLock {
 public:
  InstanceLock() {
    SetLastError(0);
    mutex_ = CreateMutexA(nullptr, FALSE, tg::product::kMutexName);
    const DWORD error = GetLastError();
    // Only a mutex that exists, or one we may not open, means another control
    // centre. Any other failure (another kind of object holding the name, for
    // one) leaves no lock, and the program runs without it.
    anotherRuns_ = error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
  }
  ~InstanceLock() {
    if (mutex_) CloseHandle(mutex_);
  }
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  // True when another control centre runs for this log-on.
  bool anotherRuns() const { return anotherRuns_; }

 private:
  HANDLE mutex_ = nullptr;
  bool anotherRuns_ = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InstanceLock lock;
  if (lock.anotherRuns()) return 0;  // a second start ends at once, silently

  tg::win32::Win32Platform real;
  tg::win32::Win32Desktop desktop;
  std::unique_ptr<tg::MainWindow> main;

  // The tray host first: it is the application's main window.
  tg::TrayHost tray(real.platform, tg::win32::executablePath(), [&main] {
    if (main) main->showFromTray();
  });
  tg::win32::guarded([&] { tray.create(); });

  main = std::make_unique<tg::MainWindow>(real.platform, desktop, tg::win32::executableDirectory(), TG_VERSION_TEXT);
  main->onQuitting = [&tray] { tray.removeIcon(); };
  const HWND window = desktop.windowOf(main->form);
  real.dialogs.setOwner(window);
  real.shell.setMainWindow(window);
  // A start-up step that fails is reported, and the program runs on with what
  // it has, as after any other action.
  tg::win32::guarded([&] { main->FormCreate(); });

  const int code = desktop.run();
  main.reset();  // the main window's destruction stops the engines once more
  return code;
}
