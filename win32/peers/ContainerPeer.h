#pragma once

#include "win32/peers/OwnWindowPeer.h"

namespace tg::win32 {

// Panels, group boxes and tab sheets: windows of the project's own class that
// hold child controls; a group box draws its frame and caption, a panel its bevels.
class ContainerPeer : public OwnWindowPeer {
 public:
  ContainerPeer(ui::Control& model, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  void paint(HDC dc) override;
};

}  // namespace tg::win32
