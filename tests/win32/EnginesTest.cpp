#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <optional>
#include <vector>

#include "engines/ConnectionLine.h"
#include "engines/HostAddress.h"
#include "engines/ProcessUtilities.h"
#include "stores/DataPacket.h"
#include "stores/TextFile.h"
#include "suite/common/EngineFiles.h"
#include "win32/TestFiles.h"
#include "win32/EngineFolder.h"
#include "win32/Win32Platform.h"

namespace tg::win32 {
namespace {

using testing::EngineFolder;
using testing::StartedProgram;

// Runs an engine to its end; false when it does not end in time.
bool runToEnd(EngineFolder& folder, const std::string& engine, const std::string& parameters,
              DWORD milliseconds = 20000) {
  StartedProgram p = folder.start(engine, parameters);
  return p && p.waitForExit(milliseconds);
}

// The owner the platform's table gives a listening socket on the loopback
// address: a process id, 0 when it knows none, or empty when it lists no such socket.
std::optional<DWORD> reportedOwner(int port) {
  std::vector<unsigned char> buffer(64 * 1024);
  DWORD size = static_cast<DWORD>(buffer.size());
  if (GetExtendedTcpTable(buffer.data(), &size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_LISTENER, 0) != NO_ERROR)
    return std::nullopt;
  const auto* table = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID*>(buffer.data());
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    const MIB_TCPROW_OWNER_PID& row = table->table[i];
    if (row.dwLocalAddr == htonl(INADDR_LOOPBACK) && ntohs(static_cast<u_short>(row.dwLocalPort)) == port)
      return row.dwOwningPid;
  }
  return std::nullopt;
}

TEST(NetguardEngine, ListsTheTestsOwnListeningSocketAndNoEndpointWithoutOwner) {
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(s, 1), 0);
  int length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  const int port = ntohs(address.sin_port);
  // wine may give no owner for a socket; then netguard.exe must leave it out.
  const std::optional<DWORD> owner = reportedOwner(port);
  ASSERT_TRUE(owner.has_value());

  EngineFolder folder;
  ASSERT_TRUE(folder.installAs("netguard.exe"));
  ASSERT_TRUE(runToEnd(folder, "netguard.exe", ""));
  closesocket(s);
  WSACleanup();

  const Lines lines = splitLines(folder.read("netguard.txt"));
  ASSERT_GE(lines.size(), 1u);
  EXPECT_EQ(lines.back(), "end;" + std::to_string(lines.size() - 1) + ";;");  // names no program
  bool found = false;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const ConnectionFields f = parseConnectionLine(lines[i]);
    EXPECT_NE(f.pid(), "0") << lines[i];
    if (f.field[3] != "127.0.0.1:" + std::to_string(port)) continue;
    found = true;
    EXPECT_EQ(f.field[2], "TCP");
    EXPECT_EQ(f.port(), "-1");  // listening: no remote port to judge
    EXPECT_EQ(f.pid(), std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(_stricmp(f.name().c_str(), "win32_tests.exe"), 0) << f.name();
  }
  EXPECT_EQ(found, *owner != 0) << "owner " << *owner << "\n" << folder.read("netguard.txt");
  if (*owner != 0) {
    EXPECT_EQ(*owner, GetCurrentProcessId());
  }
}

TEST(SiteguardEngine, WritesTheAddressOnItsLastLineOrNothing) {
  EngineFolder folder;
  ASSERT_TRUE(folder.installAs("siteguard.exe"));
  // A numeric address resolves without any name service.
  ASSERT_TRUE(runToEnd(folder, "siteguard.exe", " 127.0.0.1 "));
  Lines answer = splitLines(folder.read("siteguard.txt"));
  ASSERT_FALSE(answer.empty());
  EXPECT_EQ(IpDigits(answer.back()), "127.0.0.1");
  EXPECT_EQ(answer.front(), "Site : 127.0.0.1");

  // A name, where this machine resolves it (a bare chroot may have no hosts file).
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  const bool resolvable = gethostbyname("localhost") != nullptr;
  WSACleanup();
  if (resolvable) {
    ASSERT_TRUE(runToEnd(folder, "siteguard.exe", "localhost"));
    answer = splitLines(folder.read("siteguard.txt"));
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(IpDigits(answer.back()), "127.0.0.1");
  }

  ASSERT_TRUE(runToEnd(folder, "siteguard.exe", "no-such-host.invalid"));
  EXPECT_TRUE(folder.exists("siteguard.txt"));
  EXPECT_EQ(folder.read("siteguard.txt"), "");
}

TEST(NotifyEngine, ShowsTheTextWithSpacesWithoutMakingTheCallerWait) {
  EngineFolder folder;
  ASSERT_TRUE(folder.installAs("notify.exe"));
  StartedProgram notice = folder.start("notify.exe", "erreur;configuration;checkb");
  ASSERT_TRUE(notice);
  EXPECT_TRUE(folder.waitForText("notify.log", " erreur configuration checkb\r\n", 10000));
  // The engine makes its window, then shows it: the sign is the window shown.
  HWND window = nullptr;
  EXPECT_TRUE(testing::waitFor([&] {
    window = FindWindowA("Tarnivoxguard2013Notice", nullptr);
    return window && IsWindowVisible(window);
  }, 5000));
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_LBUTTONUP, 0, 0);  // a click closes it
  EXPECT_TRUE(notice.waitForExit(5000));
}

TEST(RtguardEngine, ReadsTheConfigurationAndStaysRunning) {
  EngineFolder folder;
  ASSERT_TRUE(folder.installAs("rtguard.exe"));
  std::vector<FieldDef> fields;
  for (int i = 1; i <= 12; ++i) fields.push_back({"Champ" + std::to_string(i), 200});
  folder.write("configuration.xml",
               encodeDataPacket(fields, {{"1", "0", "1", " 1", "0", "0", "1", "1", "0", "0", "0", "1"}}, CodePage(1252)));
  StartedProgram engine = folder.start("rtguard.exe");
  ASSERT_TRUE(engine);
  EXPECT_TRUE(folder.waitForText("rtguard.log", "protection switches 101000110001", 10000)) << folder.read("rtguard.log");
  EXPECT_FALSE(engine.waitForExit(500));
  Win32Processes processes;
  EXPECT_TRUE(KillByNameAndPid(processes, "rtguard.exe", std::to_string(engine.pid())));
  EXPECT_TRUE(engine.waitForExit(5000));
}

TEST(ScanEngine, ReportsKnownBadFilesOfTheUsersProfile) {
  EngineFolder folder;
  ASSERT_TRUE(folder.installAs("scanengine.exe"));
  char profile[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH), 0u);
  const std::string planted = std::string(profile) + "\\tg-scan-" + std::to_string(GetCurrentProcessId()) + ".bin";
  Win32FileSystem files;
  ASSERT_TRUE(files.writeBytes(planted, "pretend this is malware"));
  const std::uint64_t digest = *suite::fileDigest(files, planted);
  folder.write("signatures.txt", suite::hex64(digest) + " Test.Pretend\r\n");

  const bool ended = runToEnd(folder, "scanengine.exe", "1", 60000);
  files.remove(planted);
  ASSERT_TRUE(ended);
  const std::string report = folder.read("anaviri.txt");
  EXPECT_NE(report.find(planted + " : Test.Pretend\r\n"), std::string::npos) << report;
  EXPECT_NE(report.find("Menaces trouv\xE9" "es : 1\r\n"), std::string::npos) << report;
}

TEST(ScanEngine, ADriveWithoutFilesIsReportedEmpty) {
  EngineFolder folder;
  ASSERT_TRUE(folder.installAs("scanengine.exe"));
  char letter = 0;
  const DWORD used = GetLogicalDrives();
  for (char c = 'Y'; c >= 'D' && !letter; --c)
    if (!(used & (1u << (c - 'A')))) letter = c;
  ASSERT_NE(letter, 0);
  ASSERT_TRUE(runToEnd(folder, "scanengine.exe", std::string("3 ") + letter));
  const std::string report = folder.read("anaviri.txt");
  EXPECT_NE(report.find(std::string("Analyse du lecteur ") + letter + ":"), std::string::npos) << report;
  EXPECT_NE(report.find("Fichiers examin\xE9s : 0\r\n"), std::string::npos) << report;
  // An unknown mode scans nothing and leaves the last report.
  StartedProgram unknown = folder.start("scanengine.exe", "9");
  DWORD code = 0;
  ASSERT_TRUE(unknown.waitForExit(10000, &code));
  EXPECT_EQ(code, 2u);
  EXPECT_EQ(folder.read("anaviri.txt"), report);
}

TEST(DiskScanEngine, ListsTheRedundantCopiesInItsSteps) {
  EngineFolder folder;
  EngineFolder data;
  ASSERT_TRUE(folder.installAs("diskscan.exe"));
  data.write("one.txt", "the same bytes");
  data.write("two.txt", "the same bytes");
  data.write("three.txt", "different bytes");
  // A second name of a file that has no copy: it must never be listed, or
  // deleting the list would delete the only copy.
  data.write("only.doc", "the only copy of these bytes");
  ASSERT_TRUE(CreateHardLinkA((data / "only link.doc").c_str(), (data / "only.doc").c_str(), nullptr));
  folder.write("liste2.txt", "left from an earlier run\r\n");
  ASSERT_TRUE(runToEnd(folder, "diskscan.exe", "0 0"));
  EXPECT_FALSE(folder.exists("liste2.txt"));
  std::string dataFolder = data.path();
  dataFolder.pop_back();
  ASSERT_TRUE(runToEnd(folder, "diskscan.exe", "1 " + dataFolder));
  ASSERT_TRUE(runToEnd(folder, "diskscan.exe", "2"));
  // The first file of the content in index order is kept off the list.
  EXPECT_EQ(splitLines(folder.read("liste2.txt")), (Lines{data / "two.txt"}));
}

TEST(BackupEngine, CopiesTheFirstFolderIntoTheSecond) {
  EngineFolder folder;
  EngineFolder from;
  EngineFolder to;
  ASSERT_TRUE(folder.installAs("backup.exe"));
  from.write("report.doc", "quarterly figures");
  CreateDirectoryA((from / "photos").c_str(), nullptr);
  from.write("photos\\cat.jpg", "meow");
  ASSERT_TRUE(runToEnd(folder, "backup.exe", from / "" + ";" + to.path()));
  EXPECT_EQ(to.read("report.doc"), "quarterly figures");
  EXPECT_EQ(to.read("photos\\cat.jpg"), "meow");
  EXPECT_NE(folder.read("backup.log").find("2 copied"), std::string::npos) << folder.read("backup.log");
  DeleteFileA((from / "photos\\cat.jpg").c_str());
  DeleteFileA((to / "photos\\cat.jpg").c_str());
  RemoveDirectoryA((from / "photos").c_str());
  RemoveDirectoryA((to / "photos").c_str());
}

TEST(QuietEngines, MailFilterAndUpdaterEndAtOnceAndSaySo) {
  EngineFolder folder;
  ASSERT_TRUE(folder.installAs("mailfilter.exe"));
  ASSERT_TRUE(folder.installAs("dbupdate.exe"));
  folder.write("signatures.txt", "0123456789abcdef One\r\nfedcba9876543210 Two\r\n");
  EXPECT_TRUE(runToEnd(folder, "mailfilter.exe", "", 10000));
  EXPECT_TRUE(runToEnd(folder, "dbupdate.exe", "0", 10000));
  EXPECT_NE(folder.read("mailfilter.log").find("nothing to filter"), std::string::npos);
  EXPECT_NE(folder.read("dbupdate.log").find("2 signatures"), std::string::npos);
}

TEST(ProbeEngine, LogsItsStartAndWritesItsPreparedAnswer) {
  EngineFolder folder;
  ASSERT_TRUE(folder.install("probe.exe", "siteguard.exe"));
  folder.write("siteguard.answer", "siteguard.txt\r\nSite : x\r\nAdresse : 10.1.2.3\r\n");
  ASSERT_TRUE(runToEnd(folder, "siteguard.exe", "www.example.com", 10000));
  EXPECT_EQ(folder.read("probe.log"), "siteguard.exe|www.example.com\r\n");
  EXPECT_EQ(folder.read("siteguard.txt"), "Site : x\r\nAdresse : 10.1.2.3\r\n");
}

}  // namespace
}  // namespace tg::win32
