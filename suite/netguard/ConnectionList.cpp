#include "suite/netguard/ConnectionList.h"

#include "base/Text.h"

namespace tg::suite {

namespace {
// A field must not hold the separator.
std::string clean(const std::string& text) { return replacedAll(replacedAll(text, ';', ','), '\r', ' '); }
}  // namespace

std::string connectionLine(const Connection& c) {
  std::string line;
  line += clean(c.program) + ";";
  line += std::to_string(c.pid) + ";";
  line += clean(c.protocol) + ";";
  line += clean(c.localAddress) + ":" + std::to_string(c.localPort) + ";";
  line += clean(c.remoteAddress) + ";";
  line += std::to_string(c.remotePort) + ";";
  line += clean(c.state) + ";";
  line += std::to_string(c.localPort) + ";";
  line += ";";   // field 8, empty
  line += ";;";  // never read
  return line;
}

Lines netguardLines(const std::vector<Connection>& connections) {
  Lines lines;
  lines.reserve(connections.size() + 1);
  for (const Connection& c : connections)
    if (c.pid != 0) lines.push_back(connectionLine(c));
  lines.push_back("end;" + std::to_string(lines.size()) + ";;");
  return lines;
}

}  // namespace tg::suite
