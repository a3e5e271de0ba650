#include "pages/Pages.h"

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
#include "pages/tools/ConnectionsPage.h"
#include "pages/tools/CookieCleanerPage.h"
#include "pages/tools/DiskScanPage.h"
#include "pages/tools/NetworkIdentityPage.h"
#include "pages/tools/SiteListPage.h"
#include "pages/tools/WatchPage.h"

namespace tg {

std::vector<PageRegistration> pageBuilders() {
  return {
      {nav::kRuleList, RuleListPage::build},
      {nav::kAlertList, AlertListPage::build},
      {nav::kProtocolQuarantine, ProtocolQuarantinePage::build},
      {nav::kIntegrity, IntegrityPage::build},
      {nav::kJournal, JournalPage::build},
      {nav::kConnections, ConnectionsPage::build},
      {nav::kRealTimeOptions, RealTimeOptionsPage::build},
      {nav::kOptions, OptionsPage::build},
      {nav::kScan, ScanPage::build},
      {nav::kBackup, BackupPage::build},
      {nav::kCipher, CipherPage::build},
      {nav::kWatch, WatchPage::build},
      {nav::kCleanUp, CleanUpPage::build},
      {nav::kSiteList, SiteListPage::build},
      {nav::kNetworkIdentity, NetworkIdentityPage::build},
      {nav::kCookieCleaner, CookieCleanerPage::build},
      {nav::kDiskScan, DiskScanPage::build},
  };
}

}  // namespace tg
