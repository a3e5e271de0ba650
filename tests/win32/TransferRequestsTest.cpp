#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "win32/TransferRequests.h"

namespace tg::win32 {
namespace {

// A running control centre's request window, on a thread of its own with its
// message loop, as the program's main thread has it.
class Listener {
 public:
  explicit Listener(TransferRequestWindow::Handler handler)
      : thread_([this, handler = std::move(handler)]() mutable {
          MSG message;
          PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
          TransferRequestWindow window(std::move(handler));
          threadId_ = GetCurrentThreadId();
          listening_ = window.listening();
          ready_ = true;
          while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        }) {
    while (!ready_) Sleep(1);
  }
  ~Listener() {
    while (!PostThreadMessageA(threadId_, WM_QUIT, 0, 0)) Sleep(1);
    thread_.join();
  }
  bool listening() const { return listening_; }

 private:
  std::atomic<bool> ready_{false};
  std::atomic<bool> listening_{false};
  std::atomic<DWORD> threadId_{0};
  std::thread thread_;
};

TEST(TransferRequests, ARequestReachesTheRunningWindowWhoseAnswerAndMessageComeBackOrTimeRunsOut) {
  std::atomic<int> handled{0};
  std::string asked;
  std::atomic<DWORD> holdMs{0};
  Listener running([&](const TransferRequest& request, std::string& message) {
    ++handled;
    asked = request.path;
    Sleep(holdMs);
    message = "Quarantaine : 1 ajout\xE9s";
    return exit_code::kNotSaved;
  });
  ASSERT_TRUE(running.listening());
  HWND target = findRequestWindow();
  ASSERT_NE(target, nullptr);

  std::string message;
  EXPECT_EQ(handRequestOver(target, {TransferRequest::Kind::Import, "\\\\server\\it\\q.xml"}, message, 10000),
            exit_code::kNotSaved);
  EXPECT_EQ(message, "Quarantaine : 1 ajout\xE9s");
  EXPECT_EQ(asked, "\\\\server\\it\\q.xml");

  // Another program's WM_COPYDATA is no request.
  const char stray[] = "import\nC:\\x";
  COPYDATASTRUCT data{0x1234, sizeof stray - 1, const_cast<char*>(stray)};
  EXPECT_EQ(SendMessageA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), exit_code::kUsage);
  EXPECT_EQ(handled, 1);

  // A control centre that does not answer in time.
  holdMs = 1500;
  EXPECT_EQ(handRequestOver(target, {TransferRequest::Kind::Export, "C:\\out"}, message, 200), exit_code::kTimedOut);
  EXPECT_NE(message.find("did not answer"), std::string::npos) << message;
}

}  // namespace
}  // namespace tg::win32
