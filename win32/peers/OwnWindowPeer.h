#pragma once

#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// A peer whose window is of one of the project's own classes: it paints
// itself and may answer messages before the common handling.
class OwnWindowPeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;
  // True when the message was answered, with the answer in `result`.
  virtual bool handle(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
  virtual void paint(HDC) {}
  virtual COLORREF background() const { return backgroundColor(); }
};

}  // namespace tg::win32
