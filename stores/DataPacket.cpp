#include "stores/DataPacket.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "base/Text.h"

namespace tg {

// ---------------------------------------------------------------- writing

namespace {

// The spelling of every byte inside a double-quoted attribute value; an empty
// entry means the byte is written as it is.
class AttributeEscapes {
 public:
  explicit AttributeEscapes(const CodePage& codePage) {
    for (unsigned b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      std::string& e = escape_[b];
      if (byte == '&') e = "&amp;";
      else if (byte == '<') e = "&lt;";
      else if (byte == '>') e = "&gt;";
      else if (byte == '"') e = "&quot;";
      else if (byte == '\t') e = "&#9;";
      else if (byte == '\n') e = "&#10;";
      else if (byte == '\r') e = "&#13;";
      else if (byte < 0x20) e = hexReference(controlByteStandIn(byte));
      else if (!codePage.defines(byte)) e = hexReference(byte);
    }
  }

  void append(std::string& out, std::string_view value) const {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
      const std::string& e = escape_[static_cast<unsigned char>(value[i])];
      if (e.empty()) continue;
      out.append(value.data() + runStart, i - runStart);
      out += e;
      runStart = i + 1;
    }
    out.append(value.data() + runStart, value.size() - runStart);
  }

 private:
  static std::string hexReference(char32_t codePoint) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (char32_t v = codePoint; v != 0 || hex.empty(); v >>= 4) hex.insert(hex.begin(), digits[v & 0xF]);
    return "&#x" + hex + ";";
  }

  std::array<std::string, 256> escape_;
};

// The document for `count` rows whose values `values` gives: values(i, f,
// scratch) returns row i's value of field f, or a view of scratch filled with
// it, and lengthOf(i, f) its length; the fields from widthOf(i) on are empty.
template <typename Values, typename LengthOf, typename WidthOf>
std::string encodeRows(const std::vector<FieldDef>& fields, std::size_t count, const Values& values,
                       const LengthOf& lengthOf, const WidthOf& widthOf, const CodePage& codePage) {
  const AttributeEscapes escapes(codePage);
  std::size_t estimate = 256 + fields.size() * 64;
  for (std::size_t i = 0; i < count; ++i) {
    estimate += 16;
    for (std::size_t f = 0, width = widthOf(i); f < width; ++f)
      if (const std::size_t length = lengthOf(i, f)) estimate += fields[f].name.size() + length + 4;
  }
  std::string out;
  out.reserve(estimate + estimate / 8);

  out += "<?xml version=\"1.0\" encoding=\"";
  out += codePage.xmlName();
  out += "\" standalone=\"yes\"?>\r\n<DATAPACKET Version=\"2.0\">\r\n<METADATA>\r\n<FIELDS>\r\n";
  for (const FieldDef& field : fields) {
    out += "<FIELD attrname=\"";
    escapes.append(out, field.name);
    out += "\" fieldtype=\"string\" WIDTH=\"";
    out += std::to_string(field.size);
    out += "\"/>\r\n";
  }
  out += "</FIELDS>\r\n</METADATA>\r\n<ROWDATA>\r\n";
  std::string scratch;
  for (std::size_t i = 0; i < count; ++i) {
    out += "<ROW";
    // Empty values are left out: a missing attribute reads back as an empty value.
    for (std::size_t f = 0, width = widthOf(i); f < width; ++f) {
      const std::string_view value = values(i, f, scratch);
      if (value.empty()) continue;
      out += ' ';
      out += fields[f].name;
      out += "=\"";
      escapes.append(out, value);
      out += '"';
    }
    out += "/>\r\n";
  }
  out += "</ROWDATA>\r\n</DATAPACKET>\r\n";
  return out;
}

}  // namespace

std::string encodeDataPacket(const std::vector<FieldDef>& fields, const std::vector<Row>& rows,
                             const CodePage& codePage) {
  return encodeRows(
      fields, rows.size(),
      [&](std::size_t i, std::size_t f, std::string&) -> std::string_view { return rows[i][f]; },
      [&](std::size_t i, std::size_t f) { return rows[i][f].size(); },
      [&](std::size_t i) { return std::min(rows[i].size(), fields.size()); }, codePage);
}

std::string encodeDataPacket(const RecordStore& store, const CodePage& codePage) {
  const StoreRows rows = store.rows();
  std::vector<const PathLists*> lists;
  for (std::size_t f = 0; f < store.fieldDefs().size(); ++f) lists.push_back(store.pathListOf(f));
  return encodeRows(
      store.fieldDefs(), rows.size(),
      [&](std::size_t i, std::size_t f, std::string& scratch) -> std::string_view {
        if (!lists[f]) return valueOf(rows[i], f);
        scratch.clear();
        lists[f]->appendTo(i, scratch);
        return scratch;
      },
      [&](std::size_t i, std::size_t f) { return lists[f] ? lists[f]->length(i) : valueOf(rows[i], f).size(); },
      [&](std::size_t i) { return store.holdsListsApart() ? lists.size() : rows[i].size(); }, codePage);
}

// ---------------------------------------------------------------- reading

namespace {

constexpr std::string_view kOtherFields = "the fields declared are not this table's";
constexpr std::string_view kMoreFields = "more fields declared than this table has";

struct ParseError {
  std::string what;
};

// Bytes of an attribute value that need more than a copy.
constexpr std::array<bool, 256> specialInValue(bool utf8) {
  std::array<bool, 256> t{};
  t['&'] = t['<'] = t['\t'] = t['\n'] = t['\r'] = true;
  if (utf8)
    for (unsigned b = 0x80; b < 256; ++b) t[b] = true;
  return t;
}
constexpr auto kSpecialSingleByte = specialInValue(false);
constexpr auto kSpecialUtf8 = specialInValue(true);

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
         u == ':' || u == '-' || u == '.' || u >= 0x80;
}

constexpr int kMaxDepth = 256;

bool sameFieldNames(const std::vector<FieldDef>& declared, const std::vector<FieldDef>& expected) {
  if (declared.size() != expected.size()) return false;
  for (std::size_t i = 0; i < declared.size(); ++i)
    if (!equalsIgnoringAsciiCase(declared[i].name, expected[i].name)) return false;
  return true;
}

class PacketParser {
 public:
  PacketParser(std::string_view text, const CodePage& codePage, const std::vector<FieldDef>* expected,
               bool asStored)
      : s_(text), codePage_(codePage), expected_(expected), asStored_(asStored && expected) {}

  DataPacket parse() {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") {
      p_ = 3;
      utf8_ = true;
    }
    declaration();
    misc();
    if (!consume('<')) fail("no root element");
    if (name() != "DATAPACKET") fail("the root element is not DATAPACKET");
    if (!startTagRest()) fail("an empty DATAPACKET holds no table");
    bool sawFields = false;
    bool sawRows = false;
    for (;;) {
      const std::string_view child = nextChild();
      if (child.empty()) break;
      if (child == "METADATA") {
        if (sawFields) fail("a second METADATA");
        metadata();
        sawFields = true;
      } else if (child == "ROWDATA") {
        if (!sawFields) fail("ROWDATA before METADATA");
        if (sawRows) fail("a second ROWDATA");
        checkFields();
        rowData();
        sawRows = true;
      } else {
        skipElement(child);
      }
    }
    endTag("DATAPACKET");
    misc();
    if (p_ != s_.size()) fail("content after the root element");
    checkFields();
    return std::move(packet_);
  }

 private:
  void checkFields() const {
    if (packet_.fields.empty()) fail("no fields declared");
    if (expected_ && !sameFieldNames(packet_.fields, *expected_)) fail(std::string(kOtherFields));
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw ParseError{what + " (at byte " + std::to_string(p_) + ")"};
  }

  bool atEnd() const { return p_ >= s_.size(); }
  bool lookingAt(std::string_view t) const { return s_.substr(p_, t.size()) == t; }
  bool consume(char c) {
    if (p_ < s_.size() && s_[p_] == c) {
      ++p_;
      return true;
    }
    return false;
  }
  void skipSpace() {
    while (p_ < s_.size() && isSpace(s_[p_])) ++p_;
  }
  void skipPast(std::string_view terminator, const char* what) {
    const std::size_t at = s_.find(terminator, p_);
    if (at == std::string_view::npos) fail(std::string("unterminated ") + what);
    p_ = at + terminator.size();
  }

  std::string_view name() {
    const std::size_t start = p_;
    while (p_ < s_.size() && isNameChar(s_[p_])) ++p_;
    if (p_ == start) fail("a name was expected");
    const char first = s_[start];
    if ((first >= '0' && first <= '9') || first == '-' || first == '.') fail("a name cannot start so");
    return s_.substr(start, p_ - start);
  }

  void declaration() {
    if (!lookingAt("<?xml") || p_ + 5 >= s_.size() || !isSpace(s_[p_ + 5])) {
      utf8_ = true;  // without a declaration the document is UTF-8
      return;
    }
    p_ += 5;
    std::string encoding;
    for (;;) {
      skipSpace();
      if (lookingAt("?>")) {
        p_ += 2;
        break;
      }
      const std::string_view key = name();
      skipSpace();
      if (!consume('=')) fail("'=' expected in the declaration");
      skipSpace();
      std::string value;
      attributeValue(value);
      if (key == "encoding") encoding = foldedAscii(value);
    }
    utf8_ = encoding.empty() || encoding == "utf-8" || encoding == "utf8";
  }

  // Comments, processing instructions and white space between elements.
  void misc() {
    for (;;) {
      skipSpace();
      if (lookingAt("<!--")) {
        skipPast("-->", "comment");
      } else if (lookingAt("<?")) {
        skipPast("?>", "processing instruction");
      } else if (lookingAt("<!DOCTYPE")) {
        fail("document type declarations are not accepted");
      } else {
        return;
      }
    }
  }

  // After an element's name: its attributes up to the end of the start tag.
  // `target(name)` says where each value goes; nullptr drops it. True when
  // content follows, false for an empty element.
  template <typename Target>
  bool attributeList(Target target) {
    std::string dropped;
    for (;;) {
      const bool spaced = p_ < s_.size() && isSpace(s_[p_]);
      skipSpace();
      if (atEnd()) fail("unterminated tag");
      if (consume('>')) return true;
      if (lookingAt("/>")) {
        p_ += 2;
        return false;
      }
      if (!spaced) fail("white space expected before an attribute");
      const std::string_view key = name();
      skipSpace();
      if (!consume('=')) fail("'=' expected after an attribute name");
      skipSpace();
      std::string* value = target(key);
      attributeValue(value ? *value : dropped);
    }
  }

  bool startTagRest() {
    return attributeList([](std::string_view) -> std::string* { return nullptr; });
  }

  using Attributes = std::vector<std::pair<std::string_view, std::string>>;
  bool startTagRest(Attributes& attributes) {
    std::unordered_set<std::string_view> names;
    return attributeList([&](std::string_view key) -> std::string* {
      if (!names.insert(key).second) fail("attribute given twice");
      return &attributes.emplace_back(key, std::string()).second;
    });
  }

  // Skips character data, comments and the like up to the next tag. Returns the
  // name of the next child element, or empty at the parent's end tag.
  std::string_view nextChild() {
    for (;;) {
      const std::size_t lt = s_.find('<', p_);
      if (lt == std::string_view::npos) fail("unterminated element");
      p_ = lt;
      if (lookingAt("</")) return {};
      if (lookingAt("<!--")) {
        skipPast("-->", "comment");
      } else if (lookingAt("<![CDATA[")) {
        skipPast("]]>", "CDATA section");
      } else if (lookingAt("<?")) {
        skipPast("?>", "processing instruction");
      } else if (lookingAt("<!")) {
        fail("markup declarations are not accepted");
      } else {
        ++p_;
        return name();
      }
    }
  }

  void endTag(std::string_view expected) {
    if (!lookingAt("</")) fail("end tag expected");
    p_ += 2;
    if (name() != expected) fail("end tag does not match " + std::string(expected));
    skipSpace();
    if (!consume('>')) fail("'>' expected");
  }

  // The rest of an element whose name was just read, children and all.
  void skipElement(std::string_view elementName) {
    if (!startTagRest()) return;
    std::vector<std::string_view> open{elementName};
    while (!open.empty()) {
      const std::string_view child = nextChild();
      if (child.empty()) {
        endTag(open.back());
        open.pop_back();
        continue;
      }
      if (open.size() >= kMaxDepth) fail("elements nested too deeply");
      if (startTagRest()) open.push_back(child);
    }
  }

  void metadata() {
    if (!startTagRest()) return;
    for (;;) {
      const std::string_view child = nextChild();
      if (child.empty()) break;
      if (child == "FIELDS")
        fieldList();
      else
        skipElement(child);
    }
    endTag("METADATA");
  }

  void fieldList() {
    if (!startTagRest()) return;
    for (;;) {
      const std::string_view child = nextChild();
      if (child.empty()) break;
      if (child != "FIELD") {
        skipElement(child);
        continue;
      }
      Attributes attributes;
      const bool hasContent = startTagRest(attributes);
      FieldDef field;
      bool named = false;
      bool sized = false;
      for (const auto& [key, value] : attributes) {
        if (key == "attrname") {
          field.name = value;
          named = true;
        } else if (key == "WIDTH") {
          const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), field.size);
          if (ec != std::errc() || end != value.data() + value.size()) fail("a field width is not a number");
          sized = true;
        }
      }
      if (!named || field.name.empty()) fail("a field has no name");
      if (!sized) fail("a field has no width");
      packet_.fields.push_back(std::move(field));
      if (expected_ && packet_.fields.size() > expected_->size()) fail(std::string(kMoreFields));
      if (hasContent) skipContentOf("FIELD");
    }
    endTag("FIELDS");
  }

  void skipContentOf(std::string_view elementName) {
    for (;;) {
      const std::string_view child = nextChild();
      if (child.empty()) break;
      skipElement(child);
    }
    endTag(elementName);
  }

  void rowData() {
    if (!startTagRest()) return;
    const std::size_t fieldCount = packet_.fields.size();
    if (fieldCount > 16)
      for (std::size_t i = 0; i < fieldCount; ++i) fieldIndex_.emplace(foldedAscii(packet_.fields[i].name), i);
    scratch_.assign(fieldCount, std::string());
    seenInRow_.assign(fieldCount, 0);
    if (asStored_)  // the fields are the expected ones, in their order
      for (std::size_t f = 0; f < fieldCount; ++f)
        if ((*expected_)[f].pathList) packet_.held.push_back({f, PathLists()});
    for (;;) {
      const std::string_view child = nextChild();
      if (child.empty()) break;
      if (child != "ROW") {
        skipElement(child);
        continue;
      }
      if (rowAttributes()) skipContentOf("ROW");
    }
    endTag("ROWDATA");
  }

  std::size_t fieldIndexOf(std::string_view key, std::size_t expected) const {
    const auto& fields = packet_.fields;
    if (expected < fields.size() && equalsIgnoringAsciiCase(fields[expected].name, key)) return expected;
    if (!fieldIndex_.empty()) {
      const auto it = fieldIndex_.find(foldedAscii(key));
      return it == fieldIndex_.end() ? fields.size() : it->second;
    }
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (equalsIgnoringAsciiCase(fields[i].name, key)) return i;
    return fields.size();
  }

  // The attributes of a ROW, gathered in the scratch row and then moved into a
  // row that reaches only as far as its last non-empty value. True when
  // content follows.
  bool rowAttributes() {
    ++rowNumber_;
    std::size_t expected = 0;
    std::size_t length = 0;
    std::vector<std::size_t>& given = givenInRow_;
    given.clear();
    const bool content = attributeList([&](std::string_view key) -> std::string* {
      const std::size_t index = fieldIndexOf(key, expected);
      if (index == scratch_.size()) return nullptr;  // not one of the table's fields
      if (seenInRow_[index] == rowNumber_) fail("a field given twice in one ROW");
      seenInRow_[index] = rowNumber_;
      given.push_back(index);
      expected = index + 1;
      return &scratch_[index];
    });
    for (HeldList& list : packet_.held) {
      const std::size_t f = list.field;
      list.values.push_back(std::string_view(scratch_[f]).substr(0, (*expected_)[f].size));
      scratch_[f].clear();  // its room stays for the next row's list
      if (seenInRow_[f] == rowNumber_) seenInRow_[f] = 0;
    }
    for (std::size_t index : given)
      if (!scratch_[index].empty()) length = std::max(length, index + 1);
    if (asStored_) {
      packet_.packed.emplace_back(length, [&](std::size_t i) {
        return seenInRow_[i] == rowNumber_ ? std::string_view(scratch_[i]).substr(0, (*expected_)[i].size)
                                           : std::string_view();
      });
      for (std::size_t index : given) scratch_[index].clear();  // their room stays for the next row
      return content;
    }
    Row& row = packet_.rows.emplace_back();
    row.reserve(length);
    for (std::size_t i = 0; i < length; ++i) row.push_back(seenInRow_[i] == rowNumber_ ? std::move(scratch_[i]) : std::string());
    for (std::size_t index : given) scratch_[index].clear();
    return content;
  }

  void attributeValue(std::string& out) {
    if (atEnd()) fail("attribute value expected");
    const char quote = s_[p_];
    if (quote != '"' && quote != '\'') fail("attribute value must be quoted");
    const std::size_t start = p_ + 1;
    const std::size_t end = s_.find(quote, start);
    if (end == std::string_view::npos) fail("unterminated attribute value");
    const std::string_view raw = s_.substr(start, end - start);
    const auto& special = utf8_ ? kSpecialUtf8 : kSpecialSingleByte;
    std::size_t i = 0;
    while (i < raw.size() && !special[static_cast<unsigned char>(raw[i])]) ++i;
    if (i == raw.size()) {
      out.assign(raw.data(), raw.size());
    } else {
      out.assign(raw.data(), i);
      decodeRest(raw, i, out, start);
    }
    p_ = end + 1;
  }

  void decodeRest(std::string_view raw, std::size_t i, std::string& out, std::size_t base) {
    while (i < raw.size()) {
      const char c = raw[i];
      const auto u = static_cast<unsigned char>(c);
      if (c == '<') {
        p_ = base + i;
        fail("'<' inside an attribute value");
      }
      if (c == '\r') {
        // A line end (CR LF, or CR alone) becomes one space, as for any XML reader.
        out += ' ';
        i += (i + 1 < raw.size() && raw[i + 1] == '\n') ? 2 : 1;
      } else if (c == '\t' || c == '\n') {
        out += ' ';
        ++i;
      } else if (c == '&') {
        // References are short: looking further for their end would make a
        // value of many '&' quadratic.
        const std::size_t window = raw.substr(i, 13).find(';');
        const std::size_t semi = window == std::string_view::npos ? window : i + window;
        if (semi == std::string_view::npos) {
          p_ = base + i;
          fail("unterminated reference");
        }
        reference(raw.substr(i + 1, semi - i - 1), out, base + i);
        i = semi + 1;
      } else if (utf8_ && u >= 0x80) {
        i = utf8Character(raw, i, out);
      } else {
        out += c;
        ++i;
      }
    }
  }

  void reference(std::string_view ref, std::string& out, std::size_t at) {
    if (ref == "lt") out += '<';
    else if (ref == "gt") out += '>';
    else if (ref == "amp") out += '&';
    else if (ref == "quot") out += '"';
    else if (ref == "apos") out += '\'';
    else if (ref.size() >= 2 && ref[0] == '#') {
      const bool hex = ref[1] == 'x';
      const std::string_view digits = ref.substr(hex ? 2 : 1);
      std::uint32_t codePoint = 0;
      const auto [end, ec] =
          std::from_chars(digits.data(), digits.data() + digits.size(), codePoint, hex ? 16 : 10);
      if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        p_ = at;
        fail("malformed character reference");
      }
      appendCodePoint(codePoint, out);
    } else {
      p_ = at;
      fail("unknown entity &" + std::string(ref) + ";");
    }
  }

  void appendCodePoint(char32_t codePoint, std::string& out) const {
    const auto byte = codePage_.fromUnicode(codePoint);
    out += byte ? static_cast<char>(*byte) : '?';
  }

  // One UTF-8 sequence; a malformed one is taken byte for byte.
  std::size_t utf8Character(std::string_view raw, std::size_t i, std::string& out) const {
    const auto lead = static_cast<unsigned char>(raw[i]);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > raw.size()) {
      out += raw[i];
      return i + 1;
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(raw[i + k]);
      if ((next & 0xC0) != 0x80) {
        out += raw[i];
        return i + 1;
      }
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    appendCodePoint(codePoint, out);
    return i + length;
  }

  std::string_view s_;
  const CodePage& codePage_;
  const std::vector<FieldDef>* expected_;
  bool asStored_;
  std::size_t p_ = 0;
  bool utf8_ = false;
  DataPacket packet_;
  // For the rows: the field index by folded name (for long field lists), the
  // values being gathered, and in which row each field was last given.
  std::unordered_map<std::string, std::size_t> fieldIndex_;
  std::vector<std::string> scratch_;
  std::vector<std::uint64_t> seenInRow_;
  std::vector<std::size_t> givenInRow_;
  std::uint64_t rowNumber_ = 0;
};

}  // namespace

std::optional<DataPacket> decodeDataPacket(std::string_view xml, const CodePage& codePage, std::string* error,
                                           const std::vector<FieldDef>* expected, bool asStored) {
  try {
    return PacketParser(xml, codePage, expected, asStored).parse();
  } catch (const ParseError& e) {
    if (error) *error = e.what;
    return std::nullopt;
  }
}

bool declaresOtherFields(std::string_view error) {
  return error.starts_with(kOtherFields) || error.starts_with(kMoreFields);
}

}  // namespace tg
