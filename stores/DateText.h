#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/DateTime.h"
#include "platform/Locale.h"

namespace tg {

// A date or time written with a picture of the system's notation.
std::string formatWithPicture(std::string_view picture, const DateTime& t, const LocaleFormats& locale);

// The system's short date text, long time text, and default date-and-time text
// (the short date, a space, the long time).
std::string shortDateText(const LocaleFormats& locale, const DateTime& t);
std::string longTimeText(const LocaleFormats& locale, const DateTime& t);
std::string dateTimeText(const LocaleFormats& locale, const DateTime& t);

// Reading those texts back. A date-and-time text may lack its time part, which
// then reads as midnight. Empty when the text does not follow the pictures or
// names no real date.
std::optional<DateTime> parseDateText(const LocaleFormats& locale, std::string_view text);
std::optional<DateTime> parseDateTimeText(const LocaleFormats& locale, std::string_view text);

}  // namespace tg
