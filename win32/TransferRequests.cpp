#include "win32/TransferRequests.h"

namespace tg::win32 {

namespace {

constexpr char kRequestClass[] = "Tarnivoxguard2013.TransferRequests";
constexpr char kReplyClass[] = "Tarnivoxguard2013.TransferReply";
// What the copied data is, so that no other program's WM_COPYDATA is taken for a request.
constexpr ULONG_PTR kRequestTag = 0x54475251;  // "TGRQ"
constexpr ULONG_PTR kReplyTag = 0x54475250;    // "TGRP"
constexpr std::size_t kMaxReply = 1024 * 1024;

bool registerClass(const char* name, WNDPROC procedure) {
  WNDCLASSA c{};
  c.lpfnWndProc = procedure;
  c.hInstance = GetModuleHandleA(nullptr);
  c.lpszClassName = name;
  return RegisterClassA(&c) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

COPYDATASTRUCT copyOf(ULONG_PTR tag, const std::string& text) {
  COPYDATASTRUCT data{};
  data.dwData = tag;
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = const_cast<char*>(text.data());
  return data;
}

// The sender's own window, which receives the answer's message.
class ReplyWindow {
 public:
  ReplyWindow() {
    if (!registerClass(kReplyClass, procedure)) return;
    window_ = CreateWindowExA(0, kReplyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ReplyWindow() {
    if (window_) DestroyWindow(window_);
  }
  ReplyWindow(const ReplyWindow&) = delete;
  ReplyWindow& operator=(const ReplyWindow&) = delete;
  HWND handle() const { return window_; }
  const std::string& message() const { return message_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ReplyWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (data && data->dwData == kReplyTag && data->cbData <= kMaxReply && (data->lpData || !data->cbData)) {
        self->message_.assign(static_cast<const char*>(data->lpData), data->cbData);
        return TRUE;
      }
      return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  std::string message_;
};

}  // namespace

TransferRequestWindow::TransferRequestWindow(Handler handler) : handler_(std::move(handler)) {
  if (!registerClass(kRequestClass, procedure)) return;
  // A top-level window, never shown, so that a later start finds it by its class.
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kRequestClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (window_) SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TransferRequestWindow::~TransferRequestWindow() {
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK TransferRequestWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TransferRequestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_COPYDATA && self) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data) return exit_code::kUsage;
    return self->answer(reinterpret_cast<HWND>(wParam), *data);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TransferRequestWindow::answer(HWND sender, const COPYDATASTRUCT& data) {
  if (data.dwData != kRequestTag || data.cbData > kMaxRequestText || (!data.lpData && data.cbData))
    return exit_code::kUsage;
  const std::optional<TransferRequest> request =
      requestFromText(std::string(static_cast<const char*>(data.lpData), data.cbData));
  if (!request) return exit_code::kUsage;
  std::string message;
  int code = exit_code::kNotSaved;
  try {
    code = handler_(*request, message);
  } catch (const std::exception& e) {
    message = e.what();
  }
  if (sender && IsWindow(sender)) {
    if (message.size() > kMaxReply) message.resize(kMaxReply);
    COPYDATASTRUCT reply = copyOf(kReplyTag, message);
    DWORD_PTR taken = 0;
    SendMessageTimeoutA(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(window_), reinterpret_cast<LPARAM>(&reply),
                        SMTO_ABORTIFHUNG, 5000, &taken);
  }
  return code;
}

HWND findRequestWindow() { return FindWindowA(kRequestClass, nullptr); }

int handRequestOver(HWND target, const TransferRequest& request, std::string& message, unsigned boundMs) {
  ReplyWindow reply;
  const std::string text = requestText(request);
  COPYDATASTRUCT data = copyOf(kRequestTag, text);
  DWORD_PTR code = 0;
  // While it waits, this thread takes the message the answer sends first.
  if (!SendMessageTimeoutA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.handle()),
                           reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, boundMs, &code)) {
    message = GetLastError() == ERROR_TIMEOUT || GetLastError() == 0
                  ? "The running control centre did not answer within " + std::to_string(boundMs / 1000) + " s."
                  : "The running control centre could not be reached (error " + std::to_string(GetLastError()) + ").";
    return exit_code::kTimedOut;
  }
  message = reply.message();
  return static_cast<int>(code);
}

}  // namespace tg::win32
