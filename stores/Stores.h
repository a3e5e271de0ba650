#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "base/CodePage.h"
#include "stores/RecordStore.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"

namespace tg {

// The message pop-up through which the few errors the system reports itself
// reach the user (its spaces become ";" on the way to the engine).
using NotifyUserHook = std::function<void(const std::string& message)>;

// How opening a store went.
enum class Opened {
  FromFile,  // the existing file (or the complete copy a crashed save left) was read
  Created,   // there was no file, or it was kept aside: a fresh store took its place
  Pending,   // the file exists but cannot be read now; it is left untouched (see below)
};

// The record stores of the main window, each with its file in the program directory.
//
// No file is ever written over unless it was read, or kept aside first. A file
// that exists but cannot be opened (held by another program, access denied)
// leaves its store pending: the store works in memory from a fresh table, its
// saves are refused, and `retryPending` reads the file again later. Once it can
// be read, its rows come first and the rows added meanwhile follow them (for the
// language and configuration stores, whose one row the file holds, the file's
// row replaces the default one).
class Stores {
 public:
  Stores(FileSystem& files, const std::string& programDirectory, const CodePage& codePage, NotifyUserHook notify);

  RecordStore& table(StoreId id) { return slot(id).table; }
  const StoreFile& file(StoreId id) const { return slot(id).file; }

  // Loads the store's file; throws StoreError when it cannot (see StoreFile::load).
  // A pending store is settled first, keeping the rows added meanwhile.
  void load(StoreId id);
  // Saves the whole store to its file; throws StoreError when it cannot, or
  // when the store is pending and its file still cannot be read.
  void save(StoreId id);

  // Opening a store at start-up. Its file is loaded when it exists; when it is
  // missing, or cannot be read as this store (it is then kept aside), the
  // creation routine runs. A complete "<name>.saving" left by a save that
  // never finished takes the place of a missing or unreadable file; any other
  // leftover is removed. `readOpened` (when given) reads what the caller needs
  // of a store read from its file; a StoreError from it makes the file unreadable.
  // Throws StoreError when the fresh store cannot be saved (it stays in memory).
  Opened openOrCreate(StoreId id, const std::function<void(RecordStore&)>& readOpened = {});

  // The creation routine: a table of the store's fields, saved at once; the
  // language store then holds the row "FR" and the configuration one row of
  // twelve "1". The quarantine and configuration stores are left closed. The
  // table is complete in memory even when its file cannot be written; that is
  // then a StoreError (for the configuration, the message "erreur creation
  // configuration" instead).
  void create(StoreId id);

  bool pending(StoreId id) const { return slot(id).pending; }
  // Why a pending store's file could not be read, in words.
  const std::string& pendingReason(StoreId id) const { return slot(id).pendingReason; }
  // Reads the files of the pending stores again; the stores settled by it.
  std::vector<StoreId> retryPending();

 private:
  struct Slot {
    Slot(RecordStore t, StoreFile f) : table(std::move(t)), file(std::move(f)) {}
    RecordStore table;
    StoreFile file;
    bool pending = false;
    std::string pendingReason;
    std::size_t rowsBeforePending = 0;  // the rows of the fresh table it started from
    bool fileKeptAside = false;         // an unreadable file was copied aside but is still there
  };
  Slot& slot(StoreId id) { return *slots_[static_cast<std::size_t>(id)]; }
  const Slot& slot(StoreId id) const { return *slots_[static_cast<std::size_t>(id)]; }

  enum class Settled { FromFile, Fresh, Pending };
  Settled settle(StoreId id, const std::function<void(RecordStore&)>& readOpened);
  bool adopt(StoreId id, std::vector<PackedRow> rows, HeldLists held,
             const std::function<void(RecordStore&)>& readOpened);
  // The store's fields over an empty table, open; and its default row, if any.
  void declareTable(StoreId id);
  void appendDefaultRow(StoreId id);
  void becomePending(StoreId id, std::string reason);
  void saveFile(StoreId id) { slot(id).file.save(slot(id).table); }

  FileSystem& files_;
  std::array<std::unique_ptr<Slot>, kAllStores.size()> slots_;
  NotifyUserHook notify_;
};

}  // namespace tg
