// The system's date and time texts read back, as files and the engines hand
// them over: under several regional settings, whatever reads as a date must
// write and read back as the same date. An input with a line end gives a
// picture of its own before it (the settings of an unusual machine) and the
// text after it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/Locale.h"
#include "stores/DateText.h"
#include "stores/ExchangeFiles.h"

namespace tg {
namespace {

using fuzz::require;

const std::vector<LocaleFormats>& settings() {
  static const std::vector<LocaleFormats> all = {
      {"dd/MM/yyyy", "HH:mm:ss", "AM", "PM", 1252},               // French, the default
      {"M/d/yyyy", "h:mm:ss tt", "AM", "PM", 1252},               // English (United States)
      {"dd.MM.yyyy", "HH:mm:ss", "", "", 1252},                   // German
      {"yyyy-MM-dd", "HH:mm:ss", "AM", "PM", 1252},               // ISO
      {"dd/MM/yy", "H:mm:ss", "a.m.", "p.m.", 1252},              // a two-digit year
      {"dd-MMM-yy", "hh:mm:ss tt", "AM", "PM", 1252},             // month names
      {"d 'de' MMMM 'de' yyyy", "HH'h'mm'm'ss", "", "", 1252},    // quoted literals
      {"yyyy/MM/dd", "tt h:mm:ss", "AM", "PM", 1252},             // the designator first
      {"ddd dd/MM/yyyy", "HH:mm:ss", "AM", "PM", 1252},           // a day name
  };
  return all;
}

bool valid(const DateTime& t) {
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 &&
         t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60 && t.millisecond == 0;
}

// A picture that writes the year with one or two digits loses its century:
// read back, such a year falls in 1930 to 2029.
bool writesShortYear(std::string_view picture) {
  bool quoted = false;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    if (picture[i] == '\'') quoted = !quoted;
    if (quoted || picture[i] != 'y') continue;
    std::size_t j = i;
    while (j < picture.size() && picture[j] == 'y') ++j;
    if (j - i <= 2) return true;
    i = j - 1;
  }
  return false;
}

DateTime asWrittenAndRead(DateTime t, const LocaleFormats& locale) {
  if (writesShortYear(locale.shortDate)) {
    const int twoDigits = t.year % 100;
    t.year = twoDigits + (twoDigits < 30 ? 2000 : 1900);
  }
  return t;
}

void readBack(const LocaleFormats& locale, std::string_view text) {
  if (const auto date = parseDateText(locale, text)) {
    require(valid(*date), "a date read is a real date");
    require(date->hour == 0 && date->minute == 0 && date->second == 0, "a date alone reads as midnight");
    const std::string written = shortDateText(locale, *date);
    const auto again = parseDateText(locale, written);
    require(again.has_value(), "a date read is written as a readable date");
    require(*again == asWrittenAndRead(*date, locale), "a date read writes and reads back the same");
    require(parseDateTimeText(locale, text) == date, "a date without its time reads as the date at midnight");
  }
  if (const auto moment = parseDateTimeText(locale, text)) {
    require(valid(*moment), "a date and time read is a real moment");
    const std::string written = dateTimeText(locale, *moment);
    const auto again = parseDateTimeText(locale, written);
    require(again.has_value(), "a date and time read is written as a readable text");
    require(*again == asWrittenAndRead(*moment, locale), "a date and time read writes and reads back the same");
    dayStampOf(locale, *moment);
  }
}

// Pictures of any shape: reading and writing must not fail, whatever they make of the text.
void readWithPicture(std::string_view picture, std::string_view text) {
  LocaleFormats datePicture;
  datePicture.shortDate = std::string(picture);
  LocaleFormats timePicture;
  timePicture.longTime = std::string(picture);
  for (const LocaleFormats& locale : {datePicture, timePicture}) {
    for (const auto& read : {parseDateText(locale, text), parseDateTimeText(locale, text)}) {
      if (!read) continue;
      require(valid(*read), "a date read is a real date");
      parseDateTimeText(locale, dateTimeText(locale, *read));
    }
    formatWithPicture(picture, DateTime{}, locale);
    formatWithPicture(picture, DateTime{2026, 12, 8, 23, 59, 59, 999}, locale);
  }
}

}  // namespace
}  // namespace tg

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tg;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const LocaleFormats& locale : settings()) readBack(locale, input);
  const std::size_t lineEnd = input.find('\n');
  if (lineEnd != std::string_view::npos) readWithPicture(input.substr(0, lineEnd), input.substr(lineEnd + 1));
  return 0;
}
