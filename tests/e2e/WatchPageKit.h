// The watch page of the real control centre seen from outside: its shell
// folder tree driven as the mouse does, the watch mode turned on, a folder
// chosen, and the day's surveillance log read.
#pragma once

#include <commctrl.h>

#include <string>

#include "ControlCentreKit.h"
#include "win32/TestFiles.h"

namespace tg::e2e {

// A tree view of the control centre seen from outside: its items by their
// texts, opened, chosen and double-clicked as the mouse does.
class RemoteTreeView {
 public:
  RemoteTreeView(HWND tree, DWORD pid) : tree_(tree), memory_(pid) {}
  explicit operator bool() const { return tree_ && memory_; }

  HTREEITEM root() const { return next(nullptr, TVGN_ROOT); }
  std::string text(HTREEITEM item) const {
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = memory_.at(sizeof data);
    data.cchTextMax = 256;
    if (!memory_.write(&data, sizeof data)) return {};
    SendMessageA(tree_, TVM_GETITEMA, 0, memory_.param());
    char text[257] = {};
    memory_.read(text, 256, sizeof data);
    return text;
  }
  // The child of an opened item whose text holds `part`; null when none.
  HTREEITEM child(HTREEITEM parent, const std::string& part) const {
    SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (HTREEITEM c = next(parent, TVGN_CHILD); c; c = next(c, TVGN_NEXT))
      if (_stricmp(text(c).c_str(), part.c_str()) == 0 || text(c).find(part) != std::string::npos) return c;
    return nullptr;
  }
  void doubleClick(HTREEITEM item) const {
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RECT r{};
    *reinterpret_cast<HTREEITEM*>(&r) = item;
    memory_.write(&r, sizeof r);
    SendMessageA(tree_, TVM_GETITEMRECT, TRUE, memory_.param());
    memory_.read(&r, sizeof r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tree_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tree_, WM_LBUTTONUP, 0, at);
    PostMessageA(tree_, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(tree_, WM_LBUTTONUP, 0, at);
  }

 private:
  HTREEITEM next(HTREEITEM item, UINT how) const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  }
  HWND tree_;
  RemoteMemory memory_;
};

// The day's surveillance log of the program directory; empty when none.
inline std::string dayLog(const EngineFolder& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder.path() + "*surveillance.txt").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  return folder.read(found.cFileName);
}


// Turns the watch mode on through its option in the group at (280, 244) of
// the watch page, which must be shown; whether mode.txt then says so. The
// click is sent, not posted: its handler has written mode.txt when the send
// returns, so the file is read once, never while the program replaces it
// (wine refuses to replace a file that anyone holds open).
inline bool turnWatchModeOn(const ControlCentre& centre, const ProgramDirectory& dir) {
  HWND on = pageControl(centre, "BUTTON", 280 + 16, 244 + 48);
  DWORD_PTR answer = 0;
  if (!on || !SendMessageTimeoutA(on, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &answer)) return false;
  return dir.folder.read("mode.txt").find('1') != std::string::npos;
}

// Double-clicks a folder in the watch page's tree, opening the tree down to it
// (a drive, then folder by folder); false when the tree has no such folder.
inline bool doubleClickFolder(const ControlCentre& centre, const std::string& folder) {
  RemoteTreeView tree(pageControl(centre, WC_TREEVIEWA, 424, 244), centre.process.pid());
  if (!tree) return false;
  HTREEITEM item = tree.child(tree.root(), folder.substr(0, 2));  // "C:"
  for (std::size_t at = 3; item && at < folder.size();) {
    std::size_t end = folder.find('\\', at);
    if (end == std::string::npos) end = folder.size();
    item = tree.child(item, folder.substr(at, end - at));
    at = end + 1;
  }
  if (!item) return false;
  tree.doubleClick(item);
  return true;
}

// Chooses a folder for surveillance in the watch page's tree as one confirmed
// step: when this returns true, surveille.txt names the folder and the window
// has come back from the double-click, whose handler moves the watch after it
// writes surveille.txt. A file written before that would go unseen. The file
// is read only then: read while the program replaces it, it would make that
// replacement fail.
inline bool chooseWatchedFolder(const ControlCentre& centre, const ProgramDirectory& dir, const std::string& folder) {
  const std::string choice = dir.folder / "surveille.txt";
  const std::optional<testing::FileStamp> before = testing::stampOf(choice);
  return doubleClickFolder(centre, folder) &&
         waitFor([&] { return testing::stampOf(choice) != before; }, 10000) && centre.caughtUp() &&
         dir.folder.read("surveille.txt").find(folder) != std::string::npos;
}

}  // namespace tg::e2e
