#include <gtest/gtest.h>

#include "stores/RecordStore.h"
#include "testing/StoreRows.h"

namespace tg {
namespace {

using testing::appendRow;

RecordStore created(std::size_t size = 5) {
  RecordStore store("ClientDataSet1");
  store.addFieldDef("Champ1", size);
  store.addFieldDef("Champ2", 200);
  store.createDataSet();
  return store;
}

TEST(RecordStore, AClosedStoreRefusesEveryOperationAndHoldsNoRows) {
  RecordStore store = created();
  appendRow(store, {"a"});
  store.close();
  EXPECT_FALSE(store.active());
  EXPECT_THROW(store.first(), StoreError);
  EXPECT_THROW(store.recordCount(), StoreError);
  EXPECT_THROW(store.append(), StoreError);
  EXPECT_THROW(store.field("Champ1"), StoreError);
  // Opening needs a table again: a closed store was emptied.
  EXPECT_THROW(store.open(), StoreError);
  store.createDataSet();
  EXPECT_EQ(store.recordCount(), 0u);
}

TEST(RecordStore, ValuesAreCutToTheirFieldSize) {
  RecordStore store = created(5);
  appendRow(store, {"abcdefgh", std::string(300, 'x')});
  EXPECT_EQ(store.field("Champ1"), "abcde");
  EXPECT_EQ(store.field("Champ2").size(), 200u);
  store.assign(store.fieldDefs(), {{"123456789", "y"}});
  store.first();
  EXPECT_EQ(store.field("Champ1"), "12345");
}

TEST(RecordStore, FieldNamesIgnoreLetterCaseAndUnknownNamesFail) {
  RecordStore store = created();
  appendRow(store, {"a", "b"});
  EXPECT_EQ(store.field("champ1"), "a");
  EXPECT_EQ(store.field("CHAMP2"), "b");
  EXPECT_THROW(store.field("Champ3"), StoreError);
}

TEST(RecordStore, TheCursorWalksRowsInInsertionOrderAndSurvivesDeletion) {
  RecordStore store = created();
  for (const char* name : {"a", "b", "c", "d"}) appendRow(store, {name});
  std::vector<std::string> seen;
  for (store.first(); !store.eof(); store.next()) seen.push_back(store.field("Champ1"));
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "d"}));

  // Deleting while walking: the next row becomes current.
  store.first();
  while (!store.eof()) {
    if (store.field("Champ1") == "b" || store.field("Champ1") == "c")
      store.deleteRecord();
    else
      store.next();
  }
  seen.clear();
  for (store.first(); !store.eof(); store.next()) seen.push_back(store.field("Champ1"));
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "d"}));
  EXPECT_THROW(store.deleteRecord(), StoreError);  // at the end there is no current row
}

TEST(RecordStore, ReadingAnEmptyStoreHasNoCurrentRow) {
  RecordStore store = created();
  store.first();
  EXPECT_TRUE(store.eof());
  EXPECT_THROW(store.field("Champ1"), StoreError);
  appendRow(store, {"x"});
  store.emptyDataSet();
  EXPECT_EQ(store.recordCount(), 0u);
  EXPECT_TRUE(store.active());
}

// A row packed holds every byte of its values, and a list keeps the rows it
// was given as they were, whatever the store does next.
TEST(RecordStore, PackedRowsKeepEveryByteAndSharedRowsStayAsTheyWere) {
  using Rows = std::vector<Row>;
  for (const Row& values : Rows{{}, {""}, {"", "", "x"}, {std::string("a\0b", 3), "\r\n\t\"<&"},
                                {std::string(5000, 'm'), "", "last"}, Row(40, "v")}) {
    const PackedRow packed(values);
    EXPECT_EQ(packed.unpacked(), values);
    EXPECT_EQ(packed.size(), values.size());
    EXPECT_EQ(packed[values.size()], "");  // past its values
  }
  EXPECT_TRUE(PackedRow(Row{"a", ""}) == (Row{"a"}));  // a missing value is an empty one
  EXPECT_FALSE(PackedRow(Row{"a", "b"}) == (Row{"a"}));

  const auto texts = [](const std::vector<PackedRow>& shared) {
    Rows out;
    for (const PackedRow& row : shared) out.push_back(row.unpacked());
    return out;
  };
  RecordStore store = created();
  for (const char* name : {"a", "b", "c"}) appendRow(store, {name, "x"});
  const std::vector<PackedRow> kept = store.sharedRows();
  store.first();
  store.setField("Champ2", "changed");
  store.next();
  store.setField("Champ1", "");
  store.deleteWhere([](const PackedRow& row) { return valueOf(row, 0) == "c"; });
  appendRow(store, {"d"});
  EXPECT_EQ(store.rows(), (Rows{{"a", "changed"}, {"", "x"}, {"d"}}));
  store.close();
  EXPECT_EQ(texts(kept), (Rows{{"a", "x"}, {"b", "x"}, {"c", "x"}}));
}

}  // namespace
}  // namespace tg
