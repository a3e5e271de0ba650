#include "pages/records/RuleListPage.h"

#include "pages/records/RecordEdits.h"

#include <unordered_set>

namespace tg {

std::unique_ptr<Page> RuleListPage::build(PageContext& c) {
  // The store first: a build that cannot read it leaves no list behind.
  return RecordListPage::build<RuleListPage>(
      c, "ListView2", openRules(c.stores()),
      {&RuleListPage::ListView2Click, &RuleListPage::ListView2ColumnClick, &RuleListPage::ListView2Compare},
      &RuleListPage::removeSelected, 109);
}

void RuleListPage::ListView2Click() {
  const int selected = ListView2.selected();
  if (selected < 0) return;
  const std::string name(ListView2.text(selected, 1));
  if (c_.platform().dialogs.askYesNo(c_.text(22) + name) != Answer::Yes) return;
  // Rules the monitor added while the question was open count too. A rule
  // without a name is nobody's and goes with any removal.
  removeRulesWhere(c_.stores(), [&](std::string_view rule) { return rule == name || rule.empty(); });
  // Only the clicked row leaves the list; the others keep their numbers.
  ListView2.deleteRow(selected);
}

void RuleListPage::removeSelected() {
  const std::vector<int> rows = ListView2.selectedRows();
  const auto names = confirmSelected(ListView2, [this] { ListView2Click(); }, 22);
  if (!names) return;
  const std::unordered_set<std::string> going(names->begin(), names->end());
  removeRulesWhere(c_.stores(), [&](std::string_view rule) { return rule.empty() || going.count(std::string(rule)) > 0; });
  ListView2.deleteRows(rows);
}

}  // namespace tg
