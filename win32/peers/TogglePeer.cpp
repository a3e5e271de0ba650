#include "win32/peers/TogglePeer.h"

#include "ui/Toggles.h"

namespace tg::win32 {

TogglePeer::TogglePeer(ui::Control& model, PeerContext& context) : WindowPeer(model, context) {
  const bool radio = model.kind() == ui::ControlKind::RadioButton;
  create("BUTTON", (radio ? BS_RADIOBUTTON : BS_CHECKBOX) | WS_TABSTOP);
  showCheck();
}

void TogglePeer::showCheck() {
  bool on = false;
  if (auto* box = dynamic_cast<ui::CheckBox*>(&model())) on = box->checked();
  if (auto* radio = dynamic_cast<ui::RadioButton*>(&model())) on = radio->checked();
  Updating guard(*this);
  SendMessageA(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TogglePeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Check) {
    showCheck();
    return;
  }
  WindowPeer::update(change, index);
}

void TogglePeer::command(WORD code) {
  if (code != BN_CLICKED || updating()) return;
  if (auto* box = dynamic_cast<ui::CheckBox*>(&model())) box->click();
  else if (auto* radio = dynamic_cast<ui::RadioButton*>(&model())) radio->click();
}

HBRUSH TogglePeer::controlColor(HDC dc) {
  SetTextColor(dc, colorRef(model().font().color, COLOR_WINDOWTEXT));
  SetBkColor(dc, backgroundColor());
  return context().brush(backgroundColor());
}

}  // namespace tg::win32
