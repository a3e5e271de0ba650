#include "stores/ConfigurationStore.h"

#include <string>

namespace tg {

std::optional<ConfigurationValues> openConfigurationAtStartUp(Stores& stores) {
  ConfigurationValues read{};
  bool fromFile = false;
  try {
    fromFile = stores.openOrCreate(StoreId::Configuration, [&read](RecordStore& table) {
      // A store without a row has no fields to read: it counts as unreadable.
      table.first();
      for (std::size_t f = 0; f < kConfigurationFieldCount; ++f)
        read[f] = table.field("Champ" + std::to_string(f + 1)) == "1";
    });
  } catch (const StoreError&) {
    // The fresh file could not be written; the next configuration write tries again.
  }
  stores.table(StoreId::Configuration).close();
  if (!fromFile) return std::nullopt;
  return read;
}

}  // namespace tg
