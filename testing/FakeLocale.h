#pragma once

#include "platform/Locale.h"

namespace tg::testing {

// French regional settings unless a test chooses others.
class FakeLocale : public Locale {
 public:
  LocaleFormats formats() override { return formats_; }
  void set(const LocaleFormats& f) { formats_ = f; }
  static LocaleFormats english() { return {"M/d/yyyy", "h:mm:ss tt", "AM", "PM", 1252}; }

 private:
  LocaleFormats formats_;
};

}  // namespace tg::testing
