#include <gtest/gtest.h>
#include <windows.h>

#include "win32/TempFolder.h"
#include "win32/Win32FileSystem.h"

namespace tg::win32 {
namespace {

using testing::TempFolder;

TEST(Win32FileStreams, ANewContentReplacesTheFileOnlyWhenCommitted) {
  TempFolder dir;
  Win32FileSystem files;
  ASSERT_TRUE(files.writeBytes(dir / "out.bin", "the earlier copy"));
  {
    auto writer = files.createReplacing(dir / "out.bin");
    ASSERT_NE(writer, nullptr);
    ASSERT_TRUE(writer->write("half", 4));
    EXPECT_EQ(files.readBytes(dir / "out.bin"), "the earlier copy");
  }  // gone without a commit: its partial content goes with it
  EXPECT_EQ(files.readBytes(dir / "out.bin"), "the earlier copy");
  EXPECT_EQ(files.find(dir / "*")->size(), 1u);

  auto writer = files.createReplacing(dir / "out.bin");
  ASSERT_NE(writer, nullptr);
  std::string big(3 << 20, 'x');
  ASSERT_TRUE(writer->write(big.data(), big.size()));
  ASSERT_TRUE(writer->commit());
  writer.reset();
  EXPECT_EQ(files.readBytes(dir / "out.bin"), big);
  EXPECT_EQ(files.find(dir / "*")->size(), 1u);

  auto reader = files.openReader(dir / "out.bin");
  ASSERT_NE(reader, nullptr);
  std::string back, block(1 << 20, '\0');
  for (;;) {
    const auto got = reader->read(block.data(), block.size());
    ASSERT_TRUE(got);
    if (*got == 0) break;
    back.append(block.data(), *got);
  }
  EXPECT_EQ(back, big);
  EXPECT_EQ(files.openReader(dir / "missing.bin"), nullptr);
  EXPECT_EQ(files.createReplacing(dir / "no folder\\out.bin"), nullptr);
}

TEST(Win32FileStreams, APartialContentNeverTakesTheNameOfAFileThatWasThereAndRemovesOnlyItsOwn) {
  TempFolder dir;
  Win32FileSystem files;
  ASSERT_TRUE(files.writeBytes(dir / "out.bin", "the earlier copy"));
  ASSERT_TRUE(files.writeBytes(dir / "out.bin.tg-partial", "a file of the user's"));
  {
    auto writer = files.createReplacing(dir / "out.bin");
    ASSERT_NE(writer, nullptr);
    ASSERT_TRUE(writer->write("half", 4));
    EXPECT_TRUE(files.exists(dir / "out.bin.tg-partial2"));  // the writer holds it
  }
  EXPECT_EQ(files.readBytes(dir / "out.bin.tg-partial"), "a file of the user's");
  EXPECT_FALSE(files.exists(dir / "out.bin.tg-partial2"));
  auto writer = files.createReplacing(dir / "out.bin");
  ASSERT_NE(writer, nullptr);
  ASSERT_TRUE(writer->write("new", 3));
  ASSERT_TRUE(writer->commit());
  EXPECT_EQ(files.readBytes(dir / "out.bin"), "new");
  EXPECT_EQ(files.readBytes(dir / "out.bin.tg-partial"), "a file of the user's");
}

TEST(Win32FileStreams, OneFileIsKnownHoweverItsPathIsSpelled) {
  TempFolder dir;
  Win32FileSystem files;
  ASSERT_TRUE(CreateDirectoryA((dir / "Long folder name").c_str(), nullptr));
  const std::string path = dir / "Long folder name\\Some document.bin";
  ASSERT_TRUE(files.writeBytes(path, "x"));
  ASSERT_TRUE(files.writeBytes(dir / "other.bin", "x"));
  char shortPath[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(path.c_str(), shortPath, MAX_PATH), 0u);
  std::string upper = path;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(files.sameFile(path, path));
  EXPECT_TRUE(files.sameFile(path, upper));
  EXPECT_TRUE(files.sameFile(path, dir / "Long folder name\\..\\Long folder name\\.\\Some document.bin"));
  EXPECT_TRUE(files.sameFile(path, shortPath)) << shortPath;
  EXPECT_FALSE(files.sameFile(path, dir / "other.bin"));
  EXPECT_FALSE(files.sameFile(path, dir / "missing.bin"));
  // A second name of the file, on the same volume.
  ASSERT_TRUE(CreateHardLinkA((dir / "link.bin").c_str(), path.c_str(), nullptr));
  EXPECT_TRUE(files.sameFile(path, dir / "link.bin"));
  EXPECT_EQ(files.identity(path), files.identity(dir / "link.bin"));
  EXPECT_NE(files.identity(path), files.identity(dir / "other.bin"));
  EXPECT_EQ(files.identity(dir / "missing.bin"), std::nullopt);
}

}  // namespace
}  // namespace tg::win32
