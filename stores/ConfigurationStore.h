#pragma once

#include <array>
#include <optional>

#include "stores/Stores.h"

namespace tg {

using ConfigurationValues = std::array<bool, kConfigurationFieldCount>;

// Start-up opening of the configuration store. The twelve switches as the file
// holds them ("1" exactly is on), or empty when the file was missing or could
// not be read and a fresh store was created instead (whose twelve "1" are not
// taken into memory), or is left to be read later. The store is closed
// afterwards either way.
std::optional<ConfigurationValues> openConfigurationAtStartUp(Stores& stores);

// The switches of the open store's first row; throws StoreError without a row.
ConfigurationValues configurationSwitchesOf(RecordStore& table);

// The switches the configuration file holds now, read and closed again; empty
// when it cannot be read.
std::optional<ConfigurationValues> readConfigurationFile(Stores& stores);

}  // namespace tg
