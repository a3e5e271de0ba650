#include "win32/peers/Win32PeerFactory.h"

#include "ui/Button.h"
#include "ui/Containers.h"
#include "ui/FileControls.h"
#include "ui/Indicators.h"
#include "ui/ListView.h"
#include "ui/TextControls.h"
#include "win32/peers/BarPeers.h"
#include "win32/peers/ButtonPeer.h"
#include "win32/peers/ContainerPeer.h"
#include "win32/peers/FormPeer.h"
#include "win32/peers/LabelPeer.h"
#include "win32/peers/ListPeers.h"
#include "win32/peers/ListViewPeer.h"
#include "win32/peers/OwnWindows.h"
#include "win32/peers/PaintedPeer.h"
#include "win32/peers/TextPeers.h"
#include "win32/peers/TogglePeer.h"
#include "win32/peers/TreePeer.h"

namespace tg::win32 {

Win32PeerFactory::Win32PeerFactory() { registerOwnWindowClasses(); }

Win32PeerFactory::~Win32PeerFactory() {
  if (form_) form_->setPeerFactory(nullptr);
}

FormPeer& Win32PeerFactory::attach(ui::Form& form) {
  form_ = &form;
  auto peer = std::make_unique<FormPeer>(form, context_);
  FormPeer& ref = *peer;
  form.setPeerFactory(this);
  form.setPeer(std::move(peer));
  form.attachChildPeers();
  return ref;
}

std::unique_ptr<ui::ControlPeer> Win32PeerFactory::createPeer(ui::Control& control) {
  using K = ui::ControlKind;
  switch (control.kind()) {
    case K::Form: return nullptr;  // a form's window comes from attach()
    case K::Panel:
    case K::GroupBox:
    case K::TabSheet: return std::make_unique<ContainerPeer>(control, context_);
    case K::TabControl: return std::make_unique<TabControlPeer>(static_cast<ui::TabControl&>(control), context_);
    case K::Label: return std::make_unique<LabelPeer>(control, context_);
    case K::Shape:
    case K::Bevel:
    case K::Picture: return std::make_unique<PaintedPeer>(control, context_);
    case K::Button: return std::make_unique<ButtonPeer>(static_cast<ui::Button&>(control), context_);
    case K::CheckBox:
    case K::RadioButton: return std::make_unique<TogglePeer>(control, context_);
    case K::Edit: return std::make_unique<EditPeer>(static_cast<ui::Edit&>(control), context_);
    case K::Memo: return std::make_unique<MemoPeer>(static_cast<ui::Memo&>(control), context_);
    case K::ComboBox: return std::make_unique<ComboBoxPeer>(static_cast<ui::ComboBox&>(control), context_);
    case K::ListBox:
    case K::CheckListBox:
    case K::FileListBox: return std::make_unique<ListBoxPeer>(static_cast<ui::ListBox&>(control), context_);
    case K::ListView: return std::make_unique<ListViewPeer>(static_cast<ui::ListView&>(control), context_);
    case K::DirectoryListBox:
      return std::make_unique<DirectoryListBoxPeer>(static_cast<ui::DirectoryListBox&>(control), context_);
    case K::ShellTreeView: return std::make_unique<ShellTreePeer>(static_cast<ui::ShellTreeView&>(control), context_);
    case K::TrackBar: return std::make_unique<TrackBarPeer>(static_cast<ui::TrackBar&>(control), context_);
    case K::StatusBar: return std::make_unique<StatusBarPeer>(static_cast<ui::StatusBar&>(control), context_);
  }
  return nullptr;
}

bool Win32PeerFactory::preTranslate(const MSG& msg) {
  if (!form_ || msg.message != WM_KEYDOWN) return false;
  if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE && msg.wParam != VK_TAB) return false;
  auto* formPeer = dynamic_cast<WindowPeer*>(form_->peer());
  if (!formPeer || (msg.hwnd != formPeer->hwnd() && !IsChild(formPeer->hwnd(), msg.hwnd))) return false;
  // The focused control, or the nearest control above a window without a peer
  // (the edit field inside a combo box).
  WindowPeer* focused = nullptr;
  for (HWND w = msg.hwnd; w && !focused; w = GetParent(w)) focused = WindowPeer::of(w);
  form_->setFocus(focused && focused != formPeer ? &focused->model() : nullptr);
  const LRESULT wants = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (msg.wParam == VK_TAB) {
    if (wants & DLGC_WANTTAB) return false;
    if (ui::Control* next = form_->moveFocus(GetKeyState(VK_SHIFT) >= 0))
      if (auto* peer = dynamic_cast<WindowPeer*>(next->peer())) SetFocus(peer->hwnd());
    return true;
  }
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  return form_->dialogKey(msg.wParam == VK_RETURN ? ui::DialogKey::Enter : ui::DialogKey::Escape);
}

}  // namespace tg::win32
