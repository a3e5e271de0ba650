// The package as a user meets it, in a wine prefix where nothing was ever
// installed: a silent install, an upgrade over the running program, and the
// uninstaller with and without the user's files.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/CodePage.h"
#include "stores/DataPacket.h"
#include "base/Text.h"
#include "win32/EngineFolder.h"
#include "win32/SuiteStop.h"
#include "win32/TestFiles.h"
#include "win32/Win32Processes.h"

namespace tg {
namespace {

using testing::processesNamed;

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarnivoxguard2013";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kExe[] = "tarnivoxguard2013.exe";

// What the package puts in the program folder, besides its uninstaller.
const std::vector<std::string> kShipped = {
    kExe,           "rtguard.exe",     "scanengine.exe",  "diskscan.exe",    "siteguard.exe",   "netguard.exe",
    "mailfilter.exe", "backup.exe",    "dbupdate.exe",    "notify.exe",      "signatures.txt",  "kelm2013_fr.txt",
    "kelm2013_gb.txt", "kelm2013_de.txt", "kelm2013_it.txt", "kelm2013_es.txt", "stopsuite.exe"};
// The engines' last answers: the program's working files, removed with it.
const std::set<std::string> kWorkingFiles = {"netguard.txt", "siteguard.txt", "liste2.txt", "diskscan.idx"};
const std::vector<std::string> kStores = {"regles.xml",   "alertes.xml", "quarantaines.xml", "configuration.xml",
                                          "site.xml",     "evenements.xml", "langues.xml"};

std::string windowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

using testing::waitFor;

// Runs a command line to its end: its exit code, or -1 when it could not start or did not end.
long run(const std::string& commandLine) {
  testing::StartedProgram program = testing::startCommand(commandLine, "");
  DWORD code = 0;
  return program && program.waitForExit(180000, &code) ? static_cast<long>(code) : -1;
}

std::optional<std::string> userValue(const char* key, const char* name) {
  char data[2048] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return std::nullopt;
  return std::string(data);
}

std::string shellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK ? path : "";
}

std::string shortcutTarget(const std::string& file) {
  std::string target;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return target;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
    std::wstring wide(file.begin(), file.end());
    char path[MAX_PATH] = {};
    if (SUCCEEDED(persist->Load(wide.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
      target = path;
    persist->Release();
  }
  link->Release();
  return target;
}

std::string fileVersion(const std::string& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return "";
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return "";
  char* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\StringFileInfo\\040C04E4\\ProductVersion", reinterpret_cast<void**>(&text),
                      &length))
    return "";
  return std::string(text, length > 0 ? length - 1 : 0);
}

// The names of the suite's programs that run.
std::vector<std::string> suiteRunning() {
  std::vector<std::string> out;
  for (const std::string& name : win32::suiteProgramNames())
    if (!processesNamed(name).empty()) out.push_back(name);
  return out;
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file of a folder (not its subfolders) with its bytes.
std::map<std::string, std::string> filesIn(const std::string& folder) {
  std::map<std::string, std::string> out;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return out;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out[found.cFileName] = readBytes(folder + "\\" + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return out;
}

bool isLog(const std::string& name) { return name.size() > 4 && name.compare(name.size() - 4, 4, ".log") == 0; }

// The files of the user in the program folder: all but the package's and the engines' working files.
std::map<std::string, std::string> userFiles(const std::string& folder) {
  std::map<std::string, std::string> out = filesIn(folder);
  for (const std::string& name : kShipped) out.erase(name);
  for (const std::string& name : kWorkingFiles) out.erase(name);
  out.erase("uninstall.exe");
  return out;
}

// The uninstaller goes on in a copy of itself, in a "~nsu" folder of the
// temporary folder, after the program that was started has ended.
bool uninstallerCopyRuns() {
  win32::Win32Processes processes;
  for (const ProcessEntry& entry : processes.snapshot().value_or(std::vector<ProcessEntry>{})) {
    const auto modules = processes.modules(entry.pid);
    if (modules && !modules->empty() && foldedAscii(modules->front()).find("\\~nsu") != std::string::npos)
      return true;
  }
  return false;
}
bool uninstallEnded() {
  return waitFor([] { return !userValue(kUninstallKey, "DisplayName") && !uninstallerCopyRuns(); }, 60000);
}

// Rows a user would have: a rule and an alert for the unknown program that
// wine reports for every host socket (so that the monitor finds it recorded),
// a quarantined program, a blocked site.
bool addRow(const std::string& store, const std::vector<std::string>& values) {
  const CodePage codePage(static_cast<int>(GetACP()));
  auto packet = decodeDataPacket(readBytes(store), codePage);
  if (!packet || values.size() > packet->fields.size()) return false;
  Row row(packet->fields.size());
  for (std::size_t i = 0; i < values.size(); ++i) row[i] = values[i];
  packet->rows.push_back(row);
  return testing::writeFile(store, encodeDataPacket(packet->fields, packet->rows, codePage));
}

std::map<std::string, std::string> withoutLogs(std::map<std::string, std::string> files) {
  std::erase_if(files, [](const auto& file) { return isLog(file.first); });
  return files;
}

// The user's files once none but the engines' logs (which grow at every run)
// has changed for five seconds, more than three of the monitor's ticks.
std::map<std::string, std::string> settledUserFiles(const std::string& folder) {
  std::map<std::string, std::string> last = userFiles(folder);
  for (int quiet = 0, rounds = 0; quiet < 5 && rounds < 60; ++rounds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    std::map<std::string, std::string> now = userFiles(folder);
    quiet = withoutLogs(now) == withoutLogs(last) ? quiet + 1 : 0;
    last = std::move(now);
  }
  return last;
}

// The files kept byte for byte; the engines' logs may only have grown.
void expectKept(const std::map<std::string, std::string>& before, const std::map<std::string, std::string>& after) {
  for (const auto& [name, bytes] : before) {
    const auto it = after.find(name);
    if (it == after.end()) {
      ADD_FAILURE() << name << " is gone";
    } else if (isLog(name)) {
      EXPECT_EQ(it->second.substr(0, bytes.size()), bytes) << name << " lost lines";
    } else {
      EXPECT_EQ(it->second, bytes) << name << " changed";
    }
  }
}

class InstalledPackage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  static void TearDownTestSuite() {
    win32::stopSuite();
    CoUninitialize();
  }

  const std::string setup = windowsPath(TG_SETUP);
  const std::string setupNext = windowsPath(TG_SETUP_NEXT);
  const std::string folder = shellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Tarnivoxguard2013";
  const std::string shortcut = shellFolder(CSIDL_PROGRAMS) + "\\Tarnivoxguard2013.lnk";
  const std::string exe = folder + "\\" + kExe;
};

TEST_F(InstalledPackage, InstallsUpgradesOverTheRunningProgramAndUninstallsKeepingTheUserFiles) {
  ASSERT_FALSE(userValue(kUninstallKey, "DisplayName")) << "the prefix is not a fresh one";
  ASSERT_FALSE(userValue(kRunKey, "Tarnivoxguard2013"));

  // A silent install puts the program, its engines, its language files and
  // signatures in the user's own program folder.
  ASSERT_EQ(run("\"" + setup + "\" /S"), 0);
  EXPECT_EQ(userValue(kUninstallKey, "InstallLocation"), folder);
  for (const std::string& name : kShipped) EXPECT_TRUE(testing::fileExists(folder + "\\" + name)) << name;
  EXPECT_TRUE(testing::fileExists(folder + "\\uninstall.exe"));
  EXPECT_EQ(fileVersion(exe), TG_VERSION_TEXT);

  // Its entry in the list of installed programs.
  EXPECT_EQ(userValue(kUninstallKey, "DisplayName"), "Tarnivoxguard2013");
  EXPECT_EQ(userValue(kUninstallKey, "DisplayVersion"), TG_VERSION_TEXT);
  EXPECT_EQ(userValue(kUninstallKey, "Publisher"), "Tarnivox");
  EXPECT_EQ(userValue(kUninstallKey, "DisplayIcon"), exe + ",0");
  EXPECT_EQ(userValue(kUninstallKey, "UninstallString"), "\"" + folder + "\\uninstall.exe\"");

  // The Start menu's shortcut leads to the program.
  ASSERT_TRUE(testing::fileExists(shortcut));
  EXPECT_TRUE(equalsIgnoringAsciiCase(shortcutTarget(shortcut), exe)) << shortcutTarget(shortcut);

  // The installer started the program, which registered its start at log-on and made its stores.
  ASSERT_TRUE(waitFor([] { return processesNamed(kExe).size() == 1; }, 30000));
  EXPECT_TRUE(waitFor([&] { return userValue(kRunKey, "Tarnivoxguard2013") == exe; }, 30000))
      << userValue(kRunKey, "Tarnivoxguard2013").value_or("(none)");
  ASSERT_TRUE(waitFor(
      [&] {
        for (const std::string& name : kStores)
          if (!testing::fileExists(folder + "\\" + name)) return false;
        return testing::fileExists(folder + "\\ctrlpl.txt");
      },
      30000));

  // The stopper ends the program and its engines. The user's files of some
  // years are put in, and the program is started again from the shortcut.
  ASSERT_EQ(run("\"" + folder + "\\stopsuite.exe\""), 0);
  EXPECT_TRUE(suiteRunning().empty());
  ASSERT_TRUE(addRow(folder + "\\regles.xml", {"?", "12/01/2025"}));
  ASSERT_TRUE(addRow(folder + "\\regles.xml", {"C:\\Jeux\\partie.exe", "13/01/2025"}));
  ASSERT_TRUE(addRow(folder + "\\alertes.xml", {"?", "12/01/2025"}));
  ASSERT_TRUE(addRow(folder + "\\quarantaines.xml", {"cheval.exe"}));
  ASSERT_TRUE(addRow(folder + "\\site.xml", {"www.interdit.example", "192.0.2.7"}));
  ASSERT_TRUE(testing::writeFile(folder + "\\ctrlpl.txt", "1\r\n"));
  ASSERT_TRUE(testing::writeFile(folder + "\\20251113surveillance.txt", "C:\\Surveille\\nouveau.txt\r\n"));
  ASSERT_TRUE(testing::writeFile(folder + "\\tcp13112025093000.txt", "programme;12;TCP;...\r\n"));
  ASSERT_TRUE(testing::writeFile(folder + "\\regles.xml.unreadable", "<un fichier abîmé"));
  ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", shortcut.c_str(), nullptr, nullptr, SW_SHOWNORMAL)),
            32);
  ASSERT_TRUE(waitFor([] { return processesNamed(kExe).size() == 1; }, 30000));
  ASSERT_TRUE(waitFor([] { return FindWindowA("TgTrayHost", "Tarnivoxguard2013") != nullptr; }, 30000));
  const DWORD runningPid = processesNamed(kExe).front();
  HANDLE running = OpenProcess(SYNCHRONIZE, FALSE, runningPid);
  ASSERT_NE(running, nullptr);
  const std::map<std::string, std::string> kept = settledUserFiles(folder);
  ASSERT_TRUE(kept.count("regles.xml.unreadable")) << "the program took the user's files for unreadable ones";
  ASSERT_NE(readBytes(folder + "\\regles.xml").find("partie.exe"), std::string::npos);

  // The upgrade, while the program runs: it is stopped, replaced and started
  // again, and every file of the user stays as it was.
  ASSERT_EQ(run("\"" + setupNext + "\" /S"), 0);
  EXPECT_EQ(WaitForSingleObject(running, 0), WAIT_OBJECT_0) << "the earlier program still runs";
  CloseHandle(running);
  expectKept(kept, userFiles(folder));
  EXPECT_EQ(fileVersion(exe), TG_NEXT_VERSION_TEXT);
  EXPECT_EQ(userValue(kUninstallKey, "DisplayVersion"), TG_NEXT_VERSION_TEXT);
  EXPECT_EQ(userValue(kUninstallKey, "InstallLocation"), folder);
  ASSERT_TRUE(waitFor([] { return FindWindowA("TgTrayHost", "Tarnivoxguard2013") != nullptr; }, 30000));
  ASSERT_EQ(processesNamed(kExe).size(), 1u);
  EXPECT_NE(processesNamed(kExe).front(), runningPid);
  // The new program reads them as they are.
  expectKept(kept, settledUserFiles(folder));

  // The uninstaller stops everything and takes the program away, leaving the user's files.
  const std::map<std::string, std::string> before = settledUserFiles(folder);
  ASSERT_EQ(run("\"" + folder + "\\uninstall.exe\" /S"), 0);
  ASSERT_TRUE(uninstallEnded());
  EXPECT_TRUE(suiteRunning().empty());
  EXPECT_FALSE(userValue(kRunKey, "Tarnivoxguard2013"));
  EXPECT_FALSE(testing::fileExists(shortcut));
  const std::map<std::string, std::string> left = filesIn(folder);
  // An engine may have begun its log after the last look: logs are the user's too.
  for (const auto& [name, bytes] : left) EXPECT_TRUE(before.count(name) || isLog(name)) << name << " is left";
  expectKept(before, left);
}

TEST_F(InstalledPackage, UninstallsTheUserFilesTooWhenAskedButNeverAFileOfItsOwn) {
  ASSERT_EQ(run("\"" + setup + "\" /S"), 0);
  ASSERT_TRUE(waitFor([] { return FindWindowA("TgTrayHost", "Tarnivoxguard2013") != nullptr; }, 30000));
  ASSERT_TRUE(testing::writeFile(folder + "\\mes notes.txt", "à garder\r\n"));
  ASSERT_TRUE(testing::writeFile(folder + "\\20251114surveillance.txt", "C:\\Surveille\\autre.txt\r\n"));

  ASSERT_EQ(run("\"" + folder + "\\uninstall.exe\" /S /REMOVEDATA"), 0);
  ASSERT_TRUE(uninstallEnded());
  EXPECT_TRUE(suiteRunning().empty());
  std::vector<std::string> left;
  for (const auto& [name, bytes] : filesIn(folder)) left.push_back(name);
  EXPECT_EQ(left, std::vector<std::string>{"mes notes.txt"});
}

}  // namespace
}  // namespace tg
