#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tg {

enum class Answer { Yes, No };

// One line of a file dialog's type list: its caption and its pattern ("*.xml").
struct FileType {
  std::string caption;
  std::string pattern;
};

// What the user chose in the Save dialog: the full path, and the index of the
// type shown in the type list when it was chosen.
struct SaveChoice {
  std::string path;
  std::size_t type = 0;
};

// Modal boxes owned by the main window. While a question is open the platform
// keeps delivering timer ticks, which may run nested inside the call.
struct Dialogs {
  // The information box with the buttons Yes and No.
  virtual Answer askYesNo(const std::string& text) = 0;
  // The general error report: an error an action did not handle, shown by its text.
  virtual void reportError(const std::string& text) = 0;
  // A plain information box with the button OK.
  virtual void inform(const std::string& text) = 0;
  // A shortcut menu at the mouse pointer, over the main window; the index of
  // the item chosen, or -1 when none was.
  virtual int popupMenu(const std::vector<std::string>& items) = 0;
  // The system's Save dialog, opening on `suggestedName` with `types` in its
  // type list; it asks itself before a file is replaced. Nothing when cancelled.
  virtual std::optional<SaveChoice> chooseFileToSave(const std::string& title, const std::vector<FileType>& types,
                                                     const std::string& suggestedName) = 0;
  // The system's Open dialog, for existing files only; with `several` the user
  // may choose more than one. The full paths chosen; none when cancelled.
  virtual std::vector<std::string> chooseFilesToOpen(const std::string& title, const std::vector<FileType>& types,
                                                     bool several) = 0;
  virtual ~Dialogs() = default;
};

}  // namespace tg
