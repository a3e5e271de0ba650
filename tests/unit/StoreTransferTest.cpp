#include <gtest/gtest.h>

#include "base/Text.h"
#include "stores/DataPacket.h"
#include "stores/StoreCsv.h"
#include "stores/StoreTransfer.h"
#include "testing/FakeClock.h"
#include "testing/FakeFileSystem.h"
#include "testing/LanguageEntries.h"

namespace tg {
namespace {

using testing::FakeClock;
using testing::FakeFileSystem;

const CodePage kCodePage(1252);
const char kHere[] = "C:\\Here\\";
const char kThere[] = "C:\\There\\";
const char kCarried[] = "C:\\Carried\\";

std::string storeXml(StoreId id, const std::vector<Row>& rows) {
  return encodeDataPacket(schemaOf(id).fields, rows, kCodePage);
}

// One program folder: its stores, its lists and its texts in English.
struct Machine {
  Machine(FakeFileSystem& fileSystem, FakeClock& wallClock, const std::string& programDirectory)
      : files(fileSystem), clock(wallClock), directory(programDirectory), stores(files, directory, kCodePage, {}) {
    files.addDirectory(directory);
    language.fill(testing::numberedEntries("", LanguageTable::kEntries), "GB");
    for (StoreId id : kAllStores) stores.openOrCreate(id);
  }
  StoreTransfer transfer() { return StoreTransfer(files, clock, stores, state, language, kCodePage); }
  std::string path(StoreId id) const { return directory + schemaOf(id).fileName; }
  // The rows the store's file holds.
  std::vector<Row> filed(StoreId id) const {
    const auto packet = decodeDataPacket(files.contents(path(id)).value_or(""), kCodePage);
    return packet ? packet->rows : std::vector<Row>{{"<unreadable>"}};
  }
  void fill(StoreId id, const std::vector<Row>& rows) {
    files.addFile(path(id), storeXml(id, rows));
    if (id != StoreId::Quarantine) stores.load(id);  // the quarantine is read by each of its users
  }

  FakeFileSystem& files;
  FakeClock& clock;
  std::string directory;
  Stores stores;
  SharedState state;
  LanguageTable language;
};

struct StoreTransferTest : ::testing::Test {
  FakeFileSystem files;
  FakeClock clock{{2026, 12, 9, 19, 50, 32, 0}};
  Machine here{files, clock, kHere};
  Machine there{files, clock, kThere};
  StoreTransferTest() { files.addDirectory(kCarried); }
};

// Values a spreadsheet or an XML writer could get wrong.
std::vector<Row> awkwardRows(StoreId id) {
  const std::string accented = "C:\\Programmes\\\xC9t\xE9 \xE0 No\xEBl\\caf\xE9.exe";
  const std::string longName = std::string(196, 'n') + ".exe";
  const std::string modules = [] {
    std::string m;
    while (m.size() < 4990) m += "C:\\Windows\\System32\\x" + std::to_string(m.size()) + ".dll;";
    return m.substr(0, 5000);
  }();
  switch (id) {
    case StoreId::Rules:
      return {{"a,b;c.exe", "09/12/2026 19:50:32", "@", "?", "12", "32", "PC\\\"Elodie\"", accented, "123456", "", "x"},
              {longName, "", "!", "", "", "", "", "", "0"},
              {"line\r\nbreak.exe", "\"", "\"\"", ",", ";", "\t", "\x01\x1F", "\x80\x81\xFF"}};
    case StoreId::Alerts:
      return {{"a,b;c.exe", "09/12/2026 19:50:32", "@", "?", "12", "32", "PC\\Elodie", accented, modules},
              {longName, "", "", "", "", "", "", "", "\"quoted;\""}};
    case StoreId::Quarantine: return {{"bad,\"one\".exe"}, {" spaced.exe "}, {longName}, {accented}};
    default: return {{"www.exemple.fr", "93.184.216.34"}, {"caf\xE9,\"x\".com", ""}, {longName, "1.2.3.4"}};
  }
}

TEST_F(StoreTransferTest, EveryCarriedStoreComesBackWholeThroughBothForms) {
  for (StoreId id : kCarriedStores)
    for (TransferForm form : {TransferForm::Xml, TransferForm::Csv}) {
      SCOPED_TRACE(schemaOf(id).fileName + (form == TransferForm::Csv ? " as CSV" : " as XML"));
      Machine from(files, clock, "C:\\From\\");
      Machine to(files, clock, "C:\\To\\");
      from.fill(id, awkwardRows(id));
      const std::string file = std::string(kCarried) + exportFileName(id, form);
      ASSERT_EQ(from.transfer().exportStore(id, file, form).outcome, TransferResult::Outcome::Done);
      const TransferResult imported = to.transfer().importFiles({file}, id);
      ASSERT_EQ(imported.outcome, TransferResult::Outcome::Done) << imported.message;
      EXPECT_EQ(to.filed(id), from.filed(id));
      files.remove(file);
    }
}

TEST_F(StoreTransferTest, TheSpreadsheetFormIsUtf8WithItsMarkCaptionsFirstAndEveryValueQuoted) {
  here.fill(StoreId::Sites, {{"caf\xE9.com", "1.2.3.4"}, {"say \"hi\", ok", ""}});
  const std::string file = std::string(kCarried) + "site.csv";
  here.transfer().exportStore(StoreId::Sites, file, TransferForm::Csv);
  EXPECT_EQ(*files.contents(file),
            "\xEF\xBB\xBF\"Site\",\"Address\"\r\n\"caf\xC3\xA9.com\",\"1.2.3.4\"\r\n\"say \"\"hi\"\", ok\",\"\"\r\n");
  // What a spreadsheet writes back: no mark, bare values, LF.
  const auto table = decodeCsv("Site,Address\nexemple.fr,5.6.7.8\n\n\"a\nb\",\n", kCodePage, 11);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->rows, (std::vector<Row>{{"exemple.fr", "5.6.7.8"}, {"a\nb", ""}}));
  // And a store file that another program wrote in UTF-8 with its mark is still a store.
  const ExportedFile utf8 = readExportedFile(
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
      "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"Champ1\" WIDTH=\"200\"/></FIELDS></METADATA>"
      "<ROWDATA><ROW Champ1=\"caf\xC3\xA9.exe\"/></ROWDATA></DATAPACKET>",
      kCodePage);
  EXPECT_EQ(utf8.kind, StoreId::Quarantine) << utf8.why;
  EXPECT_EQ(utf8.rows, (std::vector<Row>{{"caf\xE9.exe"}}));
}

struct MergeCase {
  StoreId id;
  std::vector<Row> stored;
  std::vector<Row> brought;
  std::vector<Row> after;
  std::string counts;
};

TEST_F(StoreTransferTest, AnImportAddsOnlyWhatIsNewCutToWidthAndCountsWhatItSkipped) {
  const std::string wide(260, 'w');
  const std::string cut(200, 'w');
  const std::vector<MergeCase> cases = {
      {StoreId::Rules,
       {{"a.exe", "1"}, {"a.exe", "2"}, {"b.exe"}},
       {{"a.exe", "3"}, {"c.exe", "4"}, {"c.exe", "5"}, {"", "6"}, {"  ", "7"}, {wide, wide}},
       {{"a.exe", "1"}, {"a.exe", "2"}, {"b.exe"}, {"c.exe", "4"}, {cut, cut}},
       "Rules: 2 added, 2 already there, 2 refused (no name)"},
      {StoreId::Alerts,
       {{"a.exe", "09/12/2026 10:00:00", "@"}},
       {{"a.exe", "09/12/2026 10:00:00", "@"}, {"a.exe", "09/12/2026 11:00:00", "@"}},
       {{"a.exe", "09/12/2026 10:00:00", "@"}, {"a.exe", "09/12/2026 11:00:00", "@"}},
       "Alerts: 1 added, 1 already there, 0 refused"},
      {StoreId::Quarantine,
       {{"bad.exe"}},
       {{" bad.exe "}, {"worse.exe"}, {"worse.exe  "}, {""}},
       {{"bad.exe"}, {"worse.exe"}},
       "Quarantine: 1 added, 2 already there, 1 refused (no name)"},
      {StoreId::Sites,
       {{"Exemple.fr", "1.2.3.4"}},
       {{"exemple.FR", "9.9.9.9"}, {"autre.fr", "5.6.7.8"}, {"", "7.7.7.7"}},
       {{"Exemple.fr", "1.2.3.4"}, {"autre.fr", "5.6.7.8"}},
       "Site blocking: 1 added, 1 already there, 1 refused (no name)"},
  };
  here.language.fill(
      [] {
        Lines lines = testing::numberedEntries("", LanguageTable::kEntries);
        lines[1] = "Rules";
        lines[2] = "Alerts";
        lines[4] = "Quarantine";
        lines[61] = "Site blocking";
        return lines;
      }(),
      "GB");
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(schemaOf(c.id).fileName);
    here.fill(c.id, c.stored);
    const std::string file = std::string(kCarried) + "brought.xml";
    files.addFile(file, storeXml(c.id, c.brought));
    const TransferResult result = here.transfer().importFiles({file});
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Done);
    EXPECT_EQ(here.filed(c.id), c.after);
    EXPECT_NE(result.message.find(file + "\r\n" + c.counts + "\r\n"), std::string::npos) << result.message;
  }
  // The monitor's lists follow at once.
  EXPECT_EQ(here.state.QuarantineNames, (std::vector<std::string>{"bad.exe", "worse.exe"}));
  EXPECT_EQ(here.state.BlockedSiteAddresses, (std::vector<std::string>{"1.2.3.4", "5.6.7.8"}));
  EXPECT_FALSE(here.stores.table(StoreId::Quarantine).active()) << "closed between uses";
}

std::string truncatedRules() {
  const std::string whole = storeXml(StoreId::Rules, {{"a.exe"}, {"b.exe"}});
  return whole.substr(0, whole.size() - 40);
}

// Thousands of fields over thousands of rows: once gigabytes for a reader
// that read the rows before it looked at the fields.
std::string amplified() {
  std::string doc = "<DATAPACKET><METADATA><FIELDS>";
  for (int f = 0; f < 15000; ++f) doc += "<FIELD attrname=\"F" + std::to_string(f) + "\" WIDTH=\"1\"/>";
  doc += "</FIELDS></METADATA><ROWDATA>";
  for (int r = 0; r < 20000; ++r) doc += "<ROW/>";
  return doc + "</ROWDATA></DATAPACKET>";
}

TEST_F(StoreTransferTest, AFileThatIsNotWhatItShouldBeIsRefusedWithItsReasonAndNothingChanges) {
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // none: no such file
    std::optional<StoreId> expected;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"truncated.xml", truncatedRules(), {}, "not a readable store"},
      {"amplified.xml", amplified(), {}, "holds none of the rules"},
      {"alerts.xml", storeXml(StoreId::Alerts, {{"a.exe"}}), StoreId::Rules, "This file holds: 3"},
      {"other.xml", encodeDataPacket({{"Name", 10}}, {{"a"}}, kCodePage), {}, "holds none of the rules"},
      {"open.csv", "\"Program\"\r\n\"a.exe\r\n", {}, "is not closed"},
      {"ragged.csv", "a,b\r\nc\r\n", {}, "line 2 has 1 values"},
      {"wide.csv", "a,b,c,d,e,f,g,h,i,j,k,l\r\n", {}, "too many values"},
      {"three.csv", "a,b,c\r\n", {}, "a table of 3 columns"},
      {"missing.xml", std::nullopt, {}, "it is missing"},
      {"held.xml", storeXml(StoreId::Rules, {{"held.exe"}}), {}, "in use by another program"},
      {"Q:\\absent drive.xml", std::nullopt, {}, "it is missing"},
  };
  here.fill(StoreId::Rules, {{"kept.exe"}});
  const std::string good = std::string(kCarried) + "good.xml";
  files.addFile(good, storeXml(StoreId::Rules, {{"new.exe"}}));
  const std::vector<std::string> before = files.fileNames(kHere);
  const std::string rulesBefore = *files.contents(here.path(StoreId::Rules));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = c.name;
    const std::string file = name.find(':') != std::string::npos ? name : std::string(kCarried) + name;
    if (c.bytes) files.addFile(file, *c.bytes);
    if (name == "held.xml") files.setLocked(file, true);
    // A good file beside it is not taken either: the import is all or nothing.
    const TransferResult result = here.transfer().importFiles({good, file}, c.expected);
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Refused);
    EXPECT_NE(result.message.find("Not imported: " + file + ": "), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(c.reason), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("Nothing was changed."), std::string::npos);
    EXPECT_EQ(files.fileNames(kHere), before);
    EXPECT_EQ(*files.contents(here.path(StoreId::Rules)), rulesBefore);
    EXPECT_EQ(here.stores.table(StoreId::Rules).rows(), (std::vector<Row>{{"kept.exe"}}));
  }
}

TEST_F(StoreTransferTest, TheStoreAsItWasIsKeptUnderADatedNameBeforeEachImportThatChangesIt) {
  here.fill(StoreId::Quarantine, {{"old.exe"}});
  const std::string before = *files.contents(here.path(StoreId::Quarantine));
  const std::string file = std::string(kCarried) + "q.xml";
  files.addFile(file, storeXml(StoreId::Quarantine, {{"new.exe"}}));
  const TransferResult first = here.transfer().importFiles({file});
  const std::string kept = std::string(kHere) + "quarantaines.before-import-2026-12-09-195032.xml";
  EXPECT_EQ(files.contents(kept), before);
  EXPECT_NE(first.message.find("Kept as it was before: " + kept), std::string::npos) << first.message;

  // The same file again adds nothing: nothing to keep; nor has an empty store anything to go back to.
  EXPECT_EQ(here.transfer().importFiles({file}).message.find("Kept"), std::string::npos);
  files.addFile(file, storeXml(StoreId::Sites, {{"exemple.fr", "1.2.3.4"}}));
  EXPECT_EQ(here.transfer().importFiles({file}).message.find("Kept"), std::string::npos);
  EXPECT_EQ(files.fileNames(kHere).size(), 8u) << "the seven stores and the one copy";
  files.addFile(file, storeXml(StoreId::Quarantine, {{"newer.exe"}}));
  here.transfer().importFiles({file});
  const std::string second = std::string(kHere) + "quarantaines.before-import-2026-12-09-195032-2.xml";
  EXPECT_EQ(decodeDataPacket(files.contents(second).value_or(""), kCodePage)->rows,
            (std::vector<Row>{{"old.exe"}, {"new.exe"}}));
}

TEST_F(StoreTransferTest, AStoreThatCannotBeSavedIsReportedAndKeepsWhatItHeld) {
  const std::string file = std::string(kCarried) + "r.xml";
  files.addFile(file, storeXml(StoreId::Rules, {{"new.exe"}}));
  here.fill(StoreId::Rules, {{"old.exe"}});
  const std::string before = *files.contents(here.path(StoreId::Rules));
  const std::vector<std::string> names = files.fileNames(kHere);
  struct Case {
    const char* name;
    std::function<void()> fault;
    std::function<void()> mend;
  };
  const std::vector<Case> cases = {
      {"the store's save fails", [&] { files.failWritesTo(here.path(StoreId::Rules) + ".saving"); },
       [&] { files.failWritesTo(here.path(StoreId::Rules) + ".saving", 1000); }},
      {"a full disk", [&] { files.setDiskFull(true); }, [&] { files.setDiskFull(false); }},
      {"the file held by another program", [&] { files.setLocked(here.path(StoreId::Rules), true); },
       [&] { files.setLocked(here.path(StoreId::Rules), false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.fault();
    const TransferResult result = here.transfer().importFiles({file});
    c.mend();
    EXPECT_EQ(result.outcome, TransferResult::Outcome::NotSaved);
    EXPECT_NE(result.message.find("Nothing was changed."), std::string::npos) << result.message;
    EXPECT_EQ(result.message.find("1 added"), std::string::npos) << result.message;
    EXPECT_EQ(*files.contents(here.path(StoreId::Rules)), before);
    EXPECT_EQ(files.fileNames(kHere), names);
    EXPECT_EQ(here.stores.table(StoreId::Rules).rows(), (std::vector<Row>{{"old.exe"}}));
  }
  EXPECT_EQ(here.transfer().importFiles({file}).outcome, TransferResult::Outcome::Done);
  EXPECT_EQ(here.filed(StoreId::Rules), (std::vector<Row>{{"old.exe"}, {"new.exe"}}));
}

TEST_F(StoreTransferTest, AnExportChangesNoStoreAndNeverTakesTheNameOfOne) {
  files.remove(here.path(StoreId::Quarantine));
  const std::vector<std::string> before = files.fileNames(kHere);
  // A missing quarantine exports as an empty one, and stays missing.
  EXPECT_EQ(here.transfer().exportToFolder({kCarriedStores.begin(), kCarriedStores.end()}, "C:\\Carried\\all",
                                           TransferForm::Xml)
                .outcome,
            TransferResult::Outcome::Done);
  EXPECT_EQ(files.fileNames("C:\\Carried\\all"),
            (std::vector<std::string>{"alertes.xml", "quarantaines.xml", "regles.xml", "site.xml"}));
  EXPECT_EQ(here.transfer().exportFilesIn("C:\\Carried\\all")->size(), 4u);
  EXPECT_EQ(files.fileNames(kHere), before);

  here.fill(StoreId::Rules, {{"a.exe"}});
  const std::string rules = *files.contents(here.path(StoreId::Rules));
  for (const std::string& target : {here.path(StoreId::Rules), std::string("c:\\here\\REGLES.XML"),
                                    here.path(StoreId::Configuration)}) {
    SCOPED_TRACE(target);
    const TransferResult result = here.transfer().exportStore(StoreId::Rules, target, TransferForm::Csv);
    EXPECT_EQ(result.outcome, TransferResult::Outcome::NotSaved);
    EXPECT_NE(result.message.find("one of the program's own stores"), std::string::npos);
  }
  EXPECT_EQ(here.transfer().exportToFolder({StoreId::Rules}, kHere, TransferForm::Xml).outcome,
            TransferResult::Outcome::NotSaved);
  EXPECT_EQ(*files.contents(here.path(StoreId::Rules)), rules);
  // An export that cannot be written says so, and a file it would replace keeps what it held.
  files.addFile(std::string(kCarried) + "mine.xml", "mine");
  files.setLocked(std::string(kCarried) + "mine.xml", true);
  EXPECT_EQ(here.transfer().exportStore(StoreId::Rules, std::string(kCarried) + "mine.xml", TransferForm::Xml).outcome,
            TransferResult::Outcome::NotSaved);
  EXPECT_EQ(files.contents(std::string(kCarried) + "mine.xml"), "mine");
  EXPECT_EQ(here.transfer().exportToFolder({StoreId::Rules}, "Q:\\absent", TransferForm::Xml).outcome,
            TransferResult::Outcome::NotSaved);
  files.setDiskFull(true);
  EXPECT_EQ(here.transfer().exportStore(StoreId::Rules, std::string(kCarried) + "r.xml", TransferForm::Xml).outcome,
            TransferResult::Outcome::NotSaved);
}

}  // namespace
}  // namespace tg
