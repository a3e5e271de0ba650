// The export and import of the rule store, against a program folder of 10,000
// rules as the monitor writes them, over the real file system: loading
// regles.xml (the reference), exporting the rules as XML and as a table into
// another folder, importing 10,000 rules of programs the store does not know,
// and importing that file again once they are all there. The aim is each
// within twice the load. Then the pieces of each, timed alone, to show where
// the time goes. Run under wine:
//   wine build/windows/bench/transfer_bench.exe [rules]
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "BenchKit.h"
#include "base/Text.h"
#include "stores/DataPacket.h"
#include "stores/FileReplace.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
#include "stores/StoreCsv.h"
#include "stores/StoreTransfer.h"
#include "stores/Stores.h"
#include "win32/TempFolder.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32System.h"

namespace {

using namespace tg;
using namespace tg::bench;

constexpr int kRuns = 7;

// Something the figures rely on did not happen: the run says what and ends with 1.
struct Failed {
  std::string what;
};
void check(bool ok, const std::string& what) {
  if (!ok) throw Failed{what};
}

// The dated copies an import kept beside the store; removed, so that the next
// import finds the folder as the first one did. How many there were.
std::size_t removeKeptCopies(FileSystem& files, const std::string& folder) {
  std::size_t removed = 0;
  if (const auto entries = files.find(folder + "regles.before-import-*"))
    for (const FileEntry& entry : *entries)
      if (files.remove(folder + entry.name)) ++removed;
  return removed;
}

void figure(const char* what, const std::vector<double>& times, double load) {
  const double m = median(times);
  std::printf("  %-34s %8.1f ms  (%.1f)  x%.2f  %s\n", what, m, times.front(), m / load,
              m <= 2 * load ? "within 2x" : "OVER 2x");
}

void piece(const char* what, const std::vector<double>& times) {
  std::printf("    %-44s %8.1f ms\n", what, median(times));
}

int run(std::size_t count) {
  testing::TempFolder dir;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  const std::string program = dir / "program\\";
  const std::string exports = dir / "export\\";
  const std::string brought = dir / "brought\\";
  const std::string pieces = dir / "pieces\\";
  for (const std::string& folder : {program, exports, brought, pieces})
    check(files.createDirectory(folder), "cannot create " + folder);

  // The store holds the first half; the file brought holds the second, whose
  // programs the store does not know.
  LocaleFormats locale;
  const CodePage codePage(1252);
  const std::vector<FieldDef>& fields = schemaOf(StoreId::Rules).fields;
  std::vector<Row> all = realisticRules(2 * count, locale);
  std::vector<Row> newcomers(all.begin() + static_cast<std::ptrdiff_t>(count), all.end());
  all.resize(count);
  {
    RecordStore rules("ClientDataSet1");
    rules.assign(fields, all);
    ruleFile(files, program, locale).save(rules);
  }
  const std::string storePath = program + "regles.xml";
  const std::string original = dir / "regles.original.xml";
  check(files.copyFile(storePath, original), "cannot keep a copy of the store");
  const std::string broughtPath = brought + "regles.xml";
  check(files.writeBytes(broughtPath, encodeDataPacket(fields, newcomers, codePage)), "cannot write " + broughtPath);

  Stores stores(files, program, codePage, {});
  for (StoreId id : kAllStores) stores.openOrCreate(id);
  SharedState state;
  state.ProgramDirectory = program;
  LanguageTable language;
  check(loadLanguageTable(language, files, replacedAll(TG_LANGUAGE_DIR, '/', '\\'), "GB"),
        "the English language file cannot be read");
  StoreTransfer transfer(files, clock, stores, state, language, codePage);
  RecordStore& table = stores.table(StoreId::Rules);
  auto restore = [&] {
    check(files.copyFile(original, storePath), "cannot put the store back");
    stores.load(StoreId::Rules);
  };

  // 1. The reference.
  std::vector<double> loads;
  for (int i = 0; i < kRuns; ++i) {
    loads.push_back(milliseconds([&] { stores.load(StoreId::Rules); }));
    check(table.rows().size() == count, "the store read back " + std::to_string(table.rows().size()) + " rules");
  }

  // 2. The exports, each checked once it is written.
  std::vector<double> xmlExports, csvExports;
  auto exportAs = [&](TransferForm form, std::vector<double>& times) {
    const std::string path = exports + exportFileName(StoreId::Rules, form);
    for (int i = 0; i < kRuns; ++i) {
      TransferResult result;
      times.push_back(milliseconds([&] { result = transfer.exportStore(StoreId::Rules, path, form); }));
      check(result.outcome == TransferResult::Outcome::Done, "the export was not done: " + result.message);
    }
    return files.read(path).bytes.value_or("");
  };
  const std::string xml = exportAs(TransferForm::Xml, xmlExports);
  const std::string csv = exportAs(TransferForm::Csv, csvExports);
  check(readExportedFile(xml, codePage).rows.size() == count, "the XML export does not read back whole");
  check(readExportedFile(csv, codePage).rows.size() == count, "the CSV export does not read back whole");

  // 3. The newcomers, into the store as it was each time.
  std::vector<double> newImports;
  for (int i = 0; i < kRuns; ++i) {
    restore();
    TransferResult result;
    newImports.push_back(milliseconds([&] { result = transfer.importFiles({broughtPath}, StoreId::Rules); }));
    check(result.outcome == TransferResult::Outcome::Done, "the import was not done: " + result.message);
    check(table.rows().size() == 2 * count, "the import left " + std::to_string(table.rows().size()) + " rules");
    check(removeKeptCopies(files, program) == 1, "the import did not keep one copy of the store");
  }
  const std::uint64_t savedSize = files.size(storePath).value_or(0);
  // The import writes the store of both halves: its load, for comparison.
  std::vector<double> joinedLoads;
  for (int i = 0; i < kRuns; ++i) joinedLoads.push_back(milliseconds([&] { stores.load(StoreId::Rules); }));

  // 4. The same file again: nothing to add, nothing written. The store now
  // holds both halves.
  std::vector<double> presentImports;
  for (int i = 0; i < kRuns; ++i) {
    TransferResult result;
    presentImports.push_back(milliseconds([&] { result = transfer.importFiles({broughtPath}, StoreId::Rules); }));
    check(result.outcome == TransferResult::Outcome::Done, "the second import was not done: " + result.message);
    check(table.rows().size() == 2 * count, "the second import changed the store");
    check(removeKeptCopies(files, program) == 0, "the second import kept a copy of a store it did not change");
  }

  // Where the time goes: the same work in its pieces, on the same files,
  // writing only into a folder of its own.
  restore();
  std::vector<double> reads, decodes, assigns, copies, xmlEncodes, csvEncodes, replaces, plainWrites, broughtReads,
      broughtDecodes, keying, guards, fileCopies, joins, savedEncodes, savedReplaces, presentKeying;
  std::string bytes;
  for (int i = 0; i < kRuns; ++i) {
    // The load.
    reads.push_back(milliseconds([&] { bytes = *files.read(storePath).bytes; }));
    std::optional<DataPacket> packet;
    decodes.push_back(milliseconds([&] { packet = decodeDataPacket(bytes, codePage, nullptr, &fields); }));
    RecordStore loaded("ClientDataSet1");
    assigns.push_back(milliseconds([&] { loaded.assign(fields, std::move(packet->rows)); }));

    // The export: the rows taken from the table, encoded, and written.
    std::vector<Row> rows;
    copies.push_back(milliseconds([&] { rows = table.rows(); }));
    std::string encoded;
    xmlEncodes.push_back(milliseconds([&] { encoded = encodeDataPacket(fields, rows, codePage); }));
    csvEncodes.push_back(milliseconds([&] {
      (void)encodeCsv(columnCaptions(StoreId::Rules, language), rows, codePage);
    }));
    replaces.push_back(milliseconds([&] { replaceFile(files, pieces + "regles.xml", encoded); }));
    plainWrites.push_back(milliseconds([&] { files.writeBytes(pieces + "plain.xml", encoded); }));
    guards.push_back(milliseconds([&] {
      for (StoreId id : kAllStores) (void)files.sameFile(exports + "regles.xml", stores.file(id).path());
    }));

    // The import of newcomers: the file read and told apart, the store's keys
    // and the merge, the dated copy (an encoding and a write as above), the
    // rows joined and the whole store saved.
    std::string broughtBytes;
    broughtReads.push_back(milliseconds([&] { broughtBytes = *files.read(broughtPath).bytes; }));
    ExportedFile file;
    broughtDecodes.push_back(milliseconds([&] { file = readExportedFile(broughtBytes, codePage); }));
    std::vector<Row> added;
    keying.push_back(milliseconds([&] {
      std::unordered_set<std::string> keys;
      for (const Row& row : table.rows()) keys.insert(valueOf(row, 0));
      for (Row& row : file.rows)
        if (keys.insert(valueOf(row, 0)).second) added.push_back(std::move(row));
    }));
    RecordStore joined("ClientDataSet1");
    joins.push_back(milliseconds([&] {
      std::vector<Row> both = table.rows();
      both.insert(both.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
      joined.assign(fields, std::move(both));
    }));
    fileCopies.push_back(milliseconds([&] { files.copyFile(storePath, pieces + "copied.xml"); }));
    std::string saved;
    savedEncodes.push_back(milliseconds([&] { saved = encodeDataPacket(fields, joined.rows(), codePage); }));
    savedReplaces.push_back(milliseconds([&] { replaceFile(files, pieces + "joined.xml", saved); }));

    // The import of programs all there: the keys of the store of both halves.
    presentKeying.push_back(milliseconds([&] {
      std::unordered_set<std::string> keys;
      for (const Row& row : joined.rows()) keys.insert(valueOf(row, 0));
      std::size_t present = 0;
      for (const Row& row : newcomers) present += keys.count(valueOf(row, 0));
      check(present == count, "the keys do not find the newcomers");
    }));
  }

  const double load = median(loads);
  std::printf("export and import of %zu rules, regles.xml of %.2f MB (%.2f MB once both halves are in it),\n"
              "median of %d runs (first run in brackets), each beside the load:\n",
              count, static_cast<double>(xml.size()) / 1e6, static_cast<double>(savedSize) / 1e6, kRuns);
  std::printf("  %-34s %8.1f ms  (%.1f)\n", "load regles.xml", load, loads.front());
  figure("export as XML", xmlExports, load);
  figure("export as CSV", csvExports, load);
  figure("import of new programs", newImports, load);
  figure("import of programs all there", presentImports, load);
  std::printf("  %-34s %8.1f ms  import of new programs x%.2f of it\n", "load of the store of both halves",
              median(joinedLoads), median(newImports) / median(joinedLoads));
  std::printf("  the pieces, each alone:\n");
  piece("load: file read", reads);
  piece("load: decoded", decodes);
  piece("load: table assigned", assigns);
  piece("export: rows copied from the table", copies);
  piece("export: XML encoded", xmlEncodes);
  piece("export: CSV encoded", csvEncodes);
  piece("export: written (saving, flushed, renamed)", replaces);
  piece("export: written plainly, for comparison", plainWrites);
  piece("export: checked against the program's stores", guards);
  piece("import: file read", broughtReads);
  piece("import: decoded (readExportedFile)", broughtDecodes);
  piece("import: keys and merge", keying);
  piece("import: dated copy (XML encoded + written)", {median(xmlEncodes) + median(replaces)});
  piece("import: store file copied instead (CopyFile)", fileCopies);
  piece("import: rows joined and assigned", joins);
  piece("import: store of both halves encoded", savedEncodes);
  piece("import: store of both halves written", savedReplaces);
  piece("import again: keys of the store, lookups", presentKeying);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t count = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 10000;
  try {
    return run(count);
  } catch (const Failed& failure) {
    std::printf("transfer_bench: %s\n", failure.what.c_str());
  } catch (const StoreError& e) {
    std::printf("transfer_bench: %s\n", e.what());
  }
  return 1;
}
