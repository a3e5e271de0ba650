#pragma once

#include <functional>

#include "platform/Timers.h"

namespace tg::ui {

// A window's timer component: ticks while enabled.
class Timer {
 public:
  Timer(Timers& timers, int intervalMs) : timers_(timers), interval_(intervalMs) {}
  ~Timer() { setEnabled(false); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool enabled() const { return id_ != 0; }
  void setEnabled(bool on) {
    if (on == enabled()) return;
    if (on) {
      id_ = timers_.startRepeating(interval_, [this] {
        if (onTimer) onTimer();
      });
    } else {
      timers_.stop(id_);
      id_ = 0;
    }
  }
  std::function<void()> onTimer;

 private:
  Timers& timers_;
  int interval_;
  TimerId id_ = 0;
};

}  // namespace tg::ui
