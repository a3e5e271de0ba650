#include "pages/records/IntegrityPage.h"

#include <array>

#include "pages/PageContext.h"
#include "engines/FileFacts.h"
#include "pages/records/RecordEdits.h"
#include "pages/records/RecordList.h"
#include "stores/DateText.h"

namespace tg {

namespace {

constexpr std::array<RecordColumn, 11> kIntegrityColumns = {{
    {9, 36},     // running number
    {10, 130},   // Champ1: the program
    {11, 140},   // Champ2: recorded on
    {31, 80},    // Champ3: the connection mark
    {92, 140},   // last access, now
    {93, 120},   // file type, now
    {44, 96},    // Champ6: attributes
    {45, 150},   // Champ7: owner
    {30, 320},   // Champ8: path
    {94, 170},   // Champ9: the checksum recorded
    {95, 150},   // the checksum now
}};

// A date as the system writes a date and time, without the time at midnight.
std::string accessText(const DateTime& t, const LocaleFormats& locale) {
  const bool midnight = t.hour == 0 && t.minute == 0 && t.second == 0 && t.millisecond == 0;
  return midnight ? shortDateText(locale, t) : dateTimeText(locale, t);
}

}  // namespace

std::unique_ptr<Page> IntegrityPage::build(PageContext& c) {
  const LanguageTable& language = c.window.language;
  const std::string& missing = language.text(42);
  const LocaleFormats locale = c.platform().locale.formats();
  FileSystem& files = c.platform().files;
  std::vector<ui::ListView::Row> rows;
  std::size_t number = 0;
  for (const PackedRow& rule : openRules(c.stores()).rows()) {
    const auto value = [&rule](std::size_t field) { return std::string(valueOf(rule, field)); };
    const std::string path = value(7);
    ui::ListView::Row row;
    row.caption = std::to_string(++number);
    // A file that cannot be found or read shows the missing value where its
    // facts would be: an empty cell would look like a fact.
    std::string accessed = missing, type = missing, checksum = missing;
    if (!path.empty()) {
      if (const auto when = findAccessDate(files, path)) accessed = accessText(*when, locale);
      type = FileTypeName(c.platform().shell, path);
      if (const auto sum = readChecksum(files, path)) checksum = std::to_string(*sum);
    }
    row.subItems = {value(0),        value(1), value(2), std::move(accessed), std::move(type),
                    AttributeText(valueOf(rule, 5), language), value(6), path, value(8), std::move(checksum)};
    rows.push_back(std::move(row));
  }
  ui::ListView& list = addRecordList(c, "ListView4", kIntegrityColumns);
  wireRecordCommands(c, list);
  list.setRows(std::move(rows));
  return std::make_unique<IntegrityPage>(list, addRecordFilter(c, list));
}

}  // namespace tg
