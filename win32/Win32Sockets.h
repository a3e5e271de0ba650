#pragma once

#include "platform/Sockets.h"

namespace tg::win32 {

// Windows Sockets 1.1.
class Win32Sockets : public Sockets {
 public:
  bool startup() override;
  HostName hostName() override;
  std::optional<std::vector<std::uint8_t>> firstAddress(const std::string& host) override;
  void cleanup() override;
};

}  // namespace tg::win32
