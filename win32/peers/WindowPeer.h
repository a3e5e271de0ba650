#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/Control.h"
#include "win32/peers/PeerContext.h"

namespace tg::win32 {

// The native window of one control. The window's user data points back at its
// peer, so that notifications reach it without a search. While the peer pushes
// the model's state into the window it ignores the window's echoes.
class WindowPeer : public ui::ControlPeer {
 public:
  WindowPeer(ui::Control& model, PeerContext& context) : model_(model), context_(context) {}
  ~WindowPeer() override;

  HWND hwnd() const { return hwnd_; }
  ui::Control& model() const { return model_; }
  PeerContext& context() const { return context_; }
  // The window that children of this control are created in.
  virtual HWND childParent() const { return hwnd_; }

  void update(ui::Change change, std::size_t index) override;

  // Notifications that the parent window hands on to the child they concern.
  virtual void command(WORD) {}
  virtual LRESULT notify(NMHDR&) { return 0; }
  virtual bool drawItem(DRAWITEMSTRUCT&) { return false; }
  virtual bool measureItem(MEASUREITEMSTRUCT&) { return false; }
  virtual HBRUSH controlColor(HDC) { return nullptr; }
  virtual void scroll(WORD) {}

  // The peer of a window, or null for windows without one.
  static WindowPeer* of(HWND window);
  // The peer whose window is being created right now (for the messages that
  // arrive before CreateWindowEx returns).
  static WindowPeer* creating() { return creating_; }

 protected:
  // Creates the window inside the parent control's window, then shows the
  // model's whole state.
  void create(const char* windowClass, DWORD style, DWORD exStyle = 0);
  // Creates a top-level window.
  void createTopLevel(const char* windowClass, DWORD style, DWORD exStyle, RECT outer);
  // Pushes one part of the state; the common parts are done here.
  void applyBounds();
  void applyFont();
  void applyHint();
  // Painted-only controls, which lie under the others.
  bool isGraphic() const;
  void placeInZOrder();
  // The colour behind the control: its own, else its container's, else the
  // dialog colour.
  COLORREF backgroundColor() const;

  class Updating {
   public:
    explicit Updating(WindowPeer& peer) : peer_(peer), was_(peer.updating_) { peer_.updating_ = true; }
    ~Updating() { peer_.updating_ = was_; }

   private:
    WindowPeer& peer_;
    bool was_;
  };
  bool updating() const { return updating_; }

  HWND hwnd_ = nullptr;

 private:
  void link();
  ui::Control& model_;
  PeerContext& context_;
  bool updating_ = false;
  bool tooltipAdded_ = false;
  static thread_local WindowPeer* creating_;
};

// The parent control's peer of a control, which must exist before its children's.
WindowPeer* parentPeer(const ui::Control& control);

// The text of a native window.
std::string windowText(HWND window);

}  // namespace tg::win32
