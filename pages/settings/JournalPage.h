#pragma once

#include <memory>

#include "pages/PageContext.h"
#include "ui/Toggles.h"

namespace tg {

// The connection journal's two switches, which live in memory only: whether
// the monitor keeps a journal, and whether only connections with a port.
class JournalPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);
  JournalPage(ui::CheckBox& box, ui::RadioButton& one, ui::RadioButton& two)
      : CheckBox1(box), radiobutton1(one), radiobutton2(two) {}
  ui::CheckBox& CheckBox1;
  ui::RadioButton& radiobutton1;
  ui::RadioButton& radiobutton2;
};

}  // namespace tg
