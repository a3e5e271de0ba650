#pragma once

#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// Check boxes and radio buttons. The native button does not toggle itself:
// the model decides (radio groups included) and the peer shows it.
class TogglePeer : public WindowPeer {
 public:
  TogglePeer(ui::Control& model, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  void command(WORD code) override;
  HBRUSH controlColor(HDC dc) override;

 private:
  void showCheck();
};

}  // namespace tg::win32
