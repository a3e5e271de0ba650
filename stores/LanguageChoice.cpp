#include "stores/LanguageChoice.h"

#include "stores/Text.h"

namespace tg {

bool isLanguageCode(std::string_view code) {
  return code == "FR" || code == "GB" || code == "ESP" || code == "DE" || code == "ITA";
}

void validateLanguageChoice(Stores& stores) {
  RecordStore& table = stores.table(StoreId::Language);
  std::string code;
  bool fromFile = false;
  try {
    fromFile = stores.openOrCreate(StoreId::Language, [&code](RecordStore& t) {
      t.first();
      code = t.field("Champ1");
    });
  } catch (const StoreError&) {
    return;  // the fresh store could not be saved; the next start tries again
  }
  if (!fromFile) return;  // a fresh store holds "FR"
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
