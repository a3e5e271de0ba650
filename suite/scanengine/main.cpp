// scanengine.exe <mode>: scans files against the known-bad digests of
// signatures.txt beside it and writes its report to anaviri.txt.
//   0    the desktop and the temporary folder (the hourly check)
//   1    the user's profile folder
//   2    every fixed drive
//   3 X  drive X, newly attached
#include <windows.h>
#include <shlobj.h>

#include "stores/DateText.h"
#include "base/Text.h"
#include "suite/common/EngineProcess.h"
#include "suite/scanengine/Scanner.h"

namespace {

std::string specialFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path))) return {};
  return path;
}

std::vector<std::string> fixedDrives() {
  std::vector<std::string> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED) drives.push_back(root);
  }
  return drives;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  const std::string mode = tg::trimmed(self.arguments);
  std::vector<std::string> roots;
  std::string modeName;
  if (mode == "0") {
    modeName = "rapide";
    for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_LOCAL_APPDATA})
      if (const std::string f = specialFolder(csidl); !f.empty()) roots.push_back(f);
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp)) roots.push_back(temp);
  } else if (mode == "1") {
    modeName = "du profil";
    if (const std::string f = specialFolder(CSIDL_PROFILE); !f.empty()) roots.push_back(f);
  } else if (mode == "2") {
    modeName = "compl\xE8te";
    roots = fixedDrives();
  } else if (mode.size() == 3 && mode[0] == '3' && mode[1] == ' ') {
    modeName = std::string("du lecteur ") + mode[2] + ":";
    roots.push_back(std::string(1, mode[2]) + ":\\");
  } else {
    self.log("scanengine.log", "unknown mode [" + self.arguments + "]");
    return 2;
  }

  const tg::LocaleFormats locale = self.real.locale.formats();
  const std::string started = tg::dateTimeText(locale, self.real.clock.now());
  const tg::suite::Signatures signatures = tg::suite::parseSignatures(
      tg::readLines(self.real.files, self.inDirectory("signatures.txt")).value_or(tg::Lines{}));
  const tg::suite::ScanReport report = tg::suite::scanFolders(self.real.files, roots, signatures);
  const std::string ended = tg::dateTimeText(locale, self.real.clock.now());
  const bool written = tg::writeLines(self.real.files, self.inDirectory("anaviri.txt"),
                                      tg::suite::reportLines(report, modeName, started, ended));
  self.log("scanengine.log", "mode " + mode + ": " + std::to_string(report.filesExamined) + " files, " +
                                 std::to_string(report.findings.size()) + " found");
  return written ? 0 : 1;
}
