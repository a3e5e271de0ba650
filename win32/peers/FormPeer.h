#pragma once

#include <functional>

#include "ui/Form.h"
#include "win32/peers/OwnWindowPeer.h"

namespace tg::win32 {

// A top-level window: caption and close box only. The model's bounds give its
// client area, where its children sit; the outer size follows from the frame
// the system really draws.
class FormPeer : public OwnWindowPeer {
 public:
  FormPeer(ui::Form& form, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Messages for the application (tray callbacks, session end, device changes):
  // true when answered.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> onMessage;

 private:
  void fitClientArea();
  ui::Form& form_;
};

}  // namespace tg::win32
