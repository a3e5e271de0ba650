#include "stores/StoreSchema.h"

namespace tg {

namespace {

// Fields Champ1 ... ChampN of `size` characters, one of them possibly wider.
std::vector<FieldDef> champs(std::size_t count, std::size_t size, std::size_t wideField = 0,
                             std::size_t wideSize = 0) {
  std::vector<FieldDef> fields;
  for (std::size_t i = 1; i <= count; ++i)
    fields.push_back({"Champ" + std::to_string(i), i == wideField ? wideSize : size});
  return fields;
}

// The alerts' last field holds the modules the program had loaded.
std::vector<FieldDef> alertFields() {
  std::vector<FieldDef> fields = champs(9, 200, 9, 5000);
  fields.back().pathList = true;
  return fields;
}

}  // namespace

const StoreSchema& schemaOf(StoreId id) {
  static const StoreSchema rules{"ClientDataSet1", "regles.xml", champs(11, 200, 8, 5000)};
  static const StoreSchema alerts{"ClientDataSet2", "alertes.xml", alertFields()};
  static const StoreSchema events{"ClientDataSet3", "evenements.xml", champs(5, 200)};
  static const StoreSchema quarantine{"ClientDataSet4", "quarantaines.xml", champs(1, 200)};
  static const StoreSchema language{"ClientDataSet5", "langues.xml", champs(1, 200)};
  static const StoreSchema sites{"ClientDataSet9", "site.xml", champs(2, 200)};
  static const StoreSchema configuration{"ClientDataSet10", "configuration.xml",
                                         champs(kConfigurationFieldCount, 200)};
  switch (id) {
    case StoreId::Rules: return rules;
    case StoreId::Alerts: return alerts;
    case StoreId::Events: return events;
    case StoreId::Quarantine: return quarantine;
    case StoreId::Language: return language;
    case StoreId::Sites: return sites;
    case StoreId::Configuration: return configuration;
  }
  return rules;
}

}  // namespace tg
