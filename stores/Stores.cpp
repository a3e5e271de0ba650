#include "stores/Stores.h"

namespace tg {

Stores::Stores(FileSystem& files, const std::string& programDirectory, const CodePage& codePage,
               NotifyUserHook notify)
    : notify_(std::move(notify)) {
  for (StoreId id : kAllStores) {
    const StoreSchema& schema = schemaOf(id);
    slots_[static_cast<std::size_t>(id)] = std::make_unique<Slot>(
        Slot{RecordStore(schema.component), StoreFile(files, programDirectory + schema.fileName, schema.fields, codePage)});
  }
}

bool Stores::openOrCreate(StoreId id, const std::function<void(RecordStore&)>& readOpened) {
  Slot& s = slot(id);
  if (s.file.exists()) {
    try {
      s.file.load(s.table);
      s.table.open();
      if (readOpened) readOpened(s.table);
      return true;
    } catch (const StoreError&) {
      s.file.keepAside();
    }
  }
  create(id);
  return false;
}

void Stores::create(StoreId id) {
  RecordStore& t = slot(id).table;
  t.close();
  t.clearFieldDefs();
  for (const FieldDef& field : schemaOf(id).fields) t.addFieldDef(field.name, field.size);
  t.createDataSet();
  save(id);
  switch (id) {
    case StoreId::Quarantine:
      t.close();
      break;
    case StoreId::Language:
      t.append();
      t.setField("Champ1", "FR");
      t.post();
      save(id);
      break;
    case StoreId::Configuration:
      try {
        t.emptyDataSet();
        t.append();
        for (std::size_t f = 1; f <= kConfigurationFieldCount; ++f) t.setField("Champ" + std::to_string(f), "1");
        t.post();
        save(id);
      } catch (const StoreError&) {
        if (notify_) notify_("erreur creation configuration");
      }
      t.close();
      break;
    default:
      break;
  }
}

}  // namespace tg
