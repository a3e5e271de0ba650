#include "stores/FileReplace.h"

namespace tg {

std::string savingPathOf(const std::string& path) { return path + ".saving"; }

bool replaceFile(FileSystem& files, const std::string& path, const std::string& bytes) {
  const std::string aside = savingPathOf(path);
  if (!files.writeBytesDurably(aside, bytes) || !files.rename(aside, path, true)) {
    files.remove(aside);
    return false;
  }
  return true;
}

}  // namespace tg
