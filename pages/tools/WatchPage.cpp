#include "pages/tools/WatchPage.h"

#include <stdexcept>

#include "pages/PageContext.h"
#include "engines/ProcessUtilities.h"
#include "pages/settings/ProtectionSwitches.h"
#include "stores/TextFile.h"
#include "ui/Containers.h"

namespace tg {

std::unique_ptr<Page> WatchPage::build(PageContext& c) {
  std::unique_ptr<WatchPage> page(new WatchPage(c));
  WatchPage& p = *page;
  Platform& platform = c.platform();
  ui::Panel& panel = c.panel;
  p.BitBtn7 = &panel.add<ui::Button>("BitBtn7", ui::Rect{32, 32, 75, 25}, ui::ButtonKind::OK);
  p.BitBtn8 = &panel.add<ui::Button>("BitBtn8", ui::Rect{32, 64, 75, 25}, ui::ButtonKind::No);
  p.reports = &panel.add<ui::FileListBox>("FileListBox1", ui::Rect{120, 32, 153, 109}, platform.files);
  p.reports->setMask("*mod*.txt");
  p.reports->setDirectory(c.state().ProgramDirectory);
  p.reportView = &panel.add<ui::Memo>("Memo1", ui::Rect{280, 32, 300, 195}, ui::Memo::ScrollBars::Both);
  p.switches = {&addConfigurationBox(c, panel, "CheckBox6", {48, 160, 169, 17}, 77, 3),
                &addConfigurationBox(c, panel, "CheckBox7", {48, 192, 145, 17}, 78, 4),
                &addConfigurationBox(c, panel, "CheckBox8", {48, 224, 153, 17}, 79, 5),
                &addConfigurationBox(c, panel, "CheckBox9", {48, 248, 145, 17}, 80, 6)};
  auto& mode = panel.add<ui::GroupBox>("GroupBox3", ui::Rect{280, 244, 131, 105});
  p.radiobutton3 = &mode.add<ui::RadioButton>("radiobutton3", ui::Rect{16, 24, 113, 17}, c.text(29));
  p.radiobutton4 = &mode.add<ui::RadioButton>("radiobutton4", ui::Rect{16, 48, 113, 17}, c.text(28));
  p.ShellTreeView3 =
      &panel.add<ui::ShellTreeView>("ShellTreeView3", ui::Rect{424, 244, 137, 97}, platform.files, platform.shell);

  // The states first, then the handlers: opening the page changes nothing.
  (c.state().WatchMode == '1' ? p.radiobutton4 : p.radiobutton3)->setChecked(true);
  WatchPage* self = page.get();
  const PageContext context = c;
  p.BitBtn7->onClick = [self] { self->BitBtn7Click(); };
  p.BitBtn8->onClick = [self] { self->BitBtn8Click(); };
  p.radiobutton3->onClick = [context] { radiobutton3Click(context); };
  p.radiobutton4->onClick = [context] { radiobutton4Click(context); };
  p.ShellTreeView3->onDblClick = [self] { self->ShellTreeView3DblClick(); };
  return page;
}

std::string WatchPage::chosenReport() const {
  const int chosen = reports->itemIndex();
  if (chosen < 0 || chosen >= reports->count()) return {};
  return c_.state().ProgramDirectory + reports->items()[static_cast<std::size_t>(chosen)];
}

void WatchPage::BitBtn7Click() {
  const std::string path = chosenReport();
  if (path.empty()) return;
  reportView->clear();
  FileSystem& files = c_.platform().files;
  if (FileIsLocked(files, path) || !files.exists(path)) return;
  const auto lines = readLines(files, path);
  if (!lines) throw std::runtime_error("cannot read " + path);
  reportView->setLines(*lines);
}

void WatchPage::BitBtn8Click() {
  const std::string path = chosenReport();
  if (path.empty()) return;
  FileSystem& files = c_.platform().files;
  if (FileIsLocked(files, path)) return;  // an engine is still writing it
  if (c_.platform().dialogs.askYesNo(c_.text(65)) != Answer::Yes) return;
  reportView->clear();
  // The name stays listed until the page is built again.
  if (files.exists(path) && !files.remove(path) && files.exists(path)) throw std::runtime_error("cannot delete " + path);
}

void WatchPage::ShellTreeView3DblClick() {
  if (c_.state().WatchMode != '1') return;
  const std::string folder = ShellTreeView3->selectedPath();
  if (folder.empty()) return;
  c_.window.surveillance.watchFolder(folder);
}

}  // namespace tg
