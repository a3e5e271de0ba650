// The saver of the crash test: opens the rule store in a folder the way the
// program does, then saves it again and again, each save one generation
// further, telling the harness through the shared board where it is.
//
//   store_saver <folder> <board name> --create     creates generation 0 and ends
//   store_saver <folder> <board name> [saves]      saves until ended (or `saves` times)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "crash/GenerationRows.h"
#include "crash/SaverBoard.h"
#include "stores/Stores.h"
#include "win32/Win32FileSystem.h"

namespace {

using namespace tg;
using namespace tg::crash;

// The real file system, marking on the board the steps of a save.
class MarkingFiles : public win32::Win32FileSystem {
 public:
  explicit MarkingFiles(SaverBoard& board) : board_(board) {}
  bool writeBytesDurably(const std::string& path, const std::string& bytes) override {
    board_.mark(SaverPhase::WritingCopy);
    const bool written = Win32FileSystem::writeBytesDurably(path, bytes);
    board_.mark(SaverPhase::CopyWritten);
    return written;
  }
  bool rename(const std::string& from, const std::string& to, bool replace) override {
    board_.mark(SaverPhase::Replacing);
    return Win32FileSystem::rename(from, to, replace);
  }

 private:
  SaverBoard& board_;
};

// Exit codes the harness reports.
enum Exit { Done = 0, BadArguments = 2, NotFromFile = 3, Pending = 4, NotWhole = 5, SaveFailed = 6 };

// An orphan left by a harness that died stops by itself.
constexpr long kMostSaves = 1000;

int fail(Exit code, const std::string& why) {
  std::fprintf(stderr, "store_saver: %s\n", why.c_str());
  return code;
}

bool saveGeneration(Stores& stores, SaverBoard& board, std::int64_t generation, std::string& why) {
  const std::int64_t start = nowMicroseconds();
  // Marked first: the board never shows the new generation with the last save's end.
  board.mark(SaverPhase::Preparing);
  board.savingGeneration = generation;
  RecordStore& table = stores.table(StoreId::Rules);
  table.assign(table.fieldDefs(), ruleRows(generation));
  board.mark(SaverPhase::Encoding);
  try {
    stores.save(StoreId::Rules);
  } catch (const StoreError& e) {
    why = e.what();
    return false;
  }
  board.cycleMicroseconds = nowMicroseconds() - start;
  board.mark(SaverPhase::Acknowledging);
  board.savedGeneration = generation;
  board.mark(SaverPhase::Saved);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) return fail(BadArguments, "usage: store_saver <folder> <board name> [--create | saves]");
  const std::string folder = std::string(argv[1]) + "\\";
  const bool create = argc == 4 && std::string(argv[3]) == "--create";
  const long saves = argc == 4 && !create ? std::strtol(argv[3], nullptr, 10) : kMostSaves;
  SharedBoard board = SharedBoard::open(argv[2]);
  if (!board) return fail(BadArguments, std::string("no board named ") + argv[2]);
  board->startedMicroseconds = nowMicroseconds();

  board->mark(SaverPhase::Opening);
  const std::int64_t openStart = nowMicroseconds();
  MarkingFiles files(*board);
  Stores stores(files, folder, CodePage(1252), {});
  Opened opened;
  try {
    opened = stores.openOrCreate(StoreId::Rules);
  } catch (const StoreError& e) {
    return fail(NotFromFile, std::string("the store could not be created: ") + e.what());
  }
  if (opened == Opened::Pending) return fail(Pending, stores.pendingReason(StoreId::Rules));
  std::string why;
  if (create) {
    if (opened != Opened::Created) return fail(NotFromFile, "--create found a store");
    board->openedGeneration = 0;
    return saveGeneration(stores, *board, 0, why) ? Done : fail(SaveFailed, why);
  }
  if (opened != Opened::FromFile) return fail(NotFromFile, "there was no store to open: a fresh one was created");
  const GenerationCheck found = checkRuleRows(stores.table(StoreId::Rules).wholeRows());
  if (!found.generation) return fail(NotWhole, "the store opened is not whole: " + found.fault);
  board->openMicroseconds = nowMicroseconds() - openStart;
  board->openedGeneration = *found.generation;

  for (long n = 1; n <= std::min(saves, kMostSaves); ++n)
    if (!saveGeneration(stores, *board, *found.generation + n, why)) return fail(SaveFailed, why);
  return Done;
}
