#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pages/PageContext.h"
#include "pages/tools/ConnectionRows.h"
#include "platform/Timers.h"
#include "ui/Button.h"
#include "ui/ListView.h"
#include "ui/Static.h"
#include "ui/TextControls.h"
#include "ui/Toggles.h"

namespace tg {

// The connections of the monitor's latest reading, each with what the monitor
// decided about it there, following every reading without losing the user's
// selection, scroll position or order; and what can be done with the
// selected ones: quarantine their programs, end their processes, copy them,
// see their programs' rules (and, as on the record lists, copy them and select all).
class ConnectionsPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);
  ~ConnectionsPage() override;

  // How often the page looks for a new reading: the monitor reads every 1.5 s.
  static constexpr int kFollowMs = 250;

  // Shows the latest reading when it is a new one.
  void follow();
  void quarantineSelected();
  void endSelected();
  void showRulesOfSelected();
  void columnClick(int column);

  ui::ListView& List;
  ui::Edit& FilterEdit;
  ui::CheckBox& PauseBox;
  ui::Label& StateLabel;
  ui::Button& QuarantineButton;
  ui::Button& EndButton;
  ui::Button& RulesButton;

  // The decision as the list says it, in the current language.
  static std::string decisionText(const Decision& decision, const LanguageTable& language);

 private:
  ConnectionsPage(PageContext& c);
  void show();
  int compare(const ui::ListView::Row& a, const ui::ListView::Row& b) const;
  std::string keyOfRow(int row) const;

  PageContext c_;
  ConnectionRows rows_;
  TimerId follower_ = 0;
  int sortColumn_ = -1;  // none: the network engine's order
  bool ascending_ = true;
};

}  // namespace tg
