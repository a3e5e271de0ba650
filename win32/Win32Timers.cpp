#include "win32/Win32Timers.h"

#include "win32/ErrorBox.h"

namespace tg::win32 {

namespace {
const char kClassName[] = "TgTimers";
}

Win32Timers::Win32Timers() {
  WNDCLASSA c{};
  c.lpfnWndProc = windowProc;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = kClassName;
  RegisterClassA(&c);  // a second registration fails harmlessly
  window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Timers::~Win32Timers() {
  if (!window_) return;
  for (const auto& [id, entry] : timers_) KillTimer(window_, static_cast<UINT_PTR>(id));
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

TimerId Win32Timers::start(int ms, bool repeating, std::function<void()> callback) {
  if (!window_) return 0;
  const TimerId id = next_++;
  if (!SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(ms > 0 ? ms : 1), nullptr)) return 0;
  timers_[id] = Entry{repeating, std::move(callback)};
  return id;
}

TimerId Win32Timers::startRepeating(int intervalMs, std::function<void()> tick) {
  return start(intervalMs, true, std::move(tick));
}

TimerId Win32Timers::startOnce(int delayMs, std::function<void()> fire) { return start(delayMs, false, std::move(fire)); }

void Win32Timers::stop(TimerId id) {
  if (timers_.erase(id) && window_) KillTimer(window_, static_cast<UINT_PTR>(id));
}

void Win32Timers::fired(TimerId id) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  std::function<void()> run = it->second.callback;
  if (!it->second.repeating) stop(id);
  run();
}

LRESULT CALLBACK Win32Timers::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (auto* self = reinterpret_cast<Win32Timers*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
      guarded([&] { self->fired(static_cast<TimerId>(wParam)); });
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace tg::win32
