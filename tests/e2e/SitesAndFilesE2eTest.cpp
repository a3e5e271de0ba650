// The site list, the disk scan, the download cleaner and the network identity
// pages of the real control centre under wine: each waits for its engine or
// deletes files while the main window goes on answering.
#include "ControlCentreKit.h"
#include "UserFolderFiles.h"

#include "win32/TempFolder.h"
#include "win32/TestFiles.h"

namespace tg::e2e {
namespace {

using testing::fileExists;
using testing::writeFile;

// The window opened through the tray, on the page of a navigation entry.
bool openOn(const ControlCentre& centre, int entry) {
  return centre.ready && centre.openWindow() && centre.choose(entry);
}

void typeInto(HWND edit, const std::string& text) {
  for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

TEST(SiteListPageUnderWine, TheAddressTheEngineAnswersAfterTwoSecondsIsListedWhileTheWindowAnswers) {
  ProgramDirectory dir;
  ASSERT_TRUE(DeleteFileA((dir.folder / "siteguard.resident").c_str()));  // it answers and ends
  dir.folder.write("siteguard.delay", "2000");
  dir.folder.write("siteguard.answer", "siteguard.txt\r\nSite : exemple.fr\r\nAdresse : 93.184.216.34\r\n");
  ControlCentre centre(dir);
  ASSERT_TRUE(openOn(centre, 62));
  HWND name = pageControl(centre, "EDIT", 160, 56);
  ASSERT_NE(name, nullptr);
  typeInto(name, "exemple.fr");
  ASSERT_TRUE(waitFor([&] { return windowText(name) == "exemple.fr"; }, 5000)) << windowText(name);

  HWND add = pageControl(centre, "BUTTON", 104, 96);
  HWND sites = pageControl(centre, "COMBOBOX", 112, 160);
  ASSERT_NE(sites, nullptr);
  const auto clicked = std::chrono::steady_clock::now();
  clickButton(add);
  // The site is listed once it is stored.
  const Answering answering =
      answeringUntil(centre.mainWindow(), [&] { return SendMessageA(sites, CB_GETCOUNT, 0, 0) == 1; }, 30000);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clicked);
  ASSERT_TRUE(answering.done);
  std::printf("the site was stored after %lld ms; the window answered within %lld ms\n",
              static_cast<long long>(took.count()), answering.worstMs);
  EXPECT_GE(took.count(), 2000);
  EXPECT_LT(answering.worstMs, kHeldWindowMs);
  EXPECT_EQ(storeRows(dir.folder, "site.xml"), (std::vector<Row>{{"exemple.fr", "93.184.216.34"}}));
  EXPECT_TRUE(dir.folder.waitForText("probe.log", "siteguard.exe|exemple.fr", 5000));

  EXPECT_TRUE(waitFor([&] { return windowText(name).empty() && IsWindowEnabled(add); }, 5000));
  SendMessageA(sites, CB_SETCURSEL, 0, 0);
  screenshot(centre.mainWindow(), "page-site-list.bmp");
}

TEST(NetworkIdentityPageUnderWine, TheButtonShowsTheHostAndItsAddress) {
  ProgramDirectory dir;
  ControlCentre centre(dir);
  ASSERT_TRUE(openOn(centre, 63));
  HWND identity = pageControl(centre, "COMBOBOX", 140, 80);
  ASSERT_NE(identity, nullptr);
  clickButton(pageControl(centre, "BUTTON", 280, 144));
  // The entry goes to the drop-down part; the text field stays as it is.
  ASSERT_TRUE(waitFor([&] { return SendMessageA(identity, CB_GETCOUNT, 0, 0) == 1; }, 10000));
  EXPECT_EQ(windowText(identity), "");
  wchar_t wide[256] = {};
  ASSERT_LT(SendMessageW(identity, CB_GETLBTEXTLEN, 0, 0), 256);
  SendMessageW(identity, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(wide));
  char entry[512] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, entry, sizeof entry, nullptr, nullptr);
  char host[256] = {};
  DWORD size = sizeof host;
  ASSERT_TRUE(GetComputerNameA(host, &size));
  // "host address", the address in dotted digits.
  const std::string text = entry;
  const std::size_t space = text.find(' ');
  ASSERT_NE(space, std::string::npos) << text;
  EXPECT_EQ(_stricmp(text.substr(0, space).c_str(), host), 0) << text;
  EXPECT_EQ(text.substr(space + 1).find_first_not_of("0123456789."), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '.'), 3) << text;
  SendMessageA(identity, CB_SHOWDROPDOWN, TRUE, 0);
  screenshot(centre.mainWindow(), "page-network-identity.bmp");
}

// The folder list seen from outside: rows opened by double-clicks, from the drive down.
class RemoteFolderList {
 public:
  RemoteFolderList(HWND list, HWND shown) : list_(list), shown_(shown) {}
  // Opens the folders of a path (no backslash at its end) one by one; whether the box shows it.
  bool open(const std::string& folder) const {
    std::string reached;
    std::size_t at = 0;
    while (at < folder.size()) {
      std::size_t end = folder.find('\\', at);
      if (end == std::string::npos) end = folder.size();
      const std::string part = folder.substr(at, end - at);
      const int row = reached.empty() ? 0 : rowOf(part);
      if (row < 0) return false;
      reached = reached.empty() ? part + "\\" : (reached.back() == '\\' ? reached + part : reached + "\\" + part);
      doubleClick(row);
      if (!waitFor([&] { return _stricmp(windowText(shown_).c_str(), reached.c_str()) == 0; }, 5000)) return false;
      at = end + 1;
    }
    return true;
  }

 private:
  int rowOf(const std::string& caption) const {
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
      if (_stricmp(trimmed(listText(list_, row)).c_str(), caption.c_str()) == 0) return row;
    return -1;
  }
  void doubleClick(int row) const {
    SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    const int top = static_cast<int>(SendMessageA(list_, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM at = MAKELPARAM(20, (row - top) * height + height / 2);
    PostMessageA(list_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list_, WM_LBUTTONUP, 0, at);
    PostMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(list_, WM_LBUTTONUP, 0, at);
  }
  HWND list_;
  HWND shown_;
};

std::string withoutBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

TEST(DiskScanPageUnderWine, StepsZeroToTwoListOneOfTwoCopiesAndStepThreeDeletesItAfterYes) {
  ProgramDirectory dir;
  ASSERT_TRUE(dir.folder.installAs("diskscan.exe"));  // the real scanner in place of the probe
  ASSERT_TRUE(DeleteFileA((dir.folder / "diskscan.resident").c_str()));
  testing::TempFolder area;
  ASSERT_TRUE(CreateDirectoryA((area / "data").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((area / "elsewhere").c_str(), nullptr));
  ASSERT_TRUE(writeFile(area / "data\\first copy.txt", "the same content"));
  ASSERT_TRUE(writeFile(area / "data\\second copy.txt", "the same content"));
  ASSERT_TRUE(writeFile(area / "data\\unique.txt", "a unique content"));

  ControlCentre centre(dir);
  ASSERT_TRUE(openOn(centre, 60));
  HWND checks = pageControl(centre, "LISTBOX", 24, 64);
  HWND folderBox = pageControl(centre, "EDIT", 424, 232);
  HWND folderList = pageControl(centre, "LISTBOX", 424, 24);
  const RemoteFolderList folders(folderList, folderBox);
  // The list opens on the program's current folder, its program directory.
  const std::string programFolder = withoutBackslash(dir.folder.path());
  EXPECT_EQ(_stricmp(trimmed(listText(folderList, static_cast<int>(SendMessageA(folderList, LB_GETCURSEL, 0, 0)))).c_str(),
                     programFolder.substr(programFolder.rfind('\\') + 1).c_str()),
            0);
  ASSERT_NE(checks, nullptr);
  EXPECT_TRUE(GetWindowLongA(checks, GWL_STYLE) & LBS_MULTICOLUMN);
  ASSERT_TRUE(folders.open(withoutBackslash(area / "data"))) << windowText(folderBox);

  long long worstMs = 0;
  const auto runStep = [&](int left, const std::string& endMessage) {
    HWND button = pageControl(centre, "BUTTON", left, 272);
    clickButton(button);
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(button); }, 5000));
    const Answering answering = answeringUntil(
        centre.mainWindow(), [&] { return dir.folder.read("probe.log").find("notify.exe|" + endMessage) != std::string::npos; },
        120000);
    worstMs = std::max(worstMs, answering.worstMs);
    EXPECT_TRUE(answering.done) << endMessage;
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(button) != 0; }, 5000));
  };
  runStep(48, "ok0");
  runStep(136, "ok1");
  // Another folder chosen: the first one's files may be listed.
  ASSERT_TRUE(folders.open(withoutBackslash(area / "elsewhere"))) << windowText(folderBox);
  runStep(232, "ok2");
  std::printf("the window answered within %lld ms throughout the steps\n", worstMs);
  EXPECT_LT(worstMs, kHeldWindowMs);
  EXPECT_NE(dir.folder.read("diskscan.log").find("indexed 3 files"), std::string::npos) << dir.folder.read("diskscan.log");

  ASSERT_EQ(SendMessageA(checks, LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(_stricmp(listText(checks, 0).c_str(), (area / "data\\second copy.txt").c_str()), 0) << listText(checks, 0);
  screenshot(centre.mainWindow(), "page-disk-scan.bmp");

  clickButton(pageControl(centre, "BUTTON", 336, 272));
  answerNextBox(IDYES);
  EXPECT_TRUE(waitFor([&] { return !fileExists(area / "data\\second copy.txt"); }, 10000));
  EXPECT_TRUE(fileExists(area / "data\\first copy.txt"));
  EXPECT_TRUE(fileExists(area / "data\\unique.txt"));
}

TEST(CookieCleanerPageUnderWine, TheDownloadsFolderLosesItsPlainFilesButAHeldOne) {
  ProgramDirectory dir;
  char user[257] = {};
  DWORD size = sizeof user;
  ASSERT_TRUE(GetUserNameA(user, &size));
  // Where the page looks for it: the user's folder on the program's drive.
  const std::string downloads = dir.folder.path().substr(0, 1) + ":\\Users\\" + user + "\\Downloads";
  CreateDirectoryA(downloads.c_str(), nullptr);
  UserFolderFiles files(downloads);
  ASSERT_EQ(files.unusable(true), "") << "no test may delete in the home folder or files of others";
  const std::string stamp = std::to_string(GetCurrentProcessId());
  const std::string plain = files.add("tg-setup-" + stamp + ".exe"), held = files.add("tg-open-" + stamp + ".pdf");
  ASSERT_TRUE(writeFile(plain, "MZ"));
  ASSERT_TRUE(writeFile(held, "%PDF"));
  ASSERT_TRUE(CreateDirectoryA(files.add("tg-photos-" + stamp).c_str(), nullptr));
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  ControlCentre centre(dir);
  ASSERT_TRUE(openOn(centre, 59));
  HWND right = pageControl(centre, "LISTBOX", 288, 48);
  ASSERT_TRUE(waitFor([&] { return SendMessageA(right, LB_GETCOUNT, 0, 0) == 2; }, 5000))
      << SendMessageA(right, LB_GETCOUNT, 0, 0);
  screenshot(centre.mainWindow(), "page-cookie-cleaner.bmp");
  clickButton(pageControl(centre, "BUTTON", 288, 216));
  answerNextBox(IDYES);
  EXPECT_TRUE(waitFor([&] { return !fileExists(plain); }, 10000));
  EXPECT_TRUE(fileExists(held));
  CloseHandle(holder);
  RemoveDirectoryA(files.path("tg-photos-" + stamp).c_str());
}

}  // namespace
}  // namespace tg::e2e
