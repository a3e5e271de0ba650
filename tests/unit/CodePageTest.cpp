#include <gtest/gtest.h>

#include "base/CodePage.h"

namespace tg {
namespace {

TEST(CodePage, Windows1252KnowsItsUndefinedBytesAndItsSpecialCharacters) {
  const CodePage cp(1252);
  EXPECT_EQ(cp.xmlName(), "windows-1252");
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_FALSE(cp.defines(b));
    EXPECT_EQ(cp.fromUnicode(b), b);  // written as &#x81; and read back as the byte
  }
  EXPECT_TRUE(cp.defines(0x80));
  EXPECT_EQ(cp.fromUnicode(0x20AC), 0x80);
  EXPECT_EQ(cp.fromUnicode(0x0178), 0x9F);
  EXPECT_EQ(cp.fromUnicode(0xE9), 0xE9);
  EXPECT_EQ(cp.fromUnicode(0x80), std::nullopt);  // a C1 control has no place in 1252
  EXPECT_EQ(cp.fromUnicode(0x4E00), std::nullopt);
  EXPECT_EQ(cp.fromUnicode(controlByteStandIn(0x01)), 0x01);
}

TEST(CodePage, OtherCodePagesWriteEveryByteAsItIs) {
  const CodePage cp(1251);
  EXPECT_EQ(cp.xmlName(), "windows-1251");
  for (unsigned b = 0x80; b < 0x100; ++b) EXPECT_TRUE(cp.defines(static_cast<unsigned char>(b)));
}

}  // namespace
}  // namespace tg
