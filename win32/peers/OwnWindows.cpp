#include "win32/peers/OwnWindows.h"

#include <commctrl.h>

#include "win32/ErrorBox.h"
#include "win32/peers/OwnWindowPeer.h"

namespace tg::win32 {

namespace {

WindowPeer* childPeer(HWND child) { return child ? WindowPeer::of(child) : nullptr; }

}  // namespace

namespace {

// Ends a paint even when drawing fails, so that the window does not ask for it
// again at once.
class Painting {
 public:
  explicit Painting(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~Painting() { EndPaint(hwnd_, &paint_); }
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

LRESULT answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = dynamic_cast<OwnWindowPeer*>(WindowPeer::of(hwnd));
  if (self) {
    LRESULT result = 0;
    if (self->handle(message, wParam, lParam, result)) return result;
  }
  switch (message) {
    case WM_COMMAND:
      if (WindowPeer* child = childPeer(reinterpret_cast<HWND>(lParam))) {
        child->command(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (WindowPeer* child = childPeer(header->hwndFrom)) return child->notify(*header);
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (WindowPeer* child = childPeer(item->hwndItem))
        if (child->drawItem(*item)) return TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      WindowPeer* child = childPeer(GetDlgItem(hwnd, static_cast<int>(item->CtlID)));
      if (!child) child = WindowPeer::creating();
      if (child && child->measureItem(*item)) return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (WindowPeer* child = childPeer(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = child->controlColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (WindowPeer* child = childPeer(reinterpret_cast<HWND>(lParam))) {
        child->scroll(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (self) {
        RECT area;
        GetClientRect(hwnd, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, self->context().brush(self->background()));
        return 1;
      }
      break;
    case WM_PAINT:
      if (self) {
        const Painting painting(hwnd);
        self->paint(painting.dc());
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Every message of the project's windows passes here, the controls' own
// notifications included (they are reflected to the children's peers).
LRESULT CALLBACK ownWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  guarded([&] { result = answer(hwnd, message, wParam, lParam); });
  return result;
}

}  // namespace

void registerOwnWindowClasses() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                   ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA c{};
    c.lpfnWndProc = ownWindowProc;
    c.hInstance = instance;
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.lpszClassName = "TgContainer";
    RegisterClassA(&c);
    c.lpszClassName = "TgPainted";
    RegisterClassA(&c);
    c.lpszClassName = "TgForm";
    c.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (!c.hIcon) c.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    RegisterClassA(&c);
    return true;
  }();
  (void)done;
}

const char* formWindowClass() {
  registerOwnWindowClasses();
  return "TgForm";
}
const char* containerWindowClass() {
  registerOwnWindowClasses();
  return "TgContainer";
}
const char* paintedWindowClass() {
  registerOwnWindowClasses();
  return "TgPainted";
}

}  // namespace tg::win32
