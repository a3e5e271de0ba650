#include "win32/Win32Desktop.h"

#include "ui/Form.h"
#include "win32/MessageLoop.h"
#include "win32/peers/FormPeer.h"

namespace tg::win32 {

Win32Desktop::~Win32Desktop() = default;

void Win32Desktop::attach(ui::Form& form) {
  auto factory = std::make_unique<Win32PeerFactory>();
  factory->attach(form);
  windows_[&form] = std::move(factory);
}

void Win32Desktop::detach(ui::Form& form) {
  const auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  form.releasePeers();  // the native windows go before what they draw with
  windows_.erase(it);
}

HWND Win32Desktop::windowOf(const ui::Form& form) const {
  auto* peer = dynamic_cast<WindowPeer*>(form.peer());
  return peer ? peer->hwnd() : nullptr;
}

void Win32Desktop::bringToFront(ui::Form& form) {
  if (HWND hwnd = windowOf(form)) {
    SetForegroundWindow(hwnd);
    BringWindowToTop(hwnd);
  }
}

void Win32Desktop::endApplication() { PostQuitMessage(0); }

bool Win32Desktop::preTranslate(const MSG& msg) {
  for (auto& [form, factory] : windows_)
    if (factory->preTranslate(msg)) return true;
  return false;
}

int Win32Desktop::run() {
  return runMessageLoop([this](const MSG& msg) { return preTranslate(msg); });
}

}  // namespace tg::win32
