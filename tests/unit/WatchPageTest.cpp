#include <gtest/gtest.h>

#include <functional>

#include "pages/tools/WatchPage.h"
#include "unit/PageTest.h"

namespace tg {
namespace {

using Names = std::vector<std::string>;

class WatchPageTest : public testing::PageTest {
 protected:
  WatchPageTest() {
    fake.files.addFile("C:\\Watched\\a.txt", "a");
    fake.files.addFile("C:\\Watched\\sub\\deep.txt", "d");
  }
  // Started with the surveillance mode on, the page open, C:\Watched chosen.
  WatchPage& watching() {
    fake.files.addFile(fake.inProgram("mode.txt"), "1\r\n");
    start();
    WatchPage& page = open<WatchPage>(nav::kWatch);
    choose(page, "C:\\Watched");
    return page;
  }
  void choose(WatchPage& page, const std::string& folder) {
    page.ShellTreeView3->userSelect(page.ShellTreeView3->nodeFor(folder));
    page.ShellTreeView3->dblClick();
  }
  Lines lines(const std::string& path) { return splitLines(fake.files.contents(path).value_or("")); }
  Lines snapshot() { return lines(fake.inProgram("repertoiresurveille.txt")); }
  std::string dayLog() { return fake.inProgram(state().DayStamp + "surveillance.txt"); }
};

TEST_F(WatchPageTest, ANewFileIsDeletedAndEachEventLogsTheFolderOnceTheHandlersOwnDeletionIncluded) {
  watching();
  EXPECT_EQ(lines(fake.inProgram("surveille.txt")), (Lines{"C:\\Watched"}));
  EXPECT_EQ(snapshot(), (Lines{"a.txt"}));
  EXPECT_EQ(fake.watchers.roots(), (Names{"c:\\watched\\"}));
  EXPECT_EQ(window->ShellChangeNotifier1.root(), "C:\\Watched");

  fake.files.addFile("C:\\Watched\\New.txt", "n");  // another program writes a file
  EXPECT_EQ(fake.watchers.deliver(1), 1);
  EXPECT_FALSE(fake.files.exists("C:\\Watched\\New.txt"));
  EXPECT_EQ(snapshot(), (Lines{"a.txt", "New.txt"}));
  EXPECT_EQ(lines(dayLog()), (Lines{"C:\\Watched\\a.txt", "C:\\Watched\\New.txt"}));
  // The deletion is a change of its own: a further event, which finds a.txt
  // alone and keeps the deleted name known.
  EXPECT_EQ(fake.watchers.deliver(), 1);
  EXPECT_EQ(snapshot(), (Lines{"a.txt", "New.txt"}));
  EXPECT_EQ(lines(dayLog()).size(), 3u);

  // The name is known now: the same file written again stays.
  fake.files.addFile("C:\\Watched\\new.TXT", "n");
  EXPECT_EQ(fake.watchers.deliver(), 1);
  EXPECT_TRUE(fake.files.exists("C:\\Watched\\new.TXT"));
  EXPECT_EQ(lines(dayLog()).size(), 5u);

  // A renamed file bears a new name; hidden and system files are not the folder's plain files.
  fake.files.addFile("C:\\Watched\\secret.dat", "s", attr::Hidden);
  fake.files.addFile("C:\\Watched\\sys.dat", "s", attr::System);
  ASSERT_TRUE(fake.files.rename("C:\\Watched\\a.txt", "C:\\Watched\\b.txt", false));
  fake.watchers.deliver();
  EXPECT_FALSE(fake.files.exists("C:\\Watched\\b.txt"));
  EXPECT_TRUE(fake.files.exists("C:\\Watched\\secret.dat"));
  EXPECT_TRUE(fake.files.exists("C:\\Watched\\sys.dat"));
  for (const std::string& line : lines(dayLog())) EXPECT_EQ(line.find(".dat"), std::string::npos) << line;

  // Subfolders raise events but only the folder's own files are examined.
  fake.files.addFile("C:\\Watched\\sub\\other.txt", "o");
  fake.watchers.deliver();
  EXPECT_TRUE(fake.files.exists("C:\\Watched\\sub\\other.txt"));
}

TEST_F(WatchPageTest, WithTheModeOffNothingIsDeletedOrLoggedAndTurningItOnKeepsTheEarlierSnapshot) {
  WatchPage& page = watching();
  page.radiobutton3->click();
  EXPECT_EQ(lines(fake.inProgram("mode.txt")), (Lines{"0"}));
  fake.files.addFile("C:\\Watched\\late.txt", "l");
  fake.watchers.deliver();
  EXPECT_TRUE(fake.files.exists("C:\\Watched\\late.txt"));
  EXPECT_FALSE(fake.files.exists(dayLog()));

  // A double-click while off changes nothing either.
  fake.files.addDirectory("C:\\Other");
  choose(page, "C:\\Other");
  EXPECT_EQ(window->ShellChangeNotifier1.root(), "C:\\Watched");
  EXPECT_EQ(snapshot(), (Lines{"a.txt"}));

  page.radiobutton4->click();
  EXPECT_EQ(snapshot(), (Lines{"a.txt"}));
  fake.files.addFile("C:\\Watched\\later.txt", "l");
  fake.watchers.deliver();
  EXPECT_FALSE(fake.files.exists("C:\\Watched\\late.txt"));  // not in the snapshot taken before
  EXPECT_FALSE(fake.files.exists("C:\\Watched\\later.txt"));
}

TEST_F(WatchPageTest, AFileStillHeldByItsWriterIsTriedAgainInsteadOfBeingKeptForGood) {
  watching();
  fake.files.addFile("C:\\Watched\\held.txt", "h");
  fake.files.addFile("C:\\Watched\\free.txt", "f");
  fake.files.setLocked("C:\\Watched\\held.txt", true);
  fake.watchers.deliver();
  EXPECT_TRUE(fake.files.exists("C:\\Watched\\held.txt"));
  EXPECT_FALSE(fake.files.exists("C:\\Watched\\free.txt"));  // one held file protects no other
  EXPECT_EQ(snapshot(), (Lines{"a.txt", "free.txt"}));

  fake.files.setLocked("C:\\Watched\\held.txt", false);  // closing a file changes no name: no event
  fake.timers.advance(FolderSurveillance::kRetryDelayMs);
  EXPECT_FALSE(fake.files.exists("C:\\Watched\\held.txt"));
  EXPECT_EQ(snapshot(), (Lines{"a.txt", "free.txt", "held.txt"}));
}

// What a real machine does to a watched folder now and then. None of it may
// delete a file of the user's: the event ends, the snapshot stays as it was,
// and once the fault is gone the surveillance goes on as before.
TEST_F(WatchPageTest, AnEventThatCannotListReadOrWriteDeletesNothingAndLeavesTheSnapshot) {
  struct Fault {
    const char* what;
    std::function<void(testing::FakePlatform&, const std::string& snapshot)> apply, clear;
  } faults[] = {
      {"a listing that fails once", [](auto& f, auto&) { f.files.failListings("C:\\Watched"); }, [](auto&, auto&) {}},
      {"a snapshot held by another program", [](auto& f, auto& s) { f.files.setLocked(s, true); },
       [](auto& f, auto& s) { f.files.setLocked(s, false); }},
      {"a snapshot that cannot be written", [](auto& f, auto& s) { f.files.failWritesTo(s, 0); },
       [](auto& f, auto& s) { f.files.failWritesTo(s, 1000); }},
      {"a full disk", [](auto& f, auto&) { f.files.setDiskFull(true); }, [](auto& f, auto&) { f.files.setDiskFull(false); }},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.what);
    testing::FakePlatform& f = fake;
    for (int i = 0; i < 200; ++i) f.files.addFile("C:\\Watched\\user file " + std::to_string(i) + ".txt", "u");
    watching();
    const std::string before = fake.files.contents(fake.inProgram("repertoiresurveille.txt")).value();
    fault.apply(fake, fake.inProgram("repertoiresurveille.txt"));
    fake.files.addFile("C:\\Watched\\new.txt", "n");
    fake.watchers.deliver();
    EXPECT_TRUE(fake.files.exists("C:\\Watched\\new.txt"));
    fault.clear(fake, fake.inProgram("repertoiresurveille.txt"));
    EXPECT_EQ(fake.files.contents(fake.inProgram("repertoiresurveille.txt")), before);

    fake.files.addFile("C:\\Watched\\later.txt", "l");
    fake.watchers.deliver();
    EXPECT_FALSE(fake.files.exists("C:\\Watched\\later.txt"));
    EXPECT_FALSE(fake.files.exists("C:\\Watched\\new.txt"));
    EXPECT_EQ(fake.files.fileNames("C:\\Watched").size(), 201u);  // a.txt and the user's 200
    for (const std::string& name : fake.files.fileNames("C:\\Watched")) fake.files.remove("C:\\Watched\\" + name);
    fake.files.addFile("C:\\Watched\\a.txt", "a");
  }
}

TEST_F(WatchPageTest, AChoiceThatCannotBeWrittenWhollyLeavesTheEarlierFolderWatchedAgainstItsOwnSnapshot) {
  fake.files.addFile("C:\\Second\\b.txt", "b");
  const std::string snapshotFile = fake.inProgram("repertoiresurveille.txt");
  const std::string choiceFile = fake.inProgram("surveille.txt");
  struct Case {
    const char* what;
    std::function<void()> fail;
    bool trusted;  // the earlier snapshot could be put back
  } cases[] = {
      {"the new snapshot cannot be written", [&] { fake.files.failWritesTo(snapshotFile, 0); }, true},
      {"surveille.txt cannot be written", [&] { fake.files.failWritesTo(choiceFile, 0); }, true},
      {"neither surveille.txt nor the earlier snapshot can be written",
       [&] {
         fake.files.failWritesTo(choiceFile, 0);
         fake.files.failWritesTo(snapshotFile, 1);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WatchPage& page = watching();
    c.fail();
    EXPECT_THROW(choose(page, "C:\\Second"), std::runtime_error);
    fake.files.failWritesTo(snapshotFile, 1000);
    fake.files.failWritesTo(choiceFile, 1000);
    EXPECT_EQ(lines(choiceFile), (Lines{"C:\\Watched"}));
    EXPECT_EQ(fake.watchers.roots(), (Names{"c:\\watched\\"}));
    if (c.trusted) {
      EXPECT_EQ(snapshot(), (Lines{"a.txt"}));
    }
    // No file of either folder is deleted for the other's snapshot.
    fake.files.addFile("C:\\Second\\c.txt", "c");
    fake.files.addFile("C:\\Watched\\new.txt", "n");
    fake.watchers.deliver();
    EXPECT_TRUE(fake.files.exists("C:\\Second\\b.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\Second\\c.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\Watched\\a.txt"));
    EXPECT_EQ(fake.files.exists("C:\\Watched\\new.txt"), !c.trusted);
    // A choice that succeeds puts everything right.
    choose(page, "C:\\Second");
    EXPECT_EQ(snapshot(), (Lines{"b.txt", "c.txt"}));
    fake.files.addFile("C:\\Second\\d.txt", "d");
    fake.watchers.deliver();
    EXPECT_FALSE(fake.files.exists("C:\\Second\\d.txt"));
    fake.files.remove("C:\\Second\\c.txt");
    fake.files.remove("C:\\Watched\\new.txt");
  }
}

TEST_F(WatchPageTest, AFolderMovedAwayAndBackKeepsWhatAppearedMeanwhileAndIsWatchedAgain) {
  // The folder put back lists at once, or refuses its first listing (as it
  // can under wine): it is said to be watched again only once what it holds
  // is in the snapshot, and a file made after that is deleted.
  for (const int failedListings : {0, 1}) {
    SCOPED_TRACE(failedListings);
    watching();
    ASSERT_TRUE(fake.files.rename("C:\\Watched", "C:\\Away", false));
    fake.watchers.deliver();
    fake.files.addFile("C:\\Away\\meanwhile.txt", "m");  // the user's, in a folder no longer watched
    fake.watchers.deliver();
    EXPECT_TRUE(fake.files.exists("C:\\Away\\meanwhile.txt"));
    ASSERT_TRUE(fake.files.rename("C:\\Away", "C:\\Watched", false));
    if (failedListings) fake.files.failListings("C:\\Watched", failedListings);
    fake.watchers.deliver();
    EXPECT_EQ(fake.watchers.roots(), (Names{"c:\\watched\\"}));
    if (failedListings) {
      EXPECT_EQ(lines(dayLog()).size(), 1u);  // not yet watched again
      fake.timers.advance(FolderSurveillance::kRetryDelayMs);
    }
    const Lines log = lines(dayLog());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], builtInText("FR", 102) + "C:\\Watched");
    EXPECT_EQ(log[1], builtInText("FR", 103) + "C:\\Watched");
    fake.files.addFile("C:\\Watched\\after.txt", "n");
    fake.watchers.deliver();
    EXPECT_TRUE(fake.files.exists("C:\\Watched\\meanwhile.txt"));
    EXPECT_TRUE(fake.files.exists("C:\\Watched\\a.txt"));
    EXPECT_FALSE(fake.files.exists("C:\\Watched\\after.txt"));
    for (const std::string& name : fake.files.fileNames("C:\\Watched")) fake.files.remove("C:\\Watched\\" + name);
    fake.files.remove(dayLog());
    fake.files.addFile("C:\\Watched\\a.txt", "a");
  }
}

TEST_F(WatchPageTest, ANewFolderUnderTheWatchedNameIsWatchedAlsoWhenOnlyTheSlowCheckCanSeeIt) {
  fake.files.addFile("C:\\Top\\Watched\\a.txt", "a");
  fake.files.addFile(fake.inProgram("mode.txt"), "1\r\n");
  start();
  choose(open<WatchPage>(nav::kWatch), "C:\\Top\\Watched");
  // The folder above it moves: no watch sees the name go, the check does.
  ASSERT_TRUE(fake.files.rename("C:\\Top", "C:\\Old", false));
  fake.watchers.deliver();
  fake.timers.advance(ui::ShellChangeNotifier::kCheckMs);
  EXPECT_TRUE(fake.watchers.roots().empty());
  fake.files.addFile("C:\\Top\\Watched\\theirs.txt", "t");
  fake.timers.advance(ui::ShellChangeNotifier::kCheckMs);
  EXPECT_EQ(fake.watchers.roots(), (Names{"c:\\top\\watched\\"}));
  fake.files.addFile("C:\\Top\\Watched\\new.txt", "n");
  fake.watchers.deliver();
  EXPECT_TRUE(fake.files.exists("C:\\Top\\Watched\\theirs.txt"));
  EXPECT_FALSE(fake.files.exists("C:\\Top\\Watched\\new.txt"));
  EXPECT_TRUE(fake.files.exists("C:\\Old\\Watched\\a.txt"));
}

TEST_F(WatchPageTest, AFolderMissingAtTheStartIsLoggedAndWatchedOnceItIsThere) {
  fake.files.addFile(fake.inProgram("mode.txt"), "1\r\n");
  fake.files.addFile(fake.inProgram("surveille.txt"), "C:\\Stick\\Work\r\n");
  fake.files.addFile(fake.inProgram("repertoiresurveille.txt"), "old.txt\r\n");
  start();
  EXPECT_EQ(lines(dayLog()), (Lines{builtInText("FR", 102) + "C:\\Stick\\Work"}));
  fake.files.addFile("C:\\Stick\\Work\\brought.txt", "b");  // the folder comes, with a file in it
  fake.timers.advance(ui::ShellChangeNotifier::kCheckMs);
  EXPECT_EQ(lines(dayLog()).back(), builtInText("FR", 103) + "C:\\Stick\\Work");
  fake.files.addFile("C:\\Stick\\Work\\new.txt", "n");
  fake.watchers.deliver();
  EXPECT_TRUE(fake.files.exists("C:\\Stick\\Work\\brought.txt"));
  EXPECT_FALSE(fake.files.exists("C:\\Stick\\Work\\new.txt"));
}

TEST_F(WatchPageTest, ADayLogHeldByAnotherProgramGetsItsLinesLaterInTheirOrder) {
  watching();
  fake.files.addFile("C:\\Watched\\first.txt", "1");
  fake.watchers.deliver();
  const std::size_t logged = lines(dayLog()).size();
  fake.files.setLocked(dayLog(), true);
  fake.files.addFile("C:\\Watched\\second.txt", "2");
  fake.watchers.deliver();
  EXPECT_FALSE(fake.files.exists("C:\\Watched\\second.txt"));  // the surveillance went on
  EXPECT_GT(window->surveillance.waitingLogLines(), 0u);
  fake.timers.advance(FolderSurveillance::kLogRetryMs);  // still held: the lines wait on
  fake.files.setLocked(dayLog(), false);
  fake.timers.advance(FolderSurveillance::kLogRetryMs);
  EXPECT_EQ(window->surveillance.waitingLogLines(), 0u);
  const Lines log = lines(dayLog());
  // The blocks of the event that deleted second.txt and of the one its deletion raised, in that order.
  ASSERT_EQ(log.size(), logged + 3);
  EXPECT_EQ(Lines(log.begin() + static_cast<std::ptrdiff_t>(logged), log.end()),
            (Lines{"C:\\Watched\\a.txt", "C:\\Watched\\second.txt", "C:\\Watched\\a.txt"}));
}

TEST_F(WatchPageTest, TheStartUpWatchesTheRememberedFolderAndAFirstStartWatchesCWithoutEffect) {
  start();
  EXPECT_EQ(lines(fake.inProgram("mode.txt")), (Lines{"0"}));
  EXPECT_EQ(fake.watchers.roots(), (Names{"c:\\"}));
  fake.files.addFile("C:\\stray.txt", "s");
  fake.watchers.deliver();
  EXPECT_TRUE(fake.files.exists("C:\\stray.txt"));
  EXPECT_FALSE(fake.files.exists(dayLog()));

  // The page opens on the mode in force and writes nothing.
  WatchPage& page = open<WatchPage>(nav::kWatch);
  EXPECT_TRUE(page.radiobutton3->checked());
  EXPECT_FALSE(page.radiobutton4->checked());
  EXPECT_EQ(state().WatchMode, '0');
  EXPECT_FALSE(fake.files.exists(fake.inProgram("surveille.txt")));

  fake.files.addFile(fake.inProgram("surveille.txt"), "C:\\Watched\r\n");
  start();
  EXPECT_EQ(fake.watchers.roots(), (Names{"c:\\watched\\"}));
}

TEST_F(WatchPageTest, ReportsAreShownAndDeletedAfterTheQuestionUnlessAnEngineHoldsThem) {
  fake.files.addFile(fake.inProgram("rtmod1.txt"), "line 1\r\nline 2\r\n");
  fake.files.addFile(fake.inProgram("netmod.txt"), "busy\r\n");
  fake.files.addFile(fake.inProgram("notes.txt"), "not a report\r\n");
  start();
  WatchPage& page = open<WatchPage>(nav::kWatch);
  EXPECT_EQ(page.reports->items(), (Names{"mode.txt", "netmod.txt", "rtmod1.txt"}));

  page.BitBtn7->click();  // nothing chosen
  EXPECT_TRUE(page.reportView->lines().empty());
  page.reports->clickItem(2);
  page.BitBtn7->click();
  EXPECT_EQ(page.reportView->lines(), (Lines{"line 1", "line 2"}));

  fake.files.setLocked(fake.inProgram("netmod.txt"), true);
  page.reports->clickItem(1);
  page.BitBtn7->click();
  EXPECT_TRUE(page.reportView->lines().empty());
  page.BitBtn8->click();
  EXPECT_TRUE(fake.dialogs.questions.empty());
  EXPECT_TRUE(fake.files.exists(fake.inProgram("netmod.txt")));

  page.reports->clickItem(2);
  page.BitBtn7->click();
  fake.dialogs.answerNext(Answer::No);
  page.BitBtn8->click();
  EXPECT_TRUE(fake.files.exists(fake.inProgram("rtmod1.txt")));
  EXPECT_EQ(page.reportView->lines().size(), 2u);
  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn8->click();
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 65", "fr 65"}));
  EXPECT_FALSE(fake.files.exists(fake.inProgram("rtmod1.txt")));
  EXPECT_TRUE(page.reportView->lines().empty());
  EXPECT_EQ(page.reports->count(), 3);  // listed until the page is built again
}

TEST_F(WatchPageTest, TheFourSwitchBoxesShowAndStoreFieldsThreeToSix) {
  start();
  state().ConfigurationSwitches[4] = true;  // Champ5
  WatchPage& page = open<WatchPage>(nav::kWatch);
  ui::CheckBox* three = page.switches[0];
  EXPECT_TRUE(page.switches[2]->checked());
  EXPECT_FALSE(three->checked());
  EXPECT_EQ(three->caption(), "fr 77");
  three->click();
  EXPECT_TRUE(state().ConfigurationSwitches[2]);
  EXPECT_TRUE(fake.files.exists(fake.inProgram("configuration.xml")));
}

}  // namespace
}  // namespace tg
