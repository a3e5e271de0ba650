#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engines/ConnectionLine.h"

namespace tg {

// What the monitor did about one connection at a reading, by its own decision
// there. Ranked: a later step's verdict replaces an earlier one of a lower
// rank, and the first verdict that ended the program stays.
enum class Verdict {
  Passed,          // nothing applied: no process number to record, or an alert still open
  AllowedByRule,   // the program is recorded; nothing forbids it
  New,             // recorded at this reading, as an alert and a rule
  Asked,           // the user was asked about it at this reading (its port, or its quarantine)
  Quarantined,     // ended: its name is in quarantine
  ProtocolSwitch,  // ended by a protocol switch; the detail names the protocol
  SiteList,        // ended: it connects to a listed site; the detail names the site
  InternetBlocked, // ended: the Internet is blocked
};

// Whether a verdict is one of a program ended.
constexpr bool endedBy(Verdict v) { return v >= Verdict::Quarantined; }

struct Decision {
  Verdict verdict = Verdict::Passed;
  std::string detail;
};

// The latest reading the monitor went through, as it left it for whoever
// wants to look: the connections in the network engine's order, each with
// the decision taken on it.
struct SeenReading {
  std::uint64_t number = 0;  // goes up with every reading, good or failed; 0 before the first
  bool failed = false;       // the last reading gave no list: the connections are the last good one's
  std::vector<ConnectionFields> connections;
  std::vector<Decision> decisions;  // one for each connection
};

}  // namespace tg
