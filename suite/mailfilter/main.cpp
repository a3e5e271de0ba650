// mailfilter.exe: the POP3 filter. No mailbox is configured in this suite, so
// it notes that it ran and ends.
#include <windows.h>

#include "suite/common/EngineProcess.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  self.log("mailfilter.log", "no mailbox configured, nothing to filter");
  return 0;
}
