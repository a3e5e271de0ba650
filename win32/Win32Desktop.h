#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "ui/Desktop.h"
#include "win32/peers/Win32PeerFactory.h"

namespace tg::win32 {

// The windows of the model on the real desktop, and the message loop.
class Win32Desktop : public ui::Desktop {
 public:
  ~Win32Desktop() override;
  void attach(ui::Form& form) override;
  void detach(ui::Form& form) override;
  void bringToFront(ui::Form& form) override;
  void endApplication() override;

  HWND windowOf(const ui::Form& form) const;
  // Runs until the application ends; the exit code.
  int run();

 private:
  bool preTranslate(const MSG& msg);
  std::map<const ui::Form*, std::unique_ptr<Win32PeerFactory>> windows_;
};

}  // namespace tg::win32
