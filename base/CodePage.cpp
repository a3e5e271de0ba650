#include "base/CodePage.h"

namespace tg {

namespace {

// Windows-1252 from 0x80 to 0x9F; 0 marks the five bytes it leaves undefined.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

CodePage::CodePage(int number) : number_(number) {
  // Code pages other than 1252 are taken as Latin-1 above 0x7F: every byte is
  // defined and written as it is.
  for (unsigned i = 0; i < 128; ++i) {
    high_[i] = 0x80 + i;
    defined_[i] = true;
  }
  if (number == 1252) {
    for (unsigned i = 0; i < 32; ++i) {
      defined_[i] = kWindows1252High[i] != 0;
      if (defined_[i]) high_[i] = kWindows1252High[i];
    }
  }
}

std::string CodePage::xmlName() const { return "windows-" + std::to_string(number_); }

std::optional<unsigned char> CodePage::fromUnicode(char32_t codePoint) const {
  if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
  if (codePoint >= 0xE000 && codePoint < 0xE020) return static_cast<unsigned char>(codePoint - 0xE000);
  for (unsigned i = 0; i < 128; ++i)
    if (defined_[i] && high_[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
  // An undefined byte is written as the reference to the code point of the same number.
  if (codePoint >= 0x80 && codePoint <= 0xFF && !defined_[codePoint - 0x80])
    return static_cast<unsigned char>(codePoint);
  return std::nullopt;
}

}  // namespace tg
