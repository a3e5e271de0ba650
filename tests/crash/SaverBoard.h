#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

namespace tg::crash {

// Where the saver was when it was ended. Each mark is set before the step it
// names begins.
enum class SaverPhase : std::int32_t {
  NotStarted,     // the harness's start value: the process had not reached its code
  Opening,        // reading the store the way the program opens it
  Preparing,      // building the next generation's table
  Encoding,       // the save turns the table into its XML bytes
  WritingCopy,    // writing "<name>.saving" and flushing it to the disk
  CopyWritten,    // the copy is complete; the file is not replaced yet
  Replacing,      // putting the copy in the file's place
  Acknowledging,  // the save returned; the generation is not acknowledged yet
  Saved,          // acknowledged
  Count
};

const char* phaseName(SaverPhase phase);

// What the saver tells the harness while it runs, in memory both share. The
// harness reads it after the saver is ended: nothing is lost with the process.
struct SaverBoard {
  std::atomic<std::int32_t> phase;
  std::atomic<std::int64_t> openedGeneration;     // what the saver found, -1 before
  std::atomic<std::int64_t> savingGeneration;     // the save under way (or the last one), -1 before
  std::atomic<std::int64_t> savedGeneration;      // the last acknowledged save, -1 before
  std::atomic<std::int64_t> openMicroseconds;     // how long the opening took
  std::atomic<std::int64_t> cycleMicroseconds;    // how long the last save took, with building its table
  std::atomic<std::int64_t> startedMicroseconds;  // when the saver reached its code, on the shared clock

  void reset();
  SaverPhase currentPhase() const { return static_cast<SaverPhase>(phase.load()); }
  void mark(SaverPhase p) { phase.store(static_cast<std::int32_t>(p)); }
};

static_assert(std::atomic<std::int64_t>::is_always_lock_free, "the board is shared between processes");

// Microseconds of the machine's monotonic clock, the same in every process.
std::int64_t nowMicroseconds();

// A board in named shared memory: created by the harness, opened by the saver.
class SharedBoard {
 public:
  static SharedBoard create(const std::string& name);
  static SharedBoard open(const std::string& name);
  SharedBoard(SharedBoard&& other) noexcept;
  SharedBoard(const SharedBoard&) = delete;
  SharedBoard& operator=(const SharedBoard&) = delete;
  ~SharedBoard();

  explicit operator bool() const { return board_ != nullptr; }
  SaverBoard& operator*() const { return *board_; }
  SaverBoard* operator->() const { return board_; }

 private:
  SharedBoard(HANDLE mapping, SaverBoard* board) : mapping_(mapping), board_(board) {}
  HANDLE mapping_ = nullptr;
  SaverBoard* board_ = nullptr;
};

}  // namespace tg::crash
