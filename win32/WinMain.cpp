#include <windows.h>

#include <memory>

#include "app/MainWindow.h"
#include "app/Product.h"
#include "app/TrayHost.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Platform.h"

namespace {

// The single-instance lock: a named mutex held for the whole run.
class InstanceLock {
 public:
  InstanceLock() {
    SetLastError(0);
    mutex_ = CreateMutexA(nullptr, FALSE, tg::product::kMutexName);
    const DWORD error = GetLastError();
    held_ = mutex_ && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED;
  }
  ~InstanceLock() {
    if (mutex_) CloseHandle(mutex_);
  }
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  // False when another control centre runs for this log-on.
  bool held() const { return held_; }

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InstanceLock lock;
  if (!lock.held()) return 0;  // a second start ends at once, silently

  tg::win32::Win32Platform real;
  tg::win32::Win32Desktop desktop;
  std::unique_ptr<tg::MainWindow> main;

  // The tray host first: it is the application's main window.
  tg::TrayHost tray(real.platform, tg::win32::executablePath(), [&main] {
    if (main) main->showFromTray();
  });
  tray.create();

  main = std::make_unique<tg::MainWindow>(real.platform, desktop, tg::win32::executableDirectory());
  const HWND window = desktop.windowOf(main->form);
  real.dialogs.setOwner(window);
  real.shell.setMainWindow(window);
  main->FormCreate();

  const int code = desktop.run();
  main.reset();  // the main window's destruction stops the engines once more
  return code;
}
