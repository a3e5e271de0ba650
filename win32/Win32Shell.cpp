#include "win32/Win32Shell.h"

#include <shellapi.h>

namespace tg::win32 {

std::intptr_t Win32Shell::execute(const ShellRequest& request) {
  const HWND owner = request.ownedByMainWindow ? mainWindow_ : nullptr;
  const HINSTANCE result =
      ShellExecuteA(owner, request.verb.empty() ? nullptr : request.verb.c_str(), request.file.c_str(),
                    request.parameters.empty() ? nullptr : request.parameters.c_str(), nullptr, request.show);
  return reinterpret_cast<std::intptr_t>(result);
}

std::string Win32Shell::typeName(const std::string& path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME)) return {};
  return info.szTypeName;
}

}  // namespace tg::win32
