// The stores' XML files as any program, a damaged disk or a user may leave
// them: the packet reader must refuse what is not a table, and whatever reads
// as a table must write and read back the same, through the store's file and
// the start-up opening too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "stores/DataPacket.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"
#include "stores/Stores.h"
#include "base/Text.h"
#include "testing/FakeFileSystem.h"

namespace tg {
namespace {

using fuzz::require;
using testing::FakeFileSystem;

const std::string kDirectory = "C:\\Program\\";

// A row that stops early has empty values after its last one.
std::vector<Row> padded(std::vector<Row> rows, std::size_t fieldCount) {
  for (Row& row : rows)
    if (row.size() < fieldCount) row.resize(fieldCount);
  return rows;
}

// The rows as a store of these fields holds them: values cut to their sizes.
std::vector<Row> asStored(std::vector<Row> rows, const std::vector<FieldDef>& fields) {
  RecordStore store("fuzz");
  store.assign(fields, std::move(rows));
  return padded(store.wholeRows(), fields.size());
}

bool sameNames(const std::vector<FieldDef>& a, const std::vector<FieldDef>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!equalsIgnoringAsciiCase(a[i].name, b[i].name)) return false;
  return true;
}

// Read with and without the table's fields, then written and read again.
void readAndWriteBack(std::string_view xml, const std::vector<FieldDef>& fields, const CodePage& codePage) {
  std::string why;
  const auto packet = decodeDataPacket(xml, codePage, &why, &fields);
  std::string freeWhy;
  const auto free = decodeDataPacket(xml, codePage, &freeWhy);
  require(free.has_value() || !freeWhy.empty(), "a refused document says why");
  if (!packet) {
    require(!why.empty(), "a refused document says why");
    require(!free || !sameNames(free->fields, fields), "a document that declares the table's fields is read as the table");
    return;
  }
  require(free.has_value(), "a table read with its fields expected is read without them too");
  require(free->rows == packet->rows, "expecting the fields changes no row");
  require(sameNames(packet->fields, fields), "a table read with its fields expected declares them");
  for (const Row& row : packet->rows) {
    require(row.size() <= fields.size(), "a row holds no more values than the table has fields");
    require(row.empty() || !row.back().empty(), "a row reaches as far as its last non-empty value only");
  }

  const std::string written = encodeDataPacket(fields, packet->rows, codePage);
  std::string againWhy;
  const auto again = decodeDataPacket(written, codePage, &againWhy, &fields);
  if (!again) require(false, "what was read is written as a readable document: " + againWhy);
  require(padded(again->rows, fields.size()) == padded(packet->rows, fields.size()),
          "what was read reads back the same once written");
  require(encodeDataPacket(fields, again->rows, codePage) == written, "writing what was read back gives the same bytes");
}

// The store's file on the disk: read, loaded, saved and read again; then the
// start-up opening, which reads the file or keeps it aside for a fresh store.
void throughTheStoreFiles(std::string_view xml, StoreId id, const CodePage& codePage) {
  const StoreSchema& schema = schemaOf(id);
  const std::string path = kDirectory + schema.fileName;
  const auto packet = decodeDataPacket(xml, codePage, nullptr, &schema.fields);
  {
    FakeFileSystem files;
    files.addDirectory(kDirectory);
    files.addFile(path, std::string(xml));
    const StoreFile file(files, path, schema.fields, codePage);
    const StoreRead read = file.read();
    require((read.outcome == StoreRead::Outcome::Read) == packet.has_value(), "the store file reads what the reader reads");
    if (!packet) {
      require(read.outcome == StoreRead::Outcome::Unreadable && !read.why.empty(), "an unreadable file says why");
    } else {
      require(read.rows == packet->rows, "the store file gives the rows the reader gives");
      RecordStore store(schema.component);
      file.load(store);
      require(padded(store.wholeRows(), schema.fields.size()) == asStored(packet->rows, schema.fields),
              "a loaded store holds the file's rows, cut to the field sizes");
      file.save(store);
      const StoreRead saved = file.read();
      require(saved.outcome == StoreRead::Outcome::Read, "a saved store reads back");
      require(padded(saved.rows, schema.fields.size()) == padded(store.wholeRows(), schema.fields.size()),
              "a saved store reads back the same");
    }
  }
  {
    FakeFileSystem files;
    files.addDirectory(kDirectory);
    files.addFile(path, std::string(xml));
    Stores stores(files, kDirectory, codePage, {});
    const Opened opened = stores.openOrCreate(id);
    // The language store's file holds its one row: without a row it is no language store.
    const bool readable = packet && (id != StoreId::Language || !packet->rows.empty());
    if (readable) {
      require(opened == Opened::FromFile, "a readable file is opened");
      require(padded(stores.table(id).wholeRows(), schema.fields.size()) == asStored(packet->rows, schema.fields),
              "an opened store holds the file's rows");
      require(files.contents(path) == std::string(xml), "opening a store leaves its file as it is");
    } else {
      require(opened == Opened::Created, "an unreadable file gives a fresh store");
      require(files.contents(path + ".unreadable") == std::string(xml), "an unreadable file is kept aside unchanged");
      const auto fresh = decodeDataPacket(files.contents(path).value_or(""), codePage, nullptr, &schema.fields);
      require(fresh.has_value(), "the fresh store's file is readable");
    }
  }
}

// The system's code page, as the machine that wrote the file had it: 1250 when
// the declaration names it (any number but 1252 reads as Latin-1), otherwise
// 1252, which leaves five bytes above 0x7F undefined.
int codePageOf(std::string_view xml) {
  return xml.substr(0, 64).find("windows-1250") != std::string_view::npos ? 1250 : 1252;
}

}  // namespace
}  // namespace tg

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tg;
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  const CodePage codePage(codePageOf(xml));
  for (const StoreId id : {StoreId::Rules, StoreId::Language}) {
    readAndWriteBack(xml, schemaOf(id).fields, codePage);
    throughTheStoreFiles(xml, id, codePage);
  }
  return 0;
}
