#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/Sockets.h"

namespace tg {

struct LocalHost {
  std::string hostName;
  std::string address;  // dotted decimal, or empty
  std::string error;
  bool ok = false;
};

// The local machine's host name and first address through the sockets library.
LocalHost LocalHostQuery(Sockets& sockets);

// The bytes of an address in dotted decimal form, each unsigned: "200.7.0.128".
std::string dottedAddress(std::span<const std::uint8_t> bytes);

// Only the dots and the digits 0 to 9 of a text, in their order.
std::string IpDigits(std::string_view text);

}  // namespace tg
