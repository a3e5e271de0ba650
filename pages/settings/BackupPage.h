#pragma once

#include <array>
#include <memory>

#include "pages/PageContext.h"
#include "ui/Button.h"
#include "ui/FileControls.h"
#include "ui/Lists.h"
#include "ui/TextControls.h"
#include "ui/Toggles.h"

namespace tg {

// Backups of folder pairs by the backup engine: pairs composed from two
// folder trees, one run at once or on a schedule; and the switch under which
// the monitor has the network engine list the connections.
class BackupPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void CheckBox15Click();
  void ShellTreeView4DblClick();
  void ShellTreeView5DblClick();
  void BitBtn27Click();  // add the pair of the two fields
  void BitBtn28Click();  // remove the chosen pair, after a question
  void BitBtn29Click();  // back the shown pair up now
  void Combobox11Select();
  void scheduleClick();

  ui::CheckBox* CheckBox15 = nullptr;
  ui::ShellTreeView* ShellTreeView4 = nullptr;
  ui::ShellTreeView* ShellTreeView5 = nullptr;
  ui::Edit* Edit2 = nullptr;  // the first folder
  ui::Edit* Edit3 = nullptr;  // the second folder
  ui::ComboBox* Combobox11 = nullptr;
  ui::Button* BitBtn27 = nullptr;
  ui::Button* BitBtn28 = nullptr;
  ui::Button* BitBtn29 = nullptr;
  std::array<ui::RadioButton*, 3> schedule{};  // none, every minute, every hour

 private:
  explicit BackupPage(PageContext& c) : c_(c) {}
  bool isFolder(const std::string& path) const;
  PageContext c_;
};

}  // namespace tg
