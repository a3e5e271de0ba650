#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "pages/PageContext.h"
#include "platform/DateTime.h"
#include "platform/Locale.h"
#include "stores/LanguageTable.h"
#include "stores/RecordStore.h"
#include "ui/ListView.h"

namespace tg {

// A column of a record list: its caption's language entry and its width,
// enough for what the column usually holds.
struct RecordColumn {
  int entry;
  int width;
};

// The read-only table of the record pages, on the page panel: report style
// with headers, whole rows selected, hints shown, nothing edited in place.
ui::ListView& addRecordList(PageContext& c, std::string name, std::span<const RecordColumn> columns);

// The caption of a file attribute code; language entry 42 for a code that is
// not one of the listed numbers, or not a number at all.
std::string AttributeText(std::string_view code, const LanguageTable& language);

// A field as the lists show it: language entry 42 for a field the monitor
// could not fill ("?").
std::string shownField(const std::string& value, const LanguageTable& language);

// The nine columns of the rule and alert lists, and their rows: the running
// number, then Champ1 to Champ8 by their cell rules.
extern const std::array<RecordColumn, 9> kRecordColumns;
std::vector<ui::ListView::Row> recordRows(const RecordStore& store, const LanguageTable& language);

// The order of the rule and alert lists sorted by their third column: the
// recording date and time, read in the system's format, oldest first. A text
// that cannot be read as one comes after every date, as a missing value would.
// Each row's date is read once while the order lives: keep it for one sort,
// during which the rows stay where they are.
class RecordedDateOrder {
 public:
  explicit RecordedDateOrder(LocaleFormats locale) : locale_(std::move(locale)) {}
  // -1, 0 or 1 as a's recording is earlier, the same or later than b's.
  int compare(const ui::ListView::Row& a, const ui::ListView::Row& b);

 private:
  std::int64_t when(const ui::ListView::Row& row);
  LocaleFormats locale_;
  std::unordered_map<const ui::ListView::Row*, std::int64_t> read_;
};

// How the rule and alert lists sort: only a click on the third header sorts,
// by RecordedDateOrder, every click ascending, with the list's redrawing
// suspended for the sort and resumed afterwards, also when the sort fails.
class RecordedDateSorting {
 public:
  RecordedDateSorting(ui::ListView& list, Locale& locale) : list_(list), locale_(locale) {}
  void columnClick(int column);
  int compare(const ui::ListView::Row& a, const ui::ListView::Row& b);

 private:
  ui::ListView& list_;
  Locale& locale_;
  std::optional<RecordedDateOrder> sorting_;  // while a sort runs
};

}  // namespace tg
