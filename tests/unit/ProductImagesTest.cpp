#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "app/ProductImages.h"
#include "ui/IconFile.h"

namespace tg {
namespace {

TEST(ProductImages, EveryListHasItsCountAndNoTwoNavigationPicturesAreAlike) {
  const ui::ImageList nav = navigationImages();
  ASSERT_EQ(nav.count(), 21);
  std::set<std::vector<std::uint32_t>> distinct;
  for (int i = 0; i < nav.count(); ++i) {
    EXPECT_EQ(nav.at(i).width, 16);
    EXPECT_EQ(nav.at(i).height, 16);
    distinct.insert(nav.at(i).pixels);
  }
  EXPECT_EQ(distinct.size(), 21u);
  EXPECT_EQ(languageFlags().count(), 5);
  EXPECT_EQ(internetGlyphs().count(), 2);
  EXPECT_NE(internetGlyphs().at(0).pixels, internetGlyphs().at(1).pixels);
}

TEST(ProductImages, TheShippedIconFileIsTheOneTheProgramDraws) {
#ifdef TG_SOURCE_DIR
  std::ifstream in(std::string(TG_SOURCE_DIR) + "win32/tarnivoxguard2013.ico", std::ios::binary);
  ASSERT_TRUE(in) << "win32/tarnivoxguard2013.ico";
  std::ostringstream shipped;
  shipped << in.rdbuf();
  // Regenerate with build/native/make_icon win32/tarnivoxguard2013.ico after changing the drawing.
  EXPECT_EQ(shipped.str(), ui::iconFile({applicationIcon(16), applicationIcon(32), applicationIcon(48)}));
#else
  GTEST_SKIP();
#endif
}

TEST(IconFile, HeaderAndDirectoryDescribeEachPicture) {
  const std::string file = ui::iconFile({applicationIcon(16), applicationIcon(32)});
  ASSERT_GE(file.size(), 6u + 32u);
  EXPECT_EQ(file.substr(0, 6), std::string("\0\0\1\0\2\0", 6));
  EXPECT_EQ(static_cast<unsigned char>(file[6]), 16);   // first entry: width
  EXPECT_EQ(static_cast<unsigned char>(file[22]), 32);  // second entry: width
  // 16 x 16: 40-byte header, 1024 bytes of colour, 64 bytes of mask.
  const auto size = static_cast<unsigned char>(file[14]) | static_cast<unsigned char>(file[15]) << 8;
  EXPECT_EQ(size, 40 + 1024 + 64);
}

}  // namespace
}  // namespace tg
