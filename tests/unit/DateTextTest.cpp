#include <gtest/gtest.h>

#include "stores/DateText.h"
#include "testing/FakeLocale.h"

namespace tg {
namespace {

const LocaleFormats kFrench{};
const LocaleFormats kEnglish = testing::FakeLocale::english();

TEST(DateText, WritesTheSystemPictures) {
  const DateTime t{2026, 3, 7, 0, 29, 16, 0};
  EXPECT_EQ(shortDateText(kFrench, t), "07/03/2026");
  EXPECT_EQ(longTimeText(kFrench, t), "00:29:16");
  EXPECT_EQ(dateTimeText(kFrench, t), "07/03/2026 00:29:16");
  EXPECT_EQ(dateTimeText(kEnglish, t), "3/7/2026 12:29:16 AM");
  EXPECT_EQ(longTimeText(kEnglish, {2026, 3, 7, 13, 5, 0, 0}), "1:05:00 PM");
  EXPECT_EQ(formatWithPicture("yyyy'-'MM'-'dd ddd MMM 'o''clock' yy", t, kFrench), "2026-03-07 Sat Mar o'clock 26");
  EXPECT_EQ(shortDateText(kFrench, DateTime{}), "30/12/1899");
}

TEST(DateText, ReadsItsOwnTextsBack) {
  for (const DateTime t : {DateTime{2026, 12, 8, 0, 0, 0, 0}, DateTime{2024, 2, 29, 12, 0, 0, 0},
                           DateTime{1999, 1, 31, 23, 59, 59, 0}}) {
    for (const LocaleFormats& locale : {kFrench, kEnglish}) {
      EXPECT_EQ(parseDateTimeText(locale, dateTimeText(locale, t)), t) << dateTimeText(locale, t);
      DateTime dateOnly = t;
      dateOnly.hour = dateOnly.minute = dateOnly.second = 0;
      EXPECT_EQ(parseDateText(locale, shortDateText(locale, t)), dateOnly);
    }
  }
  EXPECT_EQ(parseDateTimeText(kFrench, "08/12/2026"), (DateTime{2026, 12, 8, 0, 0, 0, 0}));
}

TEST(DateText, RefusesTextsThatAreNoDate) {
  for (const char* text : {"", "?", "31/02/2026", "8/13/2026", "08/12/2026 25:00:00", "08/12/2026 x", "08-12-2026"})
    EXPECT_EQ(parseDateTimeText(kFrench, text), std::nullopt) << text;
  EXPECT_EQ(parseDateTimeText(kEnglish, "12/8/2026 13:00:00 PM"), std::nullopt);
}

TEST(DateTime, MillisecondsCountFromTheZeroDateAcrossMonthsAndLeapYears) {
  EXPECT_EQ(toMilliseconds(DateTime{}), 0);
  EXPECT_EQ(fromMilliseconds(86'400'000), (DateTime{1899, 12, 31, 0, 0, 0, 0}));
  const DateTime t{2024, 2, 28, 23, 59, 59, 500};
  EXPECT_EQ(fromMilliseconds(toMilliseconds(t) + 1000), (DateTime{2024, 2, 29, 0, 0, 0, 500}));
  EXPECT_EQ(fromMilliseconds(toMilliseconds({2026, 12, 31, 23, 59, 59, 999}) + 1), (DateTime{2027, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(dayOfWeek({2026, 12, 8, 0, 0, 0, 0}), 2);  // a Tuesday
}

}  // namespace
}  // namespace tg
