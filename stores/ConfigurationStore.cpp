#include "stores/ConfigurationStore.h"

#include <string>

namespace tg {

std::optional<ConfigurationValues> openConfigurationAtStartUp(Stores& stores) {
  RecordStore& table = stores.table(StoreId::Configuration);
  std::optional<ConfigurationValues> values;
  if (stores.file(StoreId::Configuration).exists()) {
    try {
      stores.load(StoreId::Configuration);
      table.open();
      table.first();
      ConfigurationValues read{};
      // A store without a row has no fields to read: it counts as unreadable.
      for (std::size_t f = 0; f < kConfigurationFieldCount; ++f)
        read[f] = table.field("Champ" + std::to_string(f + 1)) == "1";
      values = read;
    } catch (const StoreError&) {
      stores.file(StoreId::Configuration).keepAside();
    }
  }
  if (!values) {
    try {
      stores.create(StoreId::Configuration);
    } catch (const StoreError&) {
      // The file could not be written; the next configuration write tries again.
    }
  }
  table.close();
  return values;
}

}  // namespace tg
