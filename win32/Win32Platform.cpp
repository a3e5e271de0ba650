#include "win32/Win32Platform.h"

#include <windows.h>

#include <vector>

namespace tg::win32 {

std::string executableDirectory() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return ".\\";
    if (n < buffer.size()) {
      std::string path(buffer.data(), n);
      return path.substr(0, path.find_last_of('\\') + 1);
    }
    buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
  }
}

}  // namespace tg::win32
