#include "stores/Stores.h"

namespace tg {

namespace {

// The stores whose file holds their one row of settings: a file without a row
// cannot be read as them, and the file's row replaces the default one.
bool holdsOneRow(StoreId id) { return id == StoreId::Language || id == StoreId::Configuration; }

}  // namespace

Stores::Stores(FileSystem& files, const std::string& programDirectory, const CodePage& codePage,
               NotifyUserHook notify)
    : files_(files), notify_(std::move(notify)) {
  for (StoreId id : kAllStores) {
    const StoreSchema& schema = schemaOf(id);
    slots_[static_cast<std::size_t>(id)] = std::make_unique<Slot>(
        RecordStore(schema.component), StoreFile(files, programDirectory + schema.fileName, schema.fields, codePage));
  }
}

void Stores::declareTable(StoreId id) {
  RecordStore& t = slot(id).table;
  t.close();
  t.clearFieldDefs();
  for (const FieldDef& field : schemaOf(id).fields) t.addFieldDef(field);
  t.createDataSet();
}

void Stores::appendDefaultRow(StoreId id) {
  RecordStore& t = slot(id).table;
  if (id == StoreId::Language) {
    t.append();
    t.setField("Champ1", "FR");
    t.post();
  } else if (id == StoreId::Configuration) {
    t.append();
    for (std::size_t f = 1; f <= kConfigurationFieldCount; ++f) t.setField("Champ" + std::to_string(f), "1");
    t.post();
  }
}

void Stores::becomePending(StoreId id, std::string reason) {
  Slot& s = slot(id);
  if (!s.pending) {
    // The store works from a fresh table meanwhile (the quarantine store stays
    // closed: its users read its file).
    declareTable(id);
    appendDefaultRow(id);
    if (id == StoreId::Quarantine) s.table.close();
    s.rowsBeforePending = s.table.active() ? s.table.recordCount() : 0;
  }
  s.pending = true;
  s.pendingReason = s.file.path() + " cannot be read: " + std::move(reason);
}

bool Stores::adopt(StoreId id, std::vector<PackedRow> rows, HeldLists held,
                   const std::function<void(RecordStore&)>& readOpened) {
  Slot& s = slot(id);
  if (holdsOneRow(id) && rows.empty()) return false;
  RecordStore& t = s.table;
  if (!s.pending) {
    t.assign(s.file.fields(), std::move(rows), std::move(held));
  } else if (t.active()) {
    // The file's rows first, then those added while it could not be read.
    std::vector<Row> added;
    if (!holdsOneRow(id)) {
      for (std::size_t i = s.rowsBeforePending; i < t.recordCount(); ++i) added.push_back(t.row(i));
    }
    t.assign(s.file.fields(), std::move(rows), std::move(held));
    t.appendRows(std::move(added));
  }
  // A store closed meanwhile stays closed: its next user loads the file.
  if (readOpened) {
    try {
      readOpened(t);
    } catch (const StoreError&) {
      t.close();
      return false;
    }
  }
  s.pending = false;
  s.fileKeptAside = false;
  return true;
}

Stores::Settled Stores::settle(StoreId id, const std::function<void(RecordStore&)>& readOpened) {
  Slot& s = slot(id);
  StoreRead main = s.file.read(true);
  if (main.outcome == StoreRead::Outcome::CannotOpen) {
    becomePending(id, main.why);
    return Settled::Pending;
  }
  if (main.outcome == StoreRead::Outcome::Read) {
    if (adopt(id, std::move(main.packed), std::move(main.held), readOpened)) {
      // A save that never finished left a copy older or newer than the file; the file wins.
      if (files_.exists(s.file.savingPath())) files_.remove(s.file.savingPath());
      return Settled::FromFile;
    }
    main.outcome = StoreRead::Outcome::Unreadable;
    main.why = "it holds no row";
  }
  if (main.outcome == StoreRead::Outcome::Unreadable && !s.fileKeptAside) {
    if (!s.file.keepAside()) {
      becomePending(id, main.why + ", and it could not be kept aside");
      return Settled::Pending;
    }
    // Copied rather than moved: the file is still there, to be replaced by the next save.
    s.fileKeptAside = s.file.exists();
  }
  // The file is missing, or kept aside: a complete copy left by a save that
  // never finished holds the latest rows.
  const StoreRead leftover = s.file.readSaving(true);
  if (leftover.outcome == StoreRead::Outcome::Read) {
    if (files_.rename(s.file.savingPath(), s.file.path(), true)) return settle(id, readOpened);
    becomePending(id, "a complete copy of it waits beside it and cannot be put in its place");
    return Settled::Pending;
  }
  if (leftover.outcome == StoreRead::Outcome::Unreadable) files_.remove(s.file.savingPath());  // half a save
  // Settled late, the store goes on from what it holds in memory.
  s.pending = false;
  return Settled::Fresh;
}

Opened Stores::openOrCreate(StoreId id, const std::function<void(RecordStore&)>& readOpened) {
  switch (settle(id, readOpened)) {
    case Settled::FromFile: return Opened::FromFile;
    case Settled::Pending: return Opened::Pending;
    case Settled::Fresh: break;
  }
  create(id);
  return Opened::Created;
}

void Stores::create(StoreId id) {
  Slot& s = slot(id);
  RecordStore& t = s.table;
  s.pending = false;
  declareTable(id);
  std::string failure;
  auto trySave = [&] {
    try {
      saveFile(id);
      s.fileKeptAside = false;
      return true;
    } catch (const StoreError& e) {
      failure = e.what();
      return false;
    }
  };
  bool saved = trySave();
  switch (id) {
    case StoreId::Quarantine:
      t.close();
      break;
    case StoreId::Language:
      // The default row is held in memory whether or not it reaches the file.
      appendDefaultRow(id);
      saved = trySave();
      break;
    case StoreId::Configuration:
      try {
        t.emptyDataSet();
        appendDefaultRow(id);
        saveFile(id);
      } catch (const StoreError&) {
        if (notify_) notify_("erreur creation configuration");
      }
      t.close();
      return;  // a failure is reported through the message engine
    default:
      break;
  }
  if (!saved) throw StoreError(failure);
}

void Stores::load(StoreId id) {
  Slot& s = slot(id);
  if (s.pending && s.table.active()) {
    // Rows added while the file could not be read must survive its reading.
    if (settle(id, {}) == Settled::Pending) throw StoreError(s.pendingReason);
    return;
  }
  s.file.load(s.table);
  s.pending = false;
  s.fileKeptAside = false;
}

void Stores::save(StoreId id) {
  Slot& s = slot(id);
  if (s.pending && settle(id, {}) == Settled::Pending)
    throw StoreError(s.pendingReason + "; it is left as it is, and the change is kept until it can be read");
  saveFile(id);
  s.fileKeptAside = false;
}

std::vector<StoreId> Stores::retryPending() {
  std::vector<StoreId> settled;
  for (StoreId id : kAllStores) {
    Slot& s = slot(id);
    if (!s.pending) continue;
    const bool added = s.table.active() && s.table.recordCount() > s.rowsBeforePending;
    const Settled result = settle(id, {});
    if (result == Settled::Pending) continue;
    settled.push_back(id);
    // What was added meanwhile, or a fresh table in place of a file kept
    // aside, goes to the file now; a failure is tried again by the next save.
    if (s.table.active() && (added || result == Settled::Fresh)) {
      try {
        save(id);
      } catch (const StoreError&) {
      }
    }
  }
  return settled;
}

}  // namespace tg
