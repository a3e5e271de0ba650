#include "stores/LanguageChoice.h"

#include "stores/Text.h"

namespace tg {

bool isLanguageCode(std::string_view code) {
  return code == "FR" || code == "GB" || code == "ESP" || code == "DE" || code == "ITA";
}

void validateLanguageChoice(Stores& stores) {
  RecordStore& table = stores.table(StoreId::Language);
  if (!stores.file(StoreId::Language).exists()) {
    try {
      stores.create(StoreId::Language);
    } catch (const StoreError&) {
    }
    return;
  }
  std::string code;
  try {
    stores.load(StoreId::Language);
    table.open();
    table.first();
    code = table.field("Champ1");
  } catch (const StoreError&) {
    stores.file(StoreId::Language).keepAside();
    try {
      stores.create(StoreId::Language);
    } catch (const StoreError&) {
    }
    return;
  }
  if (isLanguageCode(trimmed(code))) return;
  try {
    table.emptyDataSet();
    table.append();
    table.setField("Champ1", "FR");
    table.post();
    stores.save(StoreId::Language);
  } catch (const StoreError&) {
    // The repair is tried again at the next start.
  }
}

std::string storedLanguageCode(Stores& stores) {
  try {
    RecordStore& table = stores.table(StoreId::Language);
    table.first();
    return table.field("Champ1");
  } catch (const StoreError&) {
    return {};
  }
}

}  // namespace tg
