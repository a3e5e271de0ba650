// A stand-in for any engine in tests. Copied under an engine's name, it
//   - adds "<its name>|<its parameter text>" to probe.log beside it;
//   - waits the milliseconds written in "<name>.delay", when that file exists;
//   - when "<name>.answer" exists, writes its lines after the first into the
//     file that the first line names (beside it, then moved there whole);
//   - stays running until ended when "<name>.resident" exists, else ends;
//     while it runs it holds the file named in "<name>.hold" open without
//     sharing, as an engine holds its output, from before its line in
//     probe.log.
// <name> is the executable's name without ".exe", for example netguard.answer.
#include <windows.h>

#include <charconv>

#include "stores/TextFile.h"
#include "suite/common/EngineFiles.h"
#include "suite/common/EngineProcess.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  tg::FileSystem& files = self.real.files;
  std::string base = self.name;
  if (base.size() > 4 && base.compare(base.size() - 4, 4, ".exe") == 0) base.resize(base.size() - 4);
  const bool resident = files.exists(self.inDirectory(base + ".resident"));

  // The file to hold is taken before the line is written: a test that sees
  // the line may count on the file being held.
  HANDLE held = INVALID_HANDLE_VALUE;
  if (const auto hold = tg::readLines(files, self.inDirectory(base + ".hold")); resident && hold && !hold->empty())
    held = CreateFileA(self.inDirectory(hold->front()).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  (void)held;  // kept open until the process is ended
  tg::suite::appendLogLine(files, self.inDirectory("probe.log"), self.name + "|" + self.arguments);

  if (const auto delay = files.readBytes(self.inDirectory(base + ".delay"))) {
    unsigned ms = 0;
    std::from_chars(delay->data(), delay->data() + delay->size(), ms);
    Sleep(ms);
  }
  if (auto answer = tg::readLines(files, self.inDirectory(base + ".answer")); answer && !answer->empty()) {
    const std::string target = self.inDirectory(answer->front());
    answer->erase(answer->begin());
    tg::writeLines(files, target, *answer);
  }
  if (!resident) return 0;
  self.stayResident();
}
