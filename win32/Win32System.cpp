#include "win32/Win32System.h"

#include <cstring>

#include <string>

#include "win32/ErrorBox.h"
#include "win32/FileTimes.h"

namespace tg::win32 {

namespace {

const char kBoxTitle[] = "Tarnivoxguard2013";

std::string localeText(LCTYPE what, const char* fallback) {
  char buffer[128];
  const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof buffer);
  if (n <= 0) return fallback;
  return std::string(buffer, static_cast<std::size_t>(n - 1));
}

}  // namespace

DateTime Win32Clock::now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return fromSystemTime(st);
}

LocaleFormats Win32Locale::formats() {
  LocaleFormats f;
  f.shortDate = localeText(LOCALE_SSHORTDATE, "dd/MM/yyyy");
  f.longTime = localeText(LOCALE_STIMEFORMAT, "HH:mm:ss");
  f.amDesignator = localeText(LOCALE_S1159, "AM");
  f.pmDesignator = localeText(LOCALE_S2359, "PM");
  f.codePage = static_cast<int>(GetACP());
  return f;
}

Answer Win32Dialogs::askYesNo(const std::string& text) {
  const int choice = MessageBoxA(owner_, text.c_str(), kBoxTitle, MB_YESNO | MB_ICONINFORMATION);
  return choice == IDYES ? Answer::Yes : Answer::No;
}

void Win32Dialogs::reportError(const std::string& text) { showErrorBox(text, owner_ ? owner_ : GetActiveWindow()); }

void Win32Dialogs::inform(const std::string& text) {
  MessageBoxA(owner_, text.c_str(), kBoxTitle, MB_OK | MB_ICONINFORMATION);
}

int Win32Dialogs::popupMenu(const std::vector<std::string>& items) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return -1;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (!AppendMenuA(menu, MF_STRING, i + 1, items[i].c_str())) {
      DestroyMenu(menu);
      return -1;
    }
  POINT at{0, 0};
  GetCursorPos(&at);
  const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y,
                                                     0, owner_ ? owner_ : GetActiveWindow(), nullptr));
  DestroyMenu(menu);
  return chosen - 1;
}

namespace {

// A movable global block holding these bytes; null when there is no memory.
HGLOBAL globalCopy(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* at = GlobalLock(block);
  if (!at) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(at, bytes, size);
  GlobalUnlock(block);
  return block;
}

}  // namespace

bool Win32Clipboard::setText(const std::string& text) {
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (wide <= 0) return false;
  std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
  if (!MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, utf16.data(), wide)) return false;
  HGLOBAL narrow = globalCopy(text.c_str(), text.size() + 1);
  HGLOBAL unicode = globalCopy(utf16.data(), utf16.size() * sizeof(wchar_t));
  bool done = false;
  // Another program may hold the clipboard for a moment: the user copies again.
  if (narrow && unicode && OpenClipboard(nullptr)) {
    if (EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, unicode)) {
      unicode = nullptr;  // the clipboard's now
      if (SetClipboardData(CF_TEXT, narrow)) narrow = nullptr;
      done = true;
    }
    CloseClipboard();
  }
  if (narrow) GlobalFree(narrow);
  if (unicode) GlobalFree(unicode);
  return done;
}

}  // namespace tg::win32
