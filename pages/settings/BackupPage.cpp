#include "pages/settings/BackupPage.h"

#include "pages/PageContext.h"
#include "engines/EngineTable.h"
#include "engines/ProcessUtilities.h"
#include "stores/PlainFiles.h"
#include "ui/Containers.h"
#include "ui/Static.h"

namespace tg {

std::unique_ptr<Page> BackupPage::build(PageContext& c) {
  std::unique_ptr<BackupPage> page(new BackupPage(c));
  BackupPage& p = *page;
  Platform& platform = c.platform();
  ui::Panel& panel = c.panel;
  p.CheckBox15 = &panel.add<ui::CheckBox>("CheckBox15", ui::Rect{16, 32, 129, 17}, c.text(99));
  // The two captions size themselves to their texts, which vary with the language.
  panel.add<ui::Label>("Label13", ui::Rect{192, 16, 0, 0}, c.text(75));
  panel.add<ui::Label>("Label14", ui::Rect{304, 16, 0, 0}, c.text(76));
  p.ShellTreeView4 = &panel.add<ui::ShellTreeView>("ShellTreeView4", ui::Rect{24, 48, 121, 161}, platform.files, platform.shell);
  p.ShellTreeView5 = &panel.add<ui::ShellTreeView>("ShellTreeView5", ui::Rect{176, 48, 121, 161}, platform.files, platform.shell);
  p.Edit2 = &panel.add<ui::Edit>("Edit2", ui::Rect{24, 222, 121, 21});
  p.Edit3 = &panel.add<ui::Edit>("Edit3", ui::Rect{176, 222, 121, 21});
  p.Combobox11 = &panel.add<ui::ComboBox>("Combobox11", ui::Rect{24, 252, 233, 19}, ui::ComboBox::Style::DropDownList);
  p.BitBtn27 = &panel.add<ui::Button>("BitBtn27", ui::Rect{32, 282, 75, 25}, ui::ButtonKind::OK, c.text(14));
  p.BitBtn28 = &panel.add<ui::Button>("BitBtn28", ui::Rect{120, 282, 75, 25}, ui::ButtonKind::OK, c.text(15));
  p.BitBtn29 = &panel.add<ui::Button>("BitBtn29", ui::Rect{200, 282, 75, 25}, ui::ButtonKind::OK);
  auto& group = panel.add<ui::GroupBox>("GroupBox5", ui::Rect{320, 222, 185, 121});
  p.schedule = {&group.add<ui::RadioButton>("radiobutton14", ui::Rect{8, 8, 121, 21}, c.text(29)),
                &group.add<ui::RadioButton>("radiobutton15", ui::Rect{8, 32, 121, 21}, c.text(100)),
                &group.add<ui::RadioButton>("radiobutton16", ui::Rect{8, 64, 121, 21}, c.text(101))};

  // The states first, then the handlers: opening changes nothing but the pair.
  SharedState& state = c.state();
  p.CheckBox15->setChecked(state.ConnectionMonitoring);
  // The schedule in force is what the group shows, so that what the user sees is what runs.
  p.schedule[state.BackupEveryMinute ? 1 : state.BackupEveryHour ? 2 : 0]->setChecked(true);
  state.BackupPair.clear();  // no scheduled backup until a pair is chosen again

  BackupPage* self = page.get();
  p.CheckBox15->onClick = [self] { self->CheckBox15Click(); };
  p.ShellTreeView4->onDblClick = [self] { self->ShellTreeView4DblClick(); };
  p.ShellTreeView5->onDblClick = [self] { self->ShellTreeView5DblClick(); };
  p.BitBtn27->onClick = [self] { self->BitBtn27Click(); };
  p.BitBtn28->onClick = [self] { self->BitBtn28Click(); };
  p.BitBtn29->onClick = [self] { self->BitBtn29Click(); };
  p.Combobox11->onSelect = [self] { self->Combobox11Select(); };
  for (ui::RadioButton* option : p.schedule) option->onClick = [self] { self->scheduleClick(); };
  return page;
}

bool BackupPage::isFolder(const std::string& path) const {
  return !path.empty() && tg::isFolder(c_.platform().files, path);
}

void BackupPage::CheckBox15Click() { c_.state().ConnectionMonitoring = CheckBox15->checked(); }

void BackupPage::ShellTreeView4DblClick() { Edit2->setText(ShellTreeView4->selectedPath()); }

void BackupPage::ShellTreeView5DblClick() { Edit3->setText(ShellTreeView5->selectedPath()); }

void BackupPage::BitBtn27Click() {
  if (!isFolder(Edit2->text()) || !isFolder(Edit3->text())) return;
  Combobox11->addItem(Edit2->text() + ";" + Edit3->text());
}

void BackupPage::BitBtn28Click() {
  if (c_.platform().dialogs.askYesNo(c_.text(65)) != Answer::Yes) return;
  const int chosen = Combobox11->itemIndex();
  if (chosen < 0) return;
  std::vector<std::string> pairs = Combobox11->items();
  pairs.erase(pairs.begin() + chosen);
  Combobox11->setItems(std::move(pairs));  // BackupPair keeps its value
}

void BackupPage::BitBtn29Click() {
  const std::string& pair = Combobox11->text();
  if (pair.empty()) return;
  StartEngine(c_.platform().shell, c_.state().ProgramDirectory, engine::backup, pair, "");
}

void BackupPage::Combobox11Select() {
  if (Combobox11->itemIndex() >= 0 && !Combobox11->text().empty()) c_.state().BackupPair = Combobox11->text();
}

void BackupPage::scheduleClick() {
  c_.state().BackupEveryMinute = schedule[1]->checked();
  c_.state().BackupEveryHour = schedule[2]->checked();
}

}  // namespace tg
