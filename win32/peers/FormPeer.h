#pragma once

#include <functional>

#include "ui/Form.h"
#include "win32/peers/OwnWindowPeer.h"

namespace tg::win32 {

// A top-level window: caption and close box only; its bounds are its outer
// rectangle, its children sit in its client area.
class FormPeer : public OwnWindowPeer {
 public:
  FormPeer(ui::Form& form, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Messages for the application (tray callbacks, session end, device changes):
  // true when answered.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> onMessage;

 private:
  ui::Form& form_;
};

}  // namespace tg::win32
