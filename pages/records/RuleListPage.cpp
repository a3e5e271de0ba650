#include "pages/records/RuleListPage.h"

#include "app/MainWindow.h"
#include "pages/records/RecordEdits.h"

namespace tg {

std::unique_ptr<Page> RuleListPage::build(PageContext& c) {
  // The store first: a build that cannot read it leaves no list behind.
  std::vector<ui::ListView::Row> rows = recordRows(openRules(c.stores()), c.window.centre.languageTable);
  ui::ListView& list = addRecordList(c, "ListView2", kRecordColumns);
  std::unique_ptr<RuleListPage> page(new RuleListPage(c, list));
  RuleListPage* self = page.get();
  list.onClick = [self] { self->ListView2Click(); };
  list.onColumnClick = [self](int column) { self->ListView2ColumnClick(column); };
  list.onCompare = [self](const ui::ListView::Row& a, const ui::ListView::Row& b) {
    return self->ListView2Compare(a, b);
  };
  list.setRows(std::move(rows));
  return page;
}

void RuleListPage::ListView2Click() {
  const int selected = ListView2.selected();
  if (selected < 0) return;
  const std::string name = ListView2.rows()[static_cast<std::size_t>(selected)].text(1);
  if (c_.platform().dialogs.askYesNo(c_.text(22) + name) != Answer::Yes) return;
  // Rules the monitor added while the question was open count too. A rule
  // without a name is nobody's and goes with any removal.
  removeRulesWhere(c_.stores(), [&](const std::string& rule) { return rule == name || rule.empty(); });
  // Only the clicked row leaves the list; the others keep their numbers.
  ListView2.deleteRow(selected);
}

void RuleListPage::ListView2ColumnClick(int column) { sorting_.columnClick(column); }

int RuleListPage::ListView2Compare(const ui::ListView::Row& a, const ui::ListView::Row& b) { return sorting_.compare(a, b); }

}  // namespace tg
