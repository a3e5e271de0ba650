#include "win32/EngineFolder.h"

#include "base/Text.h"
#include "win32/TestFiles.h"

#include <fstream>

namespace tg::testing {

StartedProgram::~StartedProgram() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool StartedProgram::waitForExit(DWORD milliseconds, DWORD* exitCode) {
  if (!process_ || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(process_, exitCode);
  return true;
}

std::string suiteDirectory() {
  std::string dir = replacedAll(TG_SUITE_DIR, '/', '\\');  // the build writes forward slashes
  if (dir.back() != '\\') dir += '\\';
  return dir;
}

StartedProgram startCommand(const std::string& commandLine, const std::string& currentDirectory) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &info))
    return {};
  CloseHandle(info.hThread);
  return StartedProgram(info.hProcess, info.dwProcessId);
}

bool fillProgramDirectory(EngineFolder& folder, const std::string& programExe, const std::string& languageDir,
                          const std::vector<std::string>& codes) {
  bool copied = CopyFileA(programExe.c_str(), (folder / "tarnivoxguard2013.exe").c_str(), FALSE) != 0;
  for (const std::string engine : kSuiteEngines) {
    copied = folder.install("probe.exe", engine) && copied;
    const std::string base = engine.substr(0, engine.size() - 4);
    // The monitor starts netguard.exe at every tick: it must end like the real one.
    if (base != "notify" && base != "netguard") folder.write(base + ".resident", "");
  }
  for (const std::string& code : codes) {
    const std::string name = "kelm2013_" + code + ".txt";
    copied = CopyFileA((languageDir + name).c_str(), (folder / name).c_str(), FALSE) != 0 && copied;
  }
  return copied;
}

bool EngineFolder::install(const std::string& source, const std::string& name) {
  return CopyFileA((suiteDirectory() + source).c_str(), (folder_ / name).c_str(), FALSE) != 0;
}

bool EngineFolder::write(const std::string& file, const std::string& bytes) {
  std::ofstream out(folder_ / file, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

std::string EngineFolder::read(const std::string& file) const {
  const HANDLE h = openOnceFree(folder_ / file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  std::string bytes;
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char block[65536];
  DWORD got = 0;
  while (ReadFile(h, block, sizeof block, &got, nullptr) && got > 0) bytes.append(block, got);
  CloseHandle(h);
  return bytes;
}

bool EngineFolder::exists(const std::string& file) const {
  return GetFileAttributesA((folder_ / file).c_str()) != INVALID_FILE_ATTRIBUTES;
}

StartedProgram EngineFolder::start(const std::string& name, const std::string& parameters) {
  std::string line = "\"" + (folder_ / name) + "\"";
  if (!parameters.empty()) line += " " + parameters;
  return startCommand(line, folder_.path());
}

bool EngineFolder::waitForText(const std::string& file, const std::string& text, DWORD milliseconds) const {
  std::optional<FileStamp> seen;
  return waitFor([&] {
    const std::optional<FileStamp> now = stampOf(folder_ / file);
    if (!now || now == seen) return false;
    seen = now;
    return read(file).find(text) != std::string::npos;
  }, milliseconds);
}

}  // namespace tg::testing
