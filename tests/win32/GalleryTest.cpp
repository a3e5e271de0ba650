// One control of every kind on a real window, each driven through real window
// messages; the model must see what the user did, and the screenshot must show
// each control where its bounds say.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "testing/FakeShell.h"
#include "ui/Button.h"
#include "ui/Containers.h"
#include "ui/FileControls.h"
#include "ui/Form.h"
#include "ui/Indicators.h"
#include "ui/ListView.h"
#include "ui/Lists.h"
#include "ui/Static.h"
#include "ui/TextControls.h"
#include "ui/Toggles.h"
#include "win32/EngineFolder.h"
#include "win32/Screenshot.h"
#include "win32/MessageLoop.h"
#include "win32/Win32FileSystem.h"
#include "win32/peers/FormPeer.h"
#include "win32/peers/Win32PeerFactory.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {
namespace {

using namespace tg::ui;

HWND hwndOf(const Control& c) {
  auto* peer = dynamic_cast<WindowPeer*>(c.peer());
  return peer ? peer->hwnd() : nullptr;
}

class Gallery : public ::testing::Test {
 protected:
  Win32FileSystem files;
  testing::FakeShell shell;
  testing::TempFolder folder;
  Win32PeerFactory factory;
  std::unique_ptr<Form> form;
  std::vector<std::string> events;

  void pump() {
    for (int i = 0; i < 5; ++i) {
      pumpMessages([this](const MSG& msg) { return factory.preTranslate(msg); });
      Sleep(10);
    }
  }
  void clickAt(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    pump();
  }
  void clickCentre(const Control& c) {
    RECT r;
    GetClientRect(hwndOf(c), &r);
    clickAt(hwndOf(c), r.right / 2, r.bottom / 2);
  }
  void key(HWND window, WPARAM vk) {
    PostMessageA(window, WM_KEYDOWN, vk, 1);
    PostMessageA(window, WM_KEYUP, vk, 0xC0000001);
    pump();
  }
  void typeInto(HWND window, const std::string& text) {
    for (char c : text) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
    pump();
  }
  // Where a control's window sits in the form's client area, in model pixels.
  Rect placed(const Control& c) {
    RECT r;
    GetWindowRect(hwndOf(c), &r);
    POINT topLeft{r.left, r.top};
    ScreenToClient(hwndOf(*form), &topLeft);
    const PeerContext& ctx = factory.context();
    return {ctx.unscale(topLeft.x), ctx.unscale(topLeft.y), ctx.unscale(r.right - r.left), ctx.unscale(r.bottom - r.top)};
  }
};

TEST_F(Gallery, EveryControlKindAnswersRealWindowMessages) {
  files.writeBytes(folder / "b.txt", "b");
  files.writeBytes(folder / "A.txt", "a");
  files.createDirectory(folder / "Sub");
  shell.desktop = {{"Test folder", folder.path()}};

  form = std::make_unique<Form>("TGallery", Rect{20, 20, 820, 560}, "Galerie");
  Form& f = *form;
  Shape& banner = f.add<Shape>("Shape1", Rect{0, 0, 804, 40}, kAqua);
  Label& label = f.add<Label>("Label10", Rect{10, 12, 0, 0}, "Label 10");
  Bevel& bevel = f.add<Bevel>("Bevel2", Rect{600, 50, 190, 120});
  Picture& picture = f.add<Picture>("ProgramIcon", Rect{610, 60, 32, 32}, kindGlyph(ButtonKind::Abort));

  Panel& panel = f.add<Panel>("Panel1", Rect{10, 50, 280, 70});
  panel.setBevels(BevelStyle::Lowered, BevelStyle::Raised);
  Button& ok = panel.add<Button>("BitBtn3", Rect{8, 8, 75, 25}, ButtonKind::OK, "Ajouter");
  Button& no = panel.add<Button>("BitBtn1", Rect{90, 8, 75, 25}, ButtonKind::No);
  Button& abort = panel.add<Button>("BitBtn17", Rect{172, 8, 75, 25}, ButtonKind::Abort);
  Button& all = panel.add<Button>("BitBtn2", Rect{8, 38, 75, 25}, ButtonKind::All);
  for (Button* b : {&ok, &no, &abort, &all}) b->onClick = [this, b] { events.push_back("click " + b->name()); };

  GroupBox& group = f.add<GroupBox>("mode", Rect{300, 50, 280, 90}, "Mode");
  CheckBox& check = group.add<CheckBox>("CheckBox1", Rect{10, 20, 120, 17}, "Journal");
  RadioButton& radio1 = group.add<RadioButton>("radiobutton1", Rect{10, 42, 120, 17}, "Premier");
  RadioButton& radio2 = group.add<RadioButton>("radiobutton2", Rect{10, 64, 120, 17}, "Second");
  radio1.setChecked(true);
  check.onClick = [this] { events.push_back("check"); };

  Edit& edit = f.add<Edit>("Edit3", Rect{10, 130, 140, 21});
  edit.onKeyPress = [](char& k) {
    if (k != kBackspace && (k < '0' || k > '9')) k = 0;
  };
  Memo& memo = f.add<Memo>("memo", Rect{160, 130, 130, 60}, Memo::ScrollBars::Both);
  ComboBox& editable = f.add<ComboBox>("sites", Rect{300, 150, 140, 21}, ComboBox::Style::DropDown);
  editable.setItems({"a.example", "b.example"});
  ComboBox& dropList = f.add<ComboBox>("ComboBox1", Rect{450, 150, 140, 21}, ComboBox::Style::DropDownList);
  dropList.setOwnerDrawn(true);
  dropList.setItems({"Fran\xE7" "ais", "English", "Deutsch"});
  int comboDraws = 0;
  dropList.onDrawItem = [&](int index, const Rect& area, ItemState state, Canvas& canvas) {
    ++comboDraws;
    drawPlainRow(canvas, area, dropList.items()[static_cast<std::size_t>(index)], state);
  };
  dropList.onSelect = [this, &dropList] { events.push_back("select " + dropList.text()); };

  ListBox& nav = f.add<ListBox>("ListBox1", Rect{10, 200, 140, 110}, ListBox::Drawing::OwnerVariable);
  nav.setItemHeight(18);
  nav.setItems({"Accueil", "R\xE8gles", "Alertes", "Journal"});
  int navDraws = 0;
  nav.onDrawItem = [&](int index, const Rect& area, ItemState state, Canvas& canvas) {
    ++navDraws;
    canvas.fillRect(area, state.selected ? rgb(0xC5, 0xD1, 0xF8) : (index % 2 ? rgb(0xEE, 0xF3, 0xF4) : kWhite));
    canvas.font().color = state.selected ? kYellow : kBlack;
    canvas.font().bold = canvas.font().italic = state.selected;
    canvas.textOut(area.left + 30, area.top + 2, nav.items()[static_cast<std::size_t>(index)]);
  };
  nav.onClick = [this, &nav] { events.push_back("nav " + std::to_string(nav.itemIndex())); };

  CheckListBox& protocols = f.add<CheckListBox>("CheckListBox1", Rect{160, 200, 200, 60}, 2);
  for (const char* p : {"FTP", "TELNET", "SMTP", "DNS"}) protocols.addItem(p);
  protocols.onClickCheck = [this] { events.push_back("protocol"); };

  ListView& rules = f.add<ListView>("ListView2", Rect{370, 180, 220, 130});
  rules.addColumn("N", 30);
  rules.addColumn("Programme", 100);
  rules.addColumn("Date", 80);
  rules.addRow({"1", {"b.exe", "2"}});
  rules.addRow({"2", {"a.exe", "1"}});
  rules.addRow({"3", {"c.exe", "3"}});
  int sortColumn = 0;
  rules.onColumnClick = [&](int c) {
    sortColumn = c;
    rules.sort();
  };
  rules.onCompare = [&](int a, int b) {
    const std::string first(rules.text(a, static_cast<std::size_t>(sortColumn)));
    return first.compare(rules.text(b, static_cast<std::size_t>(sortColumn)));
  };

  FileListBox& fileList = f.add<FileListBox>("FileListBox1", Rect{10, 320, 140, 80}, files);
  fileList.setDirectory(folder.path());
  DirectoryListBox& dirs = f.add<DirectoryListBox>("DirectoryListBox2", Rect{160, 320, 140, 120}, files, folder.path());
  dirs.onChange = [this, &dirs] { events.push_back("folder " + dirs.directory()); };
  ShellTreeView& tree = f.add<ShellTreeView>("ShellTreeView4", Rect{310, 320, 140, 120}, files, shell);
  tree.onChange = [this] { events.push_back("tree"); };

  TabControl& tabs = f.add<TabControl>("tabs", Rect{460, 320, 200, 120});
  TabSheet& first = tabs.addSheet("protocol", "Protocoles");
  first.add<Label>("onFirst", Rect{8, 8, 0, 0}, "premier onglet");
  TabSheet& second = tabs.addSheet("quarantine", "Quarantaine");
  Button& onSecond = second.add<Button>("BitBtn4", Rect{8, 8, 75, 25}, ButtonKind::Custom, "Vider");
  tabs.onChange = [this, &tabs] { events.push_back("tab " + std::to_string(tabs.activeIndex())); };

  TrackBar& level = f.add<TrackBar>("TrackBar1", Rect{680, 180, 45, 150}, 1, 3, true);
  level.setPosition(2);
  level.onChange = [this, &level] { events.push_back("level " + std::to_string(level.position())); };
  StatusBar& status = f.add<StatusBar>("StatusBar1", Rect{0, 500, 804, 19});
  status.setSimpleText("Surveillance active");

  factory.attach(f);
  f.setVisible(true);
  SetForegroundWindow(hwndOf(f));
  UpdateWindow(hwndOf(f));
  pump();

  // Every control sits where its bounds say (a label takes its text's size).
  for (const Control* c : std::initializer_list<const Control*>{&banner, &bevel, &picture, &panel, &group, &edit, &memo,
                                                               &nav, &protocols, &rules, &fileList, &dirs, &tree,
                                                               &tabs, &level, &status}) {
    const Rect at = placed(*c);
    EXPECT_EQ(at, c->bounds()) << c->name();
  }
  EXPECT_EQ(placed(label).left, 10);
  EXPECT_GT(placed(label).width, 20);

  // Buttons, a check box and radio buttons.
  clickCentre(ok);
  clickCentre(no);
  clickCentre(abort);
  clickCentre(all);
  clickCentre(check);
  EXPECT_TRUE(check.checked());
  EXPECT_EQ(SendMessageA(hwndOf(check), BM_GETCHECK, 0, 0), BST_CHECKED);
  clickCentre(radio2);
  EXPECT_TRUE(radio2.checked());
  EXPECT_FALSE(radio1.checked());
  EXPECT_EQ(SendMessageA(hwndOf(radio1), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Typing: the key filter keeps the digits only.
  SetFocus(hwndOf(edit));
  typeInto(hwndOf(edit), "a1b2");
  EXPECT_EQ(edit.text(), "12");
  typeInto(hwndOf(memo), "ligne");
  EXPECT_EQ(memo.lines(), (std::vector<std::string>{"ligne"}));

  // Enter and Escape, from a focused edit, reach the default and cancel buttons.
  SetFocus(hwndOf(edit));
  key(hwndOf(edit), VK_RETURN);
  key(hwndOf(edit), VK_ESCAPE);
  // In the memo, Enter stays in the text.
  SetFocus(hwndOf(memo));
  key(hwndOf(memo), VK_RETURN);

  // Lists.
  RECT row;
  SendMessageA(hwndOf(nav), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  clickAt(hwndOf(nav), row.left + 40, (row.top + row.bottom) / 2);
  EXPECT_EQ(nav.itemIndex(), 2);
  EXPECT_GT(navDraws, 0);
  // A check list's tooltip text follows the model's hint.
  protocols.setShowHint(true);
  protocols.setHint("FTP");
  protocols.setHint("C:\\un\\chemin\\long\\du\\fichier.txt");
  HWND tips = factory.context().tooltips(hwndOf(f));
  EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  char tip[128] = {};
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(hwndOf(protocols));
  tool.uId = reinterpret_cast<UINT_PTR>(hwndOf(protocols));
  tool.lpszText = tip;
  SendMessageA(tips, TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(tip, "C:\\un\\chemin\\long\\du\\fichier.txt");

  SendMessageA(hwndOf(protocols), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  clickAt(hwndOf(protocols), row.left + 5, (row.top + row.bottom) / 2);
  EXPECT_TRUE(protocols.checked(1));
  EXPECT_FALSE(protocols.checked(0));

  SetFocus(hwndOf(dropList));
  key(hwndOf(dropList), VK_DOWN);
  EXPECT_EQ(dropList.itemIndex(), 0);
  EXPECT_GT(comboDraws, 0);
  SetWindowTextA(hwndOf(editable), "");
  SetFocus(hwndOf(editable));
  HWND editField = FindWindowExA(hwndOf(editable), nullptr, "EDIT", nullptr);
  ASSERT_NE(editField, nullptr);
  typeInto(editField, "c.example");
  EXPECT_EQ(editable.text(), "c.example");

  // The list view: a header click sorts, a row click selects.
  HWND header = reinterpret_cast<HWND>(SendMessageA(hwndOf(rules), LVM_GETHEADER, 0, 0));
  RECT column;
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&column));
  clickAt(header, (column.left + column.right) / 2, (column.top + column.bottom) / 2);
  EXPECT_EQ(sortColumn, 1);
  EXPECT_EQ(rules.rows()[0].text(1), "a.exe");
  char text[64] = {};
  LVITEMA item{};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(hwndOf(rules), LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "a.exe");
  RECT line{LVIR_BOUNDS, 0, 0, 0};
  SendMessageA(hwndOf(rules), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&line));
  clickAt(hwndOf(rules), line.left + 10, (line.top + line.bottom) / 2);
  EXPECT_EQ(rules.selected(), 2);

  // Files and folders.
  EXPECT_EQ(fileList.items(), (std::vector<std::string>{"A.txt", "b.txt"}));
  EXPECT_EQ(SendMessageA(hwndOf(fileList), LB_GETCOUNT, 0, 0), 2);
  const int subEntry = static_cast<int>(dirs.entries().size()) - 1;
  SendMessageA(hwndOf(dirs), LB_SETCURSEL, static_cast<WPARAM>(subEntry), 0);
  SendMessageA(hwndOf(dirs), LB_GETITEMRECT, static_cast<WPARAM>(subEntry), reinterpret_cast<LPARAM>(&row));
  SendMessageA(hwndOf(dirs), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2));
  SendMessageA(hwndOf(dirs), WM_LBUTTONUP, 0, MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2));
  pump();
  EXPECT_EQ(dirs.directory(), folder / "Sub");

  HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(hwndOf(tree), TVM_GETNEXTITEM, TVGN_ROOT, 0));
  HTREEITEM testFolder = reinterpret_cast<HTREEITEM>(SendMessageA(hwndOf(tree), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
  ASSERT_NE(testFolder, nullptr);
  SendMessageA(hwndOf(tree), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(testFolder));
  SendMessageA(hwndOf(tree), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(testFolder));
  pump();
  EXPECT_EQ(tree.selectedPath(), folder.path());
  ASSERT_EQ(tree.root().children[0]->children.size(), 1u);  // "Sub", loaded when opened

  // Tabs and the track bar.
  RECT tab;
  SendMessageA(hwndOf(tabs), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  clickAt(hwndOf(tabs), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(tabs.activeIndex(), 1);
  EXPECT_TRUE(IsWindowVisible(hwndOf(onSecond)));
  EXPECT_FALSE(IsWindowVisible(hwndOf(first)));
  SetFocus(hwndOf(level));
  key(hwndOf(level), VK_DOWN);
  EXPECT_EQ(level.position(), 3);

  EXPECT_EQ(events, (std::vector<std::string>{
                        "click BitBtn3", "click BitBtn1", "click BitBtn17", "click BitBtn2", "check",
                        "click BitBtn3", "click BitBtn1", "nav 2", "protocol", "select Fran\xE7" "ais",
                        "folder " + folder / "Sub", "tree", "tab 1", "level 3"}));

  // What the screen shows.
  tabs.selectTab(0);
  nav.setItemIndex(1);
  InvalidateRect(hwndOf(f), nullptr, TRUE);
  RedrawWindow(hwndOf(f), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  pump();
  Sleep(200);
  pump();
  const testing::Screenshot shot(hwndOf(f));
  shot.saveBmp(testing::artefactDirectory() + "gallery.bmp");
  const PeerContext& ctx = factory.context();
  EXPECT_EQ(shot.pixel(ctx.scale(400), ctx.scale(30)), RGB(0x00, 0xFF, 0xFF));  // the banner
  SendMessageA(hwndOf(nav), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  POINT inRow{row.left + 5, row.top + 3};
  MapWindowPoints(hwndOf(nav), hwndOf(f), &inRow, 1);
  EXPECT_EQ(shot.pixel(inRow.x, inRow.y), RGB(0xC5, 0xD1, 0xF8));  // the selected, owner-drawn row
  SendMessageA(hwndOf(nav), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&row));
  inRow = {row.left + 5, row.top + 3};
  MapWindowPoints(hwndOf(nav), hwndOf(f), &inRow, 1);
  EXPECT_EQ(shot.pixel(inRow.x, inRow.y), RGB(0xEE, 0xF3, 0xF4));  // an odd row
}

}  // namespace
}  // namespace tg::win32
