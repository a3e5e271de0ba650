#pragma once

#include <cstdint>
#include <map>

#include "platform/Timers.h"
#include "testing/FakeClock.h"

namespace tg::testing {

// Timers that fire in virtual time: advancing the clock through them fires
// every timer that falls due, in due order, each at its own moment.
class FakeTimers : public Timers {
 public:
  explicit FakeTimers(FakeClock& clock) : clock_(clock) {}

  TimerId startRepeating(int intervalMs, std::function<void()> tick) override {
    return add(intervalMs, true, std::move(tick));
  }
  TimerId startOnce(int delayMs, std::function<void()> fire) override { return add(delayMs, false, std::move(fire)); }
  void stop(TimerId id) override { timers_.erase(id); }

  // Moves the clock forward, firing what falls due on the way.
  void advance(std::int64_t milliseconds) {
    const std::int64_t target = now() + milliseconds;
    for (;;) {
      auto next = timers_.end();
      for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (it->second.due <= target && (next == timers_.end() || it->second.due < next->second.due)) next = it;
      if (next == timers_.end()) break;
      Entry& entry = next->second;
      if (entry.due > now()) clock_.set(fromMilliseconds(entry.due));
      std::function<void()> run = entry.callback;
      if (entry.repeating) {
        // Missed ticks are not made up for, as with the platform's timers.
        entry.due += entry.interval;
        if (entry.due <= now()) entry.due = now() + entry.interval;
      } else {
        timers_.erase(next);
      }
      run();
    }
    if (target > now()) clock_.set(fromMilliseconds(target));
  }

  std::size_t active() const { return timers_.size(); }

 private:
  struct Entry {
    std::int64_t due;
    std::int64_t interval;
    bool repeating;
    std::function<void()> callback;
  };
  std::int64_t now() const { return toMilliseconds(clock_.now()); }
  TimerId add(int ms, bool repeating, std::function<void()> callback) {
    const TimerId id = next_++;
    const std::int64_t interval = ms > 0 ? ms : 1;
    timers_[id] = Entry{now() + interval, interval, repeating, std::move(callback)};
    return id;
  }

  FakeClock& clock_;
  std::map<TimerId, Entry> timers_;
  TimerId next_ = 1;
};

}  // namespace tg::testing
