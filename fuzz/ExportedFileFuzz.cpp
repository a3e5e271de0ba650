// A file brought for import, as anyone may hand it over: an export of this
// program, a table a spreadsheet wrote, or anything else. What the reader
// takes must be one carried store's rows, and must come back the same through
// the table form an export writes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "stores/StoreCsv.h"
#include "stores/StoreSchema.h"
#include "stores/StoreTransfer.h"

namespace tg {
namespace {

using fuzz::require;

const CodePage kCodePage(1252);

}  // namespace
}  // namespace tg

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tg;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ExportedFile file = readExportedFile(bytes, kCodePage);
  require(file.kind.has_value() != !file.why.empty(), "a file is either taken or refused with a reason");
  if (!file.kind) return 0;
  const std::size_t columns = schemaOf(*file.kind).fields.size();
  std::vector<std::string> captions(columns, "c");
  for (const Row& row : file.rows) require(row.size() <= columns, "no row has more values than its store has fields");
  const std::string table = encodeCsv(captions, file.rows, kCodePage);
  const auto again = decodeCsv(table, kCodePage, columns);
  require(again.has_value(), "an exported table reads back");
  require(again->rows.size() == file.rows.size(), "every row reads back");
  for (std::size_t r = 0; r < file.rows.size(); ++r)
    for (std::size_t f = 0; f < columns; ++f)
      require(again->rows[r][f] == valueOf(file.rows[r], f), "every value reads back unchanged");
  return 0;
}
