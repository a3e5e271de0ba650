#pragma once

#include <functional>

namespace tg {

using TimerId = int;

// Timers on the user-interface thread. Ticks are delivered by the message loop,
// also while a modal box is open, so a tick may run nested inside a question.
struct Timers {
  // Calls `tick` every `intervalMs` milliseconds until stopped.
  virtual TimerId startRepeating(int intervalMs, std::function<void()> tick) = 0;
  // Calls `fire` once, after `delayMs` milliseconds.
  virtual TimerId startOnce(int delayMs, std::function<void()> fire) = 0;
  // Stops a timer; a stopped or finished timer is ignored.
  virtual void stop(TimerId id) = 0;
  virtual ~Timers() = default;
};

}  // namespace tg
