#pragma once

#include <memory>
#include <string>

#include "pages/PageContext.h"
#include "ui/Button.h"
#include "ui/FileControls.h"
#include "ui/Lists.h"
#include "ui/Toggles.h"

namespace tg {

// House-keeping of the user's own data, each part under its switch: desktop
// shortcuts that lead nowhere, start-up entries of removed programs, and the
// recycle bins.
class CleanUpPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void BitBtn13Click();  // examine
  void BitBtn18Click();  // remove, after a question

  ui::CheckBox* CheckBox10 = nullptr;  // the desktop check
  ui::CheckBox* CheckBox11 = nullptr;  // the start-up entries
  ui::CheckBox* CheckBox12 = nullptr;  // the recycle bins
  ui::CheckListBox* findings = nullptr;  // desktop files without a target; checked ones are kept
  ui::Button* BitBtn13 = nullptr;
  ui::Button* BitBtn18 = nullptr;
  ui::FileListBox* desktopListing = nullptr;  // never shown

 private:
  explicit CleanUpPage(PageContext& c) : c_(c) {}
  void checkDesktop();
  // A shortcut leads nowhere when it gives no target or one that does not exist.
  bool leadsNowhere(const std::string& target) const;
  PageContext c_;
};

// Whether the desktop check examines a file: shell shortcuts only (".lnk",
// whatever the letter case), so that no document is ever offered for deletion.
bool isShortcutFile(const std::string& name);

}  // namespace tg
