#include "stores/StoreFile.h"

#include <new>

#include "stores/DataPacket.h"

namespace tg {

namespace {

std::string inWords(FileError error) {
  switch (error) {
    case FileError::Held: return "it is in use by another program";
    case FileError::Denied: return "access to it is denied";
    case FileError::TooLarge: return "it is too large to be read";
    default: return "the system could not read it";
  }
}

}  // namespace

StoreRead StoreFile::readFrom(const std::string& path, bool asStored) const {
  StoreRead result;
  // Looked at where it lies, not copied: a store of many megabytes would
  // otherwise be in memory twice while it is decoded.
  FileViewRead file = files_.view(path);
  if (!file.view) {
    switch (file.error) {
      case FileError::Missing: result.outcome = StoreRead::Outcome::Missing; break;
      case FileError::TooLarge: result.outcome = StoreRead::Outcome::Unreadable; break;
      default: result.outcome = StoreRead::Outcome::CannotOpen; break;
    }
    result.why = inWords(file.error);
    return result;
  }
  try {
    std::string why;
    std::optional<DataPacket> packet = decodeDataPacket(file.view->bytes(), codePage_, &why, &fields_, asStored);
    file.view.reset();  // before anything may replace the file
    if (!packet) {
      result.outcome = StoreRead::Outcome::Unreadable;
      result.why = "it is not a readable store: " + why;
      return result;
    }
    result.outcome = StoreRead::Outcome::Read;
    result.rows = std::move(packet->rows);
    result.packed = std::move(packet->packed);
    result.held = std::move(packet->held);
  } catch (const std::bad_alloc&) {
    result.outcome = StoreRead::Outcome::Unreadable;
    result.rows.clear();
    result.packed.clear();
    result.held.clear();
    result.why = "it is too large to be read";
  }
  return result;
}

void StoreFile::load(RecordStore& store) const {
  store.close();
  StoreRead file = read(true);
  if (file.outcome != StoreRead::Outcome::Read) {
    if (file.outcome == StoreRead::Outcome::Missing) throw StoreError(path_ + " is missing");
    throw StoreError(path_ + " cannot be read: " + file.why);
  }
  // The declared sizes are this program's; a file cannot widen a field.
  store.assign(fields_, std::move(file.packed), std::move(file.held));
}

void StoreFile::save(const RecordStore& store) const {
  const std::string bytes = encodeDataPacket(store, codePage_);
  if (!replaceFile(files_, path_, bytes)) throw StoreError("cannot write " + path_);
}

std::optional<std::string> StoreFile::keepAside() const {
  for (int n = 1; n <= 99; ++n) {
    const std::string target = path_ + ".unreadable" + (n == 1 ? std::string() : std::to_string(n));
    if (files_.exists(target)) continue;
    if (files_.rename(path_, target, false)) return target;
    // A file that cannot be moved (open in a program that forbids it) may
    // still be copied; the original is then replaced by the next save.
    if (files_.copyFile(path_, target)) return target;
    files_.remove(target);  // a copy that failed part-way
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tg
