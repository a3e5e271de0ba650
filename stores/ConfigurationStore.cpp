#include "stores/ConfigurationStore.h"

#include <string>

namespace tg {

std::optional<ConfigurationValues> openConfigurationAtStartUp(Stores& stores) {
  ConfigurationValues read{};
  Opened opened = Opened::Created;
  try {
    opened = stores.openOrCreate(StoreId::Configuration,
                                 [&read](RecordStore& table) { read = configurationSwitchesOf(table); });
  } catch (const StoreError&) {
    // The fresh file could not be written; the next configuration write tries again.
  }
  stores.table(StoreId::Configuration).close();
  if (opened != Opened::FromFile) return std::nullopt;
  return read;
}

ConfigurationValues configurationSwitchesOf(RecordStore& table) {
  ConfigurationValues read{};
  // A store without a row has no fields to read: it counts as unreadable.
  table.first();
  for (std::size_t f = 0; f < kConfigurationFieldCount; ++f)
    read[f] = table.field("Champ" + std::to_string(f + 1)) == "1";
  return read;
}

std::optional<ConfigurationValues> readConfigurationFile(Stores& stores) {
  RecordStore& table = stores.table(StoreId::Configuration);
  std::optional<ConfigurationValues> read;
  try {
    stores.load(StoreId::Configuration);
    read = configurationSwitchesOf(table);
  } catch (const StoreError&) {
  }
  table.close();
  return read;
}

}  // namespace tg
