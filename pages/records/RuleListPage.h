#pragma once

#include <memory>

#include "app/PageHost.h"
#include "pages/records/RecordList.h"

namespace tg {

// The rule list: every rule of the rule store as one row, a click removing
// the rules of the row's program after a question.
class RuleListPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void ListView2Click();
  void ListView2ColumnClick(int column);
  int ListView2Compare(const ui::ListView::Row& a, const ui::ListView::Row& b);

  ui::ListView& ListView2;

 private:
  RuleListPage(PageContext& c, ui::ListView& list)
      : ListView2(list), c_(c), sorting_(list, c.platform().locale) {}
  PageContext c_;
  RecordedDateSorting sorting_;
};

}  // namespace tg
