#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "stores/SharedState.h"
#include "stores/Stores.h"

namespace tg {

// A store the window keeps open for the whole run (rules, alerts), open at its
// first row; one that was closed is read from its file again. Throws StoreError.
RecordStore& openStore(Stores& stores, StoreId id);
inline RecordStore& openRules(Stores& stores) { return openStore(stores, StoreId::Rules); }

// Removes every rule that `matches` (by its Champ1), keeping the others in
// their order, and saves the store whole. Throws StoreError when the save fails;
// the rules stay removed in memory and the file keeps what it last held.
void removeRulesWhere(Stores& stores, const std::function<bool(std::string_view name)>& matches);

// The quarantine store read afresh from its file, open. A missing file is an
// empty store, as at start-up (or the complete copy an interrupted save left);
// a file that cannot be read ends the action (StoreError) with nothing changed.
RecordStore& readQuarantine(Stores& stores);
// Closes the quarantine store when an action ends, however it ends: it is
// closed between uses.
class QuarantineClosed {
 public:
  explicit QuarantineClosed(Stores& stores) : stores_(stores) {}
  ~QuarantineClosed() { stores_.table(StoreId::Quarantine).close(); }
  QuarantineClosed(const QuarantineClosed&) = delete;
  QuarantineClosed& operator=(const QuarantineClosed&) = delete;

 private:
  Stores& stores_;
};

// Puts programs in quarantine as the alert list does: the store read afresh,
// each name not there yet appended (as given) and the store saved once,
// QuarantineNames following, then the rules of those programs removed (rules
// without a name stay). The names added. Throws StoreError.
std::vector<std::string> quarantinePrograms(Stores& stores, SharedState& state, const std::vector<std::string>& names);

// The names of the quarantine store, in store order.
std::vector<std::string> quarantineNamesOf(const RecordStore& quarantine);
// QuarantineNames as the start-up fills it: every stored name, trimmed.
void refillQuarantineNames(SharedState& state, const RecordStore& quarantine);

}  // namespace tg
