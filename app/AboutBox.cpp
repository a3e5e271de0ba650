#include "app/AboutBox.h"

#include "app/ProductImages.h"
#include "app/Product.h"

namespace tg {

AboutBox::AboutBox(ui::Desktop& d, const std::string& version)
    : desktop(d),
      form("TAboutBox", {0, 0, 298, 213}, product::kName, ui::Form::Frame::Dialog),
      Panel1(form.add<ui::Panel>("Panel1", ui::Rect{8, 8, 281, 161})),
      ProgramIcon(Panel1.add<ui::Picture>("ProgramIcon", ui::Rect{8, 8, 65, 57}, applicationIcon(48))),
      ProductName(Panel1.add<ui::Label>("ProductName", ui::Rect{88, 16, 0, 0}, product::kAuthorLine)),
      Version(Panel1.add<ui::Label>("Version", ui::Rect{88, 40, 0, 0}, std::string(product::kVersionPrefix) + version)),
      YearLine(Panel1.add<ui::Label>("Label3", ui::Rect{88, 72, 0, 0}, product::kYearLine)),
      Label1(Panel1.add<ui::Label>("Label1", ui::Rect{88, 104, 0, 0}, product::kWebLine)),
      Comments(Panel1.add<ui::Label>("Comments", ui::Rect{88, 128, 185, 28}, product::kMailLine)),
      OKButton(form.add<ui::Button>("OKButton", ui::Rect{111, 180, 75, 25}, ui::ButtonKind::OK, "OK")) {
  Panel1.setBevels(ui::BevelStyle::Lowered, ui::BevelStyle::Raised);
  Comments.setWordWrap(true);
  OKButton.onClick = [this] { OKButtonClick(); };
  form.onClose = [this] { OKButtonClick(); };
  desktop.attach(form);
}

AboutBox::~AboutBox() { desktop.detach(form); }

void AboutBox::show() {
  form.setVisible(true);
  desktop.bringToFront(form);
}

void AboutBox::OKButtonClick() {
  form.setVisible(false);
  if (onClosed) onClosed();
}

AboutBoxes::~AboutBoxes() {
  if (sweep_) timers_.stop(sweep_);
}

AboutBox& AboutBoxes::open() {
  boxes_.push_back(std::make_unique<AboutBox>(desktop_, version_));
  AboutBox& box = *boxes_.back();
  box.onClosed = [this] {
    if (!sweep_) sweep_ = timers_.startOnce(0, [this] { destroyClosed(); });
  };
  box.show();
  return box;
}

void AboutBoxes::hideAll() {
  for (auto& box : boxes_) box->form.setVisible(false);
}

void AboutBoxes::destroyClosed() {
  sweep_ = 0;
  std::erase_if(boxes_, [](const std::unique_ptr<AboutBox>& box) { return !box->shown(); });
}

}  // namespace tg
