#pragma once

#include <memory>

#include "pages/PageContext.h"
#include "ui/Button.h"
#include "ui/Containers.h"
#include "ui/Lists.h"
#include "ui/TextControls.h"

namespace tg {

// Two tabs: the protocols whose connections the monitor blocks, and the
// quarantine store's names, which the user adds, removes or empties without
// being asked.
class ProtocolQuarantinePage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void CheckListBox1ClickCheck();
  void BitBtn21Click();
  void BitBtn1Click();
  void BitBtn2Click();

  ui::TabControl& TabControl1;
  ui::TabSheet& TabSheet1;  // the protocols
  ui::CheckListBox& CheckListBox1;
  ui::TabSheet& TabSheet2;  // the quarantine
  ui::Edit& Edit1;
  ui::Button& BitBtn21;  // add: the window's Enter
  ui::ComboBox& ComboBox1;
  ui::Button& BitBtn1;  // remove: the window's Escape
  ui::Button& BitBtn2;  // empty

 private:
  ProtocolQuarantinePage(PageContext& c, ui::TabControl& tabs);
  PageContext c_;
};

}  // namespace tg
