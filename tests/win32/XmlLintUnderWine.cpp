// xmllint for the Windows build of the portable tests: wine starts a Linux
// program from its path on drive Z:, and the program reads a Linux path.
#include <windows.h>

#include <fstream>
#include <iterator>

#include "unit/XmlLint.h"
#include "win32/TestFiles.h"

namespace tg::testing {

namespace {

constexpr const char* kShell = "Z:\\bin\\sh";
constexpr const char* kXmllint = "Z:\\usr\\bin\\xmllint";

// A document in /tmp, seen from both sides.
struct TempDocument {
  std::string windowsPath;
  std::string linuxPath;
  explicit TempDocument(const std::string& bytes) {
    char name[MAX_PATH] = {};
    if (!GetTempFileNameA("Z:\\tmp", "tgx", 0, name)) return;
    windowsPath = name;
    std::ofstream(windowsPath, std::ios::binary) << bytes;
    linuxPath = windowsPath.substr(2);
    for (char& c : linuxPath)
      if (c == '\\') c = '/';
  }
  ~TempDocument() {
    if (!windowsPath.empty()) DeleteFileA(windowsPath.c_str());
  }
};

// Reads a file whole; empty when it cannot be read.
std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What xmllint writes (its errors too when `withErrors`), or none when it
// cannot be run. wine starts a Linux program without a handle to wait on and
// without the pipes it is given, so a shell runs it with its output in files
// and writes a last file once it has ended.
std::optional<std::string> run(const std::string& arguments, bool withErrors) {
  if (GetFileAttributesA(kShell) == INVALID_FILE_ATTRIBUTES || GetFileAttributesA(kXmllint) == INVALID_FILE_ATTRIBUTES)
    return std::nullopt;
  TempDocument out("");
  TempDocument errors("");
  TempDocument done("");
  if (out.linuxPath.empty() || errors.linuxPath.empty() || done.linuxPath.empty()) return std::nullopt;
  DeleteFileA(done.windowsPath.c_str());  // it appears once xmllint has ended
  const std::string script = "xmllint " + arguments + " >'" + out.linuxPath + "' 2>'" + errors.linuxPath +
                             "'; echo $? >'" + done.linuxPath + ".part'; mv '" + done.linuxPath + ".part' '" +
                             done.linuxPath + "'";
  std::string command = std::string(kShell) + " -c \"" + script + "\"";
  STARTUPINFOA start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
    return std::nullopt;
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  if (!testing::waitFor([&] { return GetFileAttributesA(done.windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000))
    return std::nullopt;
  std::string text = contents(out.windowsPath);
  if (withErrors) text += contents(errors.windowsPath);
  return text;
}

}  // namespace

std::optional<std::string> xmllintErrors(const std::string& document) {
  TempDocument file(document);
  if (file.linuxPath.empty()) return std::nullopt;
  return run("--noout '" + file.linuxPath + "'", true);
}

std::optional<std::string> xmllintXPath(const std::string& document, const std::string& expression) {
  TempDocument file(document);
  if (file.linuxPath.empty()) return std::nullopt;
  auto out = run("--xpath '" + expression + "' '" + file.linuxPath + "'", false);
  if (out && !out->empty() && out->back() == '\n') out->pop_back();  // xmllint ends its answer with a line end
  return out;
}

}  // namespace tg::testing
