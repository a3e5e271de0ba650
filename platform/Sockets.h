#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tg {

// The sockets library, version 1.1, as far as the local host query needs it.
struct Sockets {
  struct HostName {
    bool ok = false;
    std::string name;
    int error = 0;  // the library's last error when not ok
  };

  // Starts the library asking for version 1.1; false when it does not answer.
  virtual bool startup() = 0;
  // The local host name, into a buffer of 101 characters.
  virtual HostName hostName() = 0;
  // The bytes of the first address of a host; empty when the lookup gives none.
  virtual std::optional<std::vector<std::uint8_t>> firstAddress(const std::string& host) = 0;
  virtual void cleanup() = 0;
  virtual ~Sockets() = default;
};

}  // namespace tg
