#pragma once

#include <windows.h>

#include "platform/Clock.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"

namespace tg::win32 {

class Win32Clock : public Clock {
 public:
  DateTime now() override;
};

// The user's regional settings, read afresh at every call so that a change in
// the control panel reaches the next text.
class Win32Locale : public Locale {
 public:
  LocaleFormats formats() override;
};

// Message boxes owned by the main window once it exists.
class Win32Dialogs : public Dialogs {
 public:
  void setOwner(HWND owner) { owner_ = owner; }
  Answer askYesNo(const std::string& text) override;
  void reportError(const std::string& text) override;
  void inform(const std::string& text) override;
  int popupMenu(const std::vector<std::string>& items) override;
  // In Win32FileDialogs.cpp.
  std::optional<SaveChoice> chooseFileToSave(const std::string& title, const std::vector<FileType>& types,
                                             const std::string& suggestedName) override;
  std::vector<std::string> chooseFilesToOpen(const std::string& title, const std::vector<FileType>& types,
                                             bool several) override;

 private:
  HWND owner_ = nullptr;
};

// The clipboard, as text in both the system code page and UTF-16.
class Win32Clipboard : public Clipboard {
 public:
  bool setText(const std::string& text) override;
};

}  // namespace tg::win32
