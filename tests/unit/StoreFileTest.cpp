#include <gtest/gtest.h>

#include "stores/DataPacket.h"
#include "stores/StoreFile.h"
#include "stores/StoreSchema.h"
#include "testing/FakeFileSystem.h"
#include "testing/StoreRows.h"

namespace tg {
namespace {

using testing::FakeFileSystem;

const std::vector<FieldDef> kFields = {{"Champ1", 200}, {"Champ2", 200}};
const std::string kPath = "C:\\Program\\site.xml";

struct StoreFileTest : ::testing::Test {
  FakeFileSystem files;
  StoreFile file{files, kPath, kFields, CodePage(1252)};
  RecordStore store{"ClientDataSet9"};

  StoreFileTest() {
    files.addDirectory("C:\\Program");
    for (const FieldDef& f : kFields) store.addFieldDef(f.name, f.size);
    store.createDataSet();
  }
  void add(const std::string& a, const std::string& b) { testing::appendRow(store, {a, b}); }
};

TEST_F(StoreFileTest, SavedRowsLoadBackInOrder) {
  add("site one", "1.2.3.4");
  add("caf\xE9 \"quoted\" <&>", "line\r\nbreak\ttab");
  file.save(store);
  RecordStore again("ClientDataSet9");
  file.load(again);
  ASSERT_TRUE(again.active());
  again.first();
  EXPECT_EQ(again.field("Champ1"), "site one");
  again.next();
  EXPECT_EQ(again.field("Champ1"), "caf\xE9 \"quoted\" <&>");
  EXPECT_EQ(again.field("Champ2"), "line\r\nbreak\ttab");
  again.next();
  EXPECT_TRUE(again.eof());
}

TEST_F(StoreFileTest, AFailedSaveLeavesThePreviousFileWhole) {
  add("kept", "1");
  file.save(store);
  const std::string before = *files.contents(kPath);

  add("lost", "2");
  files.failWritesTo(kPath + ".saving");
  EXPECT_THROW(file.save(store), StoreError);
  EXPECT_EQ(files.contents(kPath), before);
}

TEST_F(StoreFileTest, AFileHeldByAnotherProcessIsNotReplacedAndNoScratchFileStays) {
  add("kept", "1");
  file.save(store);
  const std::string before = *files.contents(kPath);
  files.setLocked(kPath, true);
  add("new", "2");
  EXPECT_THROW(file.save(store), StoreError);
  EXPECT_EQ(files.contents(kPath), before);
  EXPECT_FALSE(files.exists(kPath + ".saving"));
}

TEST_F(StoreFileTest, AFileOfOtherFieldsIsNotThisStore) {
  const std::vector<std::vector<FieldDef>> others = {
      {{"Champ1", 200}},                                       // one missing
      {{"Champ1", 200}, {"Champ2", 200}, {"Champ3", 200}},     // one more
      {{"Champ2", 200}, {"Champ1", 200}},                      // another order
      {{"Champ1", 200}, {"Name", 200}},                        // another name
  };
  for (const auto& fields : others) {
    files.writeBytes(kPath, encodeDataPacket(fields, {}, CodePage(1252)));
    EXPECT_THROW(file.load(store), StoreError);
    EXPECT_FALSE(store.active());
  }
  // Letter case and width do not make another store; the width is ours.
  files.writeBytes(kPath, encodeDataPacket({{"CHAMP1", 10}, {"champ2", 300}}, {{"0123456789", "x"}}, CodePage(1252)));
  file.load(store);
  EXPECT_EQ(store.fieldDefs(), kFields);
}

TEST_F(StoreFileTest, UnreadableFilesAreKeptAsideUnderFreeNames) {
  files.writeBytes(kPath, "garbage one");
  EXPECT_EQ(file.keepAside(), kPath + ".unreadable");
  files.writeBytes(kPath, "garbage two");
  EXPECT_EQ(file.keepAside(), kPath + ".unreadable2");
  EXPECT_EQ(files.contents(kPath + ".unreadable"), "garbage one");
  EXPECT_EQ(files.contents(kPath + ".unreadable2"), "garbage two");
  EXPECT_FALSE(files.exists(kPath));
}

// Module lists are held as numbered folders and names, not as text: every byte
// must still come back, through every change of the table, its file and a
// file it never changed.
TEST(ModuleLists, EveryValueComesBackByteForByteThroughTheStoreAndItsFile) {
  std::string system;
  for (int i = 0; system.size() < 4990; ++i) system += "C:\\Windows\\System32\\lib" + std::to_string(i % 70) + ".dll;";
  std::string everyByte;
  for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::vector<std::string> values = {
      "",
      ";",
      ";;",
      "a.exe",
      "C:\\Apps\\app.exe;",
      "\\",
      "C:\\Apps\\;\\x.dll;\\\\server\\share\\y.dll",
      "C:\\Apps\\app.exe;;C:\\Apps\\app.exe;C:\\APPS\\app.exe",  // repeats and letter case
      "caf\xE9 \"quoted\" <&> line\r\nbreak\ttab",
      everyByte,
      system,                       // 4,990 characters, of 70 names
      system + system,              // cut to the field's 5,000
      std::string(5000, ';'),
  };
  const std::vector<FieldDef>& fields = schemaOf(StoreId::Alerts).fields;
  ASSERT_TRUE(fields[8].pathList);
  std::vector<Row> expected;
  for (std::size_t i = 0; i < values.size(); ++i)
    expected.push_back({"p" + std::to_string(i) + ".exe", values[i].substr(0, fields[1].size), "", "", "", "", "", "",
                        values[i].substr(0, 5000)});
  const auto wholeRows = [&](const RecordStore& store) {
    std::vector<Row> rows = store.wholeRows();
    for (Row& row : rows) row.resize(fields.size());
    return rows;
  };

  // Through the cursor, a whole table, and rows added at the end.
  RecordStore store("ClientDataSet2");
  for (const FieldDef& f : fields) store.addFieldDef(f);
  store.createDataSet();
  for (std::size_t i = 0; i < values.size(); ++i) {
    store.append();
    store.setField("Champ1", "p" + std::to_string(i) + ".exe");
    store.setField("Champ2", values[i]);
    store.setField("Champ9", values[i]);
  }
  EXPECT_EQ(wholeRows(store), expected);
  store.first();
  for (std::size_t i = 0; i < values.size(); ++i, store.next()) EXPECT_EQ(store.field("Champ9"), expected[i][8]) << i;
  for (const PackedRow& row : store.rows()) EXPECT_EQ(valueOf(row, 8), "") << "the rows leave the lists out";
  std::vector<Row> given = expected;
  for (std::size_t i = 0; i < values.size(); ++i) given[i][1] = given[i][8] = values[i];
  store.assign(fields, given);
  EXPECT_EQ(wholeRows(store), expected);
  store.appendRows(given);
  store.keepFirstRows(values.size() + 2);
  EXPECT_EQ(wholeRows(store).back(), expected[1]);

  // Removing rows keeps every other row's list with it.
  store.assign(fields, given);
  store.deleteWhere([](const PackedRow& row) { return valueOf(row, 0) == "p1.exe" || valueOf(row, 0) == "p4.exe"; });
  store.first();
  store.next();
  store.deleteRecord();  // p2
  std::vector<Row> left = expected;
  left.erase(left.begin() + 4);
  left.erase(left.begin() + 1, left.begin() + 3);
  EXPECT_EQ(wholeRows(store), left);

  // The file: what a save writes is what the rows' own encoding gives, and a
  // file loaded and saved again, its lists never read, is written unchanged.
  FakeFileSystem files;
  files.addDirectory("C:\\Program");
  const StoreFile file(files, "C:\\Program\\alertes.xml", fields, CodePage(1252));
  store.assign(fields, given);
  file.save(store);
  const std::string saved = *files.contents(file.path());
  EXPECT_EQ(saved, encodeDataPacket(fields, expected, CodePage(1252)));
  RecordStore again("ClientDataSet2");
  file.load(again);
  EXPECT_EQ(wholeRows(again), expected);
  file.save(again);
  EXPECT_EQ(*files.contents(file.path()), saved);
  // A file whose values are wider than their fields is read cut, as a store holds them.
  files.addFile(file.path(), encodeDataPacket(fields, given, CodePage(1252)));
  file.load(again);
  EXPECT_EQ(wholeRows(again), expected);
}

}  // namespace
}  // namespace tg
