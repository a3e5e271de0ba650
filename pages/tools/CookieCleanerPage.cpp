#include "pages/tools/CookieCleanerPage.h"

#include "pages/settings/ProtectionSwitches.h"
#include "stores/PlainFiles.h"
#include "ui/Static.h"

namespace tg {

std::string CookieCleanerPage::downloadsFolder(const std::string& programDirectory, const std::string& user) {
  if (programDirectory.empty()) return {};
  return std::string(1, programDirectory.front()) + ":\\Users\\" + user + "\\Downloads";
}

std::unique_ptr<Page> CookieCleanerPage::build(PageContext& c) {
  std::unique_ptr<CookieCleanerPage> page(new CookieCleanerPage(c));
  CookieCleanerPage& p = *page;
  Platform& platform = c.platform();
  ui::Panel& panel = c.panel;
  // Wider than first drawn: at 97 its caption was cut.
  p.CheckBox13 = &addConfigurationBox(c, panel, "CheckBox13", {16, 24, 130, 17}, 84, 12);
  // The two captions size themselves to their texts, which vary with the language.
  panel.add<ui::Label>("Label15", ui::Rect{192, 16, 0, 0}, c.text(75));
  panel.add<ui::Label>("Label16", ui::Rect{304, 16, 0, 0}, c.text(76));
  p.ShellTreeView1 = &panel.add<ui::ShellTreeView>("ShellTreeView1", ui::Rect{24, 48, 121, 161}, platform.files, platform.shell);
  p.left = &panel.add<ui::FileListBox>("FileListBox2", ui::Rect{160, 48, 121, 161}, platform.files);
  p.right = &panel.add<ui::FileListBox>("FileListBox3", ui::Rect{288, 48, 121, 161}, platform.files);
  p.ShellTreeView2 = &panel.add<ui::ShellTreeView>("ShellTreeView2", ui::Rect{424, 48, 121, 161}, platform.files, platform.shell);
  p.BitBtn20 = &panel.add<ui::Button>("BitBtn20", ui::Rect{160, 216, 75, 25}, ui::ButtonKind::OK, c.text(18));
  p.BitBtn3 = &panel.add<ui::Button>("BitBtn3", ui::Rect{288, 216, 75, 25}, ui::ButtonKind::OK, c.text(18));

  p.left->setDirectory(platform.shell.specialFolderPath(kCookiesFolder));
  // A missing downloads folder leaves the right list without a folder: the
  // drive's root is no downloads folder to empty.
  const std::string downloads = downloadsFolder(c.state().ProgramDirectory, platform.processes.userName());
  if (isFolder(platform.files, downloads)) p.right->setDirectory(downloads);

  CookieCleanerPage* self = page.get();
  p.ShellTreeView1->onDblClick = [self] { self->ShellTreeView1DblClick(); };
  p.ShellTreeView2->onDblClick = [self] { self->ShellTreeView2DblClick(); };
  p.BitBtn20->onClick = [self] { self->BitBtn20Click(); };
  p.BitBtn3->onClick = [self] { self->BitBtn3Click(); };
  return page;
}

void CookieCleanerPage::pointAt(ui::FileListBox& list, const ui::ShellTreeView& tree) {
  const std::string folder = tree.selectedPath();
  if (!folder.empty()) list.setDirectory(folder);
  else list.refresh();
}

void CookieCleanerPage::clean(const ui::FileListBox& list) {
  Platform& platform = c_.platform();
  if (platform.dialogs.askYesNo(c_.text(65)) != Answer::Yes) return;
  if (list.directory().empty()) return;  // no folder: nothing to clean
  const std::string prefix = folderWithBackslash(list.directory());
  // A file held open by a program stays; the names stay listed until the list is pointed again.
  for (const std::string& name : list.items()) platform.files.remove(prefix + name);
  if (platform.files.exists(prefix + "index.dat")) platform.files.remove(prefix + "index.dat");
}

}  // namespace tg
