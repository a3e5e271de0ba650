#pragma once

#include "ui/TextControls.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// A single-line edit: typed characters pass the model's key filter first.
class EditPeer : public WindowPeer {
 public:
  EditPeer(ui::Edit& edit, PeerContext& context);
  ~EditPeer() override;
  void update(ui::Change change, std::size_t index) override;
  void command(WORD code) override;

 private:
  static LRESULT CALLBACK filter(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void showCue();
  ui::Edit& edit_;
};

// A multi-line edit with its scroll bars.
class MemoPeer : public WindowPeer {
 public:
  MemoPeer(ui::Memo& memo, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  void command(WORD code) override;

 private:
  void showLines();
  ui::Memo& memo_;
};

}  // namespace tg::win32
