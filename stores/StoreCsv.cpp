#include "stores/StoreCsv.h"

namespace tg {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void appendQuoted(std::string& out, std::string_view value, const CodePage& codePage) {
  out += '"';
  for (char ch : value) {
    if (ch == '"') out += '"';
    appendUtf8(out, codePage.toUnicode(static_cast<unsigned char>(ch)));
  }
  out += '"';
}

struct Failure {
  std::string what;
};

// One pass over the file, value by value.
class CsvReader {
 public:
  CsvReader(std::string_view text, const CodePage& codePage, std::size_t maxColumns)
      : s_(text), codePage_(codePage), maxColumns_(maxColumns) {}

  CsvTable read() {
    if (s_.substr(0, kByteOrderMark.size()) == kByteOrderMark) p_ = kByteOrderMark.size();
    CsvTable table;
    Row line;
    while (nextLine(line)) {
      if (table.captions.empty()) {
        table.captions = std::move(line);
        continue;
      }
      if (line.size() != table.captions.size())
        fail("line " + std::to_string(lineNumber_) + " has " + std::to_string(line.size()) + " values, the first " +
             std::to_string(table.captions.size()));
      table.rows.push_back(std::move(line));
    }
    if (table.captions.empty()) fail("the file holds no line");
    return table;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const { throw Failure{what}; }

  // The values of the next line that holds any; false at the end.
  bool nextLine(Row& line) {
    line.clear();
    while (p_ < s_.size() && (s_[p_] == '\r' || s_[p_] == '\n')) {
      if (s_[p_] == '\n') ++lineNumber_;
      ++p_;
    }
    if (p_ >= s_.size()) return false;
    ++lineNumber_;
    for (;;) {
      if (line.size() == maxColumns_) fail("line " + std::to_string(lineNumber_) + " has too many values");
      line.push_back(value());
      if (p_ >= s_.size()) return true;
      const char after = s_[p_++];
      if (after == ',') continue;
      if (after == '\r' && p_ < s_.size() && s_[p_] == '\n') ++p_;
      return true;  // '\r' or '\n'
    }
  }

  std::string value() {
    std::string out;
    if (p_ < s_.size() && s_[p_] == '"') {
      ++p_;
      for (;;) {
        if (p_ >= s_.size()) fail("a quoted value on line " + std::to_string(lineNumber_) + " is not closed");
        if (s_[p_] == '"') {
          if (p_ + 1 < s_.size() && s_[p_ + 1] == '"') {
            out += '"';
            p_ += 2;
            continue;
          }
          ++p_;
          break;
        }
        if (s_[p_] == '\n') ++lineNumber_;
        character(out);
      }
      if (p_ < s_.size() && s_[p_] != ',' && s_[p_] != '\r' && s_[p_] != '\n')
        fail("text after a quoted value on line " + std::to_string(lineNumber_));
      return out;
    }
    while (p_ < s_.size() && s_[p_] != ',' && s_[p_] != '\r' && s_[p_] != '\n') {
      if (s_[p_] == '"') fail("a quote inside a bare value on line " + std::to_string(lineNumber_));
      character(out);
    }
    return out;
  }

  // One UTF-8 character, as the code page's byte.
  void character(std::string& out) {
    const auto lead = static_cast<unsigned char>(s_[p_]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || p_ + length > s_.size()) fail("not UTF-8 on line " + std::to_string(lineNumber_));
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(s_[p_ + i]);
      if ((next & 0xC0) != 0x80) fail("not UTF-8 on line " + std::to_string(lineNumber_));
      c = (c << 6) | (next & 0x3F);
    }
    p_ += length;
    const std::optional<unsigned char> byte = codePage_.fromUnicode(c);
    if (!byte) fail("a character on line " + std::to_string(lineNumber_) + " that the system's code page lacks");
    out += static_cast<char>(*byte);
  }

  std::string_view s_;
  const CodePage& codePage_;
  std::size_t maxColumns_;
  std::size_t p_ = 0;
  std::size_t lineNumber_ = 0;
};

}  // namespace

std::string encodeCsv(const std::vector<std::string>& captions, const std::vector<Row>& rows,
                      const CodePage& codePage) {
  std::string out(kByteOrderMark);
  auto line = [&](auto&& valueAt) {
    for (std::size_t i = 0; i < captions.size(); ++i) {
      if (i) out += ',';
      appendQuoted(out, valueAt(i), codePage);
    }
    out += "\r\n";
  };
  line([&](std::size_t i) -> const std::string& { return captions[i]; });
  for (const Row& row : rows) line([&](std::size_t i) -> const std::string& { return valueOf(row, i); });
  return out;
}

std::optional<CsvTable> decodeCsv(std::string_view bytes, const CodePage& codePage, std::size_t maxColumns,
                                  std::string* error) {
  try {
    return CsvReader(bytes, codePage, maxColumns).read();
  } catch (const Failure& failure) {
    if (error) *error = failure.what;
    return std::nullopt;
  }
}

}  // namespace tg
