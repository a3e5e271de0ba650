#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/TransferRequest.h"

namespace tg::win32 {

// Where the running control centre takes the requests of later starts
// ("/import", "/export"): a window never shown, found by its class, to which a
// later start sends the request (WM_COPYDATA, the sender's window in wParam).
// The handler's exit code is the answer; its message goes back to the
// sender's window the same way before the answer.
class TransferRequestWindow {
 public:
  using Handler = std::function<int(const TransferRequest& request, std::string& message)>;
  explicit TransferRequestWindow(Handler handler);
  ~TransferRequestWindow();
  TransferRequestWindow(const TransferRequestWindow&) = delete;
  TransferRequestWindow& operator=(const TransferRequestWindow&) = delete;
  bool listening() const { return window_ != nullptr; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT answer(HWND sender, const COPYDATASTRUCT& data);

  Handler handler_;
  HWND window_ = nullptr;
};

// The window of the running control centre that takes requests; null when none listens.
HWND findRequestWindow();

// Hands the request to that window and waits at most `boundMs` for its answer:
// the exit code, with the answer's message; kTimedOut when none came in time.
int handRequestOver(HWND target, const TransferRequest& request, std::string& message, unsigned boundMs);

}  // namespace tg::win32
