#include <gtest/gtest.h>

#include "engines/FileFacts.h"
#include "testing/FakePlatform.h"

namespace tg {
namespace {

using testing::FakePlatform;

std::string words(const std::vector<std::uint32_t>& values) {
  std::string bytes;
  for (std::uint32_t v : values)
    for (int b = 0; b < 4; ++b) bytes += static_cast<char>((v >> (8 * b)) & 0xFF);
  return bytes;
}

std::string countingWords(std::uint32_t n) {
  std::vector<std::uint32_t> v(n);
  for (std::uint32_t i = 0; i < n; ++i) v[i] = i;
  return words(v);
}

std::uint32_t sumOf(std::uint32_t from, std::uint32_t to) {  // inclusive
  std::uint32_t s = 0;
  for (std::uint32_t i = from; i <= to; ++i) s += i;
  return s;
}

struct FileFactsTest : ::testing::Test {
  FakePlatform fake;
  std::uint32_t checksumOf(const std::string& bytes) {
    fake.files.addFile("C:\\f.bin", bytes);
    return FileChecksum(fake.files, "C:\\f.bin");
  }
};

TEST_F(FileFactsTest, TheChecksumSumsAtMostFiveHundredWordsFromTheMiddle) {
  EXPECT_EQ(checksumOf(countingWords(1000)), sumOf(500, 998));   // 4000 bytes
  EXPECT_EQ(checksumOf(countingWords(2000)), sumOf(1000, 1499));  // 8000 bytes
  EXPECT_EQ(checksumOf(words({7})), 0u);
  EXPECT_EQ(checksumOf(words({7, 8})), 0u);
  EXPECT_EQ(checksumOf(words({7, 8, 9})), 8u);
  EXPECT_EQ(checksumOf(words({1, 1, 0xFFFFFFFF, 2, 1})), 1u);  // wraps around
  EXPECT_EQ(checksumOf(words({7, 8, 9}) + "xyz"), 8u);          // trailing bytes ignored
  EXPECT_EQ(checksumOf("abc"), 0u);
  EXPECT_EQ(checksumOf(""), 0u);
}

TEST_F(FileFactsTest, FilesThatDifferOnlyInTheirFirstHalfHaveTheSameChecksum) {
  std::string a = countingWords(600);
  std::string b = a;
  for (std::size_t i = 0; i < b.size() / 2; ++i) b[i] = static_cast<char>(~b[i]);
  EXPECT_EQ(checksumOf(a), checksumOf(b));
}

TEST_F(FileFactsTest, UnreadableFilesHaveTheChecksumZero) {
  EXPECT_EQ(FileChecksum(fake.files, "C:\\missing.exe"), 0u);
  EXPECT_EQ(FileChecksum(fake.files, ""), 0u);
  fake.files.addFile("C:\\held.exe", countingWords(10));
  fake.files.setLocked("C:\\held.exe", true);
  EXPECT_EQ(FileChecksum(fake.files, "C:\\held.exe"), 0u);
}

TEST_F(FileFactsTest, SizesAboveFourGigabytesAreWhole) {
  fake.files.addFile("C:\\big.vhd", "");
  fake.files.setApparentSize("C:\\big.vhd", 5'000'000'000ull);
  EXPECT_EQ(FileSizeBytes(fake.files, "C:\\big.vhd"), 5'000'000'000ull);
  EXPECT_EQ(FileSizeBytes(fake.files, "C:\\missing"), 0u);
}

TEST_F(FileFactsTest, DatesArePackedFileDatesOrZero) {
  fake.files.addFile("C:\\a.exe", "x");
  fake.files.setTimes("C:\\a.exe", {2025, 11, 7, 14, 3, 59, 250}, {2026, 1, 2, 3, 4, 5, 0});
  EXPECT_EQ(FileDate(fake.files, "C:\\a.exe"), (DateTime{2025, 11, 7, 14, 3, 58, 0}));
  EXPECT_EQ(FileAccessDate(fake.files, "C:\\a.exe"), (DateTime{2026, 1, 2, 3, 4, 4, 0}));
  EXPECT_TRUE(FileDate(fake.files, "C:\\missing.exe").isZero());
  EXPECT_TRUE(FileAccessDate(fake.files, "C:\\missing.exe").isZero());
  EXPECT_TRUE(FileDate(fake.files, "").isZero());
  fake.files.setTimes("C:\\a.exe", {1970, 1, 1, 0, 0, 0, 0}, {1970, 1, 1, 0, 0, 0, 0});
  EXPECT_TRUE(FileDate(fake.files, "C:\\a.exe").isZero());  // before packed dates begin
  // A folder matches as well: the search takes any first entry.
  fake.files.addDirectory("C:\\Dir");
  EXPECT_FALSE(FileDate(fake.files, "C:\\Dir").isZero());
}

TEST_F(FileFactsTest, TheOwnerIsDomainSlashAccount) {
  fake.files.addFile("C:\\a.exe", "x");
  fake.files.setOwner("C:\\a.exe", {"PC-BUREAU", "\xC9lodie"});
  EXPECT_EQ(FileOwner(fake.files, "C:\\a.exe"), "PC-BUREAU/\xC9lodie");
  EXPECT_EQ(FileOwner(fake.files, "C:\\missing.exe"), "");
}

TEST_F(FileFactsTest, ProcessFactsComeFromTheModuleSnapshot) {
  const auto pid = fake.processes.add("app.exe", {"C:\\Apps\\app.exe", "C:\\Windows\\ntdll.dll"});
  const auto single = fake.processes.add("one.exe", {"C:\\one.exe"});
  EXPECT_EQ(ProcessExePath(fake.processes, pid), "C:\\Apps\\app.exe");
  EXPECT_EQ(ProcessModuleList(fake.processes, pid), "C:\\Apps\\app.exe;C:\\Windows\\ntdll.dll;");
  EXPECT_EQ(ProcessModuleList(fake.processes, single), "C:\\one.exe;");
  EXPECT_EQ(ProcessExePath(fake.processes, 999999), "");
  EXPECT_EQ(ProcessModuleList(fake.processes, 999999), "");
}

TEST_F(FileFactsTest, TypeNamesAreCutAtEightyCharacters) {
  fake.shell.typeNames["C:\\a.exe"] = std::string(100, 'T');
  EXPECT_EQ(FileTypeName(fake.shell, "C:\\a.exe"), std::string(80, 'T'));
  EXPECT_EQ(FileTypeName(fake.shell, "C:\\b.exe"), "");
}

}  // namespace
}  // namespace tg
