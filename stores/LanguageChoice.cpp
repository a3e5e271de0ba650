#include "stores/LanguageChoice.h"

#include "base/Text.h"

namespace tg {

bool isLanguageCode(std::string_view code) {
  return code == "FR" || code == "GB" || code == "ESP" || code == "DE" || code == "ITA";
}

void validateLanguageChoice(Stores& stores) {
  std::string code;
  try {
    const Opened opened = stores.openOrCreate(StoreId::Language, [&code](RecordStore& t) {
      t.first();
      code = t.field("Champ1");
    });
    if (opened != Opened::FromFile) return;  // a fresh store, or one waiting for its file, holds "FR"
  } catch (const StoreError&) {
    return;  // the fresh store holds "FR" but could not be saved; its next save tries again
  }
  repairLanguageChoice(stores, code);
}

void repairLanguageChoice(Stores& stores, const std::string& code) {
  RecordStore& table = stores.table(StoreId::Language);
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
