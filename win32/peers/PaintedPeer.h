#pragma once

#include <memory>

#include "win32/peers/OwnWindowPeer.h"

namespace tg::win32 {

// Shapes, bevels and pictures, painted by the project itself.
class PaintedPeer : public OwnWindowPeer {
 public:
  PaintedPeer(ui::Control& model, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  void paint(HDC dc) override;

 private:
  std::unique_ptr<Bitmap> picture_;
};

}  // namespace tg::win32
