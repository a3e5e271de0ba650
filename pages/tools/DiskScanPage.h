#pragma once

#include <memory>
#include <string>

#include "pages/PageContext.h"
#include "pages/tools/StepSequence.h"
#include "ui/Button.h"
#include "ui/FileControls.h"
#include "ui/Lists.h"
#include "ui/Static.h"
#include "ui/TextControls.h"

namespace tg {

// The duplicate-file finder, driven in numbered steps: 0 forgets the last
// scan, 1 adds the chosen folder, 2 lists the copies found, 3 deletes the
// listed copies the user has not checked. The engine runs while the window
// goes on answering; the step buttons wait for it.
class DiskScanPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void BitBtn12Click();  // step 0
  void BitBtn9Click();   // step 1, over the chosen folder
  void BitBtn10Click();  // step 2, the list of copies
  void BitBtn11Click();  // step 3, after the question
  void DirectoryListBox2Change();
  void CheckListBox2Click();
  // Lets only the backspace key and the digits through.
  static void Edit3KeyPress(char& key);

  // A list line with the drive's doubled backslash made single.
  static std::string repairedPath(std::string line);

  // The fixed pause before and after each wait for an engine.
  static constexpr int kPauseMs = 10500;
  // How long a wait for an engine lasts at most: a scan of a large disk takes
  // long, but an engine that hangs must not keep the steps away for good.
  static constexpr int kEngineBoundMs = 6 * 60 * 60 * 1000;

  ui::Label* state = nullptr;
  ui::CheckListBox* CheckListBox2 = nullptr;  // the copies found; a checked one is kept
  ui::DirectoryListBox* DirectoryListBox2 = nullptr;
  ui::Edit* Edit3 = nullptr;  // the chosen folder
  ui::Button* BitBtn12 = nullptr;
  ui::Button* BitBtn9 = nullptr;
  ui::Button* BitBtn10 = nullptr;
  ui::Button* BitBtn11 = nullptr;

 private:
  explicit DiskScanPage(PageContext& c) : c_(c), steps_(c.platform().timers) {}
  void runStep(const std::string& arguments, const std::string& endMessage, bool listsCopies);
  void waitForProgram(const std::string& exeName);
  void listCopies();
  void enableSteps(bool on);
  PageContext c_;
  StepSequence steps_;
};

}  // namespace tg
