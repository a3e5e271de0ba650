#include <gtest/gtest.h>

#include "stores/DataPacket.h"
#include "stores/Stores.h"
#include "testing/FakeFileSystem.h"
#include "testing/StoreRows.h"

namespace tg {
namespace {

using testing::appendRow;

using testing::FakeFileSystem;

const char kDir[] = "C:\\Program\\";

std::vector<Row> rulesNamed(std::initializer_list<const char*> names) {
  std::vector<Row> rows;
  for (const char* name : names) rows.push_back({name, "08/12/2026 10:15:00", "@"});
  return rows;
}

std::string rulesXml(const std::vector<Row>& rows) {
  return encodeDataPacket(schemaOf(StoreId::Rules).fields, rows, CodePage(1252));
}

// The first values of the rows a store file holds now; "<unreadable>" when it is not a store.
std::vector<std::string> namesIn(const std::optional<std::string>& bytes) {
  if (!bytes) return {"<missing>"};
  const auto packet = decodeDataPacket(*bytes, CodePage(1252));
  if (!packet) return {"<unreadable>"};
  std::vector<std::string> names;
  for (const Row& row : packet->rows) names.push_back(valueOf(row, 0));
  return names;
}

std::vector<std::string> namesIn(RecordStore& table) {
  std::vector<std::string> names;
  for (const PackedRow& row : table.rows()) names.emplace_back(valueOf(row, 0));
  return names;
}

struct StoresTest : ::testing::Test {
  FakeFileSystem files;
  std::vector<std::string> notified;
  Stores stores{files, kDir, CodePage(1252), [this](const std::string& m) { notified.push_back(m); }};
  const std::string rules = std::string(kDir) + "regles.xml";

  StoresTest() { files.addDirectory(kDir); }
};

TEST_F(StoresTest, AFileHeldByAnotherProgramIsNeverWrittenOverAndIsReadOnceReleased) {
  const std::string xml = rulesXml(rulesNamed({"a.exe", "b.exe"}));
  files.addFile(rules, xml);
  files.setLocked(rules, true);
  EXPECT_EQ(stores.openOrCreate(StoreId::Rules), Opened::Pending);
  EXPECT_TRUE(stores.pending(StoreId::Rules));
  EXPECT_NE(stores.pendingReason(StoreId::Rules).find("in use by another program"), std::string::npos);

  // The store works in memory meanwhile; its saves are refused, not passed off.
  RecordStore& table = stores.table(StoreId::Rules);
  appendRow(table, {"new.exe"});
  EXPECT_THROW(stores.save(StoreId::Rules), StoreError);
  EXPECT_TRUE(stores.retryPending().empty());
  files.setLocked(rules, false);
  EXPECT_EQ(files.contents(rules), xml);
  EXPECT_FALSE(files.exists(rules + ".saving"));

  // Released: the file's rows first, then what was added meanwhile, saved.
  EXPECT_EQ(stores.retryPending(), std::vector<StoreId>{StoreId::Rules});
  EXPECT_FALSE(stores.pending(StoreId::Rules));
  EXPECT_EQ(namesIn(table), (std::vector<std::string>{"a.exe", "b.exe", "new.exe"}));
  EXPECT_EQ(namesIn(files.contents(rules)), (std::vector<std::string>{"a.exe", "b.exe", "new.exe"}));
}

TEST_F(StoresTest, ASaveOfAPendingStoreReadsTheFileFirstOnceItCanBeRead) {
  files.addFile(rules, rulesXml(rulesNamed({"a.exe"})));
  files.setDenied(rules, true);
  EXPECT_EQ(stores.openOrCreate(StoreId::Rules), Opened::Pending);
  EXPECT_NE(stores.pendingReason(StoreId::Rules).find("access to it is denied"), std::string::npos);
  appendRow(stores.table(StoreId::Rules), {"new.exe"});
  files.setDenied(rules, false);
  stores.save(StoreId::Rules);
  EXPECT_EQ(namesIn(files.contents(rules)), (std::vector<std::string>{"a.exe", "new.exe"}));
}

TEST_F(StoresTest, AClosedPendingStoreIsLoadedFromItsFileWhenItCanBe) {
  const std::string quarantine = std::string(kDir) + "quarantaines.xml";
  files.addFile(quarantine, encodeDataPacket(schemaOf(StoreId::Quarantine).fields, {{"bad.exe"}}, CodePage(1252)));
  files.setLocked(quarantine, true);
  EXPECT_EQ(stores.openOrCreate(StoreId::Quarantine), Opened::Pending);
  EXPECT_FALSE(stores.table(StoreId::Quarantine).active());
  EXPECT_THROW(stores.load(StoreId::Quarantine), StoreError);
  files.setLocked(quarantine, false);
  stores.load(StoreId::Quarantine);
  EXPECT_EQ(namesIn(stores.table(StoreId::Quarantine)), std::vector<std::string>{"bad.exe"});
  EXPECT_FALSE(stores.pending(StoreId::Quarantine));
}

TEST_F(StoresTest, AnUnreadableFileInAFolderThatCannotBeWrittenWaitsUntilItCanBeKeptAside) {
  const std::string truncated = rulesXml(rulesNamed({"a.exe", "b.exe"})).substr(0, 300);
  files.addFile(rules, truncated);
  files.setFolderWritable(kDir, false);
  EXPECT_EQ(stores.openOrCreate(StoreId::Rules), Opened::Pending);
  appendRow(stores.table(StoreId::Rules), {"new.exe"});
  EXPECT_THROW(stores.save(StoreId::Rules), StoreError);
  EXPECT_TRUE(stores.retryPending().empty());
  EXPECT_EQ(files.contents(rules), truncated);

  files.setFolderWritable(kDir, true);
  EXPECT_EQ(stores.retryPending(), std::vector<StoreId>{StoreId::Rules});
  EXPECT_EQ(files.contents(rules + ".unreadable"), truncated);
  EXPECT_EQ(namesIn(files.contents(rules)), std::vector<std::string>{"new.exe"});
}

TEST_F(StoresTest, AFileThatCannotBeMovedAsideIsCopiedAsideBeforeItIsReplaced) {
  // A program that holds the file open with read and write sharing, but
  // forbids moving it: modelled by a folder in which nothing moves.
  struct NoMoves : FakeFileSystem {
    bool rename(const std::string& from, const std::string& to, bool replace) override {
      if (from.find(".saving") == std::string::npos) return false;
      return FakeFileSystem::rename(from, to, replace);
    }
  } noMoves;
  noMoves.addDirectory(kDir);
  Stores s(noMoves, kDir, CodePage(1252), {});
  noMoves.addFile(rules, "not a store");
  EXPECT_EQ(s.openOrCreate(StoreId::Rules), Opened::Created);
  EXPECT_EQ(noMoves.contents(rules + ".unreadable"), "not a store");
  EXPECT_TRUE(namesIn(noMoves.contents(rules)).empty());
}

TEST_F(StoresTest, ACompleteSaveLeftHalfWayTakesThePlaceOfAMissingOrUnreadableFile) {
  const std::string saved = rulesXml(rulesNamed({"a.exe", "b.exe"}));
  // The file is missing: the first save of a store crashed before it was put in place.
  files.addFile(rules + ".saving", saved);
  EXPECT_EQ(stores.openOrCreate(StoreId::Rules), Opened::FromFile);
  EXPECT_EQ(namesIn(stores.table(StoreId::Rules)), (std::vector<std::string>{"a.exe", "b.exe"}));
  EXPECT_EQ(files.contents(rules), saved);
  EXPECT_FALSE(files.exists(rules + ".saving"));

  // The file is unreadable: it is kept aside first.
  files.writeBytes(rules, "broken");
  files.addFile(rules + ".saving", saved);
  EXPECT_EQ(stores.openOrCreate(StoreId::Rules), Opened::FromFile);
  EXPECT_EQ(files.contents(rules), saved);
  EXPECT_EQ(files.contents(rules + ".unreadable"), "broken");
}

TEST_F(StoresTest, OtherLeftoversAreRemovedAndAHeldOneIsLeftAlone) {
  const std::string current = rulesXml(rulesNamed({"current.exe"}));
  // Beside a readable file, a leftover is older or newer than it: the file wins.
  files.addFile(rules, current);
  files.addFile(rules + ".saving", rulesXml(rulesNamed({"other.exe"})));
  EXPECT_EQ(stores.openOrCreate(StoreId::Rules), Opened::FromFile);
  EXPECT_EQ(namesIn(stores.table(StoreId::Rules)), std::vector<std::string>{"current.exe"});
  EXPECT_FALSE(files.exists(rules + ".saving"));

  // Half a save with no file: removed, and a fresh store created.
  const std::string sites = std::string(kDir) + "site.xml";
  files.addFile(sites + ".saving", rulesXml(rulesNamed({"x"})).substr(0, 100));
  EXPECT_EQ(stores.openOrCreate(StoreId::Sites), Opened::Created);
  EXPECT_FALSE(files.exists(sites + ".saving"));
  EXPECT_TRUE(files.exists(sites));

  // A leftover of another store's fields is not this store.
  const std::string alerts = std::string(kDir) + "alertes.xml";
  files.addFile(alerts + ".saving", current);
  EXPECT_EQ(stores.openOrCreate(StoreId::Alerts), Opened::Created);
  EXPECT_TRUE(namesIn(files.contents(alerts)).empty());

  // A held file and a leftover beside it: neither is touched.
  const std::string events = std::string(kDir) + "evenements.xml";
  const std::string eventsXml = encodeDataPacket(schemaOf(StoreId::Events).fields, {{"e"}}, CodePage(1252));
  files.addFile(events, eventsXml);
  files.addFile(events + ".saving", eventsXml);
  files.setLocked(events, true);
  EXPECT_EQ(stores.openOrCreate(StoreId::Events), Opened::Pending);
  EXPECT_TRUE(files.exists(events + ".saving"));
}

TEST_F(StoresTest, AFullDiskFailsEverySaveAndLeavesEveryFileAsItWas) {
  const std::string xml = rulesXml(rulesNamed({"a.exe"}));
  files.addFile(rules, xml);
  ASSERT_EQ(stores.openOrCreate(StoreId::Rules), Opened::FromFile);
  files.setDiskFull(true);
  appendRow(stores.table(StoreId::Rules), {"b.exe"});
  EXPECT_THROW(stores.save(StoreId::Rules), StoreError);
  EXPECT_EQ(files.contents(rules), xml);
  EXPECT_FALSE(files.exists(rules + ".saving"));  // half a save is not left behind

  // Fresh stores cannot be written either; they hold their rows in memory.
  EXPECT_THROW(stores.openOrCreate(StoreId::Language), StoreError);
  RecordStore& language = stores.table(StoreId::Language);
  language.first();
  EXPECT_EQ(language.field("Champ1"), "FR");
  EXPECT_NO_THROW(stores.openOrCreate(StoreId::Configuration));
  EXPECT_EQ(notified, std::vector<std::string>{"erreur creation configuration"});
  EXPECT_FALSE(files.exists(std::string(kDir) + "langues.xml"));

  files.setDiskFull(false);
  stores.save(StoreId::Rules);
  EXPECT_EQ(namesIn(files.contents(rules)), (std::vector<std::string>{"a.exe", "b.exe"}));
}

TEST_F(StoresTest, TheFilesOfTheOneRowStoresReplaceTheirDefaultRowWhenReadLate) {
  const std::string language = std::string(kDir) + "langues.xml";
  files.addFile(language, encodeDataPacket(schemaOf(StoreId::Language).fields, {{"GB"}}, CodePage(1252)));
  files.setLocked(language, true);
  EXPECT_EQ(stores.openOrCreate(StoreId::Language), Opened::Pending);
  RecordStore& table = stores.table(StoreId::Language);
  table.first();
  EXPECT_EQ(table.field("Champ1"), "FR");  // meanwhile
  files.setLocked(language, false);
  EXPECT_EQ(stores.retryPending(), std::vector<StoreId>{StoreId::Language});
  EXPECT_EQ(namesIn(table), std::vector<std::string>{"GB"});
}

TEST_F(StoresTest, AnUnreadableFileTooLargeForMemoryIsKeptAside) {
  struct TooLarge : FakeFileSystem {
    FileRead read(const std::string& path) override {
      if (path.find("regles.xml") != std::string::npos && path.find(".saving") == std::string::npos &&
          contents(path) == "huge")
        return {std::nullopt, FileError::TooLarge};
      return FakeFileSystem::read(path);
    }
  } huge;
  huge.addDirectory(kDir);
  huge.addFile(rules, "huge");
  Stores s(huge, kDir, CodePage(1252), {});
  EXPECT_EQ(s.openOrCreate(StoreId::Rules), Opened::Created);
  EXPECT_EQ(huge.contents(rules + ".unreadable"), "huge");
}

}  // namespace
}  // namespace tg
