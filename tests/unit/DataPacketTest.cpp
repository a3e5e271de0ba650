#include <gtest/gtest.h>

#include "stores/DataPacket.h"
#include "unit/XmlLint.h"

namespace tg {
namespace {

const CodePage kWindows1252(1252);

std::vector<FieldDef> twoFields() { return {{"Champ1", 200}, {"Champ2", 5000}}; }

// Rows read back hold their values up to the last non-empty one; this gives
// each row all its fields, as a reader of the values sees them.
std::vector<Row> padded(std::vector<Row> rows, std::size_t fields) {
  for (Row& row : rows) row.resize(fields);
  return rows;
}

DataPacket roundTrip(const std::vector<Row>& rows) {
  const std::string xml = encodeDataPacket(twoFields(), rows, kWindows1252);
  std::string error;
  auto packet = decodeDataPacket(xml, kWindows1252, &error);
  EXPECT_TRUE(packet) << error << "\n" << xml;
  return packet.value_or(DataPacket{});
}

std::string allBytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

TEST(DataPacket, EveryByteOfAValueSurvivesSaveAndLoad) {
  const std::vector<Row> rows = {
      {"say \"hi\" & 'bye' <tag> a>b", "tab\there"},
      {"line\rbreaks\nand\r\nboth", "caf\xE9 \x80 \x81\x8D\x8F\x90\x9D \xFF"},
      {allBytes(), std::string("nul\0inside", 10)},
      {"", "only the second"},
      {"  spaces around  ", ""},
  };
  const DataPacket packet = roundTrip(rows);
  EXPECT_EQ(packet.fields, twoFields());
  EXPECT_EQ(padded(packet.rows, 2), rows);
  EXPECT_EQ(packet.rows[4].size(), 1u);  // no room taken for the empty value at its end
}

TEST(DataPacket, AnIndependentParserAcceptsTheFileAndReadsTheSameCharacters) {
  const std::vector<Row> rows = {{allBytes(), "caf\xE9 \x80"}, {"a\tb\r\nc", "<&>\"'"}};
  const std::string xml = encodeDataPacket(twoFields(), rows, kWindows1252);
  EXPECT_NE(xml.find("encoding=\"windows-1252\""), std::string::npos);
  const auto errors = testing::xmllintErrors(xml);
  ASSERT_TRUE(errors) << "xmllint cannot be run: the test scripts install it (libxml2-utils)";
  EXPECT_EQ(*errors, "");
  // xmllint prints in UTF-8: é and the euro sign must be what it read.
  EXPECT_EQ(testing::xmllintXPath(xml, "string(//ROW[1]/@Champ2)").value(), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(testing::xmllintXPath(xml, "string(//ROW[2]/@Champ1)").value(), "a\tb\r\nc");
  EXPECT_EQ(testing::xmllintXPath(xml, "count(//FIELD)").value(), "2");
  EXPECT_EQ(testing::xmllintXPath(xml, "string(//FIELD[2]/@WIDTH)").value(), "5000");
}

TEST(DataPacket, AnEmptyTableIsStillWellFormed) {
  const std::string xml = encodeDataPacket(twoFields(), {}, kWindows1252);
  const auto packet = decodeDataPacket(xml, kWindows1252);
  ASSERT_TRUE(packet);
  EXPECT_TRUE(packet->rows.empty());
  const auto errors = testing::xmllintErrors(xml);
  ASSERT_TRUE(errors) << "xmllint cannot be run: the test scripts install it (libxml2-utils)";
  EXPECT_EQ(*errors, "");
}

TEST(DataPacket, ReadsWhatOtherWritersMayProduce) {
  // Single quotes, comments, attributes out of order, field names in another
  // letter case, unknown elements and attributes, literal line ends in values.
  const std::string xml =
      "<?xml version='1.0' encoding='ISO-8859-1'?>\n<!-- written by hand -->\n"
      "<DATAPACKET Version='2.0'><METADATA><FIELDS>"
      "<FIELD attrname='Champ1' fieldtype='string' WIDTH='200'/>"
      "<FIELD WIDTH='200' attrname='Champ2' fieldtype='string'><PARAM x='1'/></FIELD>"
      "</FIELDS><PARAMS CHANGE_LOG='1 0 4'/></METADATA>"
      "<ROWDATA><ROW champ2='b' RowState='4' CHAMP1='a&#233;&#x20AC;'/>"
      "<ROW Champ1='x\r\ny\tz'></ROW></ROWDATA></DATAPACKET>\n";
  const auto packet = decodeDataPacket(xml, kWindows1252);
  ASSERT_TRUE(packet);
  ASSERT_EQ(packet->rows.size(), 2u);
  EXPECT_EQ(packet->rows[0], (Row{"a\xE9\x80", "b"}));
  EXPECT_EQ(packet->rows[1], (Row{"x y z"}));
}

TEST(DataPacket, UnicodeFilesAreTakenIntoTheCodePage) {
  const std::string xml =
      "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"Champ1\" WIDTH=\"9\"/></FIELDS></METADATA>"
      "<ROWDATA><ROW Champ1=\"caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\x80\"/></ROWDATA></DATAPACKET>";
  const auto packet = decodeDataPacket(xml, kWindows1252);
  ASSERT_TRUE(packet);
  EXPECT_EQ(packet->rows[0][0], "caf\xE9 \x80 ?");
}

TEST(DataPacket, RefusesDocumentsThatAreNotWellFormedPackets) {
  const std::string good = encodeDataPacket(twoFields(), {{"a", "b"}}, kWindows1252);
  const std::vector<std::string> bad = {
      "",
      "not xml at all",
      good.substr(0, good.size() / 2),                               // cut short, as by a crash
      good.substr(0, good.find("</DATAPACKET>")),                    // root never closed
      "<OTHER/>",                                                    // another root
      "<DATAPACKET/>",                                               // no table
      "<DATAPACKET><ROWDATA/></DATAPACKET>",                         // rows without fields
      "<!DOCTYPE x [<!ENTITY a 'b'>]><DATAPACKET/>",                 // declarations
      "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"C\" WIDTH=\"x\"/></FIELDS></METADATA></DATAPACKET>",
      "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"C\" WIDTH=\"1\"/></FIELDS></METADATA>"
      "<ROWDATA><ROW C=\"a<b\"/></ROWDATA></DATAPACKET>",
      "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"C\" WIDTH=\"1\"/></FIELDS></METADATA>"
      "<ROWDATA><ROW C=\"&bogus;\"/></ROWDATA></DATAPACKET>",
      "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"C\" WIDTH=\"1\"/></FIELDS></METADATA>"
      "<ROWDATA><ROW C=\"a\" C=\"b\"/></ROWDATA></DATAPACKET>",
      good + "<extra/>",
  };
  for (const std::string& doc : bad) EXPECT_FALSE(decodeDataPacket(doc, kWindows1252)) << doc;
}

TEST(DataPacket, AFileOfOtherFieldsIsRefusedBeforeItsRowsAreRead) {
  // Thousands of fields over thousands of rows once took gigabytes before the
  // fields were compared; the rows here would not even parse.
  std::string doc = "<DATAPACKET><METADATA><FIELDS>";
  for (int f = 0; f < 3000; ++f) doc += "<FIELD attrname=\"F" + std::to_string(f) + "\" WIDTH=\"1\"/>";
  doc += "</FIELDS></METADATA><ROWDATA>";
  for (int r = 0; r < 1000; ++r) doc += "<ROW/>";
  doc += "<ROW broken</ROWDATA></DATAPACKET>";
  const std::vector<FieldDef> expected = twoFields();
  std::string error;
  EXPECT_FALSE(decodeDataPacket(doc, kWindows1252, &error, &expected));
  EXPECT_NE(error.find("more fields declared"), std::string::npos) << error;

  const std::string others = encodeDataPacket({{"Champ1", 200}, {"Other", 200}}, {{"a", "b"}}, kWindows1252);
  EXPECT_FALSE(decodeDataPacket(others, kWindows1252, &error, &expected));
  EXPECT_NE(error.find("not this table's"), std::string::npos) << error;
  const std::string same = encodeDataPacket({{"CHAMP1", 9}, {"champ2", 9}}, {{"a", "b"}}, kWindows1252);
  EXPECT_TRUE(decodeDataPacket(same, kWindows1252, &error, &expected)) << error;
}

TEST(DataPacket, EmptyRowsTakeNoRoomForTheirValues) {
  std::string doc = "<DATAPACKET><METADATA><FIELDS>";
  for (int f = 0; f < 500; ++f) doc += "<FIELD attrname=\"F" + std::to_string(f) + "\" WIDTH=\"1\"/>";
  doc += "</FIELDS></METADATA><ROWDATA>";
  for (int r = 0; r < 20000; ++r) doc += "<ROW/>";
  doc += "<ROW F499=\"x\" F3=\"\"/></ROWDATA></DATAPACKET>";
  const auto packet = decodeDataPacket(doc, kWindows1252);
  ASSERT_TRUE(packet);
  ASSERT_EQ(packet->rows.size(), 20001u);
  for (std::size_t r = 0; r < 20000; ++r) ASSERT_EQ(packet->rows[r].capacity(), 0u) << r;
  EXPECT_EQ(packet->rows.back().size(), 500u);
  EXPECT_EQ(packet->rows.back()[499], "x");
}

TEST(DataPacket, RepeatedAttributesAndUnendedReferencesAreFoundInOnePass) {
  // Found among many attributes, and a value of many '&' is refused at its first.
  std::string doc = "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"C\" WIDTH=\"1\"";
  for (int a = 0; a < 20000; ++a) doc += " a" + std::to_string(a) + "=\"\"";
  doc += " a7=\"again\"/></FIELDS></METADATA></DATAPACKET>";
  std::string error;
  EXPECT_FALSE(decodeDataPacket(doc, kWindows1252, &error));
  EXPECT_NE(error.find("attribute given twice"), std::string::npos) << error;
  const std::string amps = "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"C\" WIDTH=\"1\"/></FIELDS></METADATA>"
                           "<ROWDATA><ROW C=\"" + std::string(100000, '&') + ";\"/></ROWDATA></DATAPACKET>";
  EXPECT_FALSE(decodeDataPacket(amps, kWindows1252, &error));
  EXPECT_NE(error.find("unterminated reference"), std::string::npos) << error;
}

TEST(DataPacket, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  std::string doc = "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"C\" WIDTH=\"1\"/></FIELDS></METADATA><X>";
  for (int i = 0; i < 100000; ++i) doc += "<a>";
  EXPECT_FALSE(decodeDataPacket(doc, kWindows1252));
}

}  // namespace
}  // namespace tg
