#pragma once

#include <string>

namespace tg {

// The user's regional settings that texts are written and read back with.
// Pictures use the system's notation: d, dd, M, MM, yy, yyyy, h, hh, H, HH,
// m, mm, s, ss, t, tt, and literals in single quotes.
struct LocaleFormats {
  std::string shortDate = "dd/MM/yyyy";
  std::string longTime = "HH:mm:ss";
  std::string amDesignator = "AM";
  std::string pmDesignator = "PM";
  int codePage = 1252;  // the system's single-byte code page, in which all text is kept
};

struct Locale {
  virtual LocaleFormats formats() = 0;
  virtual ~Locale() = default;
};

}  // namespace tg
