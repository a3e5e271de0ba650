#include "win32/Win32Registry.h"

#include <windows.h>

#include <vector>

namespace tg::win32 {

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run key of the current user, opened or created, closed with the object.
class RunKey {
 public:
  explicit RunKey(REGSAM access) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, access, nullptr, &key_, nullptr) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~RunKey() {
    if (key_) RegCloseKey(key_);
  }
  RunKey(const RunKey&) = delete;
  RunKey& operator=(const RunKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<std::string> Win32Registry::readAutorun(const std::string& name) {
  RunKey key(KEY_READ);
  if (!key.get()) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::string();
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return std::string();
  return std::string(data.data());
}

bool Win32Registry::writeAutorun(const std::string& name, const std::string& value) {
  RunKey key(KEY_WRITE);
  if (!key.get()) return false;
  return RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace tg::win32

namespace tg::win32 {

std::optional<std::vector<std::string>> Win32Registry::autorunNames() {
  RunKey key(KEY_READ);
  if (!key.get()) return std::nullopt;
  DWORD count = 0;
  DWORD longest = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return std::nullopt;
  std::vector<std::string> names;
  std::vector<char> name(longest + 2);
  for (DWORD i = 0;; ++i) {
    DWORD size = static_cast<DWORD>(name.size());
    const LONG result = RegEnumValueA(key.get(), i, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_MORE_DATA && name.size() < 32768) {  // a longer name was added meanwhile
      name.resize(name.size() * 2);
      --i;
      continue;
    }
    if (result != ERROR_SUCCESS) return std::nullopt;
    names.emplace_back(name.data(), size);
  }
  return names;
}

std::optional<bool> Win32Registry::hasAutorun(const std::string& name) {
  RunKey key(KEY_READ);
  if (!key.get()) return std::nullopt;
  const LONG result = RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) return true;
  if (result == ERROR_FILE_NOT_FOUND) return false;
  return std::nullopt;
}

bool Win32Registry::deleteAutorun(const std::string& name) {
  RunKey key(KEY_SET_VALUE);
  return key.get() && RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
}

}  // namespace tg::win32
