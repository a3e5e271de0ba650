#pragma once

// Answers the system's Save or Open dialog as a user would, through window
// messages only, from another thread or another process: the tests of the
// dialogs here and the end-to-end tests, which drive the real program.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

#include "win32/TestFiles.h"

namespace tg::testing {

// What the user does in the dialog, in this order.
struct FileDialogAnswer {
  // Typed and confirmed first, so that the dialog shows this folder; empty
  // stays in the folder it opened in.
  std::string folder;
  // Typed into the file name box; empty keeps what the box shows.
  std::string fileName;
  // The index chosen in the type list; -1 keeps the one shown.
  int type = -1;
  int button = IDOK;  // or IDCANCEL
  // When non-zero, the dialog answers the button with a message box of its own
  // (a file to be replaced, a file not found), on which this button is pressed.
  int boxButton = 0;
  // Then Cancel, in the dialog that stayed open after its box.
  bool cancelAfterBox = false;
};

// What the user saw.
struct FileDialogSeen {
  bool found = false;       // the dialog opened
  std::string shownName;    // in its file name box when it opened
  std::string boxText;      // of its own message box; empty when it showed none
  bool asAnswered = false;  // every step went as the answer says, and the dialog is gone
};

namespace file_dialog {

// The dialogs' own control ids (<dlgs.h>).
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1, in the older template
constexpr int kTypeCombo = 0x470;      // cmb1
constexpr int kFolderCombo = 0x471;    // cmb2, "Look in"
// A bound for each step to come true, not a wait: on a busy machine a dialog's
// first opening (the shell's folders, its icons) takes seconds.
constexpr DWORD kPatience = 20000;

// A window's text, asked of the window itself: GetWindowText gives only the
// captions of other processes' windows, never a control's text.
inline std::string textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kPatience, &length) || length == 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                           kPatience, &n))
    return {};
  text.resize(std::min<std::size_t>(static_cast<std::size_t>(n), length));
  return text;
}

inline bool isClass(HWND window, const char* name) {
  char found[64] = {};
  return GetClassNameA(window, found, sizeof found) > 0 && std::strcmp(found, name) == 0;
}

// The edit of the file name box: cmb13's (wine puts the combo box inside a
// ComboBoxEx32, the edit one level further down), or edt1.
inline HWND fileNameEdit(HWND dialog) {
  for (int id : {kFileNameCombo, kFileNameEdit}) {
    HWND window = GetDlgItem(dialog, id);
    for (int depth = 0; window && depth < 3 && !isClass(window, "Edit"); ++depth) window = GetWindow(window, GW_CHILD);
    if (window && isClass(window, "Edit")) return window;
  }
  return nullptr;
}

// The shown file dialog of this title, once its controls exist. Its own
// message boxes carry the same title, but not its controls.
inline HWND shownDialog(const std::string& title) {
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", title.c_str()); window;
       window = FindWindowExA(nullptr, window, "#32770", title.c_str()))
    if (IsWindowVisible(window) && GetDlgItem(window, kTypeCombo) && GetDlgItem(window, IDOK) && fileNameEdit(window))
      return window;
  return nullptr;
}

// A message box that the dialog shows over itself; null when none.
inline HWND boxOver(HWND dialog) {
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window;
       window = FindWindowExA(nullptr, window, "#32770", nullptr))
    if (window != dialog && GetWindow(window, GW_OWNER) == dialog && IsWindowVisible(window)) return window;
  return nullptr;
}

// A click on the button, as the dialog hears it; false when it could not be sent.
inline bool press(HWND window, int button) {
  return PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(window, button))) != FALSE;
}

// Types into an edit as a paste would; true when the edit shows the text.
inline bool typeText(HWND edit, const std::string& text) {
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return textOf(edit) == text;
}

inline bool chooseType(HWND dialog, int index) {
  HWND combo = GetDlgItem(dialog, kTypeCombo);
  if (!combo || SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) return false;
  // CB_SETCURSEL tells nobody. A user's choice comes with both notifications:
  // Windows' dialog follows the first, wine's the second.
  for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kTypeCombo, notification), reinterpret_cast<LPARAM>(combo));
  return true;
}

// The folder's own name, as the "Look in" box shows it.
inline std::string lastName(std::string folder) {
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  const std::size_t slash = folder.rfind('\\');
  return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

// Types the folder and confirms it; true once the dialog shows it, which
// also empties the name box.
inline bool openFolder(HWND dialog, HWND edit, const std::string& folder) {
  if (!typeText(edit, folder) || !press(dialog, IDOK)) return false;
  HWND lookIn = GetDlgItem(dialog, kFolderCombo);
  const std::string name = lastName(folder);
  return waitFor([&] { return textOf(edit).empty() && (!lookIn || textOf(lookIn) == name); }, kPatience);
}

// Leaves nothing open after an answer that went wrong, so that the test
// reports the fault instead of hanging in the dialog.
inline void closeAll(HWND dialog) {
  for (int round = 0; round < 10 && IsWindow(dialog); ++round) {
    if (HWND box = boxOver(dialog)) {
      for (int button : {IDCANCEL, IDNO, IDOK})
        if (GetDlgItem(box, button)) {
          press(box, button);
          break;
        }
      waitFor([&] { return !IsWindow(box); }, 1000);
      continue;
    }
    press(dialog, IDCANCEL);
    waitFor([&] { return !IsWindow(dialog); }, 1000);
  }
}

}  // namespace file_dialog

// Waits for the file dialog of this title and answers it. Process-wide: it
// finds the dialog by its title alone.
inline FileDialogSeen answerFileDialog(const std::string& title, const FileDialogAnswer& answer) {
  using namespace file_dialog;
  FileDialogSeen seen;
  HWND dialog = nullptr;
  seen.found = waitFor([&] { return (dialog = shownDialog(title)) != nullptr; }, kPatience);
  if (!seen.found) return seen;
  HWND edit = fileNameEdit(dialog);
  seen.shownName = textOf(edit);
  bool steps = answer.folder.empty() || openFolder(dialog, edit, answer.folder);
  steps = steps && (answer.type < 0 || chooseType(dialog, answer.type));
  steps = steps && (answer.fileName.empty() || typeText(edit, answer.fileName));
  steps = steps && press(dialog, answer.button);
  if (steps && answer.boxButton != 0) {
    HWND box = nullptr;
    steps = waitFor([&] { return (box = boxOver(dialog)) != nullptr; }, kPatience);
    if (steps) {
      seen.boxText = textOf(GetDlgItem(box, 0xFFFF));  // the static text of a message box
      steps = press(box, answer.boxButton) && waitFor([&] { return !IsWindow(box); }, kPatience);
    }
    if (steps && answer.cancelAfterBox) {
      steps = IsWindow(dialog) && press(dialog, IDCANCEL);
    }
  }
  steps = steps && waitFor([&] { return !IsWindow(dialog); }, kPatience);
  if (!steps) closeAll(dialog);
  seen.asAnswered = steps;
  return seen;
}

// Answers the next file dialog of this title from a thread of its own, while
// the caller's thread is inside the dialog.
class FileDialogPresser {
 public:
  FileDialogPresser(std::string title, FileDialogAnswer answer)
      : thread_([this, title = std::move(title), answer = std::move(answer)] {
          seen_ = answerFileDialog(title, answer);
        }) {}
  ~FileDialogPresser() { finish(); }
  FileDialogPresser(const FileDialogPresser&) = delete;
  FileDialogPresser& operator=(const FileDialogPresser&) = delete;
  // What it saw, once it is done.
  const FileDialogSeen& seen() {
    finish();
    return seen_;
  }

 private:
  void finish() {
    if (thread_.joinable()) thread_.join();
  }

  FileDialogSeen seen_;  // before the thread, which writes it
  std::thread thread_;
};

}  // namespace tg::testing
