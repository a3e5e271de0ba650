#include "win32/peers/WindowPeer.h"

#include <vector>

namespace tg::win32 {

thread_local WindowPeer* WindowPeer::creating_ = nullptr;

WindowPeer::~WindowPeer() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

WindowPeer* WindowPeer::of(HWND window) {
  if (!window) return nullptr;
  return reinterpret_cast<WindowPeer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

WindowPeer* parentPeer(const ui::Control& control) {
  return control.parent() ? dynamic_cast<WindowPeer*>(control.parent()->peer()) : nullptr;
}

std::string windowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data());
}

void WindowPeer::link() { SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)); }

void WindowPeer::create(const char* windowClass, DWORD style, DWORD exStyle) {
  WindowPeer* parent = parentPeer(model_);
  if (!parent) return;
  const ui::Rect& b = model_.bounds();
  const RECT r = context_.scaled(b.left, b.top, b.width, b.height);
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (model_.visible()) style |= WS_VISIBLE;
  if (!model_.enabled()) style |= WS_DISABLED;
  Updating guard(*this);
  creating_ = this;
  hwnd_ = CreateWindowExA(exStyle, windowClass, model_.caption().c_str(), style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent->childParent(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(context_.nextId())), GetModuleHandleA(nullptr),
                          nullptr);
  creating_ = nullptr;
  if (!hwnd_) return;
  link();
  placeInZOrder();
  applyFont();
  applyHint();
}

bool WindowPeer::isGraphic() const {
  switch (model_.kind()) {
    case ui::ControlKind::Label:
    case ui::ControlKind::Shape:
    case ui::ControlKind::Bevel:
    case ui::ControlKind::Picture: return true;
    default: return false;
  }
}

void WindowPeer::placeInZOrder() {
  // As on the designer's form: a later control lies over an earlier one, and
  // painted-only controls (labels, shapes, bevels, pictures) lie under every
  // control that takes input.
  if (!isGraphic()) {
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  HWND topmostGraphic = nullptr;
  for (HWND w = GetWindow(GetParent(hwnd_), GW_CHILD); w && !topmostGraphic; w = GetWindow(w, GW_HWNDNEXT)) {
    WindowPeer* peer = of(w);
    if (w != hwnd_ && peer && peer->isGraphic()) topmostGraphic = w;
  }
  HWND above = topmostGraphic ? GetWindow(topmostGraphic, GW_HWNDPREV) : nullptr;
  if (above == hwnd_) return;
  SetWindowPos(hwnd_, topmostGraphic ? (above ? above : HWND_TOP) : HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowPeer::createTopLevel(const char* windowClass, DWORD style, DWORD exStyle, RECT outer) {
  Updating guard(*this);
  creating_ = this;
  hwnd_ = CreateWindowExA(exStyle, windowClass, model_.caption().c_str(), style, outer.left, outer.top,
                          outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  creating_ = nullptr;
  if (!hwnd_) return;
  link();
  applyFont();
}

void WindowPeer::applyBounds() {
  const ui::Rect& b = model_.bounds();
  const RECT r = context_.scaled(b.left, b.top, b.width, b.height);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPeer::applyFont() { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.font(model_.font())), TRUE); }

void WindowPeer::applyHint() {
  const bool wanted = model_.showHint() && !model_.hint().empty();
  if (!wanted && !tooltipAdded_) return;
  HWND tips = context_.tooltips(GetAncestor(hwnd_, GA_ROOT));
  if (!tips) return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(hwnd_);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  std::string text = model_.hint();
  tool.lpszText = text.data();
  if (!wanted) {
    SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    tooltipAdded_ = false;
  } else if (tooltipAdded_) {
    SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    tooltipAdded_ = SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
  }
}

COLORREF WindowPeer::backgroundColor() const {
  for (const ui::Control* c = &model_; c; c = c->parent())
    if (!c->color().isDefault) return RGB(c->color().red, c->color().green, c->color().blue);
  return GetSysColor(COLOR_BTNFACE);
}

void WindowPeer::update(ui::Change change, std::size_t) {
  if (!hwnd_) return;
  Updating guard(*this);
  switch (change) {
    case ui::Change::Bounds: applyBounds(); break;
    case ui::Change::Visible: ShowWindow(hwnd_, model_.visible() ? SW_SHOWNA : SW_HIDE); break;
    case ui::Change::Enabled: EnableWindow(hwnd_, model_.enabled()); break;
    case ui::Change::Caption: SetWindowTextA(hwnd_, model_.caption().c_str()); break;
    case ui::Change::Hint: applyHint(); break;
    case ui::Change::Color: InvalidateRect(hwnd_, nullptr, TRUE); break;
    case ui::Change::Redraw:
      if (model_.redrawSuspended()) {
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
      } else {
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
      }
      break;
    default: break;
  }
}

}  // namespace tg::win32
