#pragma once

#include <array>
#include <vector>

#include "pages/PageContext.h"

namespace tg {

// The language entries of the navigation list's twenty-one rows, top to bottom.
constexpr std::array<int, 21> kNavigationEntries = {1, 2, 3, 4, 129, 5, 6, 57, 58, 59, 99, 60, 61, 62, 85, 90, 96, 63, 48, 64, 25};

// Navigation entries with a meaning of their own: the four that build no page,
// and the pages.
namespace nav {
constexpr int kHome = 1;
constexpr int kAbout = 48;
constexpr int kQuit = 25;
constexpr int kWebSite = 64;
constexpr int kRuleList = 2;
constexpr int kAlertList = 3;
constexpr int kProtocolQuarantine = 5;
constexpr int kIntegrity = 90;
constexpr int kJournal = 4;
constexpr int kConnections = 129;
constexpr int kRealTimeOptions = 57;
constexpr int kOptions = 6;
constexpr int kScan = 85;
constexpr int kBackup = 99;
constexpr int kCipher = 96;
constexpr int kWatch = 58;
constexpr int kCleanUp = 61;
constexpr int kSiteList = 62;
constexpr int kNetworkIdentity = 63;
constexpr int kCookieCleaner = 59;
constexpr int kDiskScan = 60;
}  // namespace nav

// The builder of every page, by its navigation entry.
struct PageRegistration {
  int entry;
  PageBuilder build;
};
std::vector<PageRegistration> pageBuilders();

}  // namespace tg
