#include "stores/ExchangeFiles.h"

#include "stores/DateText.h"
#include "base/Text.h"

namespace tg {

std::string dayStampOf(const LocaleFormats& locale, const DateTime& now) {
  return without(dateTimeText(locale, now).substr(0, 10), '/');
}

Lines readSpamList(FileSystem& files, const std::string& programDirectory) {
  const std::string path = programDirectory + "spam.txt";
  if (files.exists(path)) return readLines(files, path).value_or(Lines{});
  writeLines(files, path, {});
  return {};
}

char readWatchMode(FileSystem& files, const std::string& programDirectory) {
  const std::string path = programDirectory + "mode.txt";
  if (!files.exists(path)) {
    writeLines(files, path, {"0"});
    return '0';
  }
  const Lines lines = readLines(files, path).value_or(Lines{});
  if (lines.empty() || lines.front().empty()) return '0';
  return lines.front().front();
}

std::string readWatchedRoot(FileSystem& files, const std::string& programDirectory, const std::string& current) {
  const std::string path = programDirectory + "surveille.txt";
  if (!files.exists(path)) return current;
  const Lines lines = readLines(files, path).value_or(Lines{});
  if (lines.empty() || lines.front().empty()) return current;
  return lines.front();
}

bool readCtrlplSwitch(FileSystem& files, const std::string& programDirectory, bool current) {
  const std::string path = programDirectory + "ctrlpl.txt";
  if (!files.exists(path)) {
    writeLines(files, path, {"0"});
    return false;
  }
  const Lines lines = readLines(files, path).value_or(Lines{});
  if (lines.empty()) return current;
  if (lines.front() == "0") return false;
  if (lines.front() == "1") return true;
  return current;
}

}  // namespace tg
