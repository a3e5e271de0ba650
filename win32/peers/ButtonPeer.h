#pragma once

#include <memory>

#include "ui/Button.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// A push button drawn by the project: its kind's glyph (or its own) left of
// its caption; the default button wears a darker frame.
class ButtonPeer : public WindowPeer {
 public:
  ButtonPeer(ui::Button& button, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  void command(WORD code) override;
  bool drawItem(DRAWITEMSTRUCT& item) override;

 private:
  void loadGlyph();
  ui::Button& button_;
  std::unique_ptr<Bitmap> glyph_;
};

}  // namespace tg::win32
