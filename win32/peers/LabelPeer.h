#pragma once

#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// A static text; a label without a width takes the width of its text.
class LabelPeer : public WindowPeer {
 public:
  LabelPeer(ui::Control& model, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  HBRUSH controlColor(HDC dc) override;

 private:
  void fitToText();
};

}  // namespace tg::win32
