#include "pages/tools/NetworkIdentityPage.h"

#include "engines/HostAddress.h"

namespace tg {

std::unique_ptr<Page> NetworkIdentityPage::build(PageContext& c) {
  std::unique_ptr<NetworkIdentityPage> page(new NetworkIdentityPage(c));
  page->identity = &c.panel.add<ui::ComboBox>("ComboBox2", ui::Rect{140, 80, 345, 21}, ui::ComboBox::Style::DropDown);
  page->identity->setShowHint(true);
  page->BitBtn19 = &c.panel.add<ui::Button>("BitBtn19", ui::Rect{280, 144, 75, 25}, ui::ButtonKind::OK);
  NetworkIdentityPage* self = page.get();
  page->BitBtn19->onClick = [self] { self->BitBtn19Click(); };
  return page;
}

void NetworkIdentityPage::BitBtn19Click() {
  const LocalHost host = LocalHostQuery(c_.platform().sockets);
  // The entry goes to the drop-down part: the text field keeps what it shows.
  identity->setItems({host.hostName + " " + host.address});
}

}  // namespace tg
