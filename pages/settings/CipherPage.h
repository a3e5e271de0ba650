#pragma once

#include <memory>

#include "pages/PageContext.h"
#include "pages/settings/FileCipher.h"
#include "ui/Button.h"
#include "ui/TextControls.h"

namespace tg {

// Scrambles the first field's file into the second's, and restores it back.
class CipherPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);
  void BitBtn25Click();  // scramble
  void BitBtn26Click();  // restore

  ui::Edit* Edit4 = nullptr;  // the plain file
  ui::Edit* Edit5 = nullptr;  // the scrambled file
  ui::Button* BitBtn25 = nullptr;
  ui::Button* BitBtn26 = nullptr;

 private:
  explicit CipherPage(PageContext& c) : c_(c) {}
  void run(const std::string& source, const std::string& destination, CipherDirection direction);
  PageContext c_;
};

}  // namespace tg
