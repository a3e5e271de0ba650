// The settings pages of the real control centre under wine: a switch clicked
// on its page rewrites the configuration and restarts the real-time engine;
// the journal, scan and backup pages shown; a new drive offered for scanning;
// a file scrambled and restored.
#include "ControlCentreKit.h"

#include <commctrl.h>
#include <dbt.h>

#include <thread>

#include "stores/StoreSchema.h"

namespace tg::e2e {
namespace {

TEST(ProtectionSwitchesUnderWine, ASwitchClickedOnItsPageRewritesTheConfigurationAndRestartsTheEngine) {
  ProgramDirectory dir;
  std::vector<Row> stored{Row(12, "1")};
  stored[0][0] = "0";
  ASSERT_TRUE(dir.folder.write("configuration.xml", encodeDataPacket(schemaOf(StoreId::Configuration).fields, stored,
                                                                     CodePage(static_cast<int>(GetACP())))));
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(waitFor([] { return processesNamed("rtguard.exe").size() == 1; }));
  const DWORD first = processesNamed("rtguard.exe").front();

  ASSERT_TRUE(centre.choose(57));
  // The group at (56, 40) of the page, the box of Champ1 at (16, 64) in the group.
  HWND box = pageControl(centre, "BUTTON", 56 + 16, 40 + 64);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  screenshot(centre.mainWindow(), "page-real-time.bmp");
  clickButton(box);
  // The engine is started again once the file is written.
  ASSERT_TRUE(waitFor([&] { return countOf(dir.folder.read("probe.log"), "rtguard.exe|") == 2; }, 10000));
  EXPECT_EQ(storeRows(dir.folder, "configuration.xml"), (std::vector<Row>{Row(12, "1")}));
  ASSERT_TRUE(waitFor([&] {
    const auto pids = processesNamed("rtguard.exe");
    return pids.size() == 1 && pids.front() != first;
  }, 10000));  // the old one ended, a new one runs
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);

  ASSERT_TRUE(centre.choose(4));
  HWND journal = pageControl(centre, "BUTTON", 152 + 8, 80 + 24);
  ASSERT_NE(journal, nullptr);
  HWND matched = pageChild(centre, "BUTTON", 152 + 8, 80 + 56);
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
  ASSERT_TRUE(centre.choose(85));
  HWND memo = pageControl(centre, WC_EDITA, 400, 77);
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

TEST(BackupUnderWine, APairOfTwoFoldersIsListedAndBackedUpAtOnce) {
  ProgramDirectory dir;
  testing::TempFolder first, second;
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(centre.choose(99));
  HWND firstField = pageControl(centre, WC_EDITA, 24, 222);
  HWND secondField = pageControl(centre, WC_EDITA, 176, 222);
  ASSERT_NE(firstField, nullptr);
  ASSERT_NE(secondField, nullptr);
  SendMessageA(firstField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(first.path().c_str()));
  SendMessageA(secondField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(second.path().c_str()));
  HWND add = pageChild(centre, "BUTTON", 32, 282);
  ASSERT_NE(add, nullptr);
  clickButton(add);
  HWND pairs = pageChild(centre, WC_COMBOBOXA, 24, 252);
  ASSERT_NE(pairs, nullptr);
  ASSERT_TRUE(waitFor([&] { return SendMessageA(pairs, CB_GETCOUNT, 0, 0) == 1; }, 5000));
  // The user picks the row.
  SendMessageA(pairs, CB_SETCURSEL, 0, 0);
  SendMessageA(GetParent(pairs), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(pairs), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(pairs));
  clickButton(pageChild(centre, "BUTTON", 200, 282));
  EXPECT_TRUE(dir.folder.waitForText("probe.log", "backup.exe|" + first.path() + ";" + second.path(), 10000))
      << dir.folder.read("probe.log");
  screenshot(centre.mainWindow(), "page-backup.bmp");
}

TEST(CipherUnderWine, AFileScrambledAndRestoredThroughThePageIsItselfAgain) {
  ProgramDirectory dir;
  testing::TempFolder files;
  std::string plain(70000, '\0');
  for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<char>((i * 13) & 0xFF);
  {
    HANDLE f = CreateFileA((files / "plain.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, plain.data(), static_cast<DWORD>(plain.size()), &written, nullptr);
    CloseHandle(f);
  }
  const auto readAll = [](const std::string& path) {
    std::string bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::string("(none)");
    char block[4096];
    DWORD got = 0;
    while (ReadFile(f, block, sizeof block, &got, nullptr) && got > 0) bytes.append(block, got);
    CloseHandle(f);
    return bytes;
  };
  ControlCentre centre(dir);
  ASSERT_TRUE(centre.ready);
  ASSERT_TRUE(centre.openWindow());
  ASSERT_TRUE(centre.choose(96));
  HWND first = pageControl(centre, WC_EDITA, 32, 32);
  HWND second = pageControl(centre, WC_EDITA, 220, 32);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  const std::string plainPath = files / "plain.bin", scrambledPath = files / "plain.enc";
  SendMessageA(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(plainPath.c_str()));
  SendMessageA(second, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(scrambledPath.c_str()));
  screenshot(centre.mainWindow(), "page-cipher.bmp");

  clickButton(pageChild(centre, "BUTTON", 32, 62));
  answerNextBox(IDYES);
  ASSERT_TRUE(waitFor([&] { return readAll(scrambledPath).size() == plain.size(); }, 10000));
  const std::string scrambled = readAll(scrambledPath);
  EXPECT_NE(scrambled, plain);
  ASSERT_TRUE(DeleteFileA(plainPath.c_str()));

  clickButton(pageChild(centre, "BUTTON", 220, 62));
  answerNextBox(IDYES);
  ASSERT_TRUE(waitFor([&] { return readAll(plainPath).size() == plain.size(); }, 10000));
  EXPECT_TRUE(readAll(plainPath) == plain);
  EXPECT_EQ(readAll(scrambledPath), scrambled);
}

}  // namespace
}  // namespace tg::e2e
