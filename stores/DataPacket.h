#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/CodePage.h"
#include "stores/RecordStore.h"

namespace tg {

// A table as its XML file holds it: the declared fields and the rows.
struct DataPacket {
  std::vector<FieldDef> fields;
  std::vector<Row> rows;
  // Read as a store holds them: the rows packed (rows stays empty), and the
  // values of the expected path-list fields apart, reading empty in the rows.
  std::vector<PackedRow> packed;
  HeldLists held;
};

// Writes the table as a well-formed XML 1.0 document in the given code page:
//   <DATAPACKET Version="2.0">
//     <METADATA><FIELDS><FIELD attrname="Champ1" fieldtype="string" WIDTH="200"/>...
//     <ROWDATA><ROW Champ1="..."/>...
// Every byte of every value reads back unchanged, control characters included.
std::string encodeDataPacket(const std::vector<FieldDef>& fields, const std::vector<Row>& rows,
                             const CodePage& codePage);
// The same for an open store, its module lists included.
std::string encodeDataPacket(const RecordStore& store, const CodePage& codePage);

// Reads a document written by encodeDataPacket, or any well-formed document of
// the same shape. Empty, with the reason in `error`, when the bytes are not one.
// With `expected`, a document that declares other fields (other names, ignoring
// letter case, another order or count) is refused before any row is read.
// Time and memory grow linearly with the size of the document: a row takes
// memory for the values up to its last non-empty one only.
// With `asStored`, each row is packed as it is read, its values cut to the
// sizes of the fields that `expected` declares, and the values of the
// path-list fields go to `held`: the rows' texts are never in memory twice.
std::optional<DataPacket> decodeDataPacket(std::string_view xml, const CodePage& codePage,
                                           std::string* error = nullptr,
                                           const std::vector<FieldDef>* expected = nullptr,
                                           bool asStored = false);

// Whether a reason given by decodeDataPacket says only that the document
// declares other fields than those expected: it may be another table's.
bool declaresOtherFields(std::string_view error);

}  // namespace tg
