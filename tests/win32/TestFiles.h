#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tg::testing {

// Whether the condition came true within the time, asked every 20 ms.
template <typename Condition>
bool waitFor(Condition condition, DWORD milliseconds = 15000) {
  for (DWORD waited = 0; waited < milliseconds; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

// A file with these bytes, made as another program makes it: created, written, closed.
bool writeFile(const std::string& path, const std::string& bytes);
// The same, on the disk before it returns: no write-back of it is left to slow
// what runs next.
bool writeFileToDisk(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// An existing file opened once nobody holds it against this open: a file that a
// program is replacing just then is in use for a moment (wine's MoveFileEx
// opens the file it replaces without sharing it). INVALID_HANDLE_VALUE when it
// cannot be opened, or is still in use after the time.
HANDLE openOnceFree(const std::string& path, DWORD access, DWORD share, DWORD milliseconds = 5000);
// A file's size and time of last write, looked up without opening it; none
// when it is not there. Under wine a file that anyone holds open cannot be
// replaced, so a test that reads a file the program replaces, again and again,
// can make the program's write fail: it looks at the stamp instead, and reads
// the file only once the stamp has changed.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;
  bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> stampOf(const std::string& path);
// A shell shortcut file leading to `target`; COM must be open on the thread.
bool writeShortcut(const std::string& file, const std::string& target);
// The running processes of a program, by its file name (letter case ignored).
std::vector<DWORD> processesNamed(const std::string& exeName);
// The top-level windows of a class, of one process (or of all with pid 0).
std::vector<HWND> windowsOf(DWORD pid, const char* windowClass);
// The control centre's main window among a process's windows; null when it has none yet.
HWND mainWindowOf(DWORD pid);
// The first window among a window's descendants that `wanted` takes, or null.
HWND findChild(HWND parent, const std::function<bool(HWND)>& wanted);
// The window class of a window.
std::string classOf(HWND window);

}  // namespace tg::testing
