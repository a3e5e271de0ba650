#pragma once

#include <memory>

#include "pages/PageContext.h"
#include "ui/Button.h"
#include "ui/Lists.h"

namespace tg {

// The local machine's host name and network address, found on demand.
class NetworkIdentityPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);
  void BitBtn19Click();

  ui::ComboBox* identity = nullptr;
  ui::Button* BitBtn19 = nullptr;

 private:
  explicit NetworkIdentityPage(PageContext& c) : c_(c) {}
  PageContext c_;
};

}  // namespace tg
