#pragma once

#include <array>
#include <string>
#include <vector>

#include "stores/RecordStore.h"

namespace tg {

// The seven record stores. Their files, fields and sizes are shared with the
// engines and must not change.
enum class StoreId { Rules, Alerts, Events, Quarantine, Language, Sites, Configuration };

constexpr std::array<StoreId, 7> kAllStores = {StoreId::Rules,    StoreId::Alerts, StoreId::Events,
                                               StoreId::Quarantine, StoreId::Language, StoreId::Sites,
                                               StoreId::Configuration};

struct StoreSchema {
  std::string component;  // the record-set component that holds the store
  std::string fileName;   // in the program directory
  std::vector<FieldDef> fields;
};

const StoreSchema& schemaOf(StoreId id);

constexpr std::size_t kConfigurationFieldCount = 12;

}  // namespace tg
