#include "pages/settings/CipherPage.h"

#include "pages/PageContext.h"
#include "pages/settings/FileCipher.h"

namespace tg {

namespace {

constexpr const char* kPassPhrase = "Mirt4826";

}  // namespace

std::unique_ptr<Page> CipherPage::build(PageContext& c) {
  std::unique_ptr<CipherPage> page(new CipherPage(c));
  CipherPage* self = page.get();
  self->Edit4 = &c.panel.add<ui::Edit>("Edit4", ui::Rect{32, 32, 121, 21});
  self->Edit5 = &c.panel.add<ui::Edit>("Edit5", ui::Rect{220, 32, 121, 21});
  self->BitBtn25 = &c.panel.add<ui::Button>("BitBtn25", ui::Rect{32, 62, 75, 25}, ui::ButtonKind::OK, c.text(97));
  self->BitBtn26 = &c.panel.add<ui::Button>("BitBtn26", ui::Rect{220, 62, 75, 25}, ui::ButtonKind::OK, c.text(98));
  self->BitBtn25->onClick = [self] { self->BitBtn25Click(); };
  self->BitBtn26->onClick = [self] { self->BitBtn26Click(); };
  return page;
}

void CipherPage::run(const std::string& source, const std::string& destination, CipherDirection direction) {
  if (c_.platform().dialogs.askYesNo(c_.text(65)) != Answer::Yes) return;
  if (!c_.platform().files.exists(source)) return;
  CipherFile(c_.platform().files, source, destination, PassPhraseKey(kPassPhrase), direction);
}

void CipherPage::BitBtn25Click() { run(Edit4->text(), Edit5->text(), CipherDirection::Add); }

void CipherPage::BitBtn26Click() { run(Edit5->text(), Edit4->text(), CipherDirection::Subtract); }

}  // namespace tg
