// diskscan.exe, the duplicate-file finder, in steps:
//   "0 0"        forget the earlier index and list
//   "1 <folder>" add a folder tree to the index
//   "2"          write liste2.txt: every indexed file that has a copy elsewhere
#include <windows.h>

#include "suite/common/EngineProcess.h"
#include "suite/diskscan/DuplicateIndex.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tg::suite::EngineProcess self;
  const std::string& args = self.arguments;
  if (args.rfind("0", 0) == 0) {
    tg::suite::resetIndex(self.real.files, self.directory);
    self.log("diskscan.log", "index reset");
  } else if (args.rfind("1 ", 0) == 0 || args == "1") {
    const std::string folder = args.size() > 2 ? args.substr(2) : std::string();
    const std::size_t added = tg::suite::addFolderToIndex(self.real.files, self.directory, folder);
    self.log("diskscan.log", "indexed " + std::to_string(added) + " files of [" + folder + "]");
  } else if (args.rfind("2", 0) == 0) {
    const tg::Lines found = tg::suite::findDuplicates(self.real.files, self.directory);
    self.log("diskscan.log", "listed " + std::to_string(found.size()) + " duplicate files");
  } else {
    self.log("diskscan.log", "unknown step [" + args + "]");
    return 2;
  }
  return 0;
}
