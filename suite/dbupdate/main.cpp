// dbupdate.exe 0: the signature update. The suite ships its signatures in
// signatures.txt; without an update server it reports what it has and ends.
#include <windows.h>

#include "stores/TextFile.h"
#include "suite/common/EngineProcess.h"
#include "suite/scanengine/Scanner.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  const auto signatures = tg::suite::parseSignatures(
      tg::readLines(self.real.files, self.inDirectory("signatures.txt")).value_or(tg::Lines{}));
  self.log("dbupdate.log", "mode [" + self.arguments + "]: no update server, " + std::to_string(signatures.size()) +
                               " signatures in use");
  return 0;
}
