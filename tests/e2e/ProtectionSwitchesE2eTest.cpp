// The protection switches of the real control centre under wine: a switch
// clicked on its page rewrites the configuration and restarts the real-time
// engine; the journal and scan pages shown; a new drive offered for scanning.
#include "ControlCentreKit.h"

#include <commctrl.h>
#include <dbt.h>

#include <thread>

#include "stores/StoreSchema.h"

namespace tg::e2e {
namespace {

int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::vector<DWORD> pidsOf(const std::string& name) {
  win32::Win32Processes processes;
  std::vector<DWORD> pids;
  for (const ProcessEntry& entry : processes.snapshot().value_or(std::vector<ProcessEntry>{}))
    if (_stricmp(entry.exeName.c_str(), name.c_str()) == 0) pids.push_back(entry.pid);
  return pids;
}

// A control of a page once shown, at its place in the main window's client area.
HWND shownAt(const ControlCentre& centre, const char* windowClass, int left, int top) {
  HWND found = nullptr;
  waitFor([&] {
    found = childAt(centre.mainWindow(), windowClass, left, top);
    return found && IsWindowVisible(found);
  }, 10000);
  return found;
}

TEST(ProtectionSwitchesUnderWine, ASwitchClickedOnItsPageRewritesTheConfigurationAndRestartsTheEngine) {
  ProgramDirectory dir;
  std::vector<Row> stored{Row(12, "1")};
  stored[0][0] = "0";
  ASSERT_TRUE(dir.folder.write("configuration.xml", encodeDataPacket(schemaOf(StoreId::Configuration).fields, stored,
                                                                     CodePage(static_cast<int>(GetACP())))));
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(waitFor([] { return pidsOf("rtguard.exe").size() == 1; }));
  const DWORD first = pidsOf("rtguard.exe").front();

  centre.choose(57);
  // The page panel at (176, 48), the group at (56, 40) in it, the box of Champ1 at (16, 64) in the group.
  HWND box = shownAt(centre, "BUTTON", 176 + 56 + 16, 48 + 40 + 64);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  screenshot(centre.mainWindow(), "page-real-time.bmp");
  clickButton(box);
  ASSERT_TRUE(waitFor([&] { return valueOf(storeRows(dir.folder, "configuration.xml").at(0), 0) == "1"; }, 10000));
  EXPECT_EQ(storeRows(dir.folder, "configuration.xml"), (std::vector<Row>{Row(12, "1")}));
  ASSERT_TRUE(waitFor([&] { return countOf(dir.folder.read("probe.log"), "rtguard.exe|") == 2; }, 10000));
  ASSERT_TRUE(waitFor([&] {
    const auto pids = pidsOf("rtguard.exe");
    return pids.size() == 1 && pids.front() != first;
  }, 10000));  // the old one ended, a new one runs
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);

  centre.choose(4);
  HWND journal = shownAt(centre, "BUTTON", 176 + 152 + 8, 48 + 80 + 24);
  ASSERT_NE(journal, nullptr);
  HWND matched = childAt(centre.mainWindow(), "BUTTON", 176 + 152 + 8, 48 + 80 + 56);
  ASSERT_NE(matched, nullptr);
  EXPECT_EQ(SendMessageA(matched, BM_GETCHECK, 0, 0), BST_CHECKED);
  screenshot(centre.mainWindow(), "page-journal.bmp");
}

TEST(ScanningUnderWine, TheScanPageShowsTheLastReportAndANewDriveIsOfferedForScanning) {
  ProgramDirectory dir;
  dir.folder.write("anaviri.txt", "C:\\eicar.com : Eicar-Test-Signature\r\n1 menace\r\n");
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  centre.choose(85);
  HWND memo = shownAt(centre, WC_EDITA, 176 + 400, 48 + 77);
  ASSERT_NE(memo, nullptr);
  char text[256] = {};
  SendMessageA(memo, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "C:\\eicar.com : Eicar-Test-Signature\r\n1 menace");
  screenshot(centre.mainWindow(), "page-scan.bmp");

  // Drive C: arrives as the system tells it; its volume can be read.
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = 1u << 2;
  // Sent from a thread of its own: the handler's question keeps the send waiting.
  struct Sender {
    std::thread thread;
    ~Sender() { thread.join(); }
  } sender{std::thread([&volume, window = centre.mainWindow()] {
    SendMessageTimeoutA(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL,
                        20000, nullptr);
  })};
  ASSERT_TRUE(waitFor([] { return FindWindowA("#32770", "Tarnivoxguard2013") != nullptr; }, 10000));
  EXPECT_EQ(boxText(FindWindowA("#32770", "Tarnivoxguard2013")), dir.entry(91) + "C ?");
  answerNextBox(IDYES);
  ASSERT_TRUE(dir.folder.waitForText("probe.log", "scanengine.exe|3 C", 10000)) << dir.folder.read("probe.log");
}

}  // namespace
}  // namespace tg::e2e
