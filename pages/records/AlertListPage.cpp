#include "pages/records/AlertListPage.h"

#include <algorithm>
#include <unordered_set>

#include "pages/records/RecordEdits.h"
#include "base/Text.h"

namespace tg {

std::unique_ptr<Page> AlertListPage::build(PageContext& c) {
  // The store first: a build that cannot read it leaves no list behind.
  return RecordListPage::build<AlertListPage>(
      c, "ListView3", openStore(c.stores(), StoreId::Alerts),
      {&AlertListPage::ListView3Click, &AlertListPage::ListView3ColumnClick, &AlertListPage::ListView3Compare},
      &AlertListPage::quarantineSelected, 110);
}

void AlertListPage::ListView3Click() {
  const int selected = ListView3.selected();
  if (selected < 0) return;
  const std::string name(ListView3.text(selected, 1));
  if (c_.platform().dialogs.askYesNo(c_.text(20) + name) != Answer::Yes) return;
  Stores& stores = c_.stores();
  const std::string bare = trimmed(name);
  {
    QuarantineClosed closed(stores);
    RecordStore& quarantine = readQuarantine(stores);
    const std::vector<std::string> names = quarantineNamesOf(quarantine);
    if (std::find(names.begin(), names.end(), bare) != names.end()) return;  // already in quarantine
    quarantine.append();
    quarantine.setField("Champ1", name);
    quarantine.post();
    stores.save(StoreId::Quarantine);
  }
  c_.state().QuarantineNames.push_back(name);
  // Unlike a removal on the rule list, rules without a name stay.
  removeRulesWhere(stores, [&](std::string_view rule) { return rule == bare; });
}

void AlertListPage::quarantineSelected() {
  const auto names = confirmSelected(ListView3, [this] { ListView3Click(); }, 20);
  if (names) quarantinePrograms(c_.stores(), c_.state(), *names);
}

}  // namespace tg
