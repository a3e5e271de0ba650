#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "stores/CodePage.h"
#include "stores/RecordStore.h"

namespace tg {

// The XML file of one record store, and the fields a file must declare to be
// read as that store.
class StoreFile {
 public:
  StoreFile(FileSystem& files, std::string path, std::vector<FieldDef> fields, CodePage codePage)
      : files_(files), path_(std::move(path)), fields_(std::move(fields)), codePage_(codePage) {}

  const std::string& path() const { return path_; }
  const std::vector<FieldDef>& fields() const { return fields_; }
  bool exists() const { return files_.exists(path_); }

  // Closes the store, then reads the whole file and opens the store on its table.
  // Throws StoreError when the file is missing or cannot be read, is not a data
  // packet, or does not declare exactly this store's fields in their order; the
  // store then stays closed.
  void load(RecordStore& store) const;

  // Writes the whole table beside the file and then puts it in the file's place,
  // so that the file always holds either the old table or the new one. Throws
  // StoreError when it cannot.
  void save(const RecordStore& store) const;

  // Moves a file that could not be read out of the way of a fresh store: to
  // "<name>.unreadable", or "<name>.unreadable2" and so on when that is taken.
  // The new name, or empty when the file could not be moved.
  std::optional<std::string> keepAside() const;

 private:
  FileSystem& files_;
  std::string path_;
  std::vector<FieldDef> fields_;
  CodePage codePage_;
};

}  // namespace tg
