#pragma once

#include <memory>

#include "pages/PageContext.h"
#include "ui/ListView.h"
#include "ui/TextControls.h"

namespace tg {

// The rule integrity page: every rule beside what its program's file is now
// (last access, type, checksum), to show which admitted programs changed on
// disk. It only displays.
class IntegrityPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);
  IntegrityPage(ui::ListView& list, ui::Edit& filter) : ListView4(list), filterBox(filter) {}
  ui::ListView& ListView4;
  ui::Edit& filterBox;
};

}  // namespace tg
