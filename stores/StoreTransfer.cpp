#include "stores/StoreTransfer.h"

#include <cstdio>
#include <unordered_set>

#include "base/Text.h"
#include "stores/DataPacket.h"
#include "stores/FileReplace.h"
#include "stores/SharedLists.h"
#include "stores/StoreCsv.h"

namespace tg {

namespace {

// The language entries of the transfer texts.
enum Entry {
  kRulesEntry = 2,
  kAlertsEntry = 3,
  kQuarantineEntry = 5,
  kSitesEntry = 62,
  kAdded = 117,
  kAlreadyThere = 118,
  kRefused = 119,
  kKeptBefore = 120,
  kExportedTo = 121,
  kNotImported = 122,
  kModulesCaption = 123,
  kSiteCaption = 124,
  kAddressCaption = 125,
  kNoName = 126,
  kFileHolds = 127,
  kNothingChanged = 128,
};

constexpr std::size_t kMostColumns = 11;  // the rule store's

std::string withoutExtension(const std::string& fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string inWords(FileError error) {
  switch (error) {
    case FileError::Missing: return "it is missing";
    case FileError::Held: return "it is in use by another program";
    case FileError::Denied: return "access to it is denied";
    case FileError::TooLarge: return "it is too large to be read";
    default: return "the system could not read it";
  }
}

// A caption as a column heading: "File date: " gives "File date".
std::string heading(const std::string& entry) {
  std::string text = trimmed(entry);
  while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
  return text;
}

// The row as its store keeps it: no value wider than its field, no empty values at its end.
Row cutToFields(Row row, const std::vector<FieldDef>& fields) {
  if (row.size() > fields.size()) row.resize(fields.size());
  for (std::size_t i = 0; i < row.size(); ++i)
    if (row[i].size() > fields[i].size) row[i].resize(fields[i].size);
  while (!row.empty() && row.back().empty()) row.pop_back();
  return row;
}

// What makes two rows one for a merge; empty when the row names nothing and is refused.
template <typename AnyRow>  // a Row or a PackedRow
std::optional<std::string> mergeKey(StoreId id, const AnyRow& row) {
  const std::string_view first = valueOf(row, 0);
  // Blanks are spaces and control characters, as trimmed() takes them.
  if (std::all_of(first.begin(), first.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
    return std::nullopt;
  switch (id) {
    case StoreId::Rules: return std::string(first);            // as the monitor matches it
    case StoreId::Quarantine: return trimmed(first);           // as the monitor trims it
    case StoreId::Sites: return foldedAscii(trimmed(first));
    default: {
      // An alert is one event: the same program at the same moment with the same facts.
      std::size_t end = row.size();
      while (end > 0 && valueOf(row, end - 1).empty()) --end;
      std::string key;
      for (std::size_t i = 0; i < end; ++i) {
        const std::string_view value = valueOf(row, i);
        key += std::to_string(value.size()) + ':';
        key += value;
      }
      return key;
    }
  }
}

std::string twoDigits(int n) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

}  // namespace

std::string exportDay(const DateTime& at) {
  return std::to_string(at.year) + "-" + twoDigits(at.month) + "-" + twoDigits(at.day);
}

std::string exportFileName(StoreId id, TransferForm form) {
  const std::string& own = schemaOf(id).fileName;
  return form == TransferForm::Xml ? own : withoutExtension(own) + ".csv";
}

std::vector<std::string> columnCaptions(StoreId id, const LanguageTable& language) {
  auto entries = [&](std::initializer_list<int> numbers) {
    std::vector<std::string> captions;
    for (int n : numbers) captions.push_back(heading(language.text(n)));
    return captions;
  };
  switch (id) {
    case StoreId::Rules: {
      std::vector<std::string> captions = entries({10, 11, 31, 33, 43, 44, 45, 30, 94});
      // Declared for the engines and never written here: their own names.
      captions.push_back("Champ10");
      captions.push_back("Champ11");
      return captions;
    }
    case StoreId::Alerts: return entries({10, 11, 31, 33, 43, 44, 45, 30, kModulesCaption});
    case StoreId::Quarantine: return entries({10});
    case StoreId::Sites: return entries({kSiteCaption, kAddressCaption});
    default: return {};
  }
}

ExportedFile readExportedFile(std::string_view bytes, const CodePage& codePage) {
  ExportedFile file;
  // A document starts with its markup, after a byte order mark and blanks perhaps.
  std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t' || bytes[start] == '\r' ||
                                  bytes[start] == '\n'))
    ++start;
  if (bytes.substr(start, 1) == "<") {
    // Each kind declares other fields, and a file of other fields is refused
    // before its rows are read: trying the four costs one reading at most.
    for (StoreId id : kCarriedStores) {
      const std::vector<FieldDef>& fields = schemaOf(id).fields;
      std::string why;
      std::optional<DataPacket> packet = decodeDataPacket(bytes, codePage, &why, &fields);
      if (packet) {
        file.kind = id;
        file.rows = std::move(packet->rows);
        return file;
      }
      if (!declaresOtherFields(why)) {
        file.why = "it is not a readable store: " + why;
        return file;
      }
    }
    file.why = "it holds none of the rules, alerts, quarantine or site list";
    return file;
  }
  std::string why;
  std::optional<CsvTable> table = decodeCsv(bytes, codePage, kMostColumns, &why);
  if (!table) {
    file.why = "it is neither a store nor a readable table: " + why;
    return file;
  }
  for (StoreId id : kCarriedStores)
    if (schemaOf(id).fields.size() == table->captions.size()) {
      file.kind = id;
      file.rows = std::move(table->rows);
      return file;
    }
  file.why = "a table of " + std::to_string(table->captions.size()) +
             " columns holds none of the rules, alerts, quarantine or site list";
  return file;
}

std::string StoreTransfer::keptName(const std::string& storePath, const DateTime& at, int attempt) {
  const std::string stamp = exportDay(at) + "-" + twoDigits(at.hour) + twoDigits(at.minute) + twoDigits(at.second);
  const std::string suffix = attempt <= 1 ? std::string() : "-" + std::to_string(attempt);
  return withoutExtension(storePath) + ".before-import-" + stamp + suffix + ".xml";
}

std::string StoreTransfer::storeCaption(StoreId id) const {
  switch (id) {
    case StoreId::Rules: return heading(language_.text(kRulesEntry));
    case StoreId::Alerts: return heading(language_.text(kAlertsEntry));
    case StoreId::Quarantine: return heading(language_.text(kQuarantineEntry));
    case StoreId::Sites: return heading(language_.text(kSitesEntry));
    default: return schemaOf(id).fileName;
  }
}

bool StoreTransfer::isStoreFile(const std::string& path) {
  // A store is a file of the program directory under a store's name, whether
  // or not it exists now: the program would take what lies there for it.
  const std::size_t slash = path.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  bool storeName = false;
  for (StoreId id : kAllStores) {
    const std::string& fileName = schemaOf(id).fileName;
    storeName = storeName || equalsIgnoringAsciiCase(name, fileName) ||
                equalsIgnoringAsciiCase(name, savingPathOf(fileName));
  }
  if (!storeName) return false;
  const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  const std::string& rules = stores_.file(StoreId::Rules).path();
  const std::string programDirectory = rules.substr(0, rules.find_last_of('\\') + 1);
  return equalsIgnoringAsciiCase(folderWithBackslash(folder), programDirectory) ||
         files_.sameFile(folder, programDirectory);
}

const std::vector<Row>* StoreTransfer::rowsToExport(StoreId id, std::vector<Row>& read, std::string& why) {
  if (stores_.pending(id)) {
    why = stores_.pendingReason(id);
    return nullptr;
  }
  const RecordStore& table = stores_.table(id);
  if (table.active() && id != StoreId::Quarantine) {
    read = table.wholeRows();
    return &read;
  }
  // The quarantine's users read its file, as does an export of a store that is
  // closed; the export leaves the file as it is, even when it is missing.
  StoreRead file = stores_.file(id).read();
  switch (file.outcome) {
    case StoreRead::Outcome::Read: read = std::move(file.rows); return &read;
    case StoreRead::Outcome::Missing: read.clear(); return &read;
    default:
      why = stores_.file(id).path() + " cannot be read: " + file.why;
      return nullptr;
  }
}

TransferResult StoreTransfer::exportStore(StoreId id, const std::string& path, TransferForm form) {
  TransferResult result;
  if (isStoreFile(path)) {
    result.outcome = TransferResult::Outcome::NotSaved;
    result.message = path + " is one of the program's own stores: an export cannot take its place.";
    return result;
  }
  std::string why;
  std::vector<Row> read;
  const std::vector<Row>* rows = rowsToExport(id, read, why);
  if (!rows) {
    result.outcome = TransferResult::Outcome::NotSaved;
    result.message = why;
    return result;
  }
  const std::string bytes = form == TransferForm::Xml
                                ? encodeDataPacket(schemaOf(id).fields, *rows, codePage_)
                                : encodeCsv(columnCaptions(id, language_), *rows, codePage_);
  if (!replaceFile(files_, path, bytes)) {
    result.outcome = TransferResult::Outcome::NotSaved;
    result.message = "cannot write " + path;
    return result;
  }
  result.message = language_.text(kExportedTo) + path + " (" + storeCaption(id) + ": " +
                   std::to_string(rows->size()) + ")";
  return result;
}

TransferResult StoreTransfer::exportToFolder(const std::vector<StoreId>& ids, const std::string& folder,
                                             TransferForm form) {
  TransferResult result;
  if (!files_.createDirectory(folder)) {
    result.outcome = TransferResult::Outcome::NotSaved;
    result.message = "cannot create the folder " + folder;
    return result;
  }
  for (StoreId id : ids) {
    TransferResult one = exportStore(id, folderWithBackslash(folder) + exportFileName(id, form), form);
    if (!result.message.empty()) result.message += "\r\n";
    result.message += one.message;
    if (one.outcome != TransferResult::Outcome::Done) {
      result.outcome = one.outcome;
      return result;  // the files written so far are complete; the message tells which
    }
  }
  return result;
}

std::optional<std::vector<std::string>> StoreTransfer::exportFilesIn(const std::string& folder) {
  const std::string base = folderWithBackslash(folder);
  const std::optional<std::vector<FileEntry>> entries = files_.find(base + "*");
  if (!entries) return std::nullopt;
  std::vector<std::string> found;
  for (StoreId id : kCarriedStores)
    for (TransferForm form : {TransferForm::Xml, TransferForm::Csv}) {
      const std::string name = exportFileName(id, form);
      for (const FileEntry& entry : *entries)
        if (!(entry.attributes & attr::Directory) && equalsIgnoringAsciiCase(entry.name, name))
          found.push_back(base + entry.name);
    }
  return found;
}

RecordStore& StoreTransfer::openForImport(StoreId id) {
  RecordStore& table = stores_.table(id);
  if (id == StoreId::Quarantine) {
    // Closed between uses and read afresh by every user, as the pages do.
    if (!stores_.file(id).exists()) stores_.openOrCreate(id);
    stores_.load(id);
    table.open();
  } else if (!table.active()) {
    stores_.load(id);
    table.open();
  }
  return table;
}

std::optional<std::string> StoreTransfer::keepAsItWas(StoreId id, const RecordStore& table) {
  const std::string& path = stores_.file(id).path();
  const DateTime now = clock_.now();
  for (int attempt = 1; attempt <= 99; ++attempt) {
    const std::string kept = keptName(path, now, attempt);
    if (files_.presence(kept) != Presence::Absent) continue;
    if (replaceFile(files_, kept, encodeDataPacket(table, codePage_))) return kept;
    return std::nullopt;
  }
  return std::nullopt;
}

// One file brought for import, read and counted.
struct StoreTransfer::Brought {
  std::string path;
  StoreId kind;
  std::vector<Row> rows;
  std::size_t added = 0, present = 0, refused = 0;
};

TransferResult StoreTransfer::importFiles(const std::vector<std::string>& paths, std::optional<StoreId> expected) {
  TransferResult result;
  auto refuse = [&](const std::string& path, const std::string& why) {
    result.outcome = TransferResult::Outcome::Refused;
    result.message += language_.text(kNotImported) + path + ": " + why + "\r\n";
  };
  // Every file is read before anything changes.
  std::vector<Brought> brought;
  for (const std::string& path : paths) {
    FileViewRead read = files_.view(path);
    if (!read.view) {
      refuse(path, inWords(read.error));
      continue;
    }
    ExportedFile file = readExportedFile(read.view->bytes(), codePage_);
    read.view.reset();
    if (!file.kind) {
      refuse(path, file.why);
    } else if (expected && *file.kind != *expected) {
      refuse(path, language_.text(kFileHolds) + storeCaption(*file.kind));
    } else {
      brought.push_back({path, *file.kind, std::move(file.rows)});
    }
  }
  if (paths.empty()) refuse("", "no file was given");
  for (const Brought& b : brought)
    if (stores_.pending(b.kind)) {
      result.outcome = TransferResult::Outcome::NotSaved;
      result.message += stores_.pendingReason(b.kind) + "\r\n";
    }
  if (result.outcome != TransferResult::Outcome::Done) {
    result.message += language_.text(kNothingChanged);
    return result;
  }

  std::string kept;
  for (StoreId id : kCarriedStores) {
    bool concerned = false;
    for (const Brought& b : brought) concerned = concerned || b.kind == id;
    if (!concerned) continue;
    std::string failure;
    try {
      RecordStore& table = openForImport(id);
      const std::vector<FieldDef>& fields = schemaOf(id).fields;
      std::unordered_set<std::string> keys;
      std::size_t coming = 0;
      for (const Brought& b : brought) coming += b.kind == id ? b.rows.size() : 0;
      keys.reserve(table.recordCount() + coming);
      // An alert's key takes its module list, which its row in rows() leaves out.
      for (std::size_t i = 0; i < table.recordCount(); ++i)
        if (const auto key = table.holdsListsApart() ? mergeKey(id, table.row(i)) : mergeKey(id, table.rows()[i]))
          keys.insert(*key);
      std::vector<Row> added;
      for (Brought& b : brought) {
        if (b.kind != id) continue;
        for (Row& row : b.rows) {
          Row cut = cutToFields(std::move(row), fields);
          const std::optional<std::string> key = mergeKey(id, cut);
          if (!key) {
            ++b.refused;
          } else if (!keys.insert(*key).second) {
            ++b.present;
          } else {
            added.push_back(std::move(cut));
            ++b.added;
          }
        }
        b.rows = {};
      }
      if (!added.empty()) {
        // An empty store needs no copy to go back to (a new machine's, say).
        std::optional<std::string> aside;
        if (table.recordCount() > 0) {
          aside = keepAsItWas(id, table);
          if (!aside) throw StoreError("cannot keep " + stores_.file(id).path() + " as it was beside it");
        }
        const std::size_t before = table.recordCount();
        table.appendRows(std::move(added));
        try {
          stores_.save(id);
        } catch (const StoreError&) {
          // The store goes on as its file holds it, and the file is as it was: nothing to undo.
          table.keepFirstRows(before);
          if (aside) files_.remove(*aside);
          throw;
        }
        if (aside) kept += language_.text(kKeptBefore) + *aside + "\r\n";
        if (id == StoreId::Quarantine) fillQuarantineNames(state_, table.rows());
        if (id == StoreId::Sites) fillBlockedSites(state_, table.rows());
      }
    } catch (const StoreError& e) {
      failure = e.what();
    }
    if (id == StoreId::Quarantine) stores_.table(id).close();
    if (!failure.empty()) {
      for (Brought& b : brought)
        if (b.kind == id) b.added = b.present = b.refused = 0;  // counted, but not saved
      result.outcome = TransferResult::Outcome::NotSaved;
      result.message += failure + "\r\n" + storeCaption(id) + ": " + language_.text(kNothingChanged) + "\r\n";
      break;  // the stores saved before it stay as saved; the lines above tell which
    }
  }
  std::string counts;
  for (const Brought& b : brought) {
    if (result.outcome != TransferResult::Outcome::Done && b.added + b.present + b.refused == 0) continue;
    counts += b.path + "\r\n" + storeCaption(b.kind) + ": " + std::to_string(b.added) + language_.text(kAdded) +
              ", " + std::to_string(b.present) + language_.text(kAlreadyThere) + ", " + std::to_string(b.refused) +
              language_.text(kRefused) + (b.refused ? language_.text(kNoName) : std::string()) + "\r\n";
  }
  result.message = counts + kept + result.message;
  while (!result.message.empty() && (result.message.back() == '\n' || result.message.back() == '\r'))
    result.message.pop_back();
  return result;
}

}  // namespace tg
