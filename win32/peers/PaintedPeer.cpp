#include "win32/peers/PaintedPeer.h"

#include "ui/Static.h"
#include "win32/peers/OwnWindows.h"

namespace tg::win32 {

PaintedPeer::PaintedPeer(ui::Control& model, PeerContext& context) : OwnWindowPeer(model, context) {
  if (auto* picture = dynamic_cast<ui::Picture*>(&model)) picture_ = std::make_unique<Bitmap>(picture->image());
  create(paintedWindowClass(), 0);
}

void PaintedPeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Image)
    if (auto* picture = dynamic_cast<ui::Picture*>(&model())) picture_ = std::make_unique<Bitmap>(picture->image());
  OwnWindowPeer::update(change, index);
  if (change == ui::Change::Image || change == ui::Change::Color) InvalidateRect(hwnd_, nullptr, TRUE);
}

void PaintedPeer::paint(HDC dc) {
  RECT area;
  GetClientRect(hwnd_, &area);
  if (auto* shape = dynamic_cast<ui::Shape*>(&model())) {
    FillRect(dc, &area, context().brush(colorRef(shape->color(), COLOR_WINDOW)));
    HBRUSH pen = context().brush(colorRef(shape->pen(), COLOR_WINDOWTEXT));
    FrameRect(dc, &area, pen);
  } else if (model().kind() == ui::ControlKind::Bevel) {
    DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
  } else if (picture_) {
    picture_->draw(dc, 0, 0, area.right, area.bottom);
  }
}

}  // namespace tg::win32
