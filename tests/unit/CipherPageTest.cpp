#include <gtest/gtest.h>

#include "pages/settings/CipherPage.h"
#include "pages/settings/FileCipher.h"
#include "unit/PageTest.h"

namespace tg {
namespace {


std::string bytesCounting(std::size_t n) {
  std::string bytes(n, '\0');
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  return bytes;
}

class CipherPageTest : public testing::PageTest {
 protected:
  const int key = PassPhraseKey("Mirt4826");
  CipherPageTest() {
    fake.files.addDirectory("C:\\Docs");
    start();
  }
  CipherPage& open() { return PageTest::open<CipherPage>(nav::kCipher); }
  std::string contents(const std::string& path) { return fake.files.contents(path).value_or("(none)"); }
};

TEST_F(CipherPageTest, AScrambledFileIsRestoredByteForByteAndTheKeyRunsOnAcrossBlocks) {
  EXPECT_EQ(key, 'M' + 'i' + 'r' + 't' + '4' + '8' + '2' + '6');
  const std::string plain = bytesCounting(2049);
  fake.files.addFile("C:\\Docs\\a.bin", plain);
  CipherPage& page = open();
  EXPECT_TRUE(page.Edit4->text().empty());
  page.Edit4->setText("C:\\Docs\\a.bin");
  page.Edit5->setText("C:\\Docs\\a.enc");
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn25->click();
  EXPECT_EQ(fake.dialogs.questions, (std::vector<std::string>{"fr 65"}));
  const std::string scrambled = contents("C:\\Docs\\a.enc");
  ASSERT_EQ(scrambled.size(), plain.size());
  std::size_t wrong = 0;  // every byte, the one at 2048 in the second block included
  for (std::size_t p = 0; p < plain.size(); ++p)
    if (static_cast<unsigned char>(scrambled[p]) != static_cast<unsigned char>(plain[p] + key + static_cast<int>(p)))
      ++wrong;
  EXPECT_EQ(wrong, 0u);

  fake.files.remove("C:\\Docs\\a.bin");
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn26->click();
  EXPECT_EQ(contents("C:\\Docs\\a.bin"), plain);
  EXPECT_FALSE(fake.files.exists("C:\\Docs\\a.bin.tg-partial"));

  // A file never scrambled restores to another of the same length; an empty one to an empty one.
  fake.files.addFile("C:\\Docs\\empty", "");
  CipherFile(fake.files, "C:\\Docs\\empty", "C:\\Docs\\empty.enc", key, CipherDirection::Add);
  EXPECT_EQ(contents("C:\\Docs\\empty.enc"), "");
  CipherFile(fake.files, "C:\\Docs\\a.bin", "C:\\Docs\\b.bin", key, CipherDirection::Subtract);
  EXPECT_EQ(contents("C:\\Docs\\b.bin").size(), plain.size());
  EXPECT_NE(contents("C:\\Docs\\b.bin"), plain);
}

TEST_F(CipherPageTest, NoOrAMissingSourceTouchesNothing) {
  fake.files.addFile("C:\\Docs\\a.bin", "plain");
  fake.files.addFile("C:\\Docs\\a.enc", "kept");
  CipherPage& page = open();
  page.Edit4->setText("C:\\Docs\\a.bin");
  page.Edit5->setText("C:\\Docs\\a.enc");
  fake.dialogs.answerNext(Answer::No);
  page.BitBtn25->click();
  page.Edit4->setText("C:\\Docs\\gone.bin");
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn25->click();
  EXPECT_EQ(contents("C:\\Docs\\a.bin"), "plain");
  EXPECT_EQ(contents("C:\\Docs\\a.enc"), "kept");
  EXPECT_FALSE(fake.files.exists("C:\\Docs\\gone.bin"));
}

TEST_F(CipherPageTest, OneFileInBothFieldsIsRefusedHoweverItsPathIsSpelled) {
  fake.files.addFile("C:\\Docs\\a.bin", "plain");
  CipherPage& page = open();
  page.Edit4->setText("C:\\Docs\\a.bin");
  for (const char* other : {"C:\\Docs\\a.bin", "c:\\docs\\A.BIN", "C:\\Docs\\..\\Docs\\.\\a.bin"}) {
    page.Edit5->setText(other);
    fake.dialogs.answerNext(Answer::Yes);
    EXPECT_THROW(page.BitBtn25->click(), std::runtime_error) << other;
    EXPECT_EQ(contents("C:\\Docs\\a.bin"), "plain") << other;
  }
  EXPECT_EQ(fake.files.find("C:\\Docs\\*")->size(), 1u);  // no partial content left
}

TEST_F(CipherPageTest, ADestinationThatCannotBeWrittenWholeKeepsWhatItHeld) {
  fake.files.addFile("C:\\Docs\\a.bin", bytesCounting(5000));
  fake.files.addFile("C:\\Docs\\a.enc", "the earlier copy");
  fake.files.setDiskFull(true);
  EXPECT_THROW(CipherFile(fake.files, "C:\\Docs\\a.bin", "C:\\Docs\\a.enc", key, CipherDirection::Add),
               std::runtime_error);
  EXPECT_EQ(contents("C:\\Docs\\a.enc"), "the earlier copy");
  EXPECT_FALSE(fake.files.exists("C:\\Docs\\a.enc.tg-partial"));
  // A file that happens to bear the partial name is the user's: neither
  // written over nor removed, whether the cipher fails or succeeds.
  fake.files.setDiskFull(false);
  fake.files.addFile("C:\\Docs\\a.enc.tg-partial", "a file of the user's");
  fake.files.failWritesTo("C:\\Docs\\a.enc");
  EXPECT_THROW(CipherFile(fake.files, "C:\\Docs\\a.bin", "C:\\Docs\\a.enc", key, CipherDirection::Add),
               std::runtime_error);
  EXPECT_EQ(contents("C:\\Docs\\a.enc.tg-partial"), "a file of the user's");
  EXPECT_EQ(fake.files.fileNames("C:\\Docs"), (std::vector<std::string>{"a.bin", "a.enc", "a.enc.tg-partial"}));
  fake.files.failWritesTo("C:\\Docs\\a.enc", 1);
  CipherFile(fake.files, "C:\\Docs\\a.bin", "C:\\Docs\\a.enc", key, CipherDirection::Add);
  EXPECT_EQ(contents("C:\\Docs\\a.enc").size(), 5000u);
  EXPECT_EQ(contents("C:\\Docs\\a.enc.tg-partial"), "a file of the user's");
  // A destination in a folder that does not exist, or no destination at all.
  fake.files.setDiskFull(false);
  EXPECT_THROW(CipherFile(fake.files, "C:\\Docs\\a.bin", "C:\\Nowhere\\a.enc", key, CipherDirection::Add),
               std::runtime_error);
  EXPECT_THROW(CipherFile(fake.files, "C:\\Docs\\a.bin", "", key, CipherDirection::Add), std::runtime_error);
}

}  // namespace
}  // namespace tg
