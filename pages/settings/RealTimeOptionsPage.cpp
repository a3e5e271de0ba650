#include "pages/settings/RealTimeOptionsPage.h"

#include "pages/settings/ProtectionSwitches.h"
#include "ui/Containers.h"

namespace tg {

std::unique_ptr<Page> RealTimeOptionsPage::build(PageContext& c) {
  auto& group = c.panel.add<ui::GroupBox>("GroupBox1", ui::Rect{56, 40, 505, 241}, c.text(57));
  ui::CheckBox& two = addConfigurationBox(c, group, "CheckBox2", {16, 32, 400, 17}, 72, 8);
  ui::CheckBox& three = addConfigurationBox(c, group, "CheckBox3", {16, 64, 400, 17}, 73, 1);
  ui::CheckBox& four = addConfigurationBox(c, group, "CheckBox4", {16, 88, 400, 17}, 74, 2);
  return std::make_unique<RealTimeOptionsPage>(two, three, four);
}

}  // namespace tg
