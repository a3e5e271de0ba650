#include "app/AboutBox.h"

#include "app/ProductImages.h"
#include "app/Product.h"

namespace tg {

AboutBox::AboutBox(ui::Desktop& d)
    : desktop(d),
      form("TAboutBox", {0, 0, 298, 213}, product::kName, ui::Form::Frame::Dialog),
      Panel1(form.add<ui::Panel>("Panel1", ui::Rect{8, 8, 281, 161})),
      ProgramIcon(Panel1.add<ui::Picture>("ProgramIcon", ui::Rect{8, 8, 65, 57}, applicationIcon(48))),
      ProductName(Panel1.add<ui::Label>("ProductName", ui::Rect{88, 16, 0, 0}, product::kAuthorLine)),
      Version(Panel1.add<ui::Label>("Version", ui::Rect{88, 40, 0, 0}, product::kVersionLine)),
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

void AboutBox::OKButtonClick() { form.setVisible(false); }

}  // namespace tg
