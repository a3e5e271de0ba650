#pragma once

#include "platform/DateTime.h"

namespace tg {

// The local wall clock.
struct Clock {
  virtual DateTime now() = 0;
  virtual ~Clock() = default;
};

}  // namespace tg
