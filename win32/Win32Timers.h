#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "platform/Timers.h"

namespace tg::win32 {

// Timers of a hidden message-only window: their ticks come through the thread's
// message loop, modal boxes' loops included.
class Win32Timers : public Timers {
 public:
  Win32Timers();
  ~Win32Timers() override;
  Win32Timers(const Win32Timers&) = delete;
  Win32Timers& operator=(const Win32Timers&) = delete;

  TimerId startRepeating(int intervalMs, std::function<void()> tick) override;
  TimerId startOnce(int delayMs, std::function<void()> fire) override;
  void stop(TimerId id) override;

 private:
  struct Entry {
    bool repeating;
    std::function<void()> callback;
  };
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  void fired(TimerId id);
  TimerId start(int ms, bool repeating, std::function<void()> callback);

  HWND window_ = nullptr;
  std::map<TimerId, Entry> timers_;
  TimerId next_ = 1;
};

}  // namespace tg::win32
