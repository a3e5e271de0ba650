#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "stores/CodePage.h"
#include "stores/RecordStore.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"

namespace tg {

// The message pop-up through which the few errors the system reports itself
// reach the user (its spaces become ";" on the way to the engine).
using NotifyUserHook = std::function<void(const std::string& message)>;

// The record stores of the main window, each with its file in the program directory.
class Stores {
 public:
  Stores(FileSystem& files, const std::string& programDirectory, const CodePage& codePage, NotifyUserHook notify);

  RecordStore& table(StoreId id) { return slot(id).table; }
  const StoreFile& file(StoreId id) const { return slot(id).file; }

  // Loads the store's file; throws StoreError when it cannot (see StoreFile::load).
  void load(StoreId id) { slot(id).file.load(slot(id).table); }
  // Saves the whole store to its file; throws StoreError when it cannot.
  void save(StoreId id) { slot(id).file.save(slot(id).table); }

  // Opening a store: its file is loaded when it exists and `readOpened` (when
  // given) reads what the caller needs of it; a missing file, or one that cannot
  // be read as this store, gives way to the creation routine. An unreadable file
  // is first moved aside so that nothing the user had is lost. True when the
  // existing file was read; throws StoreError when the fresh store cannot be saved.
  bool openOrCreate(StoreId id, const std::function<void(RecordStore&)>& readOpened = {});

  // The creation routine: an empty table of the store's fields, saved at once;
  // the language store then holds the row "FR" and the configuration one row of
  // twelve "1". The quarantine and configuration stores are left closed.
  // Throws StoreError when the empty table cannot be saved.
  void create(StoreId id);

 private:
  struct Slot {
    RecordStore table;
    StoreFile file;
  };
  Slot& slot(StoreId id) { return *slots_[static_cast<std::size_t>(id)]; }
  const Slot& slot(StoreId id) const { return *slots_[static_cast<std::size_t>(id)]; }

  std::array<std::unique_ptr<Slot>, kAllStores.size()> slots_;
  NotifyUserHook notify_;
};

}  // namespace tg
