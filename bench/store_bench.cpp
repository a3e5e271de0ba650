// Loading and saving a rule store of 10,000 rows, beside libxml2 parsing the
// same bytes and writing the same table, in one run.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <libxml/parser.h>
#include <libxml/xmlwriter.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "stores/DataPacket.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"

namespace {

using namespace tg;

// Plain files for the benchmark: the Windows implementation is not at hand here.
class PosixFiles : public FileSystem {
 public:
  FileRead read(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {std::nullopt, FileError::Missing};
    std::ostringstream s;
    s << in.rdbuf();
    return {s.str(), FileError::None};
  }
  bool writeBytes(const std::string& path, const std::string& bytes) override {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
  }
  bool appendBytes(const std::string&, const std::string&) override { return false; }
  bool writeBytesDurably(const std::string& path, const std::string& bytes) override { return writeBytes(path, bytes); }
  bool exists(const std::string& path) override { return std::filesystem::exists(path); }
  bool remove(const std::string& path) override { return std::remove(path.c_str()) == 0; }
  bool rename(const std::string& from, const std::string& to, bool) override {
    return std::rename(from.c_str(), to.c_str()) == 0;
  }
  bool createDirectory(const std::string&) override { return false; }
  bool copyFile(const std::string&, const std::string&) override { return false; }
  std::optional<std::uint32_t> attributes(const std::string&) override { return 0; }
  bool createNew(const std::string&) override { return false; }
  std::optional<std::vector<FileEntry>> find(const std::string&) override { return std::nullopt; }
  Presence presence(const std::string&) override { return Presence::Unknown; }
  std::optional<FileIdentity> identity(const std::string&) override { return std::nullopt; }
  std::optional<std::uint64_t> size(const std::string&) override { return std::nullopt; }
  std::optional<std::string> readRange(const std::string&, std::uint64_t, std::size_t) override { return std::nullopt; }
  FileError openExclusively(const std::string&) override { return FileError::None; }
  std::optional<AccountName> owner(const std::string&) override { return std::nullopt; }
};

// Rows as the monitor writes them: names, dates, owners, paths, checksums.
std::vector<Row> realisticRules(std::size_t count) {
  std::vector<Row> rows;
  rows.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string name = "program" + std::to_string(i) + ".exe";
    rows.push_back({name, "08/12/2026 10:" + std::to_string(10 + i % 50) + ":03", i % 7 ? "@" : "!", "07/11/2025",
                    std::to_string(120 + i % 9000), "32", i % 3 ? "BUILTIN/Administrateurs" : "PC-BUREAU/\xC9lodie",
                    "C:\\Program Files\\Editeur " + std::to_string(i % 97) + " & Fils\\" + name,
                    std::to_string(1000000007ull * (i + 1) % 4294967296ull), "", ""});
  }
  return rows;
}

const CodePage kCodePage(1252);
const std::string kDir = std::filesystem::temp_directory_path().string() + "/";
const std::string kOurs = kDir + "tg_bench_regles.xml";
const std::string kTheirs = kDir + "tg_bench_libxml2.xml";

const std::vector<Row>& table() {
  static const std::vector<Row> rows = realisticRules(10000);
  return rows;
}
const std::string& packetBytes() {
  static const std::string bytes = encodeDataPacket(schemaOf(StoreId::Rules).fields, table(), kCodePage);
  return bytes;
}

std::string toUtf8(const std::string& cp1252) {
  std::string out;
  for (unsigned char c : cp1252) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {  // close enough for the benchmark: the rows hold only Latin-1 letters
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}
const std::string& utf8PacketBytes() {
  static const std::string bytes = [] {
    std::string s = toUtf8(packetBytes());
    const std::string from = "encoding=\"windows-1252\"";
    s.replace(s.find(from), from.size(), "encoding=\"UTF-8\"");
    return s;
  }();
  return bytes;
}

StoreFile rulesFile(PosixFiles& files) { return StoreFile(files, kOurs, schemaOf(StoreId::Rules).fields, kCodePage); }

RecordStore filledStore() {
  RecordStore store("ClientDataSet1");
  store.assign(schemaOf(StoreId::Rules).fields, table());
  return store;
}

void OurLoadFromFile(benchmark::State& state) {
  PosixFiles files;
  files.writeBytes(kOurs, packetBytes());
  const StoreFile file = rulesFile(files);
  RecordStore store("ClientDataSet1");
  for (auto _ : state) {
    file.load(store);
    benchmark::DoNotOptimize(store.recordCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packetBytes().size()));
}

void Libxml2ParseFile(benchmark::State& state) {
  PosixFiles files;
  files.writeBytes(kTheirs, packetBytes());
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadFile(kTheirs.c_str(), nullptr, XML_PARSE_NONET);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packetBytes().size()));
}

void OurDecodeInMemory(benchmark::State& state) {
  for (auto _ : state) {
    auto packet = decodeDataPacket(packetBytes(), kCodePage);
    benchmark::DoNotOptimize(packet);
  }
}

void Libxml2ParseMemoryUtf8(benchmark::State& state) {
  // The same document in UTF-8, so that libxml2 has no conversion to do.
  const std::string& bytes = utf8PacketBytes();
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "x.xml", nullptr, XML_PARSE_NONET);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
  }
}

void OurSaveToFile(benchmark::State& state) {
  PosixFiles files;
  const StoreFile file = rulesFile(files);
  const RecordStore store = filledStore();
  for (auto _ : state) file.save(store);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packetBytes().size()));
}

void Libxml2WriteFile(benchmark::State& state) {
  // The table already in UTF-8, written as UTF-8: libxml2's own best case.
  std::vector<std::vector<std::string>> rows;
  for (const Row& r : table()) {
    rows.emplace_back();
    for (const std::string& v : r) rows.back().push_back(toUtf8(v));
  }
  const auto& fields = schemaOf(StoreId::Rules).fields;
  for (auto _ : state) {
    xmlTextWriterPtr w = xmlNewTextWriterFilename(kTheirs.c_str(), 0);
    xmlTextWriterStartDocument(w, "1.0", "UTF-8", "yes");
    xmlTextWriterStartElement(w, BAD_CAST "DATAPACKET");
    xmlTextWriterWriteAttribute(w, BAD_CAST "Version", BAD_CAST "2.0");
    xmlTextWriterStartElement(w, BAD_CAST "METADATA");
    xmlTextWriterStartElement(w, BAD_CAST "FIELDS");
    for (const FieldDef& f : fields) {
      xmlTextWriterStartElement(w, BAD_CAST "FIELD");
      xmlTextWriterWriteAttribute(w, BAD_CAST "attrname", BAD_CAST f.name.c_str());
      xmlTextWriterWriteAttribute(w, BAD_CAST "fieldtype", BAD_CAST "string");
      xmlTextWriterWriteAttribute(w, BAD_CAST "WIDTH", BAD_CAST std::to_string(f.size).c_str());
      xmlTextWriterEndElement(w);
    }
    xmlTextWriterEndElement(w);
    xmlTextWriterEndElement(w);
    xmlTextWriterStartElement(w, BAD_CAST "ROWDATA");
    for (const auto& r : rows) {
      xmlTextWriterStartElement(w, BAD_CAST "ROW");
      for (std::size_t i = 0; i < r.size(); ++i)
        if (!r[i].empty()) xmlTextWriterWriteAttribute(w, BAD_CAST fields[i].name.c_str(), BAD_CAST r[i].c_str());
      xmlTextWriterEndElement(w);
    }
    xmlTextWriterEndDocument(w);
    xmlFreeTextWriter(w);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packetBytes().size()));
}

// Hostile files: time must grow with the size of the file, and memory stay
// within a small multiple of it.

std::string fieldsTimesRows(int fields, int rows) {
  std::string doc = "<DATAPACKET><METADATA><FIELDS>";
  for (int f = 0; f < fields; ++f) doc += "<FIELD attrname=\"F" + std::to_string(f) + "\" WIDTH=\"1\"/>";
  doc += "</FIELDS></METADATA><ROWDATA>";
  for (int r = 0; r < rows; ++r) doc += "<ROW/>";
  return doc + "</ROWDATA></DATAPACKET>";
}

std::string manyAttributes(int count) {
  std::string doc = "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"Champ1\" WIDTH=\"200\"";
  for (int a = 0; a < count; ++a) doc += " a" + std::to_string(a) + "=\"v\"";
  return doc + "/></FIELDS></METADATA><ROWDATA/></DATAPACKET>";
}

// Rows whose only value is in the last field: the most memory a byte of file can ask for.
std::string lastFieldOnly(int rows) {
  std::string doc = encodeDataPacket(schemaOf(StoreId::Rules).fields, {}, kCodePage);
  std::string body;
  for (int r = 0; r < rows; ++r) body += "<ROW Champ11=\"x\"/>";
  return doc.insert(doc.find("</ROWDATA>"), body);
}

std::size_t heapInUse() { return mallinfo2().uordblks; }

// Decodes as the rule store does, and as a reader that expects nothing.
void DecodeHostile(benchmark::State& state, const std::string& doc, bool asRules) {
  const auto& rules = schemaOf(StoreId::Rules).fields;
  const std::vector<FieldDef>* expected = asRules ? &rules : nullptr;
  double ratio = 0;
  {
    // Measured once, outside the timing: the heap walk costs more than the decoding.
    const std::size_t before = heapInUse();
    const auto packet = decodeDataPacket(doc, kCodePage, nullptr, expected);
    ratio = static_cast<double>(heapInUse() - before) / static_cast<double>(doc.size());
  }
  for (auto _ : state) {
    auto packet = decodeDataPacket(doc, kCodePage, nullptr, expected);
    benchmark::DoNotOptimize(packet);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
  state.counters["file_KB"] = static_cast<double>(doc.size()) / 1024;
  state.counters["memory_per_file_byte"] = ratio;
}

void FieldsTimesRowsAsRules(benchmark::State& state) {
  DecodeHostile(state, fieldsTimesRows(15000, static_cast<int>(state.range(0))), true);
}
void FieldsTimesRowsAsAnyTable(benchmark::State& state) {
  DecodeHostile(state, fieldsTimesRows(15000, static_cast<int>(state.range(0))), false);
}
void ManyAttributes(benchmark::State& state) {
  DecodeHostile(state, manyAttributes(static_cast<int>(state.range(0))), true);
}
void LastFieldOnlyRows(benchmark::State& state) {
  DecodeHostile(state, lastFieldOnly(static_cast<int>(state.range(0))), true);
}

BENCHMARK(FieldsTimesRowsAsRules)->Arg(17500)->Arg(70000)->Unit(benchmark::kMillisecond);
BENCHMARK(FieldsTimesRowsAsAnyTable)->Arg(17500)->Arg(70000)->Unit(benchmark::kMillisecond);
BENCHMARK(ManyAttributes)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(LastFieldOnlyRows)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK(OurLoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(Libxml2ParseFile)->Unit(benchmark::kMillisecond);
BENCHMARK(OurDecodeInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(Libxml2ParseMemoryUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(OurSaveToFile)->Unit(benchmark::kMillisecond);
BENCHMARK(Libxml2WriteFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
