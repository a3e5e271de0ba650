#include <gtest/gtest.h>

#include "pages/tools/NetworkIdentityPage.h"
#include "pages/tools/SiteListPage.h"
#include "stores/DataPacket.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

class SiteListPageTest : public testing::PageTest {
 protected:
  void storeSites(const std::vector<Row>& rows) {
    fake.files.addFile(fake.inProgram("site.xml"), encodeDataPacket(schemaOf(StoreId::Sites).fields, rows, CodePage(1252)));
  }
  std::vector<Row> storedSites() {
    auto packet = decodeDataPacket(fake.files.contents(fake.inProgram("site.xml")).value_or(""), CodePage(1252));
    return packet ? packet->rows : std::vector<Row>{{"unreadable"}};
  }
  // siteguard.exe as it runs: its file held for `runMs`, then `answer` written (none when empty).
  void engineAnswers(std::optional<std::string> answer, int runMs) {
    fake.shell.onExecute = [this, answer, runMs](const ShellRequest& r) -> std::intptr_t {
      if (r.file != fake.inProgram("siteguard.exe")) return kShellSuccess;
      fake.files.setLocked(fake.inProgram("siteguard.exe"), true);
      fake.timers.startOnce(runMs, [this, answer] {
        if (answer) fake.files.addFile(fake.inProgram("siteguard.txt"), *answer);
        fake.files.setLocked(fake.inProgram("siteguard.exe"), false);
      });
      return kShellSuccess;
    };
  }
  SiteListPage& open() { return PageTest::open<SiteListPage>(nav::kSiteList); }
};

TEST_F(SiteListPageTest, AnAddedSiteGetsTheDottedAddressOfTheEnginesLastLineOnceTheEngineHasEnded) {
  fake.files.addFile(fake.inProgram("siteguard.exe"), "MZ");
  start();
  SiteListPage& page = open();
  engineAnswers("Site : exemple.fr\r\nAdresse : 93.184.216.34 \r\n", 2000);
  page.siteName->setText("  exemple.fr ");
  page.BitBtn14->click();
  ASSERT_EQ(fake.shell.requests.size(), 1u);
  EXPECT_EQ(fake.shell.requests[0].parameters, "  exemple.fr ");
  EXPECT_EQ(fake.shell.requests[0].show, kShowHidden);
  // While the engine runs the window goes on, the button waits and the name
  // box holds the name being resolved: what is typed does not go in.
  fake.timers.advance(1000);
  EXPECT_FALSE(page.BitBtn14->enabled());
  EXPECT_TRUE(page.siteName->readOnly());
  page.siteName->type("autre.example");
  EXPECT_EQ(page.siteName->text(), "  exemple.fr ");
  EXPECT_TRUE(state().BlockedSiteNames.empty());
  fake.timers.advance(1100);
  EXPECT_TRUE(page.BitBtn14->enabled());
  EXPECT_EQ(storedSites(), (std::vector<Row>{{"exemple.fr", "93.184.216.34"}}));
  EXPECT_EQ(state().BlockedSiteNames, (Names{"exemple.fr"}));
  EXPECT_EQ(state().BlockedSiteAddresses, (Names{"93.184.216.34"}));
  EXPECT_EQ(page.sites->items(), (Names{"exemple.fr"}));
  EXPECT_EQ(page.addresses->items(), (Names{"93.184.216.34"}));
  EXPECT_EQ(page.siteName->text(), "");
  EXPECT_FALSE(page.siteName->readOnly());

  // The next add's answer, in the same file, is this add's.
  engineAnswers("Adresse : 5.6.7.8\r\n", 300);
  page.siteName->type("second.example");
  page.BitBtn14->click();
  fake.timers.advance(400);
  EXPECT_EQ(storedSites(), (std::vector<Row>{{"exemple.fr", "93.184.216.34"}, {"second.example", "5.6.7.8"}}));
}

TEST_F(SiteListPageTest, NoAnswerStoresNothingAndAnEmptyAnswerIsTold) {
  fake.files.addFile(fake.inProgram("siteguard.exe"), "MZ");
  fake.files.addFile(fake.inProgram("siteguard.txt"), "Adresse : 10.0.0.1\r\n");  // an earlier site's answer
  start();
  SiteListPage& page = open();
  engineAnswers(std::nullopt, 500);
  page.siteName->setText("nulle-part.example");
  page.BitBtn14->click();
  fake.timers.advance(600);
  // The earlier answer is neither taken for this one nor deleted: it is the engine's file.
  EXPECT_EQ(storedSites(), std::vector<Row>{});
  EXPECT_EQ(page.siteName->text(), "nulle-part.example");
  EXPECT_TRUE(page.BitBtn14->enabled());
  EXPECT_EQ(fake.files.contents(fake.inProgram("siteguard.txt")), "Adresse : 10.0.0.1\r\n");

  engineAnswers("", 500);
  fake.shell.requests.clear();
  page.BitBtn14->click();
  fake.timers.advance(600);
  EXPECT_EQ(storedSites(), std::vector<Row>{});
  EXPECT_EQ(page.siteName->text(), "");
  ASSERT_EQ(fake.shell.requests.size(), 2u);
  EXPECT_EQ(fake.shell.requests[1].file, fake.inProgram("notify.exe"));
  EXPECT_EQ(fake.shell.requests[1].parameters, "fr;68");
}

TEST_F(SiteListPageTest, AnEngineThatNeverEndsIsWaitedForOnlyUpToTheBound) {
  fake.files.addFile(fake.inProgram("siteguard.exe"), "MZ");
  start();
  SiteListPage& page = open();
  engineAnswers("Adresse : 10.1.2.3\r\n", SiteListPage::kEngineBoundMs * 10);
  page.siteName->setText("lent.example");
  page.BitBtn14->click();
  fake.timers.advance(SiteListPage::kEngineBoundMs - 1000);
  EXPECT_FALSE(page.BitBtn14->enabled());
  fake.timers.advance(2000);
  EXPECT_TRUE(page.BitBtn14->enabled());
  EXPECT_EQ(storedSites(), std::vector<Row>{});  // no answer yet: nothing stored
}

TEST_F(SiteListPageTest, RemovalKeepsEachRemainingSiteWithItsOwnAddress) {
  storeSites({{"A", "1.1.1.1"}, {"B", "2.2.2.2"}, {"C", "3.3.3.3"}, {"B", "2.2.2.3"}});
  start();
  SiteListPage& page = open();
  EXPECT_EQ(page.sites->items(), (Names{"A", "B", "C", "B"}));
  page.sites->userType("B");
  page.BitBtn16->click();
  EXPECT_EQ(storedSites(), (std::vector<Row>{{"A", "1.1.1.1"}, {"C", "3.3.3.3"}}));
  EXPECT_EQ(state().BlockedSiteNames, (Names{"A", "C"}));
  EXPECT_EQ(state().BlockedSiteAddresses, (Names{"1.1.1.1", "3.3.3.3"}));
  EXPECT_EQ(page.addresses->items(), (Names{"1.1.1.1", "3.3.3.3"}));

  page.sites->userType("a");  // letter case counts
  page.BitBtn16->click();
  EXPECT_EQ(storedSites().size(), 2u);

  page.BitBtn17->click();
  EXPECT_EQ(storedSites(), std::vector<Row>{});  // an empty, readable store
  EXPECT_TRUE(state().BlockedSiteNames.empty());
  EXPECT_TRUE(state().BlockedSiteAddresses.empty());
  EXPECT_EQ(page.sites->count(), 0);
}

TEST_F(SiteListPageTest, TheIdentityIsTheHostNameASpaceAndTheAddress) {
  start();
  auto& page = PageTest::open<NetworkIdentityPage>(nav::kNetworkIdentity);
  page.BitBtn19->click();
  page.BitBtn19->click();
  EXPECT_EQ(page.identity->items(), (Names{"poste-1 192.168.1.20"}));
  EXPECT_EQ(page.identity->text(), "");
}

}  // namespace
}  // namespace tg
