#include "win32/peers/ContainerPeer.h"

#include "ui/Containers.h"
#include "win32/peers/OwnWindows.h"

namespace tg::win32 {

ContainerPeer::ContainerPeer(ui::Control& model, PeerContext& context) : OwnWindowPeer(model, context) {
  create(containerWindowClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void ContainerPeer::update(ui::Change change, std::size_t index) {
  OwnWindowPeer::update(change, index);
  if (change == ui::Change::Caption || change == ui::Change::Style) InvalidateRect(hwnd_, nullptr, TRUE);
}

void ContainerPeer::paint(HDC dc) {
  RECT area;
  GetClientRect(hwnd_, &area);
  if (auto* panel = dynamic_cast<ui::Panel*>(&model())) {
    UINT edge = 0;
    if (panel->outerBevel() == ui::BevelStyle::Raised) edge |= BDR_RAISEDOUTER;
    if (panel->outerBevel() == ui::BevelStyle::Lowered) edge |= BDR_SUNKENOUTER;
    if (panel->innerBevel() == ui::BevelStyle::Raised) edge |= BDR_RAISEDINNER;
    if (panel->innerBevel() == ui::BevelStyle::Lowered) edge |= BDR_SUNKENINNER;
    if (edge) DrawEdge(dc, &area, edge, BF_RECT);
    return;
  }
  if (model().kind() != ui::ControlKind::GroupBox) return;
  HGDIOBJ old = SelectObject(dc, context().font(model().font()));
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  RECT frame = area;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string& caption = model().caption();
  if (!caption.empty()) {
    SIZE size;
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    RECT label{context().scale(8), 0, context().scale(8) + size.cx + context().scale(4), metrics.tmHeight};
    FillRect(dc, &label, context().brush(background()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(model().font().color, COLOR_WINDOWTEXT));
    TextOutA(dc, label.left + context().scale(2), 0, caption.c_str(), static_cast<int>(caption.size()));
  }
  SelectObject(dc, old);
}

}  // namespace tg::win32
