#pragma once

#include <array>
#include <memory>

#include "pages/PageContext.h"
#include "ui/Button.h"
#include "ui/TextControls.h"
#include "ui/Toggles.h"

namespace tg {

// The on-demand scan: a mode, start and stop, the hourly schedule, and the
// scanner's last report.
class ScanPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);
  ~ScanPage() override;

  void BitBtn22Click();  // start
  void BitBtn23Click();  // stop
  void radiobutton12Click();
  void radiobutton13Click();

  ui::Button* BitBtn22 = nullptr;
  ui::Button* BitBtn23 = nullptr;
  std::array<ui::RadioButton*, 3> modes{};
  ui::RadioButton* radiobutton12 = nullptr;
  ui::RadioButton* radiobutton13 = nullptr;
  ui::Memo* Memo1 = nullptr;

 private:
  explicit ScanPage(PageContext& c) : c_(c) {}
  // analyse.txt with the chosen mode, then no scanner running: the part that
  // start and stop share. The mode digit.
  std::string writeModeAndStop();
  PageContext c_;
};

}  // namespace tg
