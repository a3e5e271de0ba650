#include "pages/tools/CleanUpPage.h"

#include "pages/settings/ProtectionSwitches.h"
#include "pages/tools/StartupEntries.h"
#include "stores/PlainFiles.h"
#include "base/Text.h"

namespace tg {

bool isShortcutFile(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string::npos && foldedAscii(name.substr(dot)) == ".lnk";
}

bool CleanUpPage::leadsNowhere(const std::string& target) const {
  if (target.empty()) return true;
  // A share may just be out of reach, and asking for it could hang the window.
  if (target.rfind("\\\\", 0) == 0) return false;
  // Only a target surely gone: one on a drive that is not plugged in now, or
  // behind a folder that cannot be looked into, may well come back.
  return c_.platform().files.presence(target) == Presence::Absent;
}

std::unique_ptr<Page> CleanUpPage::build(PageContext& c) {
  std::unique_ptr<CleanUpPage> page(new CleanUpPage(c));
  CleanUpPage& p = *page;
  ui::Panel& panel = c.panel;
  p.CheckBox10 = &addConfigurationBox(c, panel, "CheckBox10", {40, 56, 121, 17}, 81, 9);
  p.CheckBox11 = &addConfigurationBox(c, panel, "CheckBox11", {40, 88, 145, 17}, 82, 10);
  p.CheckBox12 = &addConfigurationBox(c, panel, "CheckBox12", {40, 112, 113, 17}, 83, 11);
  // Beside the boxes rather than over the end of their captions (from 144,
  // the list would cover "Raccourcis bureau" and its kin in every language);
  // the right edge, the top and the height are the design's.
  p.findings = &panel.add<ui::CheckListBox>("CheckListBox2", ui::Rect{168, 48, 313, 97});
  p.BitBtn13 = &panel.add<ui::Button>("BitBtn13", ui::Rect{248, 264, 75, 25}, ui::ButtonKind::OK);
  p.BitBtn18 = &panel.add<ui::Button>("BitBtn18", ui::Rect{504, 80, 75, 25}, ui::ButtonKind::OK);
  p.desktopListing = &panel.add<ui::FileListBox>("FileListBox4", ui::Rect{648, 120, 105, 97}, c.platform().files);
  p.desktopListing->setVisible(false);
  CleanUpPage* self = page.get();
  p.BitBtn13->onClick = [self] { self->BitBtn13Click(); };
  p.BitBtn18->onClick = [self] { self->BitBtn18Click(); };
  return page;
}

void CleanUpPage::BitBtn13Click() {
  if (CheckBox10->checked()) checkDesktop();
  if (CheckBox11->checked()) CleanRunKey(c_.platform());
}

void CleanUpPage::checkDesktop() {
  Shell& shell = c_.platform().shell;
  findings->setItems({});
  const std::string desktop = shell.specialFolderPath(kDesktopFolder);
  desktopListing->setDirectory(desktop);  // an unknown desktop lists nothing
  const std::string prefix = folderWithBackslash(desktop);
  std::vector<std::string> dead;
  for (const std::string& name : desktopListing->items())
    if (isShortcutFile(name) && leadsNowhere(shell.shortcutTarget(prefix + name))) dead.push_back(name);
  findings->setItems(std::move(dead));
}

void CleanUpPage::BitBtn18Click() {
  Platform& platform = c_.platform();
  if (platform.dialogs.askYesNo(c_.text(65)) != Answer::Yes) return;
  const std::string prefix = folderWithBackslash(desktopListing->directory());
  // Deleted names stay listed until the next examination.
  for (int i = 0; i < findings->count(); ++i) {
    if (findings->checked(i) || prefix.empty()) continue;
    const std::string path = prefix + findings->items()[static_cast<std::size_t>(i)];
    if (platform.files.exists(path)) platform.files.remove(path);  // one that cannot go stays
  }
  if (CheckBox12->checked()) platform.shell.emptyRecycleBins();
}

}  // namespace tg
