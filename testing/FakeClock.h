#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace tg::testing {

// A clock that moves only when a test moves it.
class FakeClock : public Clock {
 public:
  explicit FakeClock(DateTime start = {2026, 12, 8, 10, 15, 0, 0}) : now_(start) {}
  DateTime now() override { return now_; }
  void set(const DateTime& t) { now_ = t; }
  void advance(std::int64_t milliseconds) { now_ = fromMilliseconds(toMilliseconds(now_) + milliseconds); }

 private:
  DateTime now_;
};

}  // namespace tg::testing
