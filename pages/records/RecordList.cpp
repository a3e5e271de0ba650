#include "pages/records/RecordList.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>

#include "stores/DateText.h"
#include "base/Text.h"

namespace tg {

const std::array<RecordColumn, 9> kRecordColumns = {{
    {9, 36},     // running number
    {10, 130},   // Champ1: the program
    {11, 140},   // Champ2: recorded on
    {31, 80},    // Champ3: the connection mark
    {33, 112},   // Champ4: the file's date
    {43, 56},    // Champ5: size in kilobytes
    {44, 96},    // Champ6: attributes
    {45, 150},   // Champ7: owner
    {30, 320},   // Champ8: path
}};

ui::ListView& addRecordList(PageContext& c, std::string name, std::span<const RecordColumn> columns) {
  auto& list = c.panel.add<ui::ListView>(std::move(name), ui::Rect{8, 24, 585, 320});
  list.setReadOnly(true);
  list.setShowHint(true);
  for (const RecordColumn& column : columns) list.addColumn(c.text(column.entry), column.width);
  return list;
}

namespace {

// Whether `word` (folded) occurs in `text`, the letters A to Z of the text folded.
bool holdsFolded(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < word.size() && foldAscii(text[at + i]) == word[i]) ++i;
    if (i == word.size()) return true;
  }
  return false;
}

std::vector<std::string> foldedWordsOf(std::string_view typed) {
  std::vector<std::string> words;
  std::string word;
  for (char ch : typed) {
    if (ch == ' ') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += foldAscii(ch);
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

bool rowHoldsEvery(const ui::ListView& list, int row, const std::vector<std::string>& foldedWords) {
  const std::size_t columns = list.columns().size();
  for (const std::string& word : foldedWords) {
    bool held = false;
    for (std::size_t c = 0; !held && c < columns; ++c) held = holdsFolded(list.text(row, c), word);
    if (!held) return false;
  }
  return true;
}

ui::Edit& addRecordFilter(PageContext& c, ui::ListView& list) {
  auto& box = c.panel.add<ui::Edit>("FilterEdit", ui::Rect{8, 1, 280, 21});
  box.setCue(c.text(105));
  box.setEscapeClears(true);
  ui::Edit* self = &box;
  ui::ListView* shown = &list;
  box.onChange = [self, shown] {
    std::vector<std::string> words = foldedWordsOf(self->text());
    if (words.empty()) {
      shown->setFilter(nullptr);
      return;
    }
    shown->setFilter([shown, words = std::move(words)](int row) { return rowHoldsEvery(*shown, row, words); });
  };
  return box;
}

std::string rowsAsText(const ui::ListView& list, const std::vector<int>& rows) {
  std::string text;
  auto line = [&](auto cellOf) {
    for (std::size_t column = 0; column < list.columns().size(); ++column) {
      if (column > 0) text += '\t';
      text += cellOf(column);
    }
    text += "\r\n";
  };
  line([&](std::size_t column) -> std::string_view { return list.columns()[column].caption; });
  for (int row : rows) line([&](std::size_t column) { return list.text(row, column); });
  return text;
}

void wireRecordCommands(PageContext& c, ui::ListView& list, std::vector<RecordAction> actions) {
  list.setMultiSelect(true);
  ui::ListView* self = &list;
  Platform* platform = &c.platform();
  auto copy = [self, platform] {
    const std::vector<int> rows = self->selectedRows();
    if (!rows.empty()) platform->clipboard.setText(rowsAsText(*self, rows));
  };
  std::function<void()> first = actions.empty() ? std::function<void()>() : actions.front().run;
  list.onCommand = [copy, first](ui::ListView::Command command) {
    if (command == ui::ListView::Command::Copy) copy();
    if (command == ui::ListView::Command::Delete && first) first();
  };
  std::vector<std::string> items{c.text(107), c.text(108)};
  for (const RecordAction& action : actions) items.push_back(c.text(action.entry));
  list.onContextMenu = [self, platform, copy, actions = std::move(actions), items] {
    const int chosen = platform->dialogs.popupMenu(items);
    if (chosen == 0) copy();
    if (chosen == 1) self->selectAll();
    if (chosen >= 2 && static_cast<std::size_t>(chosen - 2) < actions.size()) actions[chosen - 2].run();
  };
}

std::vector<std::string> selectedProgramNames(const ui::ListView& list) {
  std::vector<std::string> names;
  for (int row : list.selectedRows()) {
    const std::string_view name = list.text(row, 1);
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
  }
  return names;
}

std::string firstNames(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < 3; ++i) text += (i > 0 ? ", " : "") + names[i];
  if (names.size() > 3) text += ", ...";
  return text;
}

std::string severalProgramsQuestion(const PageContext& c, int lead, const std::vector<std::string>& names) {
  return c.text(lead) + std::to_string(names.size()) + c.text(106) + firstNames(names);
}

const std::string& AttributeText(std::string_view code, const LanguageTable& language) {
  const std::string_view digits = trimmedView(code);
  int value = -1;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return language.text(42);
  switch (value) {
    case 1: return language.text(34);
    case 2: return language.text(35);
    case 4: return language.text(36);
    case 8: return language.text(37);
    case 16: return language.text(38);
    case 32: return language.text(39);
    case 64: return language.text(40);
    case 71: return language.text(41);
    default: return language.text(42);
  }
}

std::string_view shownField(std::string_view value, const LanguageTable& language) {
  return value == "?" ? language.text(42) : value;
}

std::string_view RecordRows::text(std::size_t row, std::size_t column) const {
  if (row >= rows_.size()) return {};
  const PackedRow& record = rows_[row];
  switch (column) {
    case 0: {
      // The number the row had in the store when the list was filled: it
      // stays when other rows leave the list.
      const char* end = std::to_chars(std::begin(number_), std::end(number_), row + 1).ptr;
      return {number_, static_cast<std::size_t>(end - number_)};
    }
    case 4:
    case 5: return shownField(valueOf(record, column - 1), language_);
    case 6: return AttributeText(valueOf(record, 5), language_);
    default: return column < kRecordColumns.size() ? std::string_view(valueOf(record, column - 1)) : std::string_view();
  }
}

std::int64_t RecordedDateOrder::when(int row) {
  // Unreadable texts sort after every date, equal among themselves.
  constexpr std::int64_t kUnreadable = std::numeric_limits<std::int64_t>::max();
  if (row < 0) return kUnreadable;
  const auto at = static_cast<std::size_t>(row);
  if (at >= read_.size()) read_.resize(std::max(at + 1, static_cast<std::size_t>(list_.rowCount())));
  if (!read_[at]) {
    const std::optional<DateTime> t = parseDateTimeText(locale_, list_.text(row, 2));
    read_[at] = t ? toMilliseconds(*t) : kUnreadable;
  }
  return *read_[at];
}

int RecordedDateOrder::compare(int a, int b) {
  const std::int64_t x = when(a), y = when(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

void RecordedDateSorting::columnClick(int column) {
  if (column != 2) return;
  struct Sorting {
    RecordedDateSorting& s;
    explicit Sorting(RecordedDateSorting& sorting) : s(sorting) {
      s.sorting_.emplace(s.locale_.formats(), s.list_);
      s.list_.suspendRedraw(true);
    }
    ~Sorting() {
      s.list_.suspendRedraw(false);
      s.sorting_.reset();
    }
  } sorting(*this);
  list_.sort();
}

int RecordedDateSorting::compare(int a, int b) {
  if (sorting_) return sorting_->compare(a, b);
  return RecordedDateOrder(locale_.formats(), list_).compare(a, b);  // asked outside a sort
}

}  // namespace tg
