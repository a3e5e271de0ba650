#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/Button.h"
#include "ui/Control.h"

namespace tg::ui {

// A device-change notification: its event code, and for a volume the device
// type, its drives (bit 0 = A) and its flags (media, network).
struct DeviceChange {
  static constexpr unsigned kArrival = 0x8000;
  static constexpr unsigned kVolume = 2;
  unsigned event = 0;
  unsigned deviceType = 0;  // 0 when the notification carries no device
  std::uint32_t unitMask = 0;
  std::uint16_t flags = 0;
};

// A top-level window. It routes Enter to its default button and Escape to its
// cancel button unless the focused control uses the key itself. Its bounds are
// its place on the screen and the size of its client area, where its controls
// are laid out: the frame around it is whatever the system draws.
class Form : public Container {
 public:
  // The main window has a caption and a close box; a dialog window a fixed
  // dialog frame, centred on the screen whatever its bounds' place.
  enum class Frame { Single, Dialog };

  Form(std::string name, Rect bounds, std::string caption, Frame frame = Frame::Single);
  ~Form() override;

  Frame frame() const { return frame_; }

  // Native peers for every control of this window, from now on.
  void setPeerFactory(PeerFactory* factory) { factory_ = factory; }
  PeerFactory* peerFactory() const override { return factory_; }

  Control* focus() const { return focus_; }
  void setFocus(Control* control) { focus_ = control; }
  void forgetControl(Control& control) override {
    if (focus_ == &control) focus_ = nullptr;
  }

  // Enter or Escape pressed in the window: true when a button took it. A
  // focused button takes Enter itself; otherwise the first shown, enabled
  // default (Enter) or cancel (Escape) button, in creation order.
  bool dialogKey(DialogKey key);

  // The Tab key: the focus moves to the next (or previous) usable control that
  // takes the focus, in creation order, round the window. The new focus.
  Control* moveFocus(bool forward);

  // The close box: onClose decides what happens.
  void close();
  std::function<void()> onClose;
  // Windows asks whether the log-on may end; the answer is the platform's own.
  void queryEndSession();
  std::function<void()> onQueryEndSession;
  // Windows tells whether the log-on really ends (true) or goes on (false).
  void endSession(bool ending);
  std::function<void(bool)> onEndSession;
  // The system tells of a device that arrived or went.
  void deviceChange(const DeviceChange& change);
  std::function<void(const DeviceChange&)> onDeviceChange;
  // A message of the program's own numbers (from WM_USER up to the registered
  // ones), sent by another program of the suite: its number and first parameter.
  void privateMessage(unsigned message, std::uintptr_t first);
  std::function<void(unsigned message, std::uintptr_t first)> onPrivateMessage;

 private:
  Frame frame_;
  PeerFactory* factory_ = nullptr;
  Control* focus_ = nullptr;
};

}  // namespace tg::ui
