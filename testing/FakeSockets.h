#pragma once

#include "platform/Sockets.h"

namespace tg::testing {

// A sockets library whose answers a test chooses; it counts start-ups and
// clean-ups so that a test can see they pair.
class FakeSockets : public Sockets {
 public:
  bool startupWorks = true;
  HostName name{true, "poste-1", 0};
  std::optional<std::vector<std::uint8_t>> address = std::vector<std::uint8_t>{192, 168, 1, 20};
  int startups = 0;
  int cleanups = 0;

  bool startup() override {
    if (startupWorks) ++startups;
    return startupWorks;
  }
  HostName hostName() override { return name; }
  std::optional<std::vector<std::uint8_t>> firstAddress(const std::string&) override { return address; }
  void cleanup() override { ++cleanups; }
};

}  // namespace tg::testing
