#pragma once

#include <memory>

#include "app/PageHost.h"
#include "pages/records/RecordList.h"

namespace tg {

// The alert list: every alert as one row, a click putting the row's program
// in quarantine after a question.
class AlertListPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void ListView3Click();
  void ListView3ColumnClick(int column);
  int ListView3Compare(const ui::ListView::Row& a, const ui::ListView::Row& b);

  ui::ListView& ListView3;

 private:
  AlertListPage(PageContext& c, ui::ListView& list)
      : ListView3(list), c_(c), sorting_(list, c.platform().locale) {}
  PageContext c_;
  RecordedDateSorting sorting_;
};

}  // namespace tg
