#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "app/ProductImages.h"
#include "app/TrayHost.h"
#include "engines/EngineTable.h"
#include "stores/DataPacket.h"
#include "stores/TextFile.h"
#include "PageTest.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"
#include "testing/RecordingCanvas.h"
#include "ui/Toggles.h"

namespace tg {
namespace {

using testing::FakePlatform;

using testing::numberedEntries;

class MainWindowTest : public testing::PageTest {
 protected:
  // The start-up's own requests are what these tests look at.
  MainWindow& start() { return startShown(); }
  // A page that puts one button on the panel and counts its builds.
  int registerCountingPage(int entry, const std::string& buttonName) {
    auto builds = std::make_shared<int>(0);
    window->pages.registerPage(entry, [builds, buttonName](PageContext& c) -> std::unique_ptr<Page> {
      ++*builds;
      c.panel.add<ui::Button>(buttonName, ui::Rect{10, 10, 75, 25}, ui::ButtonKind::OK);
      return nullptr;
    });
    counters_.push_back(builds);
    return static_cast<int>(counters_.size()) - 1;
  }
  int builds(int counter) const { return *counters_[static_cast<std::size_t>(counter)]; }
  std::vector<std::string> homeShown() const {
    std::vector<std::string> shown;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&window->Bevel2, &window->TrackBar1, &window->BitBtn15,
                                                             &window->Label10, &window->Label11, &window->Label12})
      if (c->visible()) shown.push_back(c->name());
    return shown;
  }

 private:
  std::vector<std::shared_ptr<int>> counters_;
};

TEST_F(MainWindowTest, TheStartUpStopsLeftoversStartsTheRealTimeEngineAndShowsTheHomePage) {
  for (std::string_view name : kShutdownStopList) fake.processes.add(std::string(name));
  MainWindow& w = start();
  EXPECT_EQ(fake.processes.endedNames,
            (std::vector<std::string>{"diskscan.exe", "rtguard.exe", "siteguard.exe", "netguard.exe", "mailfilter.exe",
                                      "backup.exe", "dbupdate.exe"}));
  EXPECT_TRUE(fake.processes.running("scanengine.exe"));
  ASSERT_EQ(fake.shell.requests.size(), 1u);
  const ShellRequest& rtguard = fake.shell.requests[0];
  EXPECT_EQ(rtguard.verb, "open");
  EXPECT_EQ(rtguard.file, fake.inProgram("rtguard.exe"));
  EXPECT_EQ(rtguard.parameters, "");
  EXPECT_EQ(rtguard.show, kShowHidden);
  EXPECT_FALSE(rtguard.ownedByMainWindow);

  EXPECT_EQ(homeShown(), (std::vector<std::string>{"Bevel2", "TrackBar1", "BitBtn15", "Label10", "Label11", "Label12"}));
  EXPECT_FALSE(w.PagePanel.visible());
  EXPECT_FALSE(w.FileListBox5.visible());
  EXPECT_EQ(w.TrackBar1.position(), 2);
  EXPECT_TRUE(w.Timer1.enabled());
  EXPECT_EQ(w.form.caption(), "fr 24");
  EXPECT_EQ(w.Label10.caption(), "fr 49");
  EXPECT_EQ(w.Label12.caption(), "fr 51");
  ASSERT_EQ(w.ListBox1.count(), 21);
  EXPECT_EQ(w.ListBox1.items()[4], builtInText("FR", nav::kConnections));  // after the journal; not in a 101-entry file
  EXPECT_EQ(w.ListBox1.items()[7], "fr 57");
  EXPECT_EQ(w.ListBox1.items()[20], "fr 25");
}

TEST_F(MainWindowTest, ClosingTearsThePageAreaDownSoReopeningShowsOnlyTheBevel) {
  MainWindow& w = start();
  w.form.close();
  EXPECT_FALSE(w.form.visible());
  EXPECT_TRUE(w.Timer1.enabled());
  w.showFromTray();
  EXPECT_TRUE(w.form.visible());
  EXPECT_EQ(desktop.front, &w.form);
  EXPECT_EQ(homeShown(), (std::vector<std::string>{"Bevel2"}));
  choose(1);
  EXPECT_EQ(homeShown().size(), 6u);
}

TEST_F(MainWindowTest, ChoosingAPageTwiceRebuildsItAndItsControlsExistOnce) {
  MainWindow& w = start();
  const int rules = registerCountingPage(2, "BitBtn7");
  choose(2);
  choose(2);
  EXPECT_EQ(builds(rules), 2);
  EXPECT_EQ(w.PagePanel.children().size(), 1u);
  EXPECT_TRUE(w.PagePanel.visible());
  EXPECT_EQ(homeShown(), (std::vector<std::string>{"Bevel2"}));
  // Redrawing was suspended for the build and resumed once for each window.
  EXPECT_EQ(w.form.redrawResumes(), 2);
  EXPECT_EQ(w.PagePanel.redrawResumes(), 2);
  EXPECT_FALSE(w.PagePanel.redrawSuspended());

  choose(1);  // home
  EXPECT_FALSE(w.PagePanel.visible());
  EXPECT_TRUE(w.PagePanel.children().empty());
  EXPECT_EQ(homeShown().size(), 6u);
  ASSERT_FALSE(fake.shell.requests.empty());
  EXPECT_EQ(fake.shell.requests.back().file, "https://www.tarnivox.example/");
  EXPECT_EQ(fake.shell.requests.back().verb, "");  // the shell's default verb
}

TEST_F(MainWindowTest, TheWebSiteItemLeavesThePageAreaAlone) {
  MainWindow& w = start();
  registerCountingPage(2, "BitBtn7");
  choose(2);
  choose(64);  // the web site
  EXPECT_EQ(w.PagePanel.children().size(), 1u);
  EXPECT_TRUE(w.pages.built(2));
  EXPECT_EQ(fake.shell.requests.back().file, "https://www.tarnivox.example/");
  w.ListBox1.clickItem(-1);  // a click that leaves no row selected does nothing
  EXPECT_TRUE(w.pages.built(2));
}

TEST_F(MainWindowTest, ABuildThatFailsLeavesTheWindowDrawingAndItsControlsToTheNextTeardown) {
  MainWindow& w = start();
  w.pages.registerPage(2, [](PageContext& c) -> std::unique_ptr<Page> {
    c.panel.add<ui::Button>("half", ui::Rect{10, 10, 75, 25});
    throw StoreError("regles.xml cannot be read");
  });
  registerCountingPage(3, "BitBtn7");
  EXPECT_THROW(choose(2), StoreError);
  EXPECT_FALSE(w.form.redrawSuspended());
  EXPECT_FALSE(w.PagePanel.redrawSuspended());
  choose(3);
  ASSERT_EQ(w.PagePanel.children().size(), 1u);
  EXPECT_EQ(w.PagePanel.children()[0]->name(), "BitBtn7");
}

TEST_F(MainWindowTest, PagesWithTheSameTextAreBuiltInTestOrderTheLaterReplacingTheEarlier) {
  Lines same = numberedEntries("fr ");
  same[84] = "fr 4";  // entry 85 (scan page) now reads as entry 4 (journal settings)
  fake.files.writeBytes(fake.inProgram("kelm2013_fr.txt"), joinLines(same));
  MainWindow& w = start();
  const int journal = registerCountingPage(4, "journal");
  const int scan = registerCountingPage(85, "scan");
  choose(4);
  EXPECT_EQ(builds(journal), 1);
  EXPECT_EQ(builds(scan), 1);
  EXPECT_EQ(w.pages.builtPages(), (std::vector<int>{85}));
  ASSERT_EQ(w.PagePanel.children().size(), 1u);
  EXPECT_EQ(w.PagePanel.children()[0]->name(), "scan");
}

TEST_F(MainWindowTest, AfterALanguageChangeTheItemsShowTheNewTextsAndStillBuildTheirPages) {
  MainWindow& w = start();
  const int rules = registerCountingPage(2, "BitBtn7");
  fake.files.addFile(fake.inProgram("kelm2013_gb.txt"), joinLines(numberedEntries("gb ")));
  loadLanguageTable(w.centre.languageTable, fake.files, FakePlatform::kProgramDirectory, "GB");
  w.applyLanguage();
  EXPECT_EQ(w.ListBox1.items()[1], "gb 2");
  EXPECT_EQ(w.form.caption(), "gb 24");
  choose(2);
  EXPECT_EQ(builds(rules), 1);
}

TEST_F(MainWindowTest, AboutBoxesOpenOneMoreEachTimeAndEachIsDestroyedWhenClosed) {
  MainWindow& w = start();
  registerCountingPage(2, "BitBtn7");
  choose(2);
  choose(48);
  choose(48);
  choose(48);
  ASSERT_EQ(w.aboutBoxes.count(), 3u);
  EXPECT_EQ(desktop.forms.size(), 4u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(w.aboutBoxes[i].shown());
  EXPECT_EQ(w.aboutBoxes[1].Version.caption(), "Version :1.17.08.28");
  ui::Form* last = &w.aboutBoxes[2].form;

  // OK in the first, the close box of the second: each goes on its own, once
  // its handler has returned.
  w.aboutBoxes[0].OKButton.click();
  w.aboutBoxes[1].form.close();
  EXPECT_FALSE(w.aboutBoxes[0].shown());
  EXPECT_FALSE(w.aboutBoxes[1].shown());
  ASSERT_EQ(w.aboutBoxes.count(), 3u);
  fake.timers.advance(1);
  ASSERT_EQ(w.aboutBoxes.count(), 1u);
  EXPECT_EQ(&w.aboutBoxes[0].form, last);
  EXPECT_TRUE(w.aboutBoxes[0].shown());
  EXPECT_EQ(desktop.forms.size(), 2u);
  EXPECT_TRUE(w.pages.built(2));  // the page area keeps its page

  w.aboutBoxes[0].OKButton.click();
  fake.timers.advance(1);
  EXPECT_EQ(w.aboutBoxes.count(), 0u);
  EXPECT_EQ(desktop.forms, (std::vector<ui::Form*>{&w.form}));
  const ShellRequest& site = fake.shell.requests.back();
  EXPECT_EQ(site.file, "https://www.tarnivox.example/");
  EXPECT_EQ(site.show, kShowHidden);
  EXPECT_TRUE(site.ownedByMainWindow);
}

TEST_F(MainWindowTest, TheQuitItemAsksAndOnYesStopsItsEnginesInOrderAndEndsTheApplication) {
  MainWindow& w = start();
  for (std::string_view name : kShutdownStopList) fake.processes.add(std::string(name));
  fake.processes.endedNames.clear();
  registerCountingPage(2, "BitBtn7");
  choose(2);
  fake.dialogs.answerNext(Answer::No);
  choose(25);
  EXPECT_EQ(fake.dialogs.questions, (std::vector<std::string>{"fr 65"}));
  EXPECT_TRUE(fake.processes.endedNames.empty());
  EXPECT_FALSE(desktop.ended);

  // Yes: the window, an about box and the tray icon go before the engines are stopped.
  choose(48);
  bool goneBeforeTheEngines = false;
  w.onQuitting = [&] {
    goneBeforeTheEngines = !w.form.visible() && !w.aboutBoxes[0].shown() && fake.processes.endedNames.empty();
  };
  fake.dialogs.answerNext(Answer::Yes);
  choose(25);
  EXPECT_TRUE(goneBeforeTheEngines);
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"rtguard.exe", "scanengine.exe", "diskscan.exe",
                                                                 "siteguard.exe", "netguard.exe", "dbupdate.exe"}));
  EXPECT_TRUE(desktop.ended);
  EXPECT_TRUE(w.pages.built(2));

  // The window's destruction stops the engines once more, mail filter and backup included.
  fake.processes.endedNames.clear();
  window.reset();
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"mailfilter.exe", "backup.exe"}));
}

TEST_F(MainWindowTest, TheEndOfTheLogOnStopsEveryEngineInItsOrderAndItsEndEndsTheProgram) {
  MainWindow& w = start();
  for (std::string_view name : kShutdownStopList) fake.processes.add(std::string(name));
  fake.processes.endedNames.clear();
  w.form.queryEndSession();
  EXPECT_EQ(fake.processes.endedNames,
            (std::vector<std::string>{"diskscan.exe", "scanengine.exe", "rtguard.exe", "siteguard.exe", "netguard.exe",
                                      "mailfilter.exe", "backup.exe", "dbupdate.exe"}));
  EXPECT_FALSE(desktop.ended);

  // A log-on that goes on after all leaves the program running.
  bool iconRemoved = false;
  w.onQuitting = [&] { iconRemoved = true; };
  w.form.endSession(false);
  EXPECT_FALSE(desktop.ended);
  EXPECT_TRUE(w.form.visible());

  // The end itself (also how an installer closes the program): it goes as after
  // the quit item, without a question, and with every engine stopped.
  fake.processes.add("backup.exe");
  fake.processes.endedNames.clear();
  w.form.endSession(true);
  EXPECT_TRUE(fake.dialogs.questions.empty());
  EXPECT_TRUE(iconRemoved);
  EXPECT_FALSE(w.form.visible());
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"backup.exe"}));
  EXPECT_TRUE(desktop.ended);
}

TEST_F(MainWindowTest, TheInternetButtonTogglesItsGlyphAndAnswersEscapeWhileShown) {
  MainWindow& w = start();
  EXPECT_EQ(w.BitBtn15.hint(), "fr 7");  // allowed, a click blocks it
  w.BitBtn15.click();
  EXPECT_FALSE(w.centre.state.InternetAllowed);
  EXPECT_EQ(w.BitBtn15.hint(), "fr 8");
  EXPECT_EQ(w.BitBtn15.glyph().pixels, w.ImageList3.at(1).pixels);
  w.BitBtn15.click();
  EXPECT_TRUE(w.centre.state.InternetAllowed);
  EXPECT_EQ(w.BitBtn15.glyph().pixels, w.ImageList3.at(0).pixels);
  EXPECT_NE(w.ImageList3.at(0).pixels, w.ImageList3.at(1).pixels);

  EXPECT_TRUE(w.form.dialogKey(ui::DialogKey::Escape));
  EXPECT_FALSE(w.centre.state.InternetAllowed);
  registerCountingPage(2, "BitBtn7");
  choose(2);  // the button is hidden with the home page
  w.form.dialogKey(ui::DialogKey::Escape);
  EXPECT_FALSE(w.centre.state.InternetAllowed);
}

TEST_F(MainWindowTest, TheInternetButtonsTipFollowsTheLanguageAndFallsBackOnItsName) {
  MainWindow& w = start();
  w.BitBtn15.click();
  Lines gb = numberedEntries("gb ");
  fake.files.addFile(fake.inProgram("kelm2013_gb.txt"), joinLines(gb));
  loadLanguageTable(w.centre.languageTable, fake.files, FakePlatform::kProgramDirectory, "GB");
  w.applyLanguage();
  EXPECT_EQ(w.BitBtn15.hint(), "gb 8");
  gb[6] = gb[7] = "";  // a language file that leaves the two texts empty
  fake.files.writeBytes(fake.inProgram("kelm2013_gb.txt"), joinLines(gb));
  loadLanguageTable(w.centre.languageTable, fake.files, FakePlatform::kProgramDirectory, "GB");
  w.applyLanguage();
  EXPECT_EQ(w.BitBtn15.hint(), "Internet");
}

TEST_F(MainWindowTest, TheNavigationKeysOnlyMoveAndEnterOrSpaceActsOnTheSelectedItem) {
  MainWindow& w = start();
  const int rules = registerCountingPage(2, "BitBtn7");
  // Down through every row, the about and quit items included, and back up.
  for (int i = 0; i < 25; ++i) w.ListBox1.pressKey(ui::ListKey::Down);
  EXPECT_EQ(w.ListBox1.itemIndex(), 20);
  for (int i = 0; i < 25; ++i) w.ListBox1.pressKey(ui::ListKey::Up);
  w.ListBox1.pressKey(ui::ListKey::End);
  w.ListBox1.pressKey(ui::ListKey::PageUp);
  w.ListBox1.pressKey(ui::ListKey::Home);
  w.ListBox1.typeCharacter('F');  // "fr 1", "fr 2", ...: each letter moves on to the next
  EXPECT_TRUE(fake.dialogs.questions.empty());
  EXPECT_EQ(w.aboutBoxes.count(), 0u);
  EXPECT_EQ(builds(rules), 0);
  EXPECT_EQ(fake.shell.requests.size(), 1u);  // only the real-time engine's start: no web site
  EXPECT_EQ(w.ListBox1.itemIndex(), 1);

  // Enter or Space acts; the focused list takes Enter before the window's buttons.
  w.form.setFocus(&w.ListBox1);
  EXPECT_FALSE(w.form.dialogKey(ui::DialogKey::Enter));
  w.ListBox1.activate();
  EXPECT_EQ(builds(rules), 1);
  w.ListBox1.pressKey(ui::ListKey::End);
  w.ListBox1.pressKey(ui::ListKey::Up);
  w.ListBox1.pressKey(ui::ListKey::Up);  // the about item
  w.ListBox1.activate();
  EXPECT_EQ(w.aboutBoxes.count(), 1u);
}

TEST_F(MainWindowTest, TheTrackBarIsTheReactionLevel) {
  MainWindow& w = start();
  EXPECT_EQ(w.centre.state.ReactionLevel, 2);
  w.TrackBar1.moveTo(1);
  EXPECT_EQ(w.centre.state.ReactionLevel, 1);
  w.TrackBar1.moveTo(3);
  EXPECT_EQ(w.centre.state.ReactionLevel, 3);
}

TEST(NavigationRows, OddRowsAreTintedAndTheSelectedRowIsYellowBoldItalicWithItsPicture) {
  const ui::ImageList images = navigationImages();
  ASSERT_EQ(images.count(), 21);
  testing::RecordingCanvas odd;
  drawNavigationRow(odd, images, 3, "Journal", {0, 51, 161, 17}, {});
  ASSERT_EQ(odd.fills.size(), 1u);
  EXPECT_EQ(odd.fills[0].color, ui::rgb(0xEE, 0xF3, 0xF4));
  EXPECT_EQ(odd.texts[0].x, 30);
  EXPECT_EQ(odd.texts[0].y, 53);
  ASSERT_EQ(odd.pictures.size(), 1u);
  EXPECT_EQ(odd.pictures[0].index, 3);
  EXPECT_EQ(odd.pictures[0].x, 4);
  EXPECT_EQ(odd.pictures[0].y, 51);  // 51 + (17 - 16) / 2

  testing::RecordingCanvas even;
  drawNavigationRow(even, images, 2, "Alertes", {0, 34, 161, 17}, {});
  EXPECT_EQ(even.fills[0].color, ui::kWhite);

  testing::RecordingCanvas selected;
  drawNavigationRow(selected, images, 6, "Options", {0, 102, 161, 17}, {true, true});
  ASSERT_EQ(selected.fills.size(), 2u);
  EXPECT_EQ(selected.fills[1].color, ui::rgb(0xC5, 0xD1, 0xF8));
  ASSERT_EQ(selected.texts.size(), 2u);
  EXPECT_EQ(selected.texts[1].font.color, ui::kYellow);
  EXPECT_TRUE(selected.texts[1].font.bold);
  EXPECT_TRUE(selected.texts[1].font.italic);
  EXPECT_EQ(selected.order.back(), testing::RecordingCanvas::Op::Focus);  // the focus frame goes over all
  EXPECT_EQ(selected.focusRects, (std::vector<ui::Rect>{{0, 102, 161, 17}}));
  EXPECT_TRUE(odd.focusRects.empty());
  EXPECT_EQ(odd.order.back(), testing::RecordingCanvas::Op::Image);
}

TEST(TrayHostTest, TheIconItsMenuAndTheAutorunValue) {
  FakePlatform fake;
  int shown = 0;
  TrayHost host(fake.platform, "C:\\Programmes\\T\\tarnivoxguard2013.exe", [&] { ++shown; });
  host.create();
  EXPECT_EQ(fake.tray.icons, 1);
  EXPECT_EQ(fake.tray.tip, "Tarnivoxguard2013");
  EXPECT_EQ(fake.registry.autorun["Tarnivoxguard2013"], "C:\\Programmes\\T\\tarnivoxguard2013.exe");
  EXPECT_EQ(fake.registry.writes, 1);

  TrayHost again(fake.platform, "C:\\Programmes\\T\\tarnivoxguard2013.exe", [&] { ++shown; });
  again.create();
  EXPECT_EQ(fake.registry.writes, 1);  // already the path: not written
  TrayHost moved(fake.platform, "C:\\programmes\\t\\tarnivoxguard2013.exe", [&] { ++shown; });
  moved.create();
  EXPECT_EQ(fake.registry.writes, 2);  // the comparison minds letter case

  fake.tray.mouseEvent(0x201);  // left button
  fake.tray.mouseEvent(0x203);  // double click
  EXPECT_TRUE(fake.tray.menus.empty());
  fake.tray.mouseEvent(kTrayRightButtonDown);
  ASSERT_EQ(fake.tray.menus.size(), 1u);
  EXPECT_EQ(fake.tray.menus[0], (std::vector<std::string>{"Tarnivoxguard2013"}));
  EXPECT_EQ(shown, 1);
  fake.tray.nextChoice = -1;  // the menu closed without a choice
  fake.tray.mouseEvent(kTrayRightButtonDown);
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace tg
