#include <gtest/gtest.h>

#include "testing/FakePlatform.h"
#include "testing/RecordingCanvas.h"
#include "ui/Button.h"
#include "ui/Containers.h"
#include "ui/FileControls.h"
#include "ui/Form.h"
#include "ui/Indicators.h"
#include "ui/ListView.h"
#include "ui/Lists.h"
#include "ui/Static.h"
#include "ui/TextControls.h"
#include "ui/Timer.h"
#include "ui/Toggles.h"

namespace tg::ui {
namespace {

using testing::RecordingCanvas;

// Peers that write down what they were told, and when they died.
struct PeerLog {
  std::vector<std::string> events;
};

class LoggingPeer : public ControlPeer {
 public:
  LoggingPeer(PeerLog& log, std::string name) : log_(log), name_(std::move(name)) { log_.events.push_back("new " + name_); }
  ~LoggingPeer() override { log_.events.push_back("gone " + name_); }
  void update(Change change, std::size_t index) override {
    log_.events.push_back(name_ + " " + std::to_string(static_cast<int>(change)) + ":" + std::to_string(index));
  }

 private:
  PeerLog& log_;
  std::string name_;
};

class LoggingFactory : public PeerFactory {
 public:
  explicit LoggingFactory(PeerLog& log) : log_(log) {}
  std::unique_ptr<ControlPeer> createPeer(Control& control) override {
    return std::make_unique<LoggingPeer>(log_, control.name());
  }

 private:
  PeerLog& log_;
};

// A window the user can act on.
struct ShownForm : Form {
  ShownForm() : Form("TForm2", {0, 0, 800, 500}, "") { setVisible(true); }
};

bool logged(const PeerLog& log, const std::string& event) {
  return std::find(log.events.begin(), log.events.end(), event) != log.events.end();
}

TEST(WidgetModel, ControlsGetPeersUnderANativeRootAndLoseThemChildrenFirst) {
  PeerLog log;
  LoggingFactory factory(log);
  {
    Form form("TForm2", {0, 0, 800, 500}, "caption");
    Panel& early = form.add<Panel>("Early", Rect{0, 0, 10, 10});
    early.add<Label>("EarlyLabel", Rect{0, 0, 5, 5});
    EXPECT_TRUE(log.events.empty());  // headless so far

    form.setPeerFactory(&factory);
    form.setPeer(factory.createPeer(form));
    form.attachChildPeers();
    EXPECT_TRUE(logged(log, "new Early"));
    EXPECT_TRUE(logged(log, "new EarlyLabel"));

    GroupBox& group = form.add<GroupBox>("Group", Rect{0, 0, 100, 100}, "g");
    CheckBox& box = group.add<CheckBox>("Box", Rect{1, 1, 50, 17}, "c");
    EXPECT_TRUE(logged(log, "new Box"));
    box.setChecked(true);
    EXPECT_TRUE(logged(log, "Box " + std::to_string(static_cast<int>(Change::Check)) + ":0"));
    log.events.clear();
    form.destroy(group);
    EXPECT_EQ(log.events, (std::vector<std::string>{"gone Box", "gone Group"}));
    log.events.clear();
  }
  // The window goes last of all.
  ASSERT_FALSE(log.events.empty());
  EXPECT_EQ(log.events.back(), "gone TForm2");
  EXPECT_EQ(log.events[log.events.size() - 2], "gone Early");
}

TEST(WidgetModel, CodeSetsStateWithoutEventsAndUserActionsFireThem) {
  ShownForm form;
  CheckBox& box = form.add<CheckBox>("CheckBox3", Rect{}, "x");
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setChecked(true);
  EXPECT_EQ(clicks, 0);
  box.click();
  EXPECT_FALSE(box.checked());
  EXPECT_EQ(clicks, 1);

  TrackBar& bar = form.add<TrackBar>("TrackBar1", Rect{}, 1, 3, true);
  int moves = 0;
  bar.onChange = [&] { ++moves; };
  bar.setPosition(2);
  bar.moveTo(9);  // clamped to the range
  EXPECT_EQ(bar.position(), 3);
  bar.moveTo(3);  // no change, no event
  EXPECT_EQ(moves, 1);
}

TEST(WidgetModel, HiddenOrDisabledControlsIgnoreTheUser) {
  ShownForm form;
  Panel& panel = form.add<Panel>("PagePanel", Rect{});
  Button& button = panel.add<Button>("BitBtn7", Rect{}, ButtonKind::OK);
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  panel.setVisible(false);
  button.click();
  panel.setVisible(true);
  panel.setEnabled(false);
  button.click();
  EXPECT_EQ(clicks, 0);
  panel.setEnabled(true);
  button.click();
  EXPECT_EQ(clicks, 1);
}

TEST(WidgetModel, ButtonKindsBringTheirCaptionsGlyphsAndRoles) {
  ShownForm form;
  Button& ok = form.add<Button>("a", Rect{}, ButtonKind::OK);
  Button& no = form.add<Button>("b", Rect{}, ButtonKind::No);
  Button& abort = form.add<Button>("c", Rect{}, ButtonKind::Abort, "Stop");
  Button& all = form.add<Button>("d", Rect{}, ButtonKind::All);
  EXPECT_EQ(ok.shownCaption(), "OK");
  EXPECT_EQ(no.shownCaption(), "&No");
  EXPECT_EQ(abort.shownCaption(), "Stop");
  EXPECT_EQ(all.shownCaption(), "&All");
  EXPECT_TRUE(ok.isDefault() && !ok.isCancel());
  EXPECT_TRUE(no.isCancel() && !no.isDefault());
  EXPECT_FALSE(abort.isDefault() || abort.isCancel());
  for (ButtonKind k : {ButtonKind::OK, ButtonKind::No, ButtonKind::Abort, ButtonKind::All}) {
    const Image glyph = kindGlyph(k);
    EXPECT_EQ(glyph.width, 16);
    EXPECT_EQ(glyph.height, 16);
  }
  EXPECT_NE(kindGlyph(ButtonKind::OK).pixels, kindGlyph(ButtonKind::No).pixels);
}

TEST(WidgetModel, EnterAndEscapeReachTheShownDefaultAndCancelButtons) {
  ShownForm form;
  Button& hiddenOk = form.add<Button>("hidden", Rect{}, ButtonKind::OK);
  hiddenOk.setVisible(false);
  Panel& page = form.add<Panel>("PagePanel", Rect{});
  Edit& name = page.add<Edit>("name", Rect{});
  Memo& memo = page.add<Memo>("memo", Rect{});
  Button& add = page.add<Button>("BitBtn3", Rect{}, ButtonKind::OK);
  Button& remove = page.add<Button>("BitBtn1", Rect{}, ButtonKind::No);
  Button& other = page.add<Button>("other", Rect{}, ButtonKind::Custom, "x");
  std::vector<std::string> clicked;
  for (Button* b : {&hiddenOk, &add, &remove, &other})
    b->onClick = [&clicked, b] { clicked.push_back(b->name()); };

  form.setFocus(&name);
  EXPECT_TRUE(form.dialogKey(DialogKey::Enter));
  EXPECT_TRUE(form.dialogKey(DialogKey::Escape));
  form.setFocus(&memo);  // a memo keeps Enter for itself
  EXPECT_FALSE(form.dialogKey(DialogKey::Enter));
  EXPECT_TRUE(form.dialogKey(DialogKey::Escape));
  form.setFocus(&other);  // a focused button takes Enter
  EXPECT_TRUE(form.dialogKey(DialogKey::Enter));
  EXPECT_EQ(clicked, (std::vector<std::string>{"BitBtn3", "BitBtn1", "BitBtn1", "other"}));

  page.setVisible(false);
  form.setFocus(nullptr);
  EXPECT_FALSE(form.dialogKey(DialogKey::Enter));
  EXPECT_FALSE(form.dialogKey(DialogKey::Escape));

  // A focused control that goes away leaves no focus behind.
  page.setVisible(true);
  form.setFocus(&name);
  page.destroy(name);
  EXPECT_EQ(form.focus(), nullptr);
}

TEST(WidgetModel, RadioButtonsExcludeEachOtherWithinTheirGroupOnly) {
  ShownForm form;
  GroupBox& mode = form.add<GroupBox>("mode", Rect{});
  GroupBox& schedule = form.add<GroupBox>("schedule", Rect{});
  RadioButton& m1 = mode.add<RadioButton>("m1", Rect{});
  RadioButton& m2 = mode.add<RadioButton>("m2", Rect{});
  RadioButton& s1 = schedule.add<RadioButton>("s1", Rect{});
  int clicks = 0;
  m1.onClick = [&] { ++clicks; };
  m1.setChecked(true);
  s1.setChecked(true);
  m2.click();
  EXPECT_FALSE(m1.checked());
  EXPECT_TRUE(m2.checked());
  EXPECT_TRUE(s1.checked());
  m1.click();
  m1.click();  // clicking the selected one still fires
  EXPECT_TRUE(m1.checked());
  EXPECT_FALSE(m2.checked());
  EXPECT_EQ(clicks, 2);
}

TEST(WidgetModel, AKeyFilterDropsCharactersAndAReadOnlyEditKeepsItsText) {
  ShownForm form;
  Edit& edit = form.add<Edit>("Edit3", Rect{});
  edit.onKeyPress = [](char& key) {
    if (key != kBackspace && (key < '0' || key > '9')) key = 0;
  };
  edit.type("a1b2\b3");
  EXPECT_EQ(edit.text(), "13");
  edit.setReadOnly(true);
  edit.type("45");
  EXPECT_EQ(edit.text(), "13");
  char letter = 'x';
  EXPECT_FALSE(edit.keyPress(letter));
  char digit = '7';
  EXPECT_TRUE(edit.keyPress(digit));
}

TEST(WidgetModel, OwnerDrawnRowsAreDrawnThroughTheHandlerOnTheCanvas) {
  ShownForm form;
  ListBox& list = form.add<ListBox>("ListBox1", Rect{16, 48, 161, 369}, ListBox::Drawing::OwnerVariable);
  list.setItemHeight(18);
  list.setItems({"one", "two", "three"});
  list.onDrawItem = [&](int index, const Rect& area, ItemState state, Canvas& canvas) {
    canvas.fillRect(area, state.selected ? kYellow : kWhite);
    canvas.font().bold = state.selected;
    canvas.textOut(area.left + 30, area.top + 2, list.items()[static_cast<std::size_t>(index)]);
  };
  RecordingCanvas canvas;
  list.drawItem(2, {true, true}, canvas);
  ASSERT_EQ(canvas.fills.size(), 1u);
  EXPECT_EQ(canvas.fills[0].area, (Rect{0, 36, 161, 18}));
  EXPECT_EQ(canvas.fills[0].color, kYellow);
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, "three");
  EXPECT_TRUE(canvas.texts[0].font.bold);
  EXPECT_EQ(canvas.texts[0].x, 30);

  ListBox& plain = form.add<ListBox>("plain", Rect{0, 0, 50, 50});
  plain.addItem("a");
  RecordingCanvas other;
  plain.drawItem(0, {}, other);
  ASSERT_EQ(other.texts.size(), 1u);
  EXPECT_EQ(other.texts[0].text, "a");
  plain.drawItem(5, {}, other);  // no such row: nothing drawn
  EXPECT_EQ(other.texts.size(), 1u);
}

TEST(WidgetModel, ListKeysMoveTheSelectionAndActAsClicksUnlessTheyOnlyMove) {
  ShownForm form;
  // Five rows of 18 pixels in a list 54 pixels high: three rows show, a page moves two.
  ListBox& list = form.add<ListBox>("l", Rect{0, 0, 100, 54});
  list.setItemHeight(18);
  list.setItems({"Alpha", "beta", "Bravo", "\xC9t\xE9", "\xE9" "cole"});
  std::vector<int> clicks;
  list.onClick = [&] { clicks.push_back(list.itemIndex()); };

  // As the platform's list: every move is a click, a key that does not move is none.
  list.pressKey(ListKey::Down);  // from no selection to the first row
  list.pressKey(ListKey::Up);
  list.pressKey(ListKey::PageDown);
  list.pressKey(ListKey::End);
  list.pressKey(ListKey::Down);
  EXPECT_EQ(clicks, (std::vector<int>{0, 2, 4}));
  EXPECT_FALSE(list.usesKey(DialogKey::Enter));

  clicks.clear();
  list.setKeysOnlyMove(true);
  list.pressKey(ListKey::PageUp);
  EXPECT_EQ(list.itemIndex(), 2);
  list.pressKey(ListKey::Home);
  // Letters in either case, round the list, accented capitals of the code page too.
  list.typeCharacter('b');
  EXPECT_EQ(list.itemIndex(), 1);
  list.typeCharacter('B');
  EXPECT_EQ(list.itemIndex(), 2);
  list.typeCharacter('a');
  EXPECT_EQ(list.itemIndex(), 0);
  list.typeCharacter('\xE9');
  EXPECT_EQ(list.itemIndex(), 3);
  list.typeCharacter('\xC9');
  EXPECT_EQ(list.itemIndex(), 4);
  list.typeCharacter('z');  // no row starts with it
  EXPECT_EQ(list.itemIndex(), 4);
  EXPECT_TRUE(clicks.empty());
  EXPECT_TRUE(list.usesKey(DialogKey::Enter));
  EXPECT_FALSE(list.usesKey(DialogKey::Escape));
  list.activate();
  EXPECT_EQ(clicks, (std::vector<int>{4}));

  // A disabled list takes no key; an empty one has nothing to act on.
  list.setEnabled(false);
  list.pressKey(ListKey::Home);
  list.activate();
  EXPECT_EQ(list.itemIndex(), 4);
  list.setEnabled(true);
  list.clear();
  list.pressKey(ListKey::Down);
  list.activate();
  EXPECT_EQ(clicks.size(), 1u);
}

TEST(WidgetModel, ListClicksSelectThenFire) {
  ShownForm form;
  ListBox& list = form.add<ListBox>("l", Rect{});
  list.setItems({"a", "b"});
  int seen = -2;
  list.onClick = [&] { seen = list.itemIndex(); };
  list.clickItem(1);
  EXPECT_EQ(seen, 1);
  list.clickItem(-1);
  EXPECT_EQ(seen, -1);

  CheckListBox& checks = form.add<CheckListBox>("CheckListBox1", Rect{}, 2);
  for (const char* p : {"FTP", "TELNET", "SMTP"}) checks.addItem(p);
  int toggles = 0;
  checks.onClickCheck = [&] { ++toggles; };
  checks.toggleCheck(1);
  EXPECT_TRUE(checks.checked(1));
  EXPECT_FALSE(checks.checked(0));
  checks.setChecked(1, false);
  EXPECT_EQ(toggles, 1);

  ComboBox& combo = form.add<ComboBox>("Combobox11", Rect{}, ComboBox::Style::DropDownList);
  combo.setItems({"C:\\a;D:\\b", "C:\\c;D:\\d"});
  std::vector<std::string> order;
  combo.onSelect = [&] { order.push_back("select " + combo.text()); };
  combo.onChange = [&] { order.push_back("change"); };
  combo.select(1);
  EXPECT_EQ(order, (std::vector<std::string>{"select C:\\c;D:\\d", "change"}));
  combo.setText("C:\\a;D:\\b");
  EXPECT_EQ(combo.itemIndex(), 0);
  combo.setText("not an item");
  EXPECT_EQ(combo.text(), "");
  combo.userType("typed");  // a drop-down list has no text field
  EXPECT_EQ(combo.text(), "");

  ComboBox& editable = form.add<ComboBox>("sites", Rect{}, ComboBox::Style::DropDown);
  editable.setItems({"a.example"});
  editable.userType("b.example");
  EXPECT_EQ(editable.text(), "b.example");
  EXPECT_EQ(editable.itemIndex(), -1);
}

// Rows held elsewhere, as a store's rows are; each text lasts until the next.
class HeldRows : public RowSource {
 public:
  explicit HeldRows(std::vector<ListView::Row> rows) : rows_(std::move(rows)) {}
  std::size_t rowCount() const override { return rows_.size(); }
  std::string_view text(std::size_t row, std::size_t column) const override {
    last_ = rows_[row].text(column);
    return last_;
  }

 private:
  std::vector<ListView::Row> rows_;
  mutable std::string last_;
};

// The same list, with rows of its own or of a source.
TEST(WidgetModel, ListViewsSortFilterAndDeleteTheirOwnRowsAndASourcesAlike) {
  const std::vector<ListView::Row> given{{"1", {"b.exe"}}, {"2", {"a.exe"}}, {"3", {"b.exe"}}, {"4", {"c.exe"}},
                                         {"5", {"a.exe", "x"}}};
  for (const bool fromSource : {false, true}) {
    SCOPED_TRACE(fromSource ? "a source" : "rows of its own");
    ShownForm form;
    ListView& view = form.add<ListView>("ListView2", Rect{});
    view.addColumn("N", 30);
    view.addColumn("Name", 100);
    view.setMultiSelect(true);
    if (fromSource)
      view.setSource(std::make_shared<HeldRows>(given));
    else
      for (const ListView::Row& row : given) view.addRow(row);
    const auto numbers = [&] {
      std::vector<std::string> out;
      for (int at = 0; at < view.shownCount(); ++at) out.emplace_back(view.text(view.shownRow(at), 0));
      return out;
    };
    view.setSelected(2);  // "3 b.exe"
    int column = -1;
    view.onColumnClick = [&](int c) { column = c; };
    view.onCompare = [&](int a, int b) {
      const std::string first(view.text(a, static_cast<std::size_t>(column)));
      return first.compare(view.text(b, static_cast<std::size_t>(column)));
    };
    view.clickColumn(1);
    EXPECT_EQ(column, 1);
    view.sort();
    EXPECT_EQ(numbers(), (std::vector<std::string>{"2", "5", "1", "3", "4"}));
    EXPECT_EQ(view.text(view.selected(), 0), "3");
    EXPECT_EQ(view.text(0, 2), "");  // a missing sub-item reads as empty
    EXPECT_EQ(view.text(4, 1), "c.exe");
    EXPECT_EQ(view.text(5, 0), "");  // past the rows

    view.clickColumn(7);  // no such column
    EXPECT_EQ(column, 1);
    int clicks = 0;
    view.onClick = [&] { ++clicks; };
    view.clickRow(0);
    EXPECT_EQ(view.selected(), 0);
    EXPECT_EQ(clicks, 1);

    // Filtered, then rows removed: the others keep their texts and order.
    view.setFilter([&](int row) { return view.text(row, 1) != "b.exe"; });
    EXPECT_EQ(numbers(), (std::vector<std::string>{"2", "5", "4"}));
    view.selectAll();
    EXPECT_EQ(view.selectedRows(), (std::vector<int>{0, 1, 4}));
    view.deleteRows({1, 4});
    EXPECT_EQ(numbers(), (std::vector<std::string>{"2"}));
    view.setFilter(nullptr);
    EXPECT_EQ(numbers(), (std::vector<std::string>{"2", "1", "3"}));
    view.deleteRow(0);
    EXPECT_EQ(numbers(), (std::vector<std::string>{"1", "3"}));
    view.onCompare = nullptr;  // the captions decide
    view.setRows({{"9", {}}, {"8", {}}});
    view.sort();
    EXPECT_EQ(numbers(), (std::vector<std::string>{"8", "9"}));
  }
}

TEST(WidgetModel, NewRowsOfTheSameCountTellWhichPositionsShowOtherTextsAndAnyOtherChangeTellsAll) {
  ShownForm form;
  ListView& view = form.add<ListView>("List", Rect{});
  auto rows = [](std::vector<std::string> names) {
    std::vector<ListView::Row> out;
    for (std::string& name : names) out.push_back({"", {std::move(name), "TCP"}});
    return out;
  };
  auto changedPositions = [&] {
    std::vector<int> out;
    for (int p = 0; p < view.shownCount(); ++p)
      if (view.positionChanged(p)) out.push_back(p);
    return out;
  };
  view.setRows(rows({"a", "b", "c", "d"}));
  EXPECT_EQ(changedPositions(), (std::vector<int>{0, 1, 2, 3})) << "from no rows";
  view.setRows(rows({"a", "x", "c", "d"}));
  EXPECT_EQ(changedPositions(), (std::vector<int>{1}));
  view.setRows(rows({"a", "x", "c", "d"}));
  EXPECT_EQ(changedPositions(), (std::vector<int>{}));
  // Filtered: positions are those shown, before and after.
  view.setFilter([&](int row) { return view.text(row, 1) != "x"; });
  EXPECT_EQ(changedPositions(), (std::vector<int>{0, 1, 2}));
  view.setRows(rows({"a", "x", "c", "e"}));
  EXPECT_EQ(changedPositions(), (std::vector<int>{2}));
  view.setRows(rows({"x", "a", "c", "e", "f"}));
  EXPECT_EQ(changedPositions(), (std::vector<int>{0, 1, 2, 3})) << "another count: all";
  view.sort();
  EXPECT_EQ(changedPositions(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(view.positionChanged(-1));
  EXPECT_TRUE(view.positionChanged(99));
}

TEST(WidgetModel, TabsShowOneSheetAndHiddenSheetsTakeNoKeys) {
  ShownForm form;
  TabControl& tabs = form.add<TabControl>("tabs", Rect{});
  TabSheet& protocols = tabs.addSheet("protocols", "Protocoles");
  TabSheet& quarantine = tabs.addSheet("quarantine", "Quarantaine");
  Button& add = quarantine.add<Button>("BitBtn3", Rect{}, ButtonKind::OK);
  int adds = 0;
  add.onClick = [&] { ++adds; };
  int changes = 0;
  tabs.onChange = [&] { ++changes; };
  EXPECT_TRUE(protocols.showing());
  EXPECT_FALSE(quarantine.showing());
  EXPECT_FALSE(form.dialogKey(DialogKey::Enter));
  tabs.selectTab(1);
  tabs.selectTab(1);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(form.dialogKey(DialogKey::Enter));
  EXPECT_EQ(adds, 1);
  EXPECT_EQ(tabs.activeSheet(), &quarantine);
}

TEST(WidgetModel, AHandlerMayDestroyItsOwnControl) {
  ShownForm form;
  Panel& page = form.add<Panel>("page", Rect{});
  Button& rebuild = page.add<Button>("rebuild", Rect{}, ButtonKind::OK);
  bool ran = false;
  rebuild.onClick = [&] {
    page.destroyChildren();
    ran = true;
  };
  rebuild.click();
  EXPECT_TRUE(ran);
  EXPECT_TRUE(page.children().empty());
}

TEST(WidgetModel, RedrawSuspensionIsMirrored) {
  PeerLog log;
  LoggingFactory factory(log);
  ShownForm form;
  form.setPeerFactory(&factory);
  form.setPeer(factory.createPeer(form));
  Panel& panel = form.add<Panel>("PagePanel", Rect{});
  panel.suspendRedraw(true);
  EXPECT_TRUE(panel.redrawSuspended());
  panel.suspendRedraw(false);
  EXPECT_FALSE(panel.redrawSuspended());
  EXPECT_EQ(panel.redrawResumes(), 1);
  const std::string redraw = "PagePanel " + std::to_string(static_cast<int>(Change::Redraw)) + ":0";
  EXPECT_EQ(std::count(log.events.begin(), log.events.end(), redraw), 2);
}

TEST(FileControls, FileListsShowPlainFilesSortedIgnoringCase) {
  testing::FakeFileSystem files;
  files.addFile("C:\\w\\b.txt", "");
  files.addFile("C:\\w\\A.txt", "");
  files.addFile("C:\\w\\c.doc", "", attr::ReadOnly);
  files.addFile("C:\\w\\hidden.txt", "", attr::Hidden);
  files.addFile("C:\\w\\system.txt", "", attr::System);
  files.addDirectory("C:\\w\\sub");
  ShownForm form;
  FileListBox& list = form.add<FileListBox>("FileListBox5", Rect{}, files);
  list.setDirectory("C:\\w");
  EXPECT_EQ(list.items(), (std::vector<std::string>{"A.txt", "b.txt", "c.doc"}));
  list.setMask("*.txt");
  EXPECT_EQ(list.items(), (std::vector<std::string>{"A.txt", "b.txt"}));
}

TEST(FileControls, TheFolderListShowsThePathDownAndTheSubfolders) {
  testing::FakeFileSystem files;
  files.addDirectory("C:\\Users\\Ana\\Documents");
  files.addDirectory("C:\\Users\\Ana\\Music");
  files.addDirectory("C:\\Users\\Bob");
  ShownForm form;
  DirectoryListBox& dirs = form.add<DirectoryListBox>("DirectoryListBox2", Rect{}, files, "C:\\Users\\Ana\\");
  std::vector<std::string> shown;
  for (const auto& e : dirs.entries()) shown.push_back(std::to_string(e.level) + e.caption + "=" + e.path);
  EXPECT_EQ(shown, (std::vector<std::string>{"0C:\\=C:\\", "1Users=C:\\Users", "2Ana=C:\\Users\\Ana",
                                             "3Documents=C:\\Users\\Ana\\Documents", "3Music=C:\\Users\\Ana\\Music"}));
  EXPECT_EQ(dirs.currentIndex(), 2);
  int changes = 0;
  dirs.onChange = [&] { ++changes; };
  dirs.openEntry(1);
  EXPECT_EQ(dirs.directory(), "C:\\Users");
  dirs.openEntry(1);  // already there
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dirs.entries().back().path, "C:\\Users\\Bob");
}

TEST(FileControls, TheShellTreeOpensFoldersAndNamesOnlyRealOnes) {
  testing::FakePlatform fake;
  fake.files.addDirectory("C:\\Data\\Photos");
  fake.files.addDirectory("C:\\Windows");
  fake.files.addFile("C:\\file.txt", "");
  fake.shell.desktop = {{"Ce PC", ""}, {"Disque local (C:)", "C:\\"}};
  ShownForm form;
  ShellTreeView& tree = form.add<ShellTreeView>("ShellTreeView4", Rect{}, fake.files, fake.shell);
  ASSERT_EQ(tree.root().children.size(), 2u);
  EXPECT_EQ(tree.selectedPath(), "");
  tree.userSelect(tree.root().children[0].get());
  EXPECT_EQ(tree.selectedPath(), "");  // no place on a disk
  ShellTreeView::Node* photos = tree.nodeFor("C:\\Data\\Photos");
  ASSERT_NE(photos, nullptr);
  EXPECT_EQ(photos->path, "C:\\Data\\Photos");
  ShellTreeView::Node& drive = *tree.root().children[1];
  std::vector<std::string> names;
  for (const auto& child : drive.children) names.push_back(child->caption);
  EXPECT_EQ(names, (std::vector<std::string>{"Data", "Program", "Windows"}));
  int doubles = 0;
  tree.onDblClick = [&] { ++doubles; };
  tree.userSelect(photos);
  tree.dblClick();
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(tree.selectedPath(), "C:\\Data\\Photos");
  EXPECT_EQ(tree.nodeFor("C:\\Nowhere"), nullptr);
}

TEST(Timers, TicksComeInVirtualTimeInDueOrder) {
  testing::FakePlatform fake;
  std::vector<std::string> fired;
  Timer timer1(fake.timers, 1500);
  timer1.onTimer = [&] { fired.push_back("tick " + std::to_string(fake.clock.now().second)); };
  timer1.setEnabled(true);
  fake.timers.startOnce(2000, [&] { fired.push_back("once"); });
  const TimerId never = fake.timers.startOnce(2500, [&] { fired.push_back("never"); });
  fake.timers.stop(never);
  fake.timers.advance(4600);
  EXPECT_EQ(fired, (std::vector<std::string>{"tick 1", "once", "tick 3", "tick 4"}));
  timer1.setEnabled(false);
  fake.timers.advance(10000);
  EXPECT_EQ(fired.size(), 4u);
  EXPECT_EQ(fake.timers.active(), 0u);
}

}  // namespace
}  // namespace tg::ui

namespace tg::ui {
namespace {

TEST(WidgetModel, TabMovesTheFocusThroughUsableControlsInCreationOrder) {
  ShownForm form;
  Edit& name = form.add<Edit>("name", Rect{});
  form.add<Label>("label", Rect{});  // takes no focus
  GroupBox& group = form.add<GroupBox>("group", Rect{});
  RadioButton& r1 = group.add<RadioButton>("r1", Rect{});
  RadioButton& r2 = group.add<RadioButton>("r2", Rect{});
  Button& hidden = form.add<Button>("hidden", Rect{});
  hidden.setVisible(false);
  Button& ok = form.add<Button>("ok", Rect{}, ButtonKind::OK);
  r2.setChecked(true);
  EXPECT_EQ(form.moveFocus(true), &name);
  EXPECT_EQ(form.moveFocus(true), &r2);  // the group's checked button is its one stop
  EXPECT_EQ(form.moveFocus(true), &ok);
  EXPECT_EQ(form.moveFocus(true), &name);  // round the window
  EXPECT_EQ(form.moveFocus(false), &ok);
  r2.setChecked(false);
  form.setFocus(&name);
  EXPECT_EQ(form.moveFocus(true), &r1);  // none checked: the first
}

}  // namespace
}  // namespace tg::ui
