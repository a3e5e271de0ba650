#include "win32/Win32System.h"

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

}  // namespace tg::win32
