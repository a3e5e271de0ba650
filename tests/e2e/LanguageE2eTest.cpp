// The options page of the real control centre under wine: shown at its place,
// and a language chosen in its real list and applied with its real button.
#include "ControlCentreKit.h"
#include "stores/LanguageTable.h"

namespace tg::e2e {
namespace {

TEST(OptionsPageUnderWine, ALanguageChosenInTheListAndAppliedRenamesTheNavigationAndTheCaption) {
  ProgramDirectory dir;
  const Lines english = splitLines(dir.folder.read("kelm2013_gb.txt"));
  ASSERT_EQ(english.size(), static_cast<std::size_t>(LanguageTable::kLastEntry));
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  // Held from here: the window is found by its French title, which the test changes.
  HWND window = centre.mainWindow();
  HWND navigation = centre.navigationList();

  ASSERT_TRUE(centre.choose(6));
  HWND languages = pageControl(centre, "COMBOBOX", 176, 136);
  ASSERT_NE(languages, nullptr);
  HWND stores = pageChild(centre, "COMBOBOX", 176, 72);
  HWND apply = pageChild(centre, "BUTTON", 416, 136);
  ASSERT_NE(stores, nullptr);
  ASSERT_NE(apply, nullptr);
  EXPECT_EQ(SendMessageA(stores, CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(languages, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageA(languages, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_NE(GetWindowLongA(languages, GWL_STYLE) & CBS_OWNERDRAWFIXED, 0);  // rows with their flags
  EXPECT_EQ(windowText(apply), dir.entry(19));

  // The user's choice of the second row, as the list reports it to its parent.
  SendMessageA(languages, CB_SETCURSEL, 1, 0);
  SendMessageA(GetParent(languages), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(languages), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(languages));
  screenshot(window, "page-options.bmp");
  SendMessageA(languages, CB_SHOWDROPDOWN, TRUE, 0);
  screenshot(window, "page-options-languages.bmp");
  SendMessageA(languages, CB_SHOWDROPDOWN, FALSE, 0);
  clickButton(apply);
  ASSERT_TRUE(waitFor([&] { return windowText(window) == english[23]; }, 10000)) << windowText(window);
  ASSERT_EQ(SendMessageA(navigation, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(kNavigationEntries.size()));
  for (std::size_t row = 0; row < kNavigationEntries.size(); ++row)
    EXPECT_EQ(listText(navigation, static_cast<int>(row)), english[kNavigationEntries[row] - 1]) << "row " << row;
  const std::vector<Row> choice = storeRows(dir.folder, "langues.xml");
  ASSERT_EQ(choice.size(), 1u);
  EXPECT_EQ(valueOf(choice[0], 0), "GB");
  screenshot(window, "page-options-applied.bmp");

  // Back to French, so that the kit finds the window by its title to end the run.
  SendMessageA(languages, CB_SETCURSEL, 0, 0);
  SendMessageA(GetParent(languages), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(languages), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(languages));
  clickButton(apply);
  EXPECT_TRUE(waitFor([&] { return centre.mainWindow() == window; }, 10000));
  EXPECT_EQ(listText(navigation, 0), dir.entry(1));
}

}  // namespace
}  // namespace tg::e2e
