// The record pages of the real control centre under wine: shown at their
// places, and a rule removal, a quarantine and a quarantine edit given through
// the window messages a user's mouse and keys give.
#include "ControlCentreKit.h"

#include <commctrl.h>

#include "stores/StoreSchema.h"

namespace tg::e2e {
namespace {

Row rule(const std::string& name, const std::string& when, const std::string& path) {
  return {name, when, "@", "07/11/2025", "12", "32", "PC/Elodie", path, "0", "", ""};
}

class RecordPagesUnderWine : public ::testing::Test {
 protected:
  ProgramDirectory dir;
  std::unique_ptr<ControlCentre> centre;

  void start() {
    centre = std::make_unique<ControlCentre>(dir);
    ASSERT_TRUE(centre->ready);
    ASSERT_TRUE(centre->openWindow());
  }
  // Chooses a record list's item; its list once shown (not the list of the
  // page before, which goes when the new page is built), or null.
  HWND openList(int entry) {
    if (!centre->choose(entry)) return nullptr;
    HWND list = nullptr;
    waitFor([&] {
      list = pageChild(*centre, WC_LISTVIEWA, 8, 24);  // the record lists
      return list && list != shownList_ && IsWindowVisible(list);
    }, 10000);
    shownList_ = list;
    return list;
  }
  // Chooses the protocol and quarantine page; its tab control once shown, or null.
  HWND openQuarantinePage() {
    if (!centre->choose(5)) return nullptr;
    HWND tabs = nullptr;
    waitFor([&] {
      tabs = pageChild(*centre, WC_TABCONTROLA, 16, 0);
      return tabs && IsWindowVisible(tabs);
    }, 10000);
    return tabs;
  }
  // The only control of a class on the page's tabs, outside the name box.
  static HWND onTabs(HWND tabs, const char* windowClass) {
    struct Search {
      const char* cls;
      std::vector<HWND> found;
    } search{windowClass, {}};
    EnumChildWindows(
        tabs,
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          char name[64] = {}, parent[64] = {};
          GetClassNameA(w, name, sizeof name);
          GetClassNameA(GetParent(w), parent, sizeof parent);
          if (_stricmp(name, s->cls) == 0 && _stricmp(parent, WC_COMBOBOXA) != 0) s->found.push_back(w);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found.size() == 1 ? search.found.front() : nullptr;
  }

 private:
  HWND shownList_ = nullptr;

 protected:
  std::string programPath() const { return dir.exe(); }
};

TEST_F(RecordPagesUnderWine, TheFourPagesShowAtTheirPlaces) {
  const std::string exe = programPath();
  storeFile(dir, StoreId::Rules, {rule("tarnivoxguard2013.exe", "08/12/2026 10:15:00", exe),
                                  rule("gone.exe", "08/12/2026 10:16:00", dir.folder / "gone.exe"),
                                  rule("system", "08/12/2026 10:17:00", "")});
  storeFile(dir, StoreId::Alerts, {rule("firefox.exe", "08/12/2026 10:18:00", "C:\\Program Files\\Mozilla Firefox\\firefox.exe")});
  storeFile(dir, StoreId::Quarantine, {{"bad.exe"}, {"worse.exe"}});
  start();
  HWND window = centre->mainWindow();

  HWND rules = openList(2);
  ASSERT_NE(rules, nullptr);
  RemoteListView ruleList(rules, centre->process.pid());
  ASSERT_TRUE(ruleList);
  EXPECT_EQ(ruleList.columns(), 9);
  EXPECT_EQ(ruleList.rows(), 3);
  EXPECT_EQ(ruleList.text(0, 0), "1");
  EXPECT_EQ(ruleList.text(1, 1), "gone.exe");
  EXPECT_EQ(ruleList.text(2, 8), "");
  RECT r;
  GetClientRect(rules, &r);
  EXPECT_GE(r.right, 580);  // 585 wide less its edge
  screenshot(window, "page-rules.bmp");

  HWND alerts = openList(3);
  ASSERT_NE(alerts, nullptr);
  EXPECT_FALSE(IsWindow(rules));  // the rule list went with its page
  RemoteListView alertList(alerts, centre->process.pid());
  EXPECT_EQ(alertList.rows(), 1);
  EXPECT_EQ(alertList.text(0, 1), "firefox.exe");
  screenshot(window, "page-alerts.bmp");

  HWND integrity = openList(90);
  ASSERT_NE(integrity, nullptr);
  RemoteListView integrityList(integrity, centre->process.pid());
  EXPECT_EQ(integrityList.columns(), 11);
  ASSERT_EQ(integrityList.rows(), 3);
  EXPECT_NE(integrityList.text(0, 10), dir.entry(42));  // the control centre's own file can be read
  EXPECT_EQ(integrityList.text(1, 4), dir.entry(42));   // a file that is not there
  EXPECT_EQ(integrityList.text(1, 10), dir.entry(42));
  EXPECT_EQ(integrityList.text(2, 5), dir.entry(42));   // no path
  screenshot(window, "page-integrity.bmp");

  HWND tabs = openQuarantinePage();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);  // opens on the quarantine tab
  HWND names = onTabs(tabs, WC_COMBOBOXA);
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(SendMessageA(names, CB_GETCOUNT, 0, 0), 2);
  screenshot(window, "page-quarantine.bmp");
  // The protocol tab, as a click on its tab shows it.
  PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
  PostMessageA(tabs, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  ASSERT_TRUE(waitFor([&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == 0; }, 5000));
  HWND protocols = onTabs(tabs, WC_LISTBOXA);
  ASSERT_NE(protocols, nullptr);
  EXPECT_TRUE(waitFor([&] { return IsWindowVisible(protocols) != 0; }, 5000));
  EXPECT_FALSE(IsWindowVisible(names));
  EXPECT_EQ(SendMessageA(protocols, LB_GETCOUNT, 0, 0), 7);
  screenshot(window, "page-protocols.bmp");
}

TEST_F(RecordPagesUnderWine, ARuleRemovalAndAQuarantineGoThroughTheRealListsAndBoxes) {
  storeFile(dir, StoreId::Rules, {rule("a.exe", "08/12/2026 10:15:00", "C:\\a.exe"),
                                  rule("b.exe", "08/12/2026 10:16:00", "C:\\b.exe"),
                                  rule("a.exe", "08/12/2026 10:17:00", "C:\\a.exe"),
                                  rule("", "08/12/2026 10:18:00", ""),
                                  rule("c.exe", "08/12/2026 10:19:00", "C:\\c.exe")});
  storeFile(dir, StoreId::Alerts, {rule("c.exe", "08/12/2026 10:19:00", "C:\\c.exe")});
  storeFile(dir, StoreId::Quarantine, {{"bad.exe"}});
  start();

  HWND rules = openList(2);
  ASSERT_NE(rules, nullptr);
  RemoteListView ruleList(rules, centre->process.pid());
  ruleList.clickRow(2);
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 10000));
  EXPECT_EQ(boxText(FindWindowA("#32770", "Tarnivoxguard2013")), dir.entry(22) + "a.exe");
  screenshot(FindWindowA("#32770", "Tarnivoxguard2013"), "rule-removal-question.bmp");
  answerNextBox(IDYES);
  ASSERT_TRUE(waitFor([&] { return ruleList.rows() == 4; }, 10000));
  EXPECT_EQ(namesIn(dir, StoreId::Rules), (std::vector<std::string>{"b.exe", "c.exe"}));
  EXPECT_EQ(ruleList.text(2, 0), "4");  // the other rows keep their numbers
  EXPECT_EQ(ruleList.text(0, 1), "a.exe");
  screenshot(centre->mainWindow(), "page-rules-after-removal.bmp");

  HWND alerts = openList(3);
  ASSERT_NE(alerts, nullptr);
  RemoteListView alertList(alerts, centre->process.pid());
  alertList.clickRow(0);
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 10000));
  EXPECT_EQ(boxText(FindWindowA("#32770", "Tarnivoxguard2013")), dir.entry(20) + "c.exe");
  answerNextBox(IDYES);
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") == nullptr; }, 10000));
  ASSERT_TRUE(centre->caughtUp());  // the click's saves are done
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"bad.exe", "c.exe"}));
  EXPECT_EQ(namesIn(dir, StoreId::Rules), (std::vector<std::string>{"b.exe"}));
  EXPECT_EQ(alertList.rows(), 1);  // the alert stays
  EXPECT_EQ(storeRows(dir.folder, "alertes.xml").size(), 1u);
}

// The text the clipboard holds; empty when it holds none.
std::string clipboardText() {
  if (!OpenClipboard(nullptr)) return "(clipboard held)";
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT))
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  CloseClipboard();
  return text;
}

// A letter pressed on a window with Ctrl held: the key's messages go to the
// window, and Ctrl is down in the key state its thread reads, which the test
// shares with it for that while.
bool pressWithCtrl(HWND window, char letter) {
  const DWORD theirs = GetWindowThreadProcessId(window, nullptr);
  const DWORD ours = GetCurrentThreadId();
  if (!AttachThreadInput(ours, theirs, TRUE)) return false;
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
  SetKeyboardState(keys);
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(window, WM_KEYDOWN, static_cast<WPARAM>(letter), 1, SMTO_NORMAL, 10000, &answer);
  SendMessageTimeoutA(window, WM_KEYUP, static_cast<WPARAM>(letter), 0xC0000001, SMTO_NORMAL, 10000, &answer);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
  SetKeyboardState(keys);
  AttachThreadInput(ours, theirs, FALSE);
  return true;
}

TEST_F(RecordPagesUnderWine, AFilterAShiftSelectionDeletedAndCtrlCWorkThroughTheRealList) {
  storeFile(dir, StoreId::Rules, {rule("alpha.exe", "08/12/2026 10:15:00", "C:\\Apps\\alpha.exe"),
                                  rule("beta.exe", "08/12/2026 10:16:00", "C:\\Apps\\beta.exe"),
                                  rule("alphabet.exe", "08/12/2026 10:17:00", "C:\\Apps\\alphabet.exe"),
                                  rule("gamma.exe", "08/12/2026 10:18:00", "C:\\Apps\\gamma.exe"),
                                  rule("alpine.exe", "08/12/2026 10:19:00", "D:\\Alpine\\alpine.exe")});
  storeFile(dir, StoreId::Alerts, {rule("beta.exe", "08/12/2026 10:16:00", "C:\\Apps\\beta.exe"),
                                   rule("gamma.exe", "08/12/2026 10:18:00", "C:\\Apps\\gamma.exe")});
  start();
  HWND rules = openList(2);
  ASSERT_NE(rules, nullptr);
  RemoteListView ruleList(rules, centre->process.pid());
  HWND filter = pageControl(*centre, WC_EDITA, 8, 1);
  ASSERT_NE(filter, nullptr);
  screenshot(centre->mainWindow(), "page-rules-filter-empty.bmp");  // the grey hint, whole

  for (char c : std::string("ALP")) PostMessageA(filter, WM_CHAR, static_cast<WPARAM>(c), 1);
  ASSERT_TRUE(waitFor([&] { return ruleList.rows() == 3; }, 10000)) << ruleList.rows();
  EXPECT_EQ(ruleList.text(1, 0), "3");  // the rows keep their own numbers
  EXPECT_EQ(ruleList.text(2, 1), "alpine.exe");
  screenshot(centre->mainWindow(), "page-rules-filtered.bmp");

  // The first row from the keyboard (a plain click would ask at once), then
  // the third with Shift: three rows, and no question.
  PostMessageA(rules, WM_KEYDOWN, VK_HOME, 1);
  ASSERT_TRUE(waitFor([&] { return ruleList.selected() == 0; }, 10000));
  ruleList.clickRow(2, MK_SHIFT);
  ASSERT_TRUE(waitFor([&] { return ruleList.selectedCount() == 3; }, 10000)) << ruleList.selectedCount();
  ASSERT_TRUE(centre->caughtUp());
  EXPECT_FALSE(centre->asking());
  PostMessageA(rules, WM_KEYDOWN, VK_DELETE, 1);
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 10000));
  EXPECT_EQ(boxText(FindWindowA("#32770", "Tarnivoxguard2013")),
            dir.entry(22) + "3" + dir.entry(106) + "alpha.exe, alphabet.exe, alpine.exe");
  answerNextBox(IDYES);
  ASSERT_TRUE(waitFor([&] { return ruleList.rows() == 0; }, 10000));
  ASSERT_TRUE(waitFor([&] { return !centre->asking(); }, 10000));
  ASSERT_TRUE(centre->caughtUp());  // the removal's save is done
  EXPECT_EQ(namesIn(dir, StoreId::Rules), (std::vector<std::string>{"beta.exe", "gamma.exe"}));

  // Escape empties the filter; the last row chosen and Ctrl+C copy it with the header.
  PostMessageA(filter, WM_KEYDOWN, VK_ESCAPE, 1);  // the key, which the box takes from the cancel button
  ASSERT_TRUE(waitFor([&] { return ruleList.rows() == 2; }, 10000));
  PostMessageA(rules, WM_KEYDOWN, VK_END, 1);  // from the keyboard: a click would ask
  ASSERT_TRUE(waitFor([&] { return ruleList.selected() == 1; }, 10000));
  ASSERT_TRUE(centre->caughtUp());
  ASSERT_TRUE(pressWithCtrl(rules, 'C'));
  std::string copied;
  EXPECT_TRUE(waitFor([&] { return (copied = clipboardText()).find("gamma.exe") != std::string::npos; }, 10000))
      << copied;
  EXPECT_EQ(copied.substr(0, copied.find("\r\n")), dir.entry(9) + "\t" + dir.entry(10) + "\t" + dir.entry(11) + "\t" +
                                                         dir.entry(31) + "\t" + dir.entry(33) + "\t" + dir.entry(43) +
                                                         "\t" + dir.entry(44) + "\t" + dir.entry(45) + "\t" + dir.entry(30));
  EXPECT_NE(copied.find("4\tgamma.exe\t08/12/2026 10:18:00\t@"), std::string::npos) << copied;
  EXPECT_EQ(copied.find("beta.exe"), std::string::npos) << copied;

  // The alert list and the rule integrity list filter the same way.
  for (const auto& [entry, picture] : {std::pair{3, "page-alerts-filtered.bmp"}, {90, "page-integrity-filtered.bmp"}}) {
    RemoteListView list(openList(entry), centre->process.pid());
    ASSERT_TRUE(list) << entry;
    HWND box = pageControl(*centre, WC_EDITA, 8, 1);
    ASSERT_NE(box, nullptr) << entry;
    ASSERT_TRUE(waitFor([&] { return list.rows() == 2; }, 10000)) << entry << ": " << list.rows();
    for (char c : std::string("gam")) PostMessageA(box, WM_CHAR, static_cast<WPARAM>(c), 1);
    ASSERT_TRUE(waitFor([&] { return list.rows() == 1; }, 10000)) << entry << ": " << list.rows();
    EXPECT_EQ(list.text(0, 1), "gamma.exe") << entry;
    screenshot(centre->mainWindow(), picture);
  }
  EXPECT_FALSE(centre->asking());

  // The shortcut menu of the rule integrity list: its second item selects every row.
  RemoteListView integrity(pageControl(*centre, WC_LISTVIEWA, 8, 24), centre->process.pid());
  PostMessageA(pageControl(*centre, WC_EDITA, 8, 1), WM_CHAR, 0x1B, 1);
  ASSERT_TRUE(waitFor([&] { return integrity.rows() == 2; }, 10000));
  integrity.rightClickRow(0);
  auto menuShown = [&] {
    for (HWND w : windowsOf(centre->process.pid(), "#32768"))
      if (IsWindowVisible(w)) return true;
    return false;
  };
  ASSERT_TRUE(waitFor(menuShown, 10000));
  screenshot(GetDesktopWindow(), "record-list-menu.bmp");
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(centre->mainWindow(), WM_KEYDOWN, key, 0);
  ASSERT_TRUE(waitFor([&] { return !menuShown(); }, 10000));
  EXPECT_TRUE(waitFor([&] { return integrity.selectedCount() == 2; }, 10000)) << integrity.selectedCount();
  // Ctrl+A does the same from the keyboard.
  HWND integrityList = pageControl(*centre, WC_LISTVIEWA, 8, 24);
  PostMessageA(integrityList, WM_KEYDOWN, VK_END, 1);  // the last row alone
  ASSERT_TRUE(waitFor([&] { return integrity.selectedCount() == 1; }, 10000)) << integrity.selectedCount();
  ASSERT_TRUE(centre->caughtUp());
  ASSERT_TRUE(pressWithCtrl(integrityList, 'A'));
  EXPECT_TRUE(waitFor([&] { return integrity.selectedCount() == 2; }, 10000)) << integrity.selectedCount();
}

TEST_F(RecordPagesUnderWine, EnterAddsTheTypedNameAndEscapeRemovesTheChosenOne) {
  storeFile(dir, StoreId::Quarantine, {{"bad.exe"}});
  start();
  HWND window = centre->mainWindow();
  HWND tabs = openQuarantinePage();
  ASSERT_NE(tabs, nullptr);
  HWND entry = onTabs(tabs, WC_EDITA);
  ASSERT_NE(entry, nullptr);
  for (char c : std::string("new.exe")) PostMessageA(entry, WM_CHAR, static_cast<WPARAM>(c), 1);
  PostMessageA(entry, WM_KEYDOWN, VK_RETURN, 1);
  // The name is listed once it is stored.
  HWND names = onTabs(tabs, WC_COMBOBOXA);
  ASSERT_NE(names, nullptr);
  ASSERT_TRUE(waitFor([&] { return SendMessageA(names, CB_GETCOUNT, 0, 0) == 2; }, 10000));
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"bad.exe", "new.exe"}));
  char typed[64] = {};
  GetWindowTextA(entry, typed, sizeof typed);
  EXPECT_STREQ(typed, "");

  HWND nameText = FindWindowExA(names, nullptr, WC_EDITA, nullptr);  // the box's own edit field
  ASSERT_NE(nameText, nullptr);
  for (char c : std::string("bad.exe")) PostMessageA(nameText, WM_CHAR, static_cast<WPARAM>(c), 1);
  PostMessageA(nameText, WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(waitFor([&] { return SendMessageA(names, CB_GETCOUNT, 0, 0) == 1; }, 10000));
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"new.exe"}));
  screenshot(window, "page-quarantine-after-edits.bmp");

  // Ctrl+C with no text chosen in the box copies every name under the tab's caption.
  SetWindowTextA(nameText, "");
  ASSERT_TRUE(pressWithCtrl(nameText, 'C'));
  std::string copied;
  EXPECT_TRUE(waitFor([&] { return (copied = clipboardText()) == dir.entry(5) + "\r\nnew.exe\r\n"; }, 10000)) << copied;
}

TEST_F(RecordPagesUnderWine, AStoreThatCannotBeReadIsReportedWithItsTextAndTheFileAndTheWindowGoOn) {
  storeFile(dir, StoreId::Quarantine, {{"bad.exe"}});
  const std::string before = dir.folder.read("quarantaines.xml");
  start();
  HWND tabs = openQuarantinePage();
  ASSERT_NE(tabs, nullptr);
  HWND entry = onTabs(tabs, WC_EDITA);
  ASSERT_NE(entry, nullptr);
  // Another program holds the file open without sharing it.
  ASSERT_TRUE(dir.folder.install("probe.exe", "holder.exe"));
  dir.folder.write("holder.resident", "");
  dir.folder.write("holder.hold", "quarantaines.xml\r\n");
  StartedProgram holder = dir.folder.start("holder.exe");
  ASSERT_TRUE(dir.folder.waitForText("probe.log", "holder.exe|", 10000));
  for (char c : std::string("new.exe")) PostMessageA(entry, WM_CHAR, static_cast<WPARAM>(c), 1);
  PostMessageA(entry, WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 10000));
  HWND box = FindWindowA("#32770", "Tarnivoxguard2013");
  const std::string text = boxText(box);
  EXPECT_NE(text.find("quarantaines.xml cannot be read: it is in use by another program"), std::string::npos) << text;
  screenshot(box, "quarantine-store-held.bmp");
  answerNextBox(IDOK);
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") == nullptr; }, 5000));
  holder = StartedProgram{};  // ended: the file is free
  EXPECT_EQ(dir.folder.read("quarantaines.xml"), before);
  EXPECT_FALSE(dir.folder.exists("quarantaines.xml.saving"));

  // The window goes on: the same name added again now that the file is free.
  HWND names = onTabs(tabs, WC_COMBOBOXA);
  ASSERT_NE(names, nullptr);
  ASSERT_EQ(SendMessageA(names, CB_GETCOUNT, 0, 0), 1);
  PostMessageA(entry, WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_TRUE(waitFor([&] { return SendMessageA(names, CB_GETCOUNT, 0, 0) == 2; }, 10000));
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"bad.exe", "new.exe"}));
}

}  // namespace
}  // namespace tg::e2e
