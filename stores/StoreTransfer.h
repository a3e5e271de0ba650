#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/CodePage.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
#include "stores/Stores.h"

namespace tg {

// The stores a user carries to another machine, in the order the options page
// offers them: what the user decided, not what the engines or the program keep.
constexpr std::array<StoreId, 4> kCarriedStores = {StoreId::Rules, StoreId::Alerts, StoreId::Quarantine,
                                                   StoreId::Sites};

// The two forms of an export: the store's own XML file, which imports again
// without loss, and a table for spreadsheets (stores/StoreCsv.h), which imports too.
enum class TransferForm { Xml, Csv };

// A store's file name in an export folder: its own, "regles.xml", or "regles.csv".
std::string exportFileName(StoreId id, TransferForm form);

// A day as export names carry it: "2026-12-09".
std::string exportDay(const DateTime& at);

// The captions of a store's columns in the language of `language`.
std::vector<std::string> columnCaptions(StoreId id, const LanguageTable& language);

// What a file brought for import holds: the rows of one carried store, told
// apart by the fields it declares (XML) or its number of columns (CSV).
struct ExportedFile {
  std::optional<StoreId> kind;
  std::vector<Row> rows;
  std::string why;  // when there is no kind, why the file is refused
};
ExportedFile readExportedFile(std::string_view bytes, const CodePage& codePage);

// How a transfer ended, with what to tell the user in the current language.
struct TransferResult {
  enum class Outcome {
    Done,      // everything asked for was written (an import that added nothing too)
    Refused,   // a file brought for import is not one; nothing changed
    NotSaved,  // a store or an export file could not be written; the message tells what was
  };
  Outcome outcome = Outcome::Done;
  std::string message;
};

// Export and import of the carried stores.
//
// An export reads the stores and never changes one. An import merges: a row
// whose key (a rule's program, an alert whole, a quarantined name, a site's
// name) the store already holds is skipped, a row without a name is refused,
// and every value is cut to its field's width. It reads every file before it
// changes anything: one file refused refuses them all. Before a store that
// holds rows changes, its table as it was is written beside its file under a
// dated name; then the store is saved once, and the monitor's lists follow at once.
class StoreTransfer {
 public:
  StoreTransfer(FileSystem& files, Clock& clock, Stores& stores, SharedState& state, const LanguageTable& language,
                CodePage codePage)
      : files_(files), clock_(clock), stores_(stores), state_(state), language_(language), codePage_(codePage) {}

  // One store to one file.
  TransferResult exportStore(StoreId id, const std::string& path, TransferForm form);
  // Stores to their exportFileName in a folder, created when missing.
  TransferResult exportToFolder(const std::vector<StoreId>& ids, const std::string& folder, TransferForm form);
  // Files to merge; with `expected`, each must hold that store.
  TransferResult importFiles(const std::vector<std::string>& paths, std::optional<StoreId> expected = {});
  // The export files that lie in a folder, both forms, in the stores' order;
  // none when the folder cannot be listed.
  std::optional<std::vector<std::string>> exportFilesIn(const std::string& folder);

  // The name under which a store's table is kept before an import changes it:
  // "regles.xml" gives "regles.before-import-2026-12-09-195032.xml".
  static std::string keptName(const std::string& storePath, const DateTime& at, int attempt);

 private:
  struct Brought;
  // The rows an export writes: the store's own, or those read from its file into `read`.
  const std::vector<Row>* rowsToExport(StoreId id, std::vector<Row>& read, std::string& why);
  bool isStoreFile(const std::string& path);
  std::string storeCaption(StoreId id) const;
  std::optional<std::string> keepAsItWas(StoreId id, const RecordStore& table);
  RecordStore& openForImport(StoreId id);

  FileSystem& files_;
  Clock& clock_;
  Stores& stores_;
  SharedState& state_;
  const LanguageTable& language_;
  CodePage codePage_;
};

}  // namespace tg
