#pragma once

#include <array>
#include <optional>
#include <string>

namespace tg {

// The system's single-byte code page, as far as the XML packets need it: its
// name for the encoding declaration, which of its bytes it leaves undefined
// (those cannot appear literally in a file that declares the code page), and the
// way back from a Unicode code point to a byte when a file spells a character out.
class CodePage {
 public:
  explicit CodePage(int number);

  int number() const { return number_; }
  std::string xmlName() const;

  // False for a byte that the code page does not define; such a byte must be
  // written as a character reference.
  bool defines(unsigned char byte) const { return byte < 0x80 || defined_[byte - 0x80]; }

  // The byte for a code point, when there is one. Code points U+E000 to U+E01F
  // stand for the control bytes 0x00 to 0x1F, which XML 1.0 cannot carry.
  std::optional<unsigned char> fromUnicode(char32_t codePoint) const;
  // The code point of a byte; a byte the code page leaves undefined gives the
  // code point of the same number, which fromUnicode takes back to it.
  char32_t toUnicode(unsigned char byte) const { return byte < 0x80 ? byte : high_[byte - 0x80]; }

 private:
  int number_;
  std::array<char32_t, 128> high_{};  // code point of bytes 0x80..0xFF
  std::array<bool, 128> defined_{};
};

// The code point standing for a control byte that XML 1.0 cannot carry.
constexpr char32_t controlByteStandIn(unsigned char byte) { return 0xE000u + byte; }

}  // namespace tg
