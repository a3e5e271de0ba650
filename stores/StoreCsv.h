#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/CodePage.h"
#include "stores/RecordStore.h"

namespace tg {

// A table for spreadsheets: RFC 4180 (every value quoted, quotes doubled, lines
// ended by CR LF), in UTF-8 with its byte order mark, which spreadsheet programs
// need to read anything but ASCII right. The first line holds the captions.
// Each value's bytes are taken from the code page to Unicode, so that reading
// the file back gives every byte again.
std::string encodeCsv(const std::vector<std::string>& captions, const std::vector<Row>& rows,
                      const CodePage& codePage);

struct CsvTable {
  std::vector<std::string> captions;
  std::vector<Row> rows;  // each as long as the captions
};

// Reads a file written by encodeCsv, or by a spreadsheet program: UTF-8 with or
// without its mark, quoted or bare values, CR LF or LF. Every line must have as
// many values as the first one, at most `maxColumns`. Empty lines are skipped.
// Empty, with the reason in `error`, when the bytes are not such a table or
// hold a character the code page cannot carry. Time and memory grow linearly
// with the size of the file.
std::optional<CsvTable> decodeCsv(std::string_view bytes, const CodePage& codePage, std::size_t maxColumns,
                                  std::string* error = nullptr);

}  // namespace tg
