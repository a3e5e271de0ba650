#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <winioctl.h>

#include <regex>

#include "engines/HostAddress.h"
#include "engines/ProcessUtilities.h"
#include "engines/FileFacts.h"
#include "win32/TestFiles.h"
#include "win32/EngineFolder.h"
#include "win32/Win32Platform.h"

namespace tg::win32 {
namespace {

using testing::EngineFolder;
using testing::StartedProgram;

// A probe copy that stays running until it is ended.
StartedProgram residentProbe(EngineFolder& folder, const std::string& name) {
  const std::string base = name.substr(0, name.size() - 4);
  EXPECT_TRUE(folder.install("probe.exe", name));
  folder.write(base + ".resident", "");
  StartedProgram p = folder.start(name);
  EXPECT_TRUE(p);
  // Running once it has written its line.
  EXPECT_TRUE(folder.waitForText("probe.log", name + "|", 10000));
  return p;
}

TEST(ProcessUtilitiesUnderWindows, KillByNameInCapitalsEndsEveryInstance) {
  EngineFolder folder;
  Win32Processes processes;
  StartedProgram first = residentProbe(folder, "rtguard.exe");
  StartedProgram second = folder.start("rtguard.exe");
  ASSERT_TRUE(second);
  ASSERT_FALSE(first.waitForExit(300));
  ASSERT_FALSE(second.waitForExit(300));
  EXPECT_TRUE(IsRunning(processes, "RTGUARD.EXE"));

  EXPECT_TRUE(KillByName(processes, "RTGUARD.EXE"));
  EXPECT_TRUE(first.waitForExit(5000));
  EXPECT_TRUE(second.waitForExit(5000));
  EXPECT_FALSE(IsRunning(processes, "rtguard.exe"));
  EXPECT_FALSE(KillByName(processes, "rtguard.exe"));
}

TEST(ProcessUtilitiesUnderWindows, TheIdMustBeItsPlainDecimalText) {
  EngineFolder folder;
  Win32Processes processes;
  StartedProgram probe = residentProbe(folder, "word.exe");
  const std::string pid = std::to_string(probe.pid());
  EXPECT_TRUE(IsRunningWithPid(processes, "WORD.exe", pid));
  EXPECT_FALSE(IsRunningWithPid(processes, "word.exe", "0" + pid));
  EXPECT_FALSE(IsRunningWithPid(processes, "word.exe", pid + " "));
  EXPECT_FALSE(KillByNameAndPid(processes, "word.exe", "0" + pid));
  EXPECT_FALSE(probe.waitForExit(200));
  EXPECT_TRUE(KillByNameAndPid(processes, "word.exe", pid));
  EXPECT_TRUE(probe.waitForExit(5000));
}

TEST(ProcessUtilitiesUnderWindows, AFileIsLockedWhileAnotherProcessHoldsIt) {
  EngineFolder folder;
  Win32FileSystem files;
  EXPECT_FALSE(FileIsLocked(files, folder / "netguard.txt"));  // missing
  folder.write("netguard.txt", "x");
  EXPECT_FALSE(FileIsLocked(files, folder / "netguard.txt"));
  folder.write("holder.hold", "netguard.txt\r\n");
  {
    StartedProgram holder = residentProbe(folder, "holder.exe");
    EXPECT_TRUE(FileIsLocked(files, folder / "netguard.txt"));
    // A running engine's own executable counts as in use too.
    EXPECT_TRUE(FileIsLocked(files, folder / "holder.exe"));
  }
  EXPECT_FALSE(FileIsLocked(files, folder / "netguard.txt"));
  // A read-only file cannot be opened for writing, but nobody holds it.
  ASSERT_TRUE(SetFileAttributesA((folder / "netguard.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(FileIsLocked(files, folder / "netguard.txt"));
  SetFileAttributesA((folder / "netguard.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(FileIsLocked(files, folder.path()));  // a folder
}

TEST(ProcessUtilitiesUnderWindows, NotifyUserStartsTheMessageEngineWithSemicolons) {
  EngineFolder folder;
  Win32Shell shell;
  ASSERT_TRUE(folder.install("probe.exe", "notify.exe"));
  NotifyUser(shell, folder.path(), "erreur configuration checkb");
  EXPECT_TRUE(folder.waitForText("probe.log", "notify.exe|erreur;configuration;checkb\r\n", 10000));
}

TEST(ProcessUtilitiesUnderWindows, RunHiddenFindsAProgramBesideTheRunningExecutable) {
  const std::string besideUs = executableDirectory();
  const std::string name = "tg-run-hidden-" + std::to_string(GetCurrentProcessId()) + ".exe";
  ASSERT_TRUE(CopyFileA((testing::suiteDirectory() + "probe.exe").c_str(), (besideUs + name).c_str(), FALSE));
  Win32Processes processes;
  EXPECT_TRUE(RunHidden(processes, name + " 0", kShowHidden));
  const bool logged = testing::waitFor([&] {
    Win32FileSystem files;
    const auto log = files.readBytes(besideUs + "probe.log");
    return log && log->find(name + "|0") != std::string::npos;
  }, 10000);
  EXPECT_TRUE(logged);
  EXPECT_FALSE(RunHidden(processes, "tg-no-such-program.exe", kShowHidden));
  Sleep(200);
  DeleteFileA((besideUs + name).c_str());
  DeleteFileA((besideUs + "probe.log").c_str());
}

TEST(FileFactsUnderWindows, ModulesOfALiveProcessAreFullPathsEachEndedBySemicolon) {
  EngineFolder folder;
  Win32Processes processes;
  StartedProgram probe = residentProbe(folder, "word.exe");
  const std::string modules = ProcessModuleList(processes, probe.pid());
  ASSERT_FALSE(modules.empty());
  EXPECT_EQ(modules.back(), ';');
  std::size_t start = 0;
  int count = 0;
  for (std::size_t semi; (semi = modules.find(';', start)) != std::string::npos; start = semi + 1, ++count) {
    const std::string path = modules.substr(start, semi - start);
    EXPECT_TRUE(path.size() > 3 && path[1] == ':' && path[2] == '\\') << path;
  }
  EXPECT_GE(count, 2);  // the program and at least ntdll
  const std::string exe = ProcessExePath(processes, probe.pid());
  EXPECT_EQ(_stricmp(exe.c_str(), (folder / "word.exe").c_str()), 0) << exe;
  EXPECT_EQ(ProcessExePath(processes, 0xFFFFFFF0u), "");
  EXPECT_EQ(ProcessModuleList(processes, 0xFFFFFFF0u), "");
  // Process 0 would be taken for this one by a module snapshot.
  EXPECT_EQ(processes.modules(0), std::nullopt);
  EXPECT_EQ(ProcessModuleList(processes, 0), "");
}

TEST(FileFactsUnderWindows, SizesDatesOwnersAndChecksumsOfRealFiles) {
  EngineFolder folder;
  Win32FileSystem files;
  Win32Shell shell;

  // A sparse file of 5 GiB takes no room but has its whole size.
  const std::string big = folder / "big.bin";
  HANDLE h = CreateFileA(big.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD returned = 0;
  DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = 5LL << 30;
  ASSERT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(h));
  CloseHandle(h);
  EXPECT_EQ(FileSizeBytes(files, big), 5ull << 30);
  EXPECT_EQ(FileChecksum(files, big), 0u);  // 500 zero words from the middle
  DeleteFileA(big.c_str());

  EXPECT_EQ(FileSizeBytes(files, folder / "missing.exe"), 0u);
  EXPECT_TRUE(FileDate(files, folder / "missing.exe").isZero());

  std::string words;
  for (std::uint32_t i = 0; i < 1000; ++i) words.append(reinterpret_cast<const char*>(&i), 4);
  folder.write("words.bin", words);
  std::uint32_t expected = 0;
  for (std::uint32_t i = 500; i <= 998; ++i) expected += i;
  EXPECT_EQ(FileChecksum(files, folder / "words.bin"), expected);

  const DateTime written = FileDate(files, folder / "words.bin");
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(written.year, now.wYear);
  EXPECT_EQ(written.second % 2, 0);
  EXPECT_FALSE(FileAccessDate(files, folder / "words.bin").isZero());

  const std::string owner = FileOwner(files, folder / "words.bin");
  EXPECT_NE(owner.find('/'), std::string::npos) << owner;
  EXPECT_LE(FileTypeName(shell, folder / "words.bin").size(), 80u);
}

TEST(LocalHostQueryUnderWindows, GivesTheHostNameAndAPlainDottedAddress) {
  Win32Sockets sockets;
  const LocalHost host = LocalHostQuery(sockets);
  ASSERT_TRUE(host.ok) << host.error;
  EXPECT_FALSE(host.hostName.empty());
  const std::regex dotted("(0|[1-9][0-9]{0,2})(\\.(0|[1-9][0-9]{0,2})){3}");
  EXPECT_TRUE(std::regex_match(host.address, dotted)) << host.address;
  std::size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const std::size_t dot = host.address.find('.', start);
    EXPECT_LE(std::stoi(host.address.substr(start, dot - start)), 255);
    start = dot + 1;
  }
}

}  // namespace
}  // namespace tg::win32
