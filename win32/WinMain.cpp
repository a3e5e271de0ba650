#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "app/MainWindow.h"
#include "app/Product.h"
#include "app/TrayHost.h"
#include "app/TransferRequest.h"
#include "win32/ErrorBox.h"
#include "win32/Handle.h"
#include "win32/TransferRequests.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Platform.h"

// The generated header of this program's version (win32/Version.h.in).
#include "Version.h"

namespace {

// Held by a start that carries out a request itself, for as long as it works
// on the stores: a control centre started meanwhile waits for it.
constexpr char kTransferMutexName[] = "tarnivoxguard2013.exe transfer";
// How long a request waits for the running control centre, and a start for a transfer.
constexpr DWORD kRequestBoundMs = 60000;

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

// Waits until a start that carries out a request has ended; false when none was running.
bool awaitTransfer(DWORD boundMs) {
  tg::win32::Handle transfer(OpenMutexA(SYNCHRONIZE, FALSE, kTransferMutexName));
  if (!transfer) return false;
  WaitForSingleObject(transfer.get(), boundMs);  // released, abandoned or late: the caller tries again
  return true;
}

// The arguments after the program's name, in the system's code page.
std::vector<std::string> commandLineArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
    text.resize(text.size() - 1);
    arguments.push_back(std::move(text));
  }
  LocalFree(wide);
  return arguments;
}

// What a request start says goes to the console of whoever started it, if any.
void tellConsole(const std::string& text) {
  if (text.empty()) return;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  tg::win32::Handle console;
  if (!out || out == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console = tg::win32::Handle(
        CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    out = console.get();
    if (!out) return;
  }
  const std::string line = text + "\r\n";
  DWORD written = 0;
  WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// A request with no control centre running: the work is done here, without a
// window, over the same stores.
int carryOutHere(const tg::TransferRequest& request, std::string& message) {
  tg::win32::Win32Platform real;
  tg::ControlCentre centre(real.platform, tg::win32::executableDirectory(), {});
  centre.openStores();
  centre.loadLanguage();
  return tg::runTransferRequest(centre, request, message);
}

// "/import" and "/export": handed to the running control centre, or done here.
int runRequest(const tg::TransferRequest& request) {
  const DWORD start = GetTickCount();
  std::string message;
  for (;;) {
    const DWORD waited = GetTickCount() - start;
    if (waited >= kRequestBoundMs) {
      tellConsole("The control centre that runs did not take the request within " +
                  std::to_string(kRequestBoundMs / 1000) + " s.");
      return tg::exit_code::kTimedOut;
    }
    {
      auto lock = std::make_unique<InstanceLock>();
      if (!lock->anotherRuns()) {
        tg::win32::Handle transfer(CreateMutexA(nullptr, TRUE, kTransferMutexName));
        int code = tg::exit_code::kNotSaved;
        tg::ui::runReportingErrors([&] { code = carryOutHere(request, message); },
                                   [&](const std::string& text) { message = text; });
        lock.reset();  // before the transfer ends, so that a start waiting for it finds the lock free
        if (transfer) ReleaseMutex(transfer.get());
        tellConsole(message);
        return code;
      }
    }
    if (HWND target = tg::win32::findRequestWindow()) {
      const int code = tg::win32::handRequestOver(target, request, message, kRequestBoundMs - waited);
      tellConsole(message);
      return code;
    }
    // Another request start at work, or a control centre whose window is still to come.
    if (!awaitTransfer(kRequestBoundMs - waited)) Sleep(100);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string wrong;
  if (const auto request = tg::parseTransferRequest(commandLineArguments(), &wrong)) return runRequest(*request);
  if (!wrong.empty()) {
    tellConsole(wrong);
    return tg::exit_code::kUsage;
  }

  auto lock = std::make_unique<InstanceLock>();
  if (lock->anotherRuns()) {
    // A request start working on the stores holds the lock for a moment; any
    // other control centre means this start ends at once, silently.
    lock.reset();
    if (!awaitTransfer(kRequestBoundMs)) return 0;
    lock = std::make_unique<InstanceLock>();
    if (lock->anotherRuns()) return 0;
  }

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

  // Later starts with "/import" or "/export" hand their request here.
  tg::win32::TransferRequestWindow requests([&main](const tg::TransferRequest& request, std::string& message) {
    return main ? tg::runTransferRequest(main->centre, request, message) : tg::exit_code::kNotSaved;
  });

  const int code = desktop.run();
  main.reset();  // the main window's destruction stops the engines once more
  return code;
}
