#pragma once

#include <cstdint>

namespace tg {

// A local calendar date and time, as the system clock and file times give it.
// The zero value (30 December 1899, midnight) is the "no date" that date
// queries return when they find nothing.
struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  bool isZero() const { return *this == DateTime{}; }
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Milliseconds since the zero date, and back; used to move a date by a duration.
std::int64_t toMilliseconds(const DateTime& t);
DateTime fromMilliseconds(std::int64_t ms);

// 0 = Sunday ... 6 = Saturday.
int dayOfWeek(const DateTime& t);
int daysInMonth(int year, int month);

}  // namespace tg
