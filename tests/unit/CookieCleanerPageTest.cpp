#include <gtest/gtest.h>

#include "pages/tools/CookieCleanerPage.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

const std::string kCookies = "C:\\Users\\Jean\\Cookies\\";
const std::string kDownloads = "C:\\Users\\Jean\\Downloads\\";

class CookieCleanerPageTest : public testing::PageTest {
 protected:
  CookieCleanerPageTest() {
    fake.files.addFile(kCookies + "jean@site.txt", "c");
    fake.files.addFile(kCookies + "index.dat", "i", attr::Hidden | attr::System);
    fake.files.addFile("C:\\keep-me.txt", "the drive's root");
  }
  CookieCleanerPage& open() { return PageTest::open<CookieCleanerPage>(nav::kCookieCleaner); }
};

TEST_F(CookieCleanerPageTest, CleaningDeletesThePlainFilesAndIndexDatAfterYesAndSkipsAHeldFile) {
  fake.files.addFile(kDownloads + "setup.exe", "s");
  fake.files.addFile(kDownloads + "open.pdf", "o");
  fake.files.addFile(kDownloads + "Photos\\a.jpg", "a");
  fake.files.setLocked(kDownloads + "open.pdf", true);
  start();
  CookieCleanerPage& page = open();
  EXPECT_EQ(page.left->items(), (Names{"jean@site.txt"}));
  EXPECT_EQ(page.right->items(), (Names{"open.pdf", "setup.exe"}));
  EXPECT_EQ(page.BitBtn3->caption(), "fr 18");

  fake.dialogs.answerNext(Answer::No);
  page.BitBtn20Click();
  EXPECT_TRUE(fake.files.exists(kCookies + "index.dat"));
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn20->click();
  EXPECT_FALSE(fake.files.exists(kCookies + "jean@site.txt"));
  EXPECT_FALSE(fake.files.exists(kCookies + "index.dat"));

  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn3->click();
  EXPECT_FALSE(fake.files.exists(kDownloads + "setup.exe"));
  EXPECT_TRUE(fake.files.exists(kDownloads + "open.pdf"));  // held by its reader
  EXPECT_TRUE(fake.files.exists(kDownloads + "Photos\\a.jpg"));
  EXPECT_EQ(page.right->count(), 2);  // listed until the list is pointed again
}

TEST_F(CookieCleanerPageTest, WithoutADownloadsFolderTheRightListIsEmptyAndTheDriveRootIsNeverCleaned) {
  start();
  CookieCleanerPage& page = open();
  EXPECT_EQ(page.right->count(), 0);
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn3->click();
  EXPECT_TRUE(fake.files.exists("C:\\keep-me.txt"));

  // A folder chosen in the tree takes the list's place.
  fake.files.addFile("C:\\Temp\\old.tmp", "t");
  page.ShellTreeView2->userSelect(page.ShellTreeView2->nodeFor("C:\\Temp"));
  page.ShellTreeView2->dblClick();
  EXPECT_EQ(page.right->items(), (Names{"old.tmp"}));
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn3->click();
  EXPECT_FALSE(fake.files.exists("C:\\Temp\\old.tmp"));
}

TEST_F(CookieCleanerPageTest, AFolderWithOnlyIndexDatLosesIt) {
  fake.files.addFile(kDownloads + "index.dat", "i", attr::Hidden);
  start();
  CookieCleanerPage& page = open();
  EXPECT_EQ(page.right->count(), 0);
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn3->click();
  EXPECT_FALSE(fake.files.exists(kDownloads + "index.dat"));
  EXPECT_EQ(CookieCleanerPage::downloadsFolder("D:\\Suite\\", "Ana"), "D:\\Users\\Ana\\Downloads");
}

}  // namespace
}  // namespace tg
