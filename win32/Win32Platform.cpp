#include "win32/Win32Platform.h"

#include <windows.h>

#include <vector>

namespace tg::win32 {

std::string executablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
  }
}

std::string executableDirectory() {
  const std::string path = executablePath();
  if (path.empty()) return ".\\";
  return path.substr(0, path.find_last_of('\\') + 1);
}

}  // namespace tg::win32
