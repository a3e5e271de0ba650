#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "watchers/SeenReading.h"

namespace tg {

// The columns of the connections list, in order.
enum class ConnectionColumn { Program, Pid, Protocol, Local, Remote, Port, State, Verdict };
constexpr std::size_t kConnectionColumns = 8;

// What makes a connection the same at the next reading: its first fields,
// program, process id, protocol, local address, remote address and port.
constexpr std::size_t kConnectionIdentity = 6;
// Those fields as one text; `at(i)` gives field i.
template <typename At>
std::string connectionKey(At at) {
  std::string key;
  for (std::size_t i = 0; i < kConnectionIdentity; ++i) key += std::to_string(at(i).size()) + ':' + at(i);
  return key;
}

// One connection of the latest reading as the list shows it.
struct ConnectionRow {
  std::array<std::string, 7> cells;    // program to state, as the network engine wrote them
  Decision decision;
  bool fresh = false;                  // not there at the reading before
  // The text of a column up to the state; the verdict has no text of its own here.
  const std::string& cell(ConnectionColumn c) const;
};

// The rows the connections page shows, following the monitor's readings: each
// reading replaces them whole, and a row that was not in the reading before is
// marked fresh for that one reading (none in the first reading taken, which
// has nothing before it to differ from). While paused, readings are let by and
// the rows stay; the next one taken after the pause is compared with the last
// one shown.
class ConnectionRows {
 public:
  // Takes the reading when it is one not taken yet and the view is not
  // paused; whether the rows changed (a reading that gives the same rows
  // back, in the same order, changes nothing). A failed reading keeps the
  // rows and makes them old.
  bool take(const SeenReading& reading);
  void setPaused(bool paused) { paused_ = paused; }
  bool paused() const { return paused_; }

  const std::vector<ConnectionRow>& rows() const { return rows_; }
  // The rows are those of an earlier reading: the last one gave no list.
  bool old() const { return old_; }

 private:
  // A row by the hash of the fields that make its connection the same.
  struct Hashed {
    std::uint64_t hash;
    std::size_t row;
    bool operator<(const Hashed& other) const { return hash < other.hash; }
  };
  std::vector<ConnectionRow> rows_;
  std::vector<Hashed> byHash_;  // rows_, in the order of their hashes
  std::uint64_t taken_ = 0;
  bool paused_ = false;
  bool old_ = false;
};

// The order of two rows by a column: process ids and ports as numbers,
// addresses part by part (the numbers of an IPv4 address and its port), the
// others as text with the letter case of A to Z ignored; the decisions by
// their kind. Negative, zero or positive.
int compareConnections(const ConnectionRow& a, const ConnectionRow& b, ConnectionColumn column);
// The same for two texts of a column as the list shows them (the decision as its text).
int compareConnectionTexts(const std::string& a, const std::string& b, ConnectionColumn column);

}  // namespace tg
