// Ends the saver at random moments (while it starts, opens the store, builds,
// encodes, writes, replaces, acknowledges) and checks each time that the store
// opens from its file, whole, holding the last acknowledged save or the one
// under way. TG_CRASH_SEED replays a run's choice of moments (scaled by the
// timings measured at its start); TG_CRASH_ROUNDS sets the number of kills.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "crash/GenerationRows.h"
#include "crash/SaverBoard.h"
#include "stores/Stores.h"
#include "base/Text.h"
#include "win32/EngineFolder.h"
#include "win32/Screenshot.h"
#include "win32/TempFolder.h"
#include "win32/Win32FileSystem.h"

namespace {

using namespace tg;
using namespace tg::crash;
using tg::testing::StartedProgram;
using tg::testing::TempFolder;

constexpr UINT kKillCode = 99;
constexpr DWORD kPatienceMs = 60000;  // for a start or an end under a loaded machine
const char* const kStoreName = "regles.xml";

std::uint64_t environmentNumber(const char* name, std::uint64_t otherwise) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : otherwise;
}

std::string saverExe() { return replacedAll(TG_SAVER_EXE, '/', '\\'); }

std::string milliseconds(std::int64_t microseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", microseconds / 1000.0);
  return text;
}

void waitMicroseconds(std::int64_t delay) {
  const std::int64_t until = nowMicroseconds() + delay;
  if (delay > 2000) Sleep(static_cast<DWORD>(delay / 1000 - 1));
  while (nowMicroseconds() < until) {
  }
}

// The files of the folder, with their sizes and what each holds as the rule store.
std::string describeFolder(win32::Win32FileSystem& files, const std::string& folder) {
  std::string text;
  for (const FileEntry& entry : files.find(folder + "*").value_or(std::vector<FileEntry>{})) {
    const StoreFile file(files, folder + entry.name, schemaOf(StoreId::Rules).fields, CodePage(1252));
    const StoreRead read = file.read();
    text += "    " + entry.name + ", " + std::to_string(entry.size) + " bytes: ";
    if (read.outcome != StoreRead::Outcome::Read) {
      text += read.why + "\n";
      continue;
    }
    const GenerationCheck check = checkRuleRows(read.rows);
    text += check.generation ? "whole, generation " + std::to_string(*check.generation) + "\n"
                             : "a store, but " + check.fault + "\n";
  }
  return text.empty() ? "    (no files)\n" : text;
}

std::vector<std::string> fileNames(win32::Win32FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  for (const FileEntry& entry : files.find(folder + "*").value_or(std::vector<FileEntry>{})) names.push_back(entry.name);
  return names;
}

bool copyFolder(win32::Win32FileSystem& files, const std::string& from, const std::string& to) {
  if (!files.createDirectory(to)) return false;
  bool copied = true;
  for (const std::string& name : fileNames(files, from)) copied = files.copyFile(from + name, to + name) && copied;
  return copied;
}

// How long the saver's steps take here, measured by one run that is not ended.
struct Timings {
  std::int64_t start = 0;  // from CreateProcess to the saver's code
  std::int64_t open = 0;
  std::int64_t save = 0;  // building the table and saving it
};

// When a round ends the saver: a random time after the process start (so that
// it can fall before the saver's code runs) or after the saver's first step
// (spread over its opening and three saves), or at once or soon after one
// step of one of its first three saves, so that the short steps are hit too.
struct KillPlan {
  enum class From { ProcessStart, FirstStep, SaveStep } from = From::FirstStep;
  SaverPhase step = SaverPhase::NotStarted;
  std::int64_t saveNumber = 0;
  std::int64_t delay = 0;  // microseconds
};

KillPlan planKill(std::mt19937_64& random, const Timings& t) {
  const auto upTo = [&random](std::int64_t span) {
    return static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(span + 1));
  };
  KillPlan plan;
  switch (random() % 6) {
    case 0:
      plan.from = KillPlan::From::ProcessStart;
      plan.delay = upTo(t.start + t.open);
      break;
    case 1:
    case 2:
      plan.from = KillPlan::From::FirstStep;
      plan.delay = upTo(t.open + 3 * t.save);
      break;
    default: {
      // The steps after the replacement last microseconds: a kill aimed at them
      // lands in the next table's building, which the spread kills cover.
      static constexpr SaverPhase kSteps[] = {SaverPhase::Encoding, SaverPhase::WritingCopy, SaverPhase::CopyWritten,
                                              SaverPhase::Replacing};
      plan.from = KillPlan::From::SaveStep;
      plan.step = kSteps[random() % std::size(kSteps)];
      plan.saveNumber = 1 + static_cast<std::int64_t>(random() % 3);
      plan.delay = random() % 2 ? 0 : upTo(2000);
      break;
    }
  }
  return plan;
}

std::string describePlan(const KillPlan& plan) {
  switch (plan.from) {
    case KillPlan::From::ProcessStart:
      return "from the process start";
    case KillPlan::From::FirstStep:
      return "from the saver's first step";
    case KillPlan::From::SaveStep:
      break;
  }
  return std::string("from save ") + std::to_string(plan.saveNumber) + " reaching \"" + phaseName(plan.step) + "\"";
}

// How the kills fell.
struct Tally {
  std::array<int, static_cast<std::size_t>(SaverPhase::Count)> byPhase{};
  int keptAcknowledged = 0;  // the save under way was lost, as it may be
  int heldSaveUnderWay = 0;  // it had replaced the file before the kill
  int partialCopies = 0;     // a ".saving" cut short by the kill
  int completeCopies = 0;    // a ".saving" written whole, not yet in the file's place
  int missingFiles = 0;      // the store's file itself was not there
  int kills = 0;
};

class CrashSaves : public ::testing::Test {
 protected:
  StartedProgram startSaver(const std::string& extra = "") {
    board_->reset();
    // Without its last backslash, which would escape the closing quote.
    const std::string folder = folder_.path().substr(0, folder_.path().size() - 1);
    std::string line = "\"" + saverExe() + "\" \"" + folder + "\" " + boardName_;
    if (!extra.empty()) line += " " + extra;
    return tg::testing::startCommand(line, folder_.path());
  }

  // Runs the saver to its end; its exit code, or -1 when it did not end in time.
  long runSaver(const std::string& extra) {
    StartedProgram saver = startSaver(extra);
    DWORD code = 0;
    if (!saver || !saver.waitForExit(kPatienceMs, &code)) return -1;
    return static_cast<long>(code);
  }

  // Waits until the saver reaches the moment the plan times its kill from.
  // A step is reached when the board shows it or any later one.
  void waitForMoment(const StartedProgram& saver, const KillPlan& plan, std::int64_t generation) {
    const std::int64_t deadline = nowMicroseconds() + kPatienceMs * 1000;
    const auto reached = [&] {
      if (plan.from == KillPlan::From::FirstStep) return board_->currentPhase() != SaverPhase::NotStarted;
      const std::int64_t saving = board_->savingGeneration;
      const SaverPhase phase = board_->currentPhase();
      const std::int64_t target = generation + plan.saveNumber;
      return saving > target || (saving == target && phase >= plan.step);
    };
    while (!reached() && nowMicroseconds() < deadline) {
      // Once a save is under way its short steps come soon: look without pausing.
      const bool saving = board_->currentPhase() >= SaverPhase::Preparing;
      if (WaitForSingleObject(saver.handle(), saving ? 0 : 1) != WAIT_TIMEOUT) return;
      if (saving) SwitchToThread();
    }
  }

  // The store opened the way the program opens it: empty when it is whole
  // and of one of the allowed generations, else what is wrong.
  std::string openAndCheck(std::int64_t allowedA, std::int64_t allowedB, std::int64_t& found) {
    Stores stores(files_, folder_.path(), CodePage(1252), {});
    Opened opened;
    try {
      opened = stores.openOrCreate(StoreId::Rules);
    } catch (const StoreError& e) {
      return std::string("opening threw: ") + e.what();
    }
    if (opened == Opened::Created) return "a fresh store was created in place of the saved one";
    if (opened == Opened::Pending) return "the store was left pending: " + stores.pendingReason(StoreId::Rules);
    const GenerationCheck check = checkRuleRows(stores.table(StoreId::Rules).wholeRows());
    if (!check.generation) return "the store opened is not whole: " + check.fault;
    found = *check.generation;
    if (found != allowedA && found != allowedB)
      return "the store holds generation " + std::to_string(found) + ", expected " + std::to_string(allowedA) +
             (allowedB != allowedA ? " or " + std::to_string(allowedB) : "");
    if (fileNames(files_, folder_.path()) != std::vector<std::string>{kStoreName})
      return "after opening, the folder holds more than the store's file";
    return {};
  }

  Timings calibrate() {
    Timings t;
    const std::int64_t started = nowMicroseconds();
    EXPECT_EQ(runSaver("2"), 0) << "an undisturbed run of the saver failed";
    t.start = std::max<std::int64_t>(board_->startedMicroseconds - started, 1000);
    t.open = std::max<std::int64_t>(board_->openMicroseconds, 1000);
    t.save = std::max<std::int64_t>(board_->cycleMicroseconds, 1000);
    return t;
  }

  // Keeps the evidence of a fault beside the other artefacts.
  std::string keepEvidence(const std::string& before) {
    const std::string dir = tg::testing::artefactDirectory() + "crash_saves\\";
    const bool kept = files_.createDirectory(dir) && copyFolder(files_, before, dir + "before_opening\\") &&
                      copyFolder(files_, folder_.path(), dir + "after_opening\\");
    return kept ? "the files are kept in " + dir : "the files could not be kept";
  }

  win32::Win32FileSystem files_;
  TempFolder folder_;
  TempFolder before_;  // the folder as the kill left it, kept for a fault's report
  std::string boardName_ = "Local\\tg-crash-saves-" + std::to_string(GetCurrentProcessId());
  tg::crash::SharedBoard board_ = tg::crash::SharedBoard::create(boardName_);
};

TEST_F(CrashSaves, AKilledSaveNeverLosesNorBreaksTheRuleStore) {
  ASSERT_TRUE(board_) << "no shared board: " << GetLastError();
  const std::uint64_t seed = environmentNumber("TG_CRASH_SEED", static_cast<std::uint64_t>(nowMicroseconds()));
  const int rounds = static_cast<int>(environmentNumber("TG_CRASH_ROUNDS", 120));
  std::printf("crash test seed %llu (TG_CRASH_SEED=%llu replays its choice of moments)\n",
              static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));
  std::mt19937_64 random(seed);
  const std::int64_t began = nowMicroseconds();

  ASSERT_EQ(runSaver("--create"), 0) << "the saver could not create the store";
  const Timings t = calibrate();
  std::int64_t generation = 0;
  ASSERT_EQ(openAndCheck(2, 2, generation), "");
  std::printf("saver: start %s ms, opening %s ms, one save %s ms\n", milliseconds(t.start).c_str(),
              milliseconds(t.open).c_str(), milliseconds(t.save).c_str());

  Tally tally;
  for (int round = 1; round <= rounds; ++round) {
    const KillPlan plan = planKill(random, t);
    StartedProgram saver = startSaver();
    ASSERT_TRUE(saver) << "the saver did not start: " << GetLastError();
    if (plan.from != KillPlan::From::ProcessStart) waitForMoment(saver, plan, generation);
    waitMicroseconds(plan.delay);
    const bool terminated = TerminateProcess(saver.handle(), kKillCode) != 0;
    DWORD code = 0;
    ASSERT_TRUE(saver.waitForExit(kPatienceMs, &code)) << "the saver did not end after TerminateProcess";
    const SaverPhase phase = board_->currentPhase();
    const std::int64_t opened = board_->openedGeneration;
    const std::int64_t saving = board_->savingGeneration;
    const std::int64_t saved = board_->savedGeneration;

    // What the kill left, before opening changes it.
    const StoreFile store(files_, folder_ / kStoreName, schemaOf(StoreId::Rules).fields, CodePage(1252));
    for (const std::string& name : fileNames(files_, before_.path())) files_.remove(before_ / name);
    ASSERT_TRUE(copyFolder(files_, folder_.path(), before_.path()));
    const StoreRead copy = store.readSaving();
    if (copy.outcome == StoreRead::Outcome::Read) ++tally.completeCopies;
    if (copy.outcome == StoreRead::Outcome::Unreadable) ++tally.partialCopies;
    if (!store.exists()) ++tally.missingFiles;

    // The last acknowledged save, or the one under way when it follows it.
    const std::int64_t acknowledged = saved >= 0 ? saved : generation;
    const std::int64_t underWay = saving == acknowledged + 1 ? saving : acknowledged;
    std::string fault;
    if (!terminated || code != kKillCode)
      fault = "the saver ended by itself with code " + std::to_string(code) + " (see its message above)";
    else if (opened >= 0 && opened != generation)
      fault = "the saver opened generation " + std::to_string(opened) + " where " + std::to_string(generation) +
              " was checked";
    std::int64_t found = -1;
    if (fault.empty()) fault = openAndCheck(acknowledged, underWay, found);
    if (!fault.empty()) {
      const std::string before = describeFolder(files_, before_.path());
      const std::string after = describeFolder(files_, folder_.path());
      FAIL() << "round " << round << " of seed " << seed << ": " << fault << "\n  killed " << describePlan(plan)
             << " after " << milliseconds(plan.delay) << " ms, while " << phaseName(phase) << "; board: opened "
             << opened << ", saving " << saving << ", acknowledged " << saved << "; generation before the round "
             << generation << "\n  the folder as the kill left it:\n"
             << before << "  after opening it:\n"
             << after << "  " << keepEvidence(before_.path());
    }
    ++tally.byPhase[static_cast<std::size_t>(phase)];
    ++(found == acknowledged ? tally.keptAcknowledged : tally.heldSaveUnderWay);
    ++tally.kills;
    generation = found;
  }

  std::printf("%d kills in %.1f s, the store reaching generation %lld; the saver was killed while:\n", tally.kills,
              (nowMicroseconds() - began) / 1e6, static_cast<long long>(generation));
  for (std::size_t p = 0; p < tally.byPhase.size(); ++p)
    std::printf("  %-36s %4d\n", phaseName(static_cast<SaverPhase>(p)), tally.byPhase[p]);
  std::printf(
      "the store then held the last acknowledged save %d times, the save under way %d times;\n"
      "a .saving copy was left %d times cut short and %d times complete; the file itself was missing %d times\n",
      tally.keptAcknowledged, tally.heldSaveUnderWay, tally.partialCopies, tally.completeCopies, tally.missingFiles);
}

}  // namespace
