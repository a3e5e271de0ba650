// Records carried between program folders by the real control centre under
// wine: through the options page's Save and Open dialogs, and from the command
// line of a later start, with a control centre running and without one.
#include "ControlCentreKit.h"

#include "stores/StoreSchema.h"
#include "win32/FileDialogPresser.h"

namespace tg::e2e {
namespace {

std::string quarantineXml(const std::vector<Row>& rows) {
  return encodeDataPacket(schemaOf(StoreId::Quarantine).fields, rows, CodePage(static_cast<int>(GetACP())));
}

// A start of the program with these arguments, awaited: its exit code, or
// 999 when it did not end within the bound.
DWORD runProgram(const ProgramDirectory& dir, const std::string& arguments) {
  StartedProgram started = testing::startCommand("\"" + dir.exe() + "\" " + arguments, dir.folder.path());
  DWORD code = 999;
  if (!started || !started.waitForExit(90000, &code)) return 999;
  return code;
}

// The options page's group: the carry list, the Export and Import buttons.
constexpr int kGroupLeft = 56, kGroupTop = 200;

// The info box the control centre shows after a transfer: its text, once answered.
std::string answeredInfoBox() {
  if (!waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 20000)) return "<no box>";
  const std::string text = boxText(FindWindowA("#32770", "Tarnivoxguard2013"));
  answerNextBox(IDOK);
  waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") == nullptr; }, 10000);
  return text;
}

std::string withoutDots(std::string caption) {
  while (!caption.empty() && caption.back() == '.') caption.pop_back();
  return caption;
}

TEST(TransferUnderWine, RecordsExportedThroughTheSaveDialogComeIntoAnotherProgramFolderThroughTheOpenDialog) {
  Victim victim;
  ASSERT_TRUE(victim.process);
  EngineFolder carried;
  const std::string folder = carried / "Tarnivoxguard2013 export";
  const std::vector<Row> rules = {{"a,b;\"c\".exe", "09/12/2026 19:50:32", "@", "?", "12", "32", "PC/Elodie",
                                   "C:\\Programmes\\caf\xE9\\a.exe", "123"},
                                  {"other.exe", "09/12/2026 19:51:00", "!"}};
  {
    ProgramDirectory from;
    storeFile(from, StoreId::Rules, rules);
    storeFile(from, StoreId::Quarantine, {{"victim.exe"}});
    storeFile(from, StoreId::Sites, {{"exemple.fr", "93.184.216.34"}});
    ControlCentre centre(from);
    ASSERT_TRUE(centre.ready);
    ASSERT_TRUE(centre.openWindow());
    ASSERT_TRUE(centre.choose(6));
    HWND carry = pageControl(centre, "COMBOBOX", kGroupLeft + 120, kGroupTop + 28);
    HWND exportButton = pageChild(centre, "BUTTON", kGroupLeft + 120, kGroupTop + 62);
    ASSERT_NE(carry, nullptr);
    ASSERT_NE(exportButton, nullptr);
    EXPECT_EQ(SendMessageA(carry, CB_GETCURSEL, 0, 0), 4) << "all of them";
    EXPECT_EQ(windowText(exportButton), from.entry(113));
    screenshot(centre.mainWindow(), "page-options-transfer.bmp");

    clickButton(exportButton);
    const testing::FileDialogSeen seen = testing::answerFileDialog(withoutDots(from.entry(113)), {.fileName = folder});
    EXPECT_TRUE(seen.asAnswered);
    EXPECT_EQ(seen.shownName.rfind("Tarnivoxguard2013 2", 0), 0u) << seen.shownName;
    const std::string told = answeredInfoBox();
    EXPECT_NE(told.find(from.entry(121) + folder + "\\regles.xml"), std::string::npos) << told;
  }
  for (const char* file : {"regles.xml", "alertes.xml", "quarantaines.xml", "site.xml"})
    EXPECT_TRUE(carried.exists(std::string("Tarnivoxguard2013 export\\") + file)) << file;

  ProgramDirectory to;
  answerAsNetworkEngine(to, victim.connectionLine());
  ControlCentre centre(to);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(centre.readingsGoneBy(1));
  EXPECT_FALSE(victim.process.waitForExit(0)) << "not in quarantine here yet";
  ASSERT_TRUE(centre.choose(6));
  HWND importButton = pageControl(centre, "BUTTON", kGroupLeft + 241, kGroupTop + 62);
  ASSERT_NE(importButton, nullptr);
  clickButton(importButton);
  const testing::FileDialogSeen seen = testing::answerFileDialog(
      withoutDots(to.entry(114)),
      {.folder = folder, .fileName = "\"regles.xml\" \"alertes.xml\" \"quarantaines.xml\" \"site.xml\""});
  EXPECT_TRUE(seen.asAnswered);
  const std::string told = answeredInfoBox();
  EXPECT_NE(told.find(folder + "\\quarantaines.xml\r\n" + to.entry(5) + ": 1" + to.entry(117)), std::string::npos)
      << told;
  EXPECT_NE(told.find(to.entry(120) + to.folder / "regles.before-import-"), std::string::npos) << told;
  EXPECT_TRUE(victim.process.waitForExit(20000)) << "ended at the next reading";
  const std::vector<std::string> names = namesIn(to, StoreId::Rules);
  for (const Row& rule : rules)
    EXPECT_NE(std::find(names.begin(), names.end(), rule[0]), names.end()) << rule[0];
  EXPECT_EQ(storeRows(to.folder, "site.xml"), (std::vector<Row>{{"exemple.fr", "93.184.216.34"}}));
}

TEST(TransferUnderWine, AnImportFromTheCommandLineIsDoneWithoutAWindowOrHandedToTheRunningControlCentre) {
  Victim victim;
  ASSERT_TRUE(victim.process);
  ProgramDirectory dir;
  EngineFolder carried;
  ASSERT_TRUE(carried.write("company.xml", quarantineXml({{"other.exe"}})));
  ASSERT_TRUE(carried.write("broken.xml", quarantineXml({{"x.exe"}}).substr(0, 120)));
  ASSERT_TRUE(carried.write("victims.xml", quarantineXml({{"victim.exe"}, {"other.exe"}})));

  // No control centre runs: the start does the work itself and ends.
  EXPECT_EQ(runProgram(dir, "/import \"" + carried / "company.xml" + "\""), 0u);
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"other.exe"}));
  EXPECT_EQ(runProgram(dir, "/import \"" + carried / "broken.xml" + "\""), 2u);
  EXPECT_EQ(runProgram(dir, "/import"), 1u);
  EXPECT_EQ(runProgram(dir, "/export \"" + dir.folder.path() + "\""), 3u) << "the program's own files";
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"other.exe"}));

  // It runs: the request goes to it, and its monitor follows at once.
  answerAsNetworkEngine(dir, victim.connectionLine());
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.readingsGoneBy(1));
  EXPECT_FALSE(victim.process.waitForExit(0)) << "not in quarantine yet";
  EXPECT_EQ(runProgram(dir, "/import \"" + carried / "victims.xml" + "\""), 0u);
  EXPECT_TRUE(victim.process.waitForExit(20000)) << "ended at the next reading";
  EXPECT_EQ(runProgram(dir, "/export \"" + carried / "out" + "\""), 0u);
  EXPECT_EQ(namesIn(dir, StoreId::Quarantine), (std::vector<std::string>{"other.exe", "victim.exe"}));
  const auto exported = storeRows(carried, "out\\quarantaines.xml");
  EXPECT_EQ(exported, (std::vector<Row>{{"other.exe"}, {"victim.exe"}}));
  EXPECT_TRUE(carried.exists("out\\regles.xml"));
  EXPECT_TRUE(IsWindow(centre.mainWindow())) << "the running one goes on";
}

}  // namespace
}  // namespace tg::e2e
