#include "pages/tools/DiskScanPage.h"

#include <stdexcept>

#include "engines/EngineTable.h"
#include "engines/ProcessUtilities.h"
#include "stores/PlainFiles.h"
#include "base/Text.h"
#include "stores/TextFile.h"

namespace tg {

std::unique_ptr<Page> DiskScanPage::build(PageContext& c) {
  std::unique_ptr<DiskScanPage> page(new DiskScanPage(c));
  DiskScanPage& p = *page;
  Platform& platform = c.platform();
  ui::Panel& panel = c.panel;
  // Sized to its text: the state texts are longer than the space first drawn for them.
  p.state = &panel.add<ui::Label>("Label17", ui::Rect{240, 24, 0, 0});
  // Its bottom edge, its last pixel row, lies under the step buttons' top edge.
  p.CheckListBox2 = &panel.add<ui::CheckListBox>("CheckListBox2", ui::Rect{24, 64, 361, 209}, 2);
  p.CheckListBox2->setShowHint(true);
  p.DirectoryListBox2 = &panel.add<ui::DirectoryListBox>("DirectoryListBox2", ui::Rect{424, 24, 145, 193},
                                                         platform.files, platform.processes.currentFolder());
  p.Edit3 = &panel.add<ui::Edit>("Edit3", ui::Rect{424, 232, 145, 21});
  p.Edit3->setReadOnly(true);
  p.Edit3->setShowHint(true);  // a long path shows whole in the tip
  p.BitBtn12 = &panel.add<ui::Button>("BitBtn12", ui::Rect{48, 272, 75, 25}, ui::ButtonKind::OK, "0");
  p.BitBtn9 = &panel.add<ui::Button>("BitBtn9", ui::Rect{136, 272, 75, 25}, ui::ButtonKind::OK, "1");
  p.BitBtn10 = &panel.add<ui::Button>("BitBtn10", ui::Rect{232, 272, 75, 25}, ui::ButtonKind::OK, "2");
  p.BitBtn11 = &panel.add<ui::Button>("BitBtn11", ui::Rect{336, 272, 75, 25}, ui::ButtonKind::OK, "3");

  DiskScanPage* self = page.get();
  p.CheckListBox2->onClick = [self] { self->CheckListBox2Click(); };
  p.DirectoryListBox2->onChange = [self] { self->DirectoryListBox2Change(); };
  p.Edit3->onKeyPress = &DiskScanPage::Edit3KeyPress;
  p.BitBtn12->onClick = [self] { self->BitBtn12Click(); };
  p.BitBtn9->onClick = [self] { self->BitBtn9Click(); };
  p.BitBtn10->onClick = [self] { self->BitBtn10Click(); };
  p.BitBtn11->onClick = [self] { self->BitBtn11Click(); };
  return page;
}

void DiskScanPage::BitBtn12Click() { runStep("0 0", "ok0", false); }
void DiskScanPage::BitBtn9Click() { runStep("1 " + Edit3->text(), "ok1", false); }
void DiskScanPage::BitBtn10Click() { runStep("2", "ok2", true); }

void DiskScanPage::runStep(const std::string& arguments, const std::string& endMessage, bool listsCopies) {
  if (steps_.running()) return;
  Platform& platform = c_.platform();
  const std::string directory = c_.state().ProgramDirectory;
  state->setCaption(c_.text(66));
  enableSteps(false);
  steps_.clear().then([&platform, directory, arguments] {
    StartEngine(platform.shell, directory, engine::diskscan, arguments, "");
  });
  steps_.pause(kPauseMs);
  waitForProgram(std::string(engine::diskscan));
  steps_.pause(kPauseMs);
  if (listsCopies) {
    steps_.pause(kPauseMs);
    waitForProgram("fc.exe");
    steps_.pause(kPauseMs).then([this] { listCopies(); });
  }
  steps_.then([&platform, directory, endMessage] { NotifyUser(platform.shell, directory, endMessage); });
  // Also when the list cannot be read: the error is reported, and the steps are offered again.
  steps_.finally([this] {
    enableSteps(true);
    state->setCaption(c_.text(67));
  });
  steps_.start();
}

void DiskScanPage::waitForProgram(const std::string& exeName) {
  FileSystem& files = c_.platform().files;
  const std::string path = c_.state().ProgramDirectory + exeName;
  steps_.waitWhile([&files, path] { return FileIsLocked(files, path); }, kEngineBoundMs);
}

std::string DiskScanPage::repairedPath(std::string line) {
  for (std::size_t at = line.find(":\\\\"); at != std::string::npos; at = line.find(":\\\\", at + 2)) line.erase(at + 1, 1);
  return line;
}

void DiskScanPage::listCopies() {
  FileSystem& files = c_.platform().files;
  const std::string listPath = c_.state().ProgramDirectory + "liste2.txt";
  if (!files.exists(listPath)) return;  // the list keeps what it shows
  const auto lines = readLines(files, listPath);
  if (!lines) throw std::runtime_error("cannot read " + listPath);
  // The chosen folder's own files are never offered, in whatever letter case the engine wrote them.
  const std::string chosen = foldedAscii(Edit3->text());
  std::vector<std::string> found;
  for (const std::string& line : *lines) {
    std::string path = repairedPath(line);
    if (!chosen.empty() && foldedAscii(path).find(chosen) != std::string::npos) continue;
    if (isFile(files, path)) found.push_back(std::move(path));
  }
  CheckListBox2->setItems(std::move(found));
}

void DiskScanPage::BitBtn11Click() {
  if (steps_.running()) return;
  Platform& platform = c_.platform();
  if (platform.dialogs.askYesNo(c_.text(65)) != Answer::Yes) return;
  enableSteps(false);
  // A file that has vanished or cannot be deleted is passed over; the list stays as it is.
  for (int i = 0; i < CheckListBox2->count(); ++i) {
    const std::string& path = CheckListBox2->items()[static_cast<std::size_t>(i)];
    if (!CheckListBox2->checked(i) && isFile(platform.files, path)) platform.files.remove(path);
  }
  enableSteps(true);
}

void DiskScanPage::DirectoryListBox2Change() {
  Edit3->setText(DirectoryListBox2->directory());
  Edit3->setHint(Edit3->text());
}

void DiskScanPage::CheckListBox2Click() {
  const int index = CheckListBox2->itemIndex();
  if (CheckListBox2->count() == 0 || index < 0) return;
  CheckListBox2->setHint(CheckListBox2->items()[static_cast<std::size_t>(index)]);
}

void DiskScanPage::Edit3KeyPress(char& key) {
  if (key != '\b' && (key < '0' || key > '9')) key = 0;
}

void DiskScanPage::enableSteps(bool on) {
  for (ui::Button* button : {BitBtn12, BitBtn9, BitBtn10, BitBtn11}) button->setEnabled(on);
}

}  // namespace tg
