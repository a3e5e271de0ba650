#include "pages/records/RecordEdits.h"

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

void removeRulesWhere(Stores& stores, const std::function<bool(const std::string& name)>& matches) {
  RecordStore& rules = openRules(stores);
  rules.deleteWhere([&](const Row& rule) { return matches(valueOf(rule, 0)); });
  stores.save(StoreId::Rules);
}

RecordStore& readQuarantine(Stores& stores) {
  RecordStore& quarantine = stores.table(StoreId::Quarantine);
  if (!stores.file(StoreId::Quarantine).exists()) stores.openOrCreate(StoreId::Quarantine);
  stores.load(StoreId::Quarantine);
  quarantine.open();
  return quarantine;
}

std::vector<std::string> quarantineNamesOf(const RecordStore& quarantine) {
  std::vector<std::string> names;
  names.reserve(quarantine.rows().size());
  for (const Row& row : quarantine.rows()) names.push_back(valueOf(row, 0));
  return names;
}

void refillQuarantineNames(SharedState& state, const RecordStore& quarantine) {
  fillQuarantineNames(state, quarantine.rows());
}

}  // namespace tg
