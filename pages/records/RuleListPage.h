#pragma once

#include <memory>

#include "pages/records/RecordListPage.h"

namespace tg {

// The rule list: every rule of the rule store as one row, a click removing
// the rules of the row's program after a question.
class RuleListPage : public RecordListPage {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void ListView2Click();
  // Delete: the rules of every selected program go, and every nameless rule,
  // in one save; one selected row goes as a click on it does.
  void removeSelected();
  void ListView2ColumnClick(int column) { sortByColumn(column); }
  int ListView2Compare(int a, int b) { return compareRows(a, b); }

  ui::ListView& ListView2;

 private:
  friend class RecordListPage;
  RuleListPage(PageContext& c, ui::ListView& list) : RecordListPage(c, list), ListView2(list) {}
};

}  // namespace tg
