// The pictures of the user guide (docs/guide.md), taken from the real program
// in English with a few rows in its lists. scripts/screenshots.sh runs it and
// turns them into the guide's PNG files; it is not one of the tests.
#include "ControlCentreKit.h"

#include <commctrl.h>

namespace tg::e2e {
namespace {

const std::string kPictures = "guide\\";

// A program as the monitor records it: name, recorded, port mark, file date,
// size, attributes, owner, path and checksum (or modules, for an alert).
Row program(const std::string& name, const std::string& recorded, const std::string& path, const std::string& last) {
  return {name, recorded, "@", "14/10/2026", "2048", "32", "PC\\Claire", path, last};
}

void picture(HWND window, const std::string& name) { screenshot(window, kPictures + name + ".bmp"); }

TEST(GuidePictures, EveryPageTheTrayMenuAndTheBoxes) {
  ProgramDirectory dir;
  // In English: the kit finds the main window by the caption of this file.
  dir.french = splitLines(dir.folder.read("kelm2013_gb.txt"));
  storeFile(dir, StoreId::Language, {{"GB"}});
  const std::string firefox = "C:\\Program Files\\Mozilla Firefox\\firefox.exe";
  const std::string mail = "C:\\Program Files\\Mail\\mailer.exe";
  const std::string update = "C:\\Program Files\\Updater\\updater.exe";
  storeFile(dir, StoreId::Rules, {program("firefox.exe", "02/12/2026 09:14:02", firefox, "1913246720"),
                                   program("mailer.exe", "03/12/2026 18:40:51", mail, "805437184"),
                                   program("updater.exe", "07/12/2026 07:02:13", update, "2231369728")});
  storeFile(dir, StoreId::Alerts, {program("firefox.exe", "02/12/2026 09:14:02", firefox, "firefox.exe xul.dll"),
                                    program("mailer.exe", "03/12/2026 18:40:51", mail, "mailer.exe"),
                                    program("updater.exe", "07/12/2026 07:02:13", update, "updater.exe")});
  storeFile(dir, StoreId::Quarantine, {{"unknown-toolbar.exe"}, {"miner.exe"}});
  storeFile(dir, StoreId::Sites, {{"ads.tracker.example", "192.0.2.44"}});
  Row switches(kConfigurationFieldCount, "0");
  switches[6] = "1";  // site blocking
  storeFile(dir, StoreId::Configuration, {switches});
  // What the network engine sees: programs with their rules, one in quarantine, one reaching a blocked site.
  answerAsNetworkEngine(dir, {"firefox.exe;4120;TCP;192.168.1.20:51544;142.250.74.78;443;ESTABLISHED;51544;;;;",
                              "firefox.exe;4120;TCP;192.168.1.20:51547;151.101.1.69;443;ESTABLISHED;51547;;;;",
                              "mailer.exe;2284;TCP;192.168.1.20:51602;198.51.100.25;993;ESTABLISHED;51602;;;;",
                              "updater.exe;3016;TCP;192.168.1.20:51610;192.0.2.44;80;SYN_SENT;51610;;;;",
                              "miner.exe;5532;TCP;192.168.1.20:51700;203.0.113.9;3333;ESTABLISHED;51700;;;;"});
  ASSERT_TRUE(CreateDirectoryA((testing::artefactDirectory() + kPictures).c_str(), nullptr) ||
              GetLastError() == ERROR_ALREADY_EXISTS);

  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);

  // The icon's menu, on wine's desktop, opened just above the icon (at
  // the desktop's bottom right); the script keeps that corner.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 30, GetSystemMetrics(SM_CYSCREEN) - 40);
  PostMessageA(centre.trayHost(), 1025, 1, 0x204);
  ASSERT_TRUE(waitFor([] { return !windowsOf(0, "#32768").empty(); }, 5000));
  Sleep(300);
  picture(GetDesktopWindow(), "tray-menu");
  PostMessageA(centre.trayHost(), WM_KEYDOWN, VK_ESCAPE, 0);
  Sleep(300);

  ASSERT_TRUE(centre.openWindow());
  HWND window = centre.mainWindow();
  const std::pair<int, const char*> pages[] = {
      {1, "home"},          {2, "rules"},     {3, "alerts"},          {4, "connection-log"}, {129, "connections"}, {5, "quarantine"},
      {6, "options"},       {57, "real-time"}, {58, "surveillance"},  {59, "cookie-cleaner"}, {99, "backup"},
      {60, "duplicate-files"}, {61, "clean-up"}, {62, "site-blocking"}, {85, "virus-scan"},  {90, "rule-integrity"},
      {96, "file-encryption"}, {63, "network-identity"}};
  for (const auto& [entry, name] : pages) {
    centre.choose(entry);
    Sleep(1000);
    picture(window, name);
  }

  // Finding and selecting in the rule list: a filter typed, two rows chosen.
  centre.choose(2);
  HWND filter = pageControl(centre, WC_EDITA, 8, 1);
  ASSERT_NE(filter, nullptr);
  for (char c : std::string("program files")) PostMessageA(filter, WM_CHAR, static_cast<WPARAM>(c), 1);
  RemoteListView rules(pageControl(centre, WC_LISTVIEWA, 8, 24), centre.process.pid());
  ASSERT_TRUE(rules);
  PostMessageA(pageControl(centre, WC_LISTVIEWA, 8, 24), WM_KEYDOWN, VK_HOME, 1);  // a plain click would ask
  ASSERT_TRUE(waitFor([&] { return rules.selected() == 0; }, 10000));
  rules.clickRow(2, MK_CONTROL);
  ASSERT_TRUE(waitFor([&] { return rules.selectedCount() == 2; }, 10000));
  Sleep(500);
  picture(window, "rules-find-select");

  // The quarantine page's other tab: the protocols.
  centre.choose(5);
  HWND tabs = pageControl(centre, WC_TABCONTROLA, 16, 0);
  ASSERT_NE(tabs, nullptr);
  PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
  PostMessageA(tabs, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  ASSERT_TRUE(waitFor([&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 0; }, 5000));
  Sleep(500);
  picture(window, "protocols");

  centre.choose(48);
  HWND about = nullptr;
  ASSERT_TRUE(waitFor([&] {
    const auto boxes = windowsOf(centre.process.pid(), "TgForm");
    for (HWND box : boxes)
      if (box != window && IsWindowVisible(box)) about = box;
    return about != nullptr;
  }, 10000));
  Sleep(500);
  picture(about, "about");
  PostMessageA(about, WM_CLOSE, 0, 0);

  centre.choose(25);
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 10000));
  Sleep(300);
  picture(FindWindowA("#32770", "Tarnivoxguard2013"), "quit-question");
  answerNextBox(IDNO);
}

}  // namespace
}  // namespace tg::e2e
