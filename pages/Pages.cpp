#include "pages/Pages.h"

#include "app/NavigationList.h"
#include "pages/records/AlertListPage.h"
#include "pages/records/IntegrityPage.h"
#include "pages/records/ProtocolQuarantinePage.h"
#include "pages/records/RuleListPage.h"
#include "pages/settings/BackupPage.h"
#include "pages/settings/CipherPage.h"
#include "pages/settings/JournalPage.h"
#include "pages/settings/OptionsPage.h"
#include "pages/settings/RealTimeOptionsPage.h"
#include "pages/settings/ScanPage.h"
#include "pages/tools/CleanUpPage.h"
#include "pages/tools/CookieCleanerPage.h"
#include "pages/tools/DiskScanPage.h"
#include "pages/tools/NetworkIdentityPage.h"
#include "pages/tools/SiteListPage.h"
#include "pages/tools/WatchPage.h"

namespace tg {

void registerPages(PageHost& host) {
  host.registerPage(nav::kRuleList, RuleListPage::build);
  host.registerPage(nav::kAlertList, AlertListPage::build);
  host.registerPage(nav::kProtocolQuarantine, ProtocolQuarantinePage::build);
  host.registerPage(nav::kIntegrity, IntegrityPage::build);
  host.registerPage(nav::kJournal, JournalPage::build);
  host.registerPage(nav::kRealTimeOptions, RealTimeOptionsPage::build);
  host.registerPage(nav::kOptions, OptionsPage::build);
  host.registerPage(nav::kScan, ScanPage::build);
  host.registerPage(nav::kBackup, BackupPage::build);
  host.registerPage(nav::kCipher, CipherPage::build);
  host.registerPage(nav::kWatch, WatchPage::build);
  host.registerPage(nav::kCleanUp, CleanUpPage::build);
  host.registerPage(nav::kSiteList, SiteListPage::build);
  host.registerPage(nav::kNetworkIdentity, NetworkIdentityPage::build);
  host.registerPage(nav::kCookieCleaner, CookieCleanerPage::build);
  host.registerPage(nav::kDiskScan, DiskScanPage::build);
}

}  // namespace tg
