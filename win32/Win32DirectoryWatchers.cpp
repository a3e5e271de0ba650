#include "win32/Win32DirectoryWatchers.h"

#include <atomic>
#include <utility>

#include "win32/ErrorBox.h"
#include "win32/Handle.h"

namespace tg::win32 {

namespace {

const char kClassName[] = "TgDirectoryWatchers";
constexpr UINT kChanged = WM_APP + 1;  // wParam: the watch's id
// How long a watching thread waits before it posts again when the queue is full.
constexpr DWORD kRepostDelayMs = 100;

// Owns a change notification, which has a closing call of its own.
class ChangeNotification {
 public:
  ChangeNotification() = default;
  explicit ChangeNotification(HANDLE h) : h_(h) {}
  ChangeNotification(const ChangeNotification&) = delete;
  ChangeNotification& operator=(const ChangeNotification&) = delete;
  ChangeNotification& operator=(ChangeNotification&& other) noexcept {
    std::swap(h_, other.h_);
    return *this;
  }
  ~ChangeNotification() {
    if (h_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(h_);
  }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// What a watching thread works with; freed only once the thread has ended.
struct Waiter {
  HWND window = nullptr;
  std::uint64_t id = 0;
  std::string root;  // ends in a backslash
  bool subtree = true;
  ChangeNotification notification;
  Handle stop;
  std::atomic<bool> posted{false};  // a message of this watch is on its way
  Handle thread;
};

bool stopped(const Waiter& w) { return WaitForSingleObject(w.stop.get(), 0) != WAIT_TIMEOUT; }

// Posts the watch's event unless one is on its way already; false once the
// watch stops or its window is gone.
bool announce(Waiter& w) {
  if (w.posted.exchange(true)) return true;
  while (!PostMessageA(w.window, kChanged, static_cast<WPARAM>(w.id), 0)) {
    // A full queue: try again shortly.
    if (!IsWindow(w.window) || WaitForSingleObject(w.stop.get(), kRepostDelayMs) != WAIT_TIMEOUT) return false;
  }
  return true;
}

// wine's watch of a subtree takes in only the folders opened after it began and
// those made later, each once wine has seen it appear (a folder made inside a
// new one before that stays unseen). Windows watches the whole subtree itself.
bool foldersNeedOpening() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Lists every folder below `folder` (listing one opens it) and counts them in
// `opened`; false once the watch stops. Linked folders are left out: they may
// lead back up the tree.
bool openFoldersBelow(const std::string& folder, const Waiter& w, int& opened) {
  WIN32_FIND_DATAA data;
  const FindHandle search(FindFirstFileA((folder + "*").c_str(), &data));
  if (!search) return true;
  do {
    if (stopped(w)) return false;
    const std::string name = data.cFileName;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        name == "." || name == "..")
      continue;
    ++opened;
    if (!openFoldersBelow(folder + name + "\\", w, opened)) return false;
  } while (FindNextFileA(search.get(), &data));
  return true;
}

DWORD WINAPI waitForChanges(void* parameter) {
  Waiter& w = *static_cast<Waiter*>(parameter);
  if (w.subtree && foldersNeedOpening()) {
    int opened = 0;
    if (!openFoldersBelow(w.root, w, opened)) return 0;
    // A change in a folder before it was opened went unseen: one event covers it.
    if (opened > 0 && !announce(w)) return 0;
  }
  const HANDLE handles[] = {w.stop.get(), w.notification.get()};
  for (;;) {
    // The stop event comes first, so it wins over a change signalled with it.
    if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return 0;
    // Armed again before the event goes: whatever the handler changes comes
    // after this and signals anew (wine drops changes made before the call).
    if (!FindNextChangeNotification(w.notification.get())) return 0;
    if (!announce(w)) return 0;
  }
}

}  // namespace

class Win32DirectoryWatchers::Watch : public DirectoryWatch {
 public:
  Watch(Win32DirectoryWatchers& watchers, std::function<void()> handler)
      : owner(&watchers), waiter(std::make_unique<Waiter>()), changed(std::move(handler)) {}
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;
  ~Watch() override {
    if (owner) owner->live_.erase(waiter->id);
    if (!waiter->thread) return;
    // The thread ends at once on the stop event. Should the event or the wait
    // fail, its data is left to it rather than freed under it.
    if (!SetEvent(waiter->stop.get()) || WaitForSingleObject(waiter->thread.get(), INFINITE) != WAIT_OBJECT_0)
      static_cast<void>(waiter.release());
  }

  Win32DirectoryWatchers* owner;  // null once the watchers are gone
  std::unique_ptr<Waiter> waiter;
  std::function<void()> changed;
};

Win32DirectoryWatchers::Win32DirectoryWatchers() {
  WNDCLASSA c{};
  c.lpfnWndProc = windowProc;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = kClassName;
  if (!RegisterClassA(&c) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;  // no window: no watches
  window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32DirectoryWatchers::~Win32DirectoryWatchers() {
  // Watches that outlive this stop on their own; their threads find no window.
  for (auto& [id, watch] : live_) watch->owner = nullptr;
  if (!window_) return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

std::unique_ptr<DirectoryWatch> Win32DirectoryWatchers::watch(const std::string& root, std::function<void()> changed) {
  return start(root, true, std::move(changed));
}

std::unique_ptr<DirectoryWatch> Win32DirectoryWatchers::watchFolders(const std::string& folder,
                                                                     std::function<void()> changed) {
  return start(folder, false, std::move(changed));
}

std::unique_ptr<DirectoryWatch> Win32DirectoryWatchers::start(const std::string& root, bool subtree,
                                                              std::function<void()> changed) {
  if (!window_) return nullptr;
  auto watch = std::make_unique<Watch>(*this, std::move(changed));
  Waiter& w = *watch->waiter;
  w.window = window_;
  w.id = next_++;
  w.root = root.empty() || root.back() == '\\' || root.back() == '/' ? root : root + "\\";
  w.subtree = subtree;
  live_[w.id] = watch.get();  // the watch leaves the map again if it fails below
  const DWORD filter = subtree ? FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_DIR_NAME;
  w.notification = ChangeNotification(FindFirstChangeNotificationA(root.c_str(), subtree ? TRUE : FALSE, filter));
  if (!w.notification) return nullptr;
  w.stop = Handle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!w.stop) return nullptr;
  w.thread = Handle(CreateThread(nullptr, 0, waitForChanges, &w, 0, nullptr));
  if (!w.thread) return nullptr;
  return watch;
}

void Win32DirectoryWatchers::arrived(std::uint64_t id) {
  const auto it = live_.find(id);
  if (it == live_.end()) return;  // destroyed after its thread posted
  // Cleared first: a change made from here on, the handler's own included, posts again.
  it->second->waiter->posted = false;
  const std::function<void()> changed = it->second->changed;  // the handler may end this very watch
  if (changed) changed();
}

LRESULT CALLBACK Win32DirectoryWatchers::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kChanged) {
    if (auto* self = reinterpret_cast<Win32DirectoryWatchers*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
      guarded([&] { self->arrived(static_cast<std::uint64_t>(wParam)); });
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace tg::win32
