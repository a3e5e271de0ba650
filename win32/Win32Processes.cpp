#include "win32/Win32Processes.h"

#include <windows.h>
// tlhelp32.h needs windows.h first.
#include <tlhelp32.h>

#include "win32/Handle.h"

namespace tg::win32 {

std::optional<std::vector<ProcessEntry>> Win32Processes::snapshot() {
  Handle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap) return std::nullopt;
  std::vector<ProcessEntry> out;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snap.get(), &entry); more; more = Process32Next(snap.get(), &entry))
    out.push_back({static_cast<std::uint32_t>(entry.th32ProcessID), entry.szExeFile});
  return out;
}

bool Win32Processes::terminate(std::uint32_t pid) {
  Handle process(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
  if (!process) return false;
  return TerminateProcess(process.get(), 0) != 0;
}

std::optional<std::vector<std::string>> Win32Processes::modules(std::uint32_t pid) {
  // A module snapshot of process 0 is one of this process: the idle process
  // (or an owner nobody knows) has no modules to give.
  if (pid == 0) return std::nullopt;
  Handle snap(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
  if (!snap) return std::nullopt;
  std::vector<std::string> out;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snap.get(), &entry); more; more = Module32Next(snap.get(), &entry))
    out.emplace_back(entry.szExePath);
  return out;
}

bool Win32Processes::createProcess(const std::string& commandLine, int showState) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showState);
  PROCESS_INFORMATION info{};
  std::string line = commandLine;  // CreateProcessA may write into the command line
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

}  // namespace tg::win32

namespace tg::win32 {

std::string Win32Processes::expandEnvironment(const std::string& text) {
  std::vector<char> buffer(text.size() + 256);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0) return text;
    if (needed <= buffer.size()) return std::string(buffer.data());
    buffer.resize(needed);  // a value grew meanwhile: once more with the size it asked for
  }
  return text;
}

std::optional<std::string> Win32Processes::findProgram(const std::string& name) {
  std::vector<char> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD length = SearchPathA(nullptr, name.c_str(), ".exe", static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
  return std::nullopt;
}

std::string Win32Processes::userName() {
  char name[257] = {};
  DWORD size = 256;
  if (!GetUserNameA(name, &size)) return {};
  return name;
}

std::string Win32Processes::currentFolder() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
  return {};
}

}  // namespace tg::win32
