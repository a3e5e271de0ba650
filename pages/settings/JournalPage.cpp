#include "pages/settings/JournalPage.h"

#include "ui/Containers.h"

namespace tg {

std::unique_ptr<Page> JournalPage::build(PageContext& c) {
  auto& group = c.panel.add<ui::GroupBox>("GroupBox2", ui::Rect{152, 80, 185, 105});
  auto& journal = group.add<ui::CheckBox>("CheckBox1", ui::Rect{8, 24, 97, 17}, c.text(53));
  auto& matched = group.add<ui::RadioButton>("radiobutton1", ui::Rect{8, 56, 113, 17}, c.text(55));
  auto& every = group.add<ui::RadioButton>("radiobutton2", ui::Rect{8, 80, 113, 17}, c.text(56));
  journal.setChecked(c.state().JournalOn);
  SharedState* state = &c.state();
  journal.onClick = [state, &journal] { state->JournalOn = journal.checked(); };
  matched.onClick = [state] { state->JournalMatchedOnly = true; };  // radiobutton1Click
  every.onClick = [state] { state->JournalMatchedOnly = false; };   // radiobutton2Click
  // Selected once its handler is attached: every opening is back to
  // connections with a port only.
  matched.setChecked(true);
  matched.onClick();
  return std::make_unique<JournalPage>(journal, matched, every);
}

}  // namespace tg
