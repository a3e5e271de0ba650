#pragma once

#include <array>
#include <functional>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pages/PageContext.h"
#include "platform/DateTime.h"
#include "platform/Locale.h"
#include "stores/LanguageTable.h"
#include "stores/RecordStore.h"
#include "ui/ListView.h"
#include "ui/TextControls.h"

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

// The filter box in the free band above a record list (language entry 105 as
// its hint): as the user types, the list shows only the rows that hold every
// typed word, letter case ignored, in one of their cells. Escape empties it.
ui::Edit& addRecordFilter(PageContext& c, ui::ListView& list);
// Whether every word (folded by foldAscii, none empty) occurs in a cell of the row.
bool rowHoldsEvery(const ui::ListView& list, int row, const std::vector<std::string>& foldedWords);

// The selected rows as text for the clipboard: the header line first, then
// one line per row, cells separated by tabs, lines ended by CR LF.
std::string rowsAsText(const ui::ListView& list, const std::vector<int>& rows);

// An action of a list on its selected rows, under the caption of a language entry.
struct RecordAction {
  int entry;
  std::function<void()> run;
};

// What the record lists and the connections list share beyond their rows:
// several rows selectable, Ctrl+A, Ctrl+C and the shortcut menu (copy, select
// all, then the page's actions on the selected rows; Delete runs the first).
void wireRecordCommands(PageContext& c, ui::ListView& list, std::vector<RecordAction> actions = {});

// The distinct program names (column 1) of the selected rows, in the order
// shown; a row without a name names no program.
std::vector<std::string> selectedProgramNames(const ui::ListView& list);

// The first three names, then ", ..." when there are more.
std::string firstNames(const std::vector<std::string>& names);
// The question of an action on several programs: `lead` (entry 22 or 20), the
// number, entry 106 and the first three names.
std::string severalProgramsQuestion(const PageContext& c, int lead, const std::vector<std::string>& names);

// The caption of a file attribute code; language entry 42 for a code that is
// not one of the listed numbers, or not a number at all.
const std::string& AttributeText(std::string_view code, const LanguageTable& language);

// A field as the lists show it (`value` itself): language entry 42 for a field
// the monitor could not fill ("?").
std::string_view shownField(std::string_view value, const LanguageTable& language);

// The nine columns of the rule and alert lists.
extern const std::array<RecordColumn, 9> kRecordColumns;

// The rows of a rule or alert list: the store's rows as they were when the
// list was filled, shared with the store rather than copied, and their cells
// made as they are asked for: the running number, then Champ1 to Champ8 by
// their cell rules. The language table must outlive it.
class RecordRows : public ui::RowSource {
 public:
  RecordRows(const RecordStore& store, const LanguageTable& language)
      : rows_(store.sharedRows()), language_(language) {}
  std::size_t rowCount() const override { return rows_.size(); }
  std::string_view text(std::size_t row, std::size_t column) const override;

 private:
  std::vector<PackedRow> rows_;
  const LanguageTable& language_;
  mutable char number_[24] = {};  // the running number last asked for
};

// The order of the rule and alert lists sorted by their third column: the
// recording date and time, read in the system's format, oldest first. A text
// that cannot be read as one comes after every date, as a missing value would.
// Each row's date is read once while the order lives: keep it for one sort,
// during which the rows stay where they are.
class RecordedDateOrder {
 public:
  RecordedDateOrder(LocaleFormats locale, const ui::ListView& list) : locale_(std::move(locale)), list_(list) {}
  // -1, 0 or 1 as row a's recording is earlier, the same or later than row b's.
  int compare(int a, int b);

 private:
  std::int64_t when(int row);
  LocaleFormats locale_;
  const ui::ListView& list_;
  std::vector<std::optional<std::int64_t>> read_;  // by row
};

// How the rule and alert lists sort: only a click on the third header sorts,
// by RecordedDateOrder, every click ascending, with the list's redrawing
// suspended for the sort and resumed afterwards, also when the sort fails.
class RecordedDateSorting {
 public:
  RecordedDateSorting(ui::ListView& list, Locale& locale) : list_(list), locale_(locale) {}
  void columnClick(int column);
  int compare(int a, int b);

 private:
  ui::ListView& list_;
  Locale& locale_;
  std::optional<RecordedDateOrder> sorting_;  // while a sort runs
};

}  // namespace tg
