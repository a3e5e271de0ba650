#pragma once

#include <memory>

#include "pages/records/RecordListPage.h"

namespace tg {

// The alert list: every alert as one row, a click putting the row's program
// in quarantine after a question.
class AlertListPage : public RecordListPage {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void ListView3Click();
  // Delete: every selected program not yet in quarantine goes there, in one
  // save of the quarantine and one of the rules; one row acts as a click does.
  void quarantineSelected();
  void ListView3ColumnClick(int column) { sortByColumn(column); }
  int ListView3Compare(int a, int b) { return compareRows(a, b); }

  ui::ListView& ListView3;

 private:
  friend class RecordListPage;
  AlertListPage(PageContext& c, ui::ListView& list) : RecordListPage(c, list), ListView3(list) {}
};

}  // namespace tg
