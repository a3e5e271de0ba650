#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "pages/PageContext.h"
#include "platform/FileSystem.h"
#include "pages/tools/StepSequence.h"
#include "ui/Button.h"
#include "ui/Lists.h"
#include "ui/TextControls.h"
#include "ui/Toggles.h"

namespace tg {

// The sites whose addresses the monitor blocks: a name typed, its address
// found by the site blocker engine, both stored; one site or all removed.
class SiteListPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  // Add: the engine resolves the name, without holding the window. The name
  // is the one in the box at the click; the box stays read-only until the
  // answer is stored.
  void BitBtn14Click();
  void BitBtn16Click();  // remove every site of the list's text
  void BitBtn17Click();  // remove all

  // How long the add waits for the engine at most.
  static constexpr int kEngineBoundMs = 120000;

  ui::CheckBox* CheckBox5 = nullptr;
  ui::CheckBox* CheckBox14 = nullptr;
  ui::Edit* siteName = nullptr;
  ui::Button* BitBtn14 = nullptr;
  ui::Button* BitBtn16 = nullptr;
  ui::Button* BitBtn17 = nullptr;
  ui::ComboBox* sites = nullptr;
  ui::ComboBox* addresses = nullptr;  // never shown

 private:
  explicit SiteListPage(PageContext& c) : c_(c), adding_(c.platform().timers) {}
  // What tells the engine's answer of this add from one an earlier add left:
  // the file's identity, size and time of last write.
  struct AnswerStamp {
    std::optional<FileIdentity> identity;
    std::uint64_t size = 0;
    std::int64_t lastWrite = 0;
    bool operator==(const AnswerStamp&) const = default;
  };
  std::optional<AnswerStamp> answerStamp() const;
  void storeAnswer(const std::string& name, const std::optional<AnswerStamp>& before);
  // The page's lists and the monitor's from the store, in its order.
  void showStoredSites();
  PageContext c_;
  StepSequence adding_;
};

}  // namespace tg
