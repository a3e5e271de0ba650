#include "win32/Win32Sockets.h"

// The sockets header comes before windows.h.
#include <winsock2.h>

namespace tg::win32 {

bool Win32Sockets::startup() {
  WSADATA data;
  return WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

Sockets::HostName Win32Sockets::hostName() {
  char buffer[101] = {};
  if (gethostname(buffer, sizeof buffer) != 0) return {false, {}, WSAGetLastError()};
  buffer[sizeof buffer - 1] = '\0';
  return {true, buffer, 0};
}

std::optional<std::vector<std::uint8_t>> Win32Sockets::firstAddress(const std::string& host) {
  const hostent* entry = gethostbyname(host.c_str());
  if (!entry || !entry->h_addr_list || !entry->h_addr_list[0] || entry->h_length <= 0) return std::nullopt;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(entry->h_addr_list[0]);
  return std::vector<std::uint8_t>(bytes, bytes + entry->h_length);
}

void Win32Sockets::cleanup() { WSACleanup(); }

}  // namespace tg::win32
