#include "pages/records/RecordEdits.h"

#include <unordered_set>

#include "base/Text.h"
#include "stores/SharedLists.h"

namespace tg {

RecordStore& openStore(Stores& stores, StoreId id) {
  RecordStore& table = stores.table(id);
  if (!table.active()) {
    stores.load(id);
    table.open();
  }
  table.first();
  return table;
}

void removeRulesWhere(Stores& stores, const std::function<bool(std::string_view name)>& matches) {
  RecordStore& rules = openRules(stores);
  rules.deleteWhere([&](const PackedRow& rule) { return matches(valueOf(rule, 0)); });
  stores.save(StoreId::Rules);
}

RecordStore& readQuarantine(Stores& stores) {
  RecordStore& quarantine = stores.table(StoreId::Quarantine);
  if (!stores.file(StoreId::Quarantine).exists()) stores.openOrCreate(StoreId::Quarantine);
  stores.load(StoreId::Quarantine);
  quarantine.open();
  return quarantine;
}

std::vector<std::string> quarantinePrograms(Stores& stores, SharedState& state, const std::vector<std::string>& names) {
  std::vector<std::string> added;
  std::unordered_set<std::string> bare;
  {
    QuarantineClosed closed(stores);
    RecordStore& quarantine = readQuarantine(stores);
    const std::vector<std::string> stored = quarantineNamesOf(quarantine);
    std::unordered_set<std::string> known(stored.begin(), stored.end());
    for (const std::string& name : names) {
      if (!known.insert(trimmed(name)).second) continue;  // already in quarantine
      quarantine.append();
      quarantine.setField("Champ1", name);
      quarantine.post();
      added.push_back(name);
      bare.insert(trimmed(name));
    }
    if (added.empty()) return added;
    stores.save(StoreId::Quarantine);
  }
  for (const std::string& name : added) state.QuarantineNames.push_back(name);
  removeRulesWhere(stores, [&](std::string_view rule) { return bare.count(std::string(rule)) > 0; });
  return added;
}

std::vector<std::string> quarantineNamesOf(const RecordStore& quarantine) {
  std::vector<std::string> names;
  names.reserve(quarantine.rows().size());
  for (const PackedRow& row : quarantine.rows()) names.emplace_back(valueOf(row, 0));
  return names;
}

void refillQuarantineNames(SharedState& state, const RecordStore& quarantine) {
  fillQuarantineNames(state, quarantine.rows());
}

}  // namespace tg
