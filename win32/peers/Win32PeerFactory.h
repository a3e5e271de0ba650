#pragma once

#include <windows.h>

#include <memory>

#include "ui/Form.h"
#include "win32/peers/PeerContext.h"

namespace tg::win32 {

class FormPeer;

// Gives the controls of one window their native peers.
class Win32PeerFactory : public ui::PeerFactory {
 public:
  Win32PeerFactory();
  ~Win32PeerFactory() override;

  // Creates the window of a form and the peers of every control it holds;
  // controls added later get theirs as they come.
  FormPeer& attach(ui::Form& form);
  std::unique_ptr<ui::ControlPeer> createPeer(ui::Control& control) override;

  // Enter and Escape in the form's window go to its default and cancel buttons,
  // unless the focused control uses the key itself; Tab moves the focus. True
  // when the message was taken; the message loop then neither translates nor
  // dispatches it.
  bool preTranslate(const MSG& msg);

  PeerContext& context() { return context_; }

 private:
  PeerContext context_;
  ui::Form* form_ = nullptr;
};

}  // namespace tg::win32
