// The export and import of the rule store over the real file system, beside
// loading regles.xml of 10,000 rules as the monitor writes them: exporting
// them as XML and as a table, importing them into a program folder of a new
// machine, importing 10,000 programs the store does not know into it (beside
// the load of the store that import writes), and importing a file whose
// programs are all there. The aim is each within twice its load. Run under wine:
//   wine build/windows/bench/transfer_bench.exe [rules]
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchKit.h"
#include "base/Text.h"
#include "stores/DataPacket.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
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
  std::printf("  %-40s %8.1f ms  (%.1f)  x%.2f of its load  %s\n", what, m, times.front(), m / load,
              m <= 2 * load ? "within 2x" : "OVER 2x");
}

// A program folder with its stores opened, and the transfer over them.
struct ProgramFolder {
  ProgramFolder(FileSystem& files, Clock& clock, const std::string& folder, const LanguageTable& language)
      : stores(files, folder, CodePage(1252), {}), transfer(files, clock, stores, state, language, CodePage(1252)) {
    for (StoreId id : kAllStores) stores.openOrCreate(id);
  }
  Stores stores;
  SharedState state;
  StoreTransfer transfer;
  RecordStore& rules() { return stores.table(StoreId::Rules); }
};

// Times an import `kRuns` times, the store put back as `prepare` leaves it before each.
template <typename Prepare>
std::vector<double> timedImports(ProgramFolder& into, FileSystem& files, const std::string& folder,
                                 const std::string& file, std::size_t rulesAfter, bool keepsCopy, Prepare prepare) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    TransferResult result;
    times.push_back(milliseconds([&] { result = into.transfer.importFiles({file}, StoreId::Rules); }));
    check(result.outcome == TransferResult::Outcome::Done, "the import was not done: " + result.message);
    check(into.rules().rows().size() == rulesAfter,
          "the import left " + std::to_string(into.rules().rows().size()) + " rules");
    check(removeKeptCopies(files, folder) == (keepsCopy ? 1u : 0u), "the import kept a wrong number of copies");
  }
  return times;
}

int run(std::size_t count) {
  testing::TempFolder dir;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  const std::string program = dir / "program\\";
  const std::string fresh = dir / "fresh\\";
  const std::string exports = dir / "export\\";
  for (const std::string& folder : {program, fresh, exports})
    check(files.createDirectory(folder), "cannot create " + folder);
  LanguageTable language;
  check(loadLanguageTable(language, files, replacedAll(TG_LANGUAGE_DIR, '/', '\\'), "GB"),
        "the English language file cannot be read");

  // The store holds the first half; a file brought holds the second, whose
  // programs the store does not know.
  LocaleFormats locale;
  const std::vector<FieldDef>& fields = schemaOf(StoreId::Rules).fields;
  std::vector<Row> all = realisticRules(2 * count, locale);
  std::vector<Row> newcomers(all.begin() + static_cast<std::ptrdiff_t>(count), all.end());
  all.resize(count);
  const std::string storePath = program + "regles.xml";
  const std::string original = dir / "regles.original.xml";
  const std::string newcomersPath = exports + "newcomers.xml";
  const std::string both = dir / "both.xml";
  check(files.writeBytes(storePath, encodeDataPacket(fields, all, CodePage(1252))), "cannot write the store");
  check(files.copyFile(storePath, original), "cannot keep a copy of the store");
  check(files.writeBytes(newcomersPath, encodeDataPacket(fields, newcomers, CodePage(1252))), "cannot write");
  all.insert(all.end(), newcomers.begin(), newcomers.end());
  check(files.writeBytes(both, encodeDataPacket(fields, all, CodePage(1252))), "cannot write");

  ProgramFolder here(files, clock, program, language);
  auto loadsOf = [&](const std::string& file) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
      check(files.copyFile(file, storePath), "cannot put the store in place");
      times.push_back(milliseconds([&] { here.stores.load(StoreId::Rules); }));
    }
    return median(times);
  };
  const double load = loadsOf(original);
  const double loadOfBoth = loadsOf(both);
  check(here.rules().rows().size() == 2 * count, "the store of both halves did not read back whole");
  check(files.copyFile(original, storePath), "cannot put the store back");
  here.stores.load(StoreId::Rules);

  std::vector<double> xmlExports, csvExports;
  auto exportAs = [&](TransferForm form, std::vector<double>& times) {
    const std::string path = exports + exportFileName(StoreId::Rules, form);
    for (int i = 0; i < kRuns; ++i) {
      TransferResult result;
      times.push_back(milliseconds([&] { result = here.transfer.exportStore(StoreId::Rules, path, form); }));
      check(result.outcome == TransferResult::Outcome::Done, "the export was not done: " + result.message);
    }
    check(readExportedFile(files.read(path).bytes.value_or(""), CodePage(1252)).rows.size() == count,
          "an export does not read back whole");
    return path;
  };
  const std::string exported = exportAs(TransferForm::Xml, xmlExports);
  exportAs(TransferForm::Csv, csvExports);

  // A new machine: its rule store empty, as after the installation.
  ProgramFolder newMachine(files, clock, fresh, language);
  const std::vector<double> freshImports =
      timedImports(newMachine, files, fresh, exported, count, false, [&] {
        newMachine.rules().emptyDataSet();
        newMachine.stores.save(StoreId::Rules);
      });
  const std::vector<double> newImports = timedImports(here, files, program, newcomersPath, 2 * count, true, [&] {
    check(files.copyFile(original, storePath), "cannot put the store back");
    here.stores.load(StoreId::Rules);
  });
  const std::vector<double> presentImports =
      timedImports(here, files, program, newcomersPath, 2 * count, false, [] {});

  std::printf("export and import of %zu rules (regles.xml of %.2f MB), median of %d runs (first in brackets):\n",
              count, static_cast<double>(files.size(original).value_or(0)) / 1e6, kRuns);
  std::printf("  %-40s %8.1f ms\n", "load regles.xml", load);
  std::printf("  %-40s %8.1f ms\n", "load regles.xml of both halves", loadOfBoth);
  figure("export as XML", xmlExports, load);
  figure("export as CSV", csvExports, load);
  figure("import into a new machine", freshImports, load);
  figure("import of all programs there", presentImports, loadOfBoth);
  figure("import of as many new programs", newImports, loadOfBoth);
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
