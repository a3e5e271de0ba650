#include "pages/settings/ScanPage.h"

#include <stdexcept>

#include "pages/PageContext.h"
#include "engines/EngineTable.h"
#include "engines/ProcessUtilities.h"
#include "stores/TextFile.h"
#include "ui/Containers.h"

namespace tg {

std::unique_ptr<Page> ScanPage::build(PageContext& c) {
  std::unique_ptr<ScanPage> page(new ScanPage(c));
  ScanPage& p = *page;
  p.BitBtn22 = &c.panel.add<ui::Button>("BitBtn22", ui::Rect{136, 24, 75, 25}, ui::ButtonKind::OK, c.text(82));
  p.BitBtn23 = &c.panel.add<ui::Button>("BitBtn23", ui::Rect{296, 24, 75, 25}, ui::ButtonKind::No, c.text(25));
  // Each group is a radio group of its own; the schedule group, made after
  // the mode group, lies over its lower edge.
  auto& modeGroup = c.panel.add<ui::GroupBox>("GroupBox3", ui::Rect{128, 72, 257, 151});
  p.modes = {&modeGroup.add<ui::RadioButton>("radiobutton9", ui::Rect{16, 24, 129, 17}, c.text(86)),
             &modeGroup.add<ui::RadioButton>("radiobutton10", ui::Rect{16, 56, 113, 17}, c.text(87)),
             &modeGroup.add<ui::RadioButton>("radiobutton11", ui::Rect{16, 88, 113, 17}, c.text(88))};
  auto& schedule = c.panel.add<ui::GroupBox>("GroupBox4", ui::Rect{128, 202, 257, 161});
  p.radiobutton12 = &schedule.add<ui::RadioButton>("radiobutton12", ui::Rect{16, 24, 129, 17}, c.text(101));
  p.radiobutton13 = &schedule.add<ui::RadioButton>("radiobutton13", ui::Rect{16, 56, 113, 17}, c.text(29));
  p.Memo1 = &c.panel.add<ui::Memo>("Memo1", ui::Rect{400, 77, 185, 189}, ui::Memo::ScrollBars::Both);

  ScanPage* self = page.get();
  p.modes[0]->setChecked(true);
  p.Memo1->setReadOnly(true);
  p.BitBtn22->onClick = [self] { self->BitBtn22Click(); };
  p.BitBtn23->onClick = [self] { self->BitBtn23Click(); };
  p.radiobutton12->onClick = [self] { self->radiobutton12Click(); };
  p.radiobutton13->onClick = [self] { self->radiobutton13Click(); };
  // The first schedule option is selected: every opening switches the hourly scan on.
  p.radiobutton12->setChecked(true);
  p.radiobutton12Click();
  p.Memo1->setLines(readLines(c.platform().files, c.state().ProgramDirectory + "anaviri.txt").value_or(Lines{}));
  // The monitor enables the start button again once no scanner runs.
  ui::Button* start = p.BitBtn22;
  c.window.enableScanStartButton = [start] { start->setEnabled(true); };
  return page;
}

ScanPage::~ScanPage() { c_.window.enableScanStartButton = nullptr; }

std::string ScanPage::writeModeAndStop() {
  std::string mode = "0";
  for (std::size_t i = 0; i < modes.size(); ++i)
    if (modes[i]->checked()) mode = std::to_string(i);
  const std::string path = c_.state().ProgramDirectory + "analyse.txt";
  if (!writeLines(c_.platform().files, path, {mode})) throw std::runtime_error("cannot write " + path);
  KillByName(c_.platform().processes, engine::scanengine);
  return mode;
}

void ScanPage::BitBtn22Click() {
  const std::string mode = writeModeAndStop();
  StartEngine(c_.platform().shell, c_.state().ProgramDirectory, engine::scanengine, mode, "");
  BitBtn22->setEnabled(false);
}

void ScanPage::BitBtn23Click() { writeModeAndStop(); }

void ScanPage::radiobutton12Click() { c_.state().HourlyScan = true; }

void ScanPage::radiobutton13Click() { c_.state().HourlyScan = false; }

}  // namespace tg
