#pragma once

#include "ui/FileControls.h"
#include "ui/Lists.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// List boxes, file lists and check lists. Owner-drawn rows are drawn by the
// model on a canvas; a check list draws each row's box and toggles it on a
// click inside the box or on the space bar. A list whose keys only move hands
// its keys to the model and acts on a mouse click when the button is released
// over a row, so that neither keys nor a drag run the rows passed over.
class ListBoxPeer : public WindowPeer {
 public:
  ListBoxPeer(ui::ListBox& list, PeerContext& context);
  ~ListBoxPeer() override;
  void update(ui::Change change, std::size_t index) override;
  void command(WORD code) override;
  bool drawItem(DRAWITEMSTRUCT& item) override;
  bool measureItem(MEASUREITEMSTRUCT& item) override;

 private:
  void fill();
  void showSelection();
  static LRESULT CALLBACK checks(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT checkListAnswer(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK keys(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT keysAnswer(HWND, UINT, WPARAM, LPARAM);
  // The row under a point of the client area; -1 below the last row.
  int rowAt(LPARAM point) const;
  ui::ListBox& list_;
  ui::CheckListBox* checkList_;
  bool pressed_ = false;  // the left button went down in the list
};

// Drop-down lists, editable or not, owner-drawn or not.
class ComboBoxPeer : public WindowPeer {
 public:
  ComboBoxPeer(ui::ComboBox& combo, PeerContext& context);
  ~ComboBoxPeer() override;
  void update(ui::Change change, std::size_t index) override;
  void command(WORD code) override;
  bool drawItem(DRAWITEMSTRUCT& item) override;
  bool measureItem(MEASUREITEMSTRUCT& item) override;

 private:
  void fill();
  void showSelection();
  // Ctrl+C in the text field with nothing selected there goes to the model.
  static LRESULT CALLBACK editKeys(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  ui::ComboBox& combo_;
  HWND edit_ = nullptr;
};

// The tree-like folder list: a double click opens a folder.
class DirectoryListBoxPeer : public WindowPeer {
 public:
  DirectoryListBoxPeer(ui::DirectoryListBox& folders, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  void command(WORD code) override;

 private:
  void fill();
  ui::DirectoryListBox& folders_;
};

}  // namespace tg::win32
