#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "base/CodePage.h"
#include "stores/FileReplace.h"
#include "stores/RecordStore.h"

namespace tg {

// What reading a store's file gave.
struct StoreRead {
  enum class Outcome {
    Read,        // the rows of a file that holds this store
    Missing,     // no such file
    CannotOpen,  // held by another process, access denied, a device error: its content is unknown
    Unreadable,  // read, but not this store (broken, other fields, too large for memory)
  };
  Outcome outcome = Outcome::Missing;
  std::vector<Row> rows;
  std::vector<PackedRow> packed;  // in place of rows, when read as a store holds them
  HeldLists held;                 // then the module lists
  std::string why;  // for the last two, in words
};

// The XML file of one record store, and the fields a file must declare to be
// read as that store.
class StoreFile {
 public:
  StoreFile(FileSystem& files, std::string path, std::vector<FieldDef> fields, CodePage codePage)
      : files_(files), path_(std::move(path)), fields_(std::move(fields)), codePage_(codePage) {}

  const std::string& path() const { return path_; }
  // Where a save writes the table before it replaces the file.
  std::string savingPath() const { return savingPathOf(path_); }
  const std::vector<FieldDef>& fields() const { return fields_; }
  bool exists() const { return files_.exists(path_); }

  // Reads the file, or the one a save left beside it. Never throws. With
  // `asStored`, as a store holds them: packed, the module lists in `held`.
  StoreRead read(bool asStored = false) const { return readFrom(path_, asStored); }
  StoreRead readSaving(bool asStored = false) const { return readFrom(savingPath(), asStored); }

  // Closes the store, then reads the whole file and opens the store on its table.
  // Throws StoreError when the file is missing or cannot be read, or is not
  // this store; the store then stays closed.
  void load(RecordStore& store) const;

  // Writes the whole table beside the file and then puts it in the file's place,
  // so that the file always holds either the old table or the new one. Throws
  // StoreError when it cannot.
  void save(const RecordStore& store) const;

  // Keeps a file that could not be read out of the way of a fresh store: moves
  // it to "<name>.unreadable" ("<name>.unreadable2" and so on when taken), or
  // copies it there when it cannot be moved. The name it is kept under, or
  // empty when it could be neither moved nor copied.
  std::optional<std::string> keepAside() const;

 private:
  StoreRead readFrom(const std::string& path, bool asStored) const;

  FileSystem& files_;
  std::string path_;
  std::vector<FieldDef> fields_;
  CodePage codePage_;
};

}  // namespace tg
