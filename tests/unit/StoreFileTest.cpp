#include <gtest/gtest.h>

#include "stores/DataPacket.h"
#include "stores/StoreFile.h"
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

}  // namespace
}  // namespace tg
