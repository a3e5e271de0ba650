#pragma once

#include <algorithm>
#include <vector>

#include "ui/Desktop.h"

namespace tg::testing {

class HeadlessDesktop : public ui::Desktop {
 public:
  void attach(ui::Form& form) override { forms.push_back(&form); }
  void detach(ui::Form& form) override { forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end()); }
  void bringToFront(ui::Form& form) override { front = &form; }
  void endApplication() override { ended = true; }

  std::vector<ui::Form*> forms;
  ui::Form* front = nullptr;
  bool ended = false;
};

}  // namespace tg::testing
