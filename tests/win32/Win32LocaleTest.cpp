#include <gtest/gtest.h>
#include <windows.h>

#include "stores/DateText.h"
#include "win32/Win32System.h"

namespace tg::win32 {
namespace {

std::string systemDate(const SYSTEMTIME& st) {
  char buffer[128];
  const int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n - 1)) : std::string();
}

std::string systemTime(const SYSTEMTIME& st) {
  char buffer[128];
  const int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n - 1)) : std::string();
}

// Our texts must be the ones the system itself writes for its own settings.
TEST(Win32Locale, DateAndTimeTextsAreTheSystemsOwn) {
  Win32Locale locale;
  const LocaleFormats formats = locale.formats();
  EXPECT_EQ(formats.codePage, static_cast<int>(GetACP()));
  for (const SYSTEMTIME& st : {SYSTEMTIME{2026, 12, 2, 8, 0, 29, 16, 0}, SYSTEMTIME{1999, 1, 5, 1, 13, 5, 9, 0},
                               SYSTEMTIME{2030, 10, 4, 31, 23, 59, 59, 0}}) {
    const DateTime t{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, 0};
    EXPECT_EQ(shortDateText(formats, t), systemDate(st)) << formats.shortDate;
    EXPECT_EQ(longTimeText(formats, t), systemTime(st)) << formats.longTime;
    EXPECT_EQ(parseDateTimeText(formats, dateTimeText(formats, t)), t);
  }
}

TEST(Win32Clock, GivesTheLocalTime) {
  SYSTEMTIME before;
  GetLocalTime(&before);
  const DateTime now = Win32Clock().now();
  EXPECT_EQ(now.year, before.wYear);
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
}

}  // namespace
}  // namespace tg::win32
