#include "stores/StoreFile.h"

#include "stores/DataPacket.h"
#include "stores/Text.h"

namespace tg {

namespace {

bool sameFieldNames(const std::vector<FieldDef>& declared, const std::vector<FieldDef>& expected) {
  if (declared.size() != expected.size()) return false;
  for (std::size_t i = 0; i < declared.size(); ++i)
    if (!equalsIgnoringAsciiCase(declared[i].name, expected[i].name)) return false;
  return true;
}

}  // namespace

void StoreFile::load(RecordStore& store) const {
  store.close();
  const std::optional<std::string> bytes = files_.readBytes(path_);
  if (!bytes) throw StoreError("cannot read " + path_);
  std::string why;
  std::optional<DataPacket> packet = decodeDataPacket(*bytes, codePage_, &why);
  if (!packet) throw StoreError(path_ + " is not a readable store: " + why);
  if (!sameFieldNames(packet->fields, fields_)) throw StoreError(path_ + " does not hold the fields of " + store.name());
  // The declared sizes are this program's; a file cannot widen a field.
  store.assign(fields_, std::move(packet->rows));
}

void StoreFile::save(const RecordStore& store) const {
  const std::string bytes = encodeDataPacket(store.fieldDefs(), store.rows(), codePage_);
  const std::string aside = path_ + ".saving";
  if (!files_.writeBytesDurably(aside, bytes)) {
    files_.remove(aside);
    throw StoreError("cannot write " + aside);
  }
  if (!files_.rename(aside, path_, true)) {
    files_.remove(aside);
    throw StoreError("cannot replace " + path_);
  }
}

std::optional<std::string> StoreFile::keepAside() const {
  for (int n = 1; n <= 99; ++n) {
    const std::string target = path_ + ".unreadable" + (n == 1 ? std::string() : std::to_string(n));
    if (files_.exists(target)) continue;
    if (files_.rename(path_, target, false)) return target;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tg
