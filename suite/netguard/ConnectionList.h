#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stores/TextFile.h"

namespace tg::suite {

// One endpoint of the machine's connection tables with its owning process.
struct Connection {
  std::string program;  // executable file name; "?" when the owner is unknown
  std::uint32_t pid = 0;
  std::string protocol;  // "TCP" or "UDP"
  std::string localAddress;
  int localPort = 0;
  std::string remoteAddress;  // "" when there is none
  int remotePort = -1;        // -1 when there is no remote port to judge
  std::string state;
};

// The netguard.txt line of a connection:
//   program;pid;protocol;local address:port;remote address;remote port or -1;state;local port;;
// ending with two characters beyond the ninth field, which a reader never needs.
std::string connectionLine(const Connection& c);

// Every connection's line, then the closing line, which carries no connection
// and counts the lines before it. An endpoint without a known owning process
// (process id 0) gets no line: it names nobody the monitor could act on.
Lines netguardLines(const std::vector<Connection>& connections);

}  // namespace tg::suite
