#include "engines/HostAddress.h"

namespace tg {

LocalHost LocalHostQuery(Sockets& sockets) {
  LocalHost result;
  if (!sockets.startup()) {
    result.error = "Winsock ne r\xE9pond pas.\"";
    return result;
  }
  const Sockets::HostName name = sockets.hostName();
  if (!name.ok) {
    switch (name.error) {
      case 10036: result.error = "WSAEInProgress"; break;
      case 10050: result.error = "WSAENetDown"; break;
      case 10093: result.error = "WSANotInitialised"; break;
      default: break;
    }
  } else {
    result.hostName = name.name;
    if (const auto bytes = sockets.firstAddress(name.name)) result.address = dottedAddress(*bytes);
    result.ok = true;
  }
  sockets.cleanup();
  return result;
}

std::string dottedAddress(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += '.';
    out += std::to_string(static_cast<unsigned>(bytes[i]));
  }
  return out;
}

std::string IpDigits(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c == '.' || (c >= '0' && c <= '9')) out += c;
  return out;
}

}  // namespace tg
