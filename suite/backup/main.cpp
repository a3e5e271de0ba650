// backup.exe <first>;<second>: copies the first folder tree into the second,
// every file that is new or changed; files only in the second are kept.
#include <windows.h>

#include "suite/backup/Mirror.h"
#include "suite/common/EngineProcess.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  const auto pair = tg::suite::splitFolderPair(self.arguments);
  if (!pair) {
    self.log("backup.log", "not a folder pair: [" + self.arguments + "]");
    return 2;
  }
  const tg::suite::MirrorResult r = tg::suite::mirrorFolder(self.real.files, pair->first, pair->second);
  self.log("backup.log", pair->first + " -> " + pair->second + ": " + std::to_string(r.copied) + " copied, " +
                             std::to_string(r.unchanged) + " unchanged, " + std::to_string(r.failed) + " failed");
  return r.failed ? 1 : 0;
}
