#pragma once

namespace tg::ui {

class Form;

// The native side that model windows are shown on. Headless, it is nothing
// but a record; on Windows it gives each form its window and runs the loop.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // Gives a form its native window and peers (hidden until the form is shown).
  virtual void attach(Form& form) = 0;
  // Before a form is destroyed.
  virtual void detach(Form& form) = 0;
  virtual void bringToFront(Form& form) = 0;
  // The application ends: the message loop stops after the current message.
  virtual void endApplication() = 0;
};

}  // namespace tg::ui
