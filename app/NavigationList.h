#pragma once

#include <array>
#include <string>

#include "stores/LanguageTable.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/Lists.h"

namespace tg {

// The language entries of the navigation list's twenty rows, top to bottom.
constexpr std::array<int, 20> kNavigationEntries = {1, 2, 3, 4, 5, 6, 57, 58, 59, 99, 60, 61, 62, 85, 90, 96, 63, 48, 64, 25};

// Navigation entries with a meaning of their own to the page host.
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

// The row height of the navigation list.
constexpr int kNavigationRowHeight = 18;

// Fills the list with the twenty texts of the current language.
void fillNavigationList(ui::ListBox& list, const LanguageTable& table);

// One row as the navigation list draws it: odd rows light grey-blue, even rows
// white, the text at 30 pixels from the left; a selected row light blue with
// its text in bold italic yellow; the row's picture at 4 pixels, centred; the
// focused row framed by the focus rectangle.
void drawNavigationRow(ui::Canvas& canvas, const ui::ImageList& images, int index, const std::string& text,
                       const ui::Rect& area, ui::ItemState state);

}  // namespace tg
