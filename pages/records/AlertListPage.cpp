#include "pages/records/AlertListPage.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "pages/records/RecordEdits.h"
#include "stores/Text.h"

namespace tg {

std::unique_ptr<Page> AlertListPage::build(PageContext& c) {
  // The store first: a build that cannot read it leaves no list behind.
  std::vector<ui::ListView::Row> rows =
      recordRows(openStore(c.stores(), StoreId::Alerts), c.window.centre.languageTable);
  ui::ListView& list = addRecordList(c, "ListView3", kRecordColumns);
  std::unique_ptr<AlertListPage> page(new AlertListPage(c, list));
  AlertListPage* self = page.get();
  list.onClick = [self] { self->ListView3Click(); };
  list.onColumnClick = [self](int column) { self->ListView3ColumnClick(column); };
  list.onCompare = [self](const ui::ListView::Row& a, const ui::ListView::Row& b) {
    return self->ListView3Compare(a, b);
  };
  list.setRows(std::move(rows));
  return page;
}

void AlertListPage::ListView3Click() {
  const int selected = ListView3.selected();
  if (selected < 0) return;
  const std::string name = ListView3.rows()[static_cast<std::size_t>(selected)].text(1);
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
  removeRulesWhere(stores, [&](const std::string& rule) { return rule == bare; });
}

void AlertListPage::ListView3ColumnClick(int column) { sorting_.columnClick(column); }

int AlertListPage::ListView3Compare(const ui::ListView::Row& a, const ui::ListView::Row& b) { return sorting_.compare(a, b); }

}  // namespace tg
