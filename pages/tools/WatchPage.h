#pragma once

#include <array>
#include <memory>

#include "pages/PageContext.h"
#include "ui/Button.h"
#include "ui/FileControls.h"
#include "ui/TextControls.h"
#include "ui/Toggles.h"

namespace tg {

// The engines' modification reports ("*mod*.txt" in the program directory),
// shown and deleted; four of the engines' switches; and the folder
// surveillance's mode and watched folder.
class WatchPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void BitBtn7Click();  // show the chosen report
  void BitBtn8Click();  // delete it, after a question
  void ShellTreeView3DblClick();

  ui::Button* BitBtn7 = nullptr;
  ui::Button* BitBtn8 = nullptr;
  ui::FileListBox* reports = nullptr;
  ui::Memo* reportView = nullptr;
  std::array<ui::CheckBox*, 4> switches{};  // CheckBox6 to CheckBox9: Champ3 to Champ6
  ui::RadioButton* radiobutton3 = nullptr;
  ui::RadioButton* radiobutton4 = nullptr;
  ui::ShellTreeView* ShellTreeView3 = nullptr;

 private:
  explicit WatchPage(PageContext& c) : c_(c) {}
  // The chosen report's full path; empty when none is chosen.
  std::string chosenReport() const;
  PageContext c_;
};

}  // namespace tg
