#include "suite/common/EngineProcess.h"

#include <windows.h>

#include "stores/DateText.h"
#include "suite/common/CommandLine.h"
#include "suite/common/EngineFiles.h"

namespace tg::suite {

EngineProcess::EngineProcess()
    : directory(win32::executableDirectory()),
      name(fileNameOf(win32::executablePath())),
      arguments(argumentText(GetCommandLineA())) {}

void EngineProcess::log(const std::string& logName, const std::string& line) {
  const std::string stamp = dateTimeText(real.locale.formats(), real.clock.now());
  appendLogLine(real.files, inDirectory(logName), stamp + " " + line);
}

void EngineProcess::stayResident() {
  for (;;) Sleep(INFINITE);
}

}  // namespace tg::suite
