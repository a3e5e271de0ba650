#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_set>
#include <string>
#include <vector>

#include "engines/ConnectionLine.h"
#include "platform/Platform.h"
#include "platform/Timers.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
#include "stores/Stores.h"
#include "stores/TextFile.h"
#include "watchers/SeenReading.h"

namespace tg {

// What the monitor reaches of the main window.
struct MonitorWindow {
  std::function<void(const std::string&)> setStatusText;  // StatusBar1's simple text
  std::function<void()> enableScanStartButton;            // while the scan page is built
};

// The heartbeat of the control centre: every tick has the network engine list
// the machine's connections and goes through them, asking, blocking, recording.
// The waits for the engine are steps driven by one-shot timers, so the window
// keeps answering while the engine runs; a tick does not start while an
// earlier one still waits. A reading is bounded (no machine has more than some
// thousands of connections, and a file of any size may lie there), and a long
// one is gone through in slices with the window's messages in between.
class Monitor {
 public:
  // How long each wait may last before the tick gives up without reading.
  static constexpr int kPollMs = 50;
  static constexpr int kEngineBoundMs = 30000;  // netguard.exe running
  static constexpr int kFileBoundMs = 10000;    // netguard.txt appearing, then being released
  static constexpr int kStatusShownMs = 1500;   // the text of a block stays this long
  // What one reading takes of netguard.txt at most, whichever comes first.
  static constexpr std::size_t kMaxReadingBytes = 4u << 20;
  static constexpr std::size_t kMaxReadingLines = 50000;
  // A reading of more lines is gone through this many at a time.
  static constexpr std::size_t kSliceLines = 5000;

  Monitor(Platform& platform, SharedState& state, Stores& stores, const LanguageTable& language, MonitorWindow window);
  ~Monitor();
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  // One tick of Timer1.
  void Timer1Timer();
  bool waitingForEngine() const { return wait_ != Wait::None; }
  // Goes through the lines of one reading of netguard.txt at once, each line
  // in turn: the port question, the protocol switches, the quarantine, the
  // site list, the Internet block, the recording of a new program and the
  // journal. The alerts and rules it records are saved when the lines are
  // done, and before any question: one durable save of each store for all the
  // programs newly met. The last line closes the list and is not a connection.
  void processLines(const Lines& lines);

  // The monitor's own state.
  bool UpdateStarted = false;
  std::string LastMinute;
  std::string LastHour;
  Lines ConnectionLines;
  std::vector<std::string> AllowedPorts;
  bool AlertInProgress = false;
  Lines JournalLines;
  int JournalCount = 0;

  // The latest reading with the decision taken on each connection: a plain
  // snapshot for whoever shows it, replaced whole when a reading ends.
  const SeenReading& latestReading() const { return seen_; }

  // Journal files whose lines are complete but could not be written yet.
  std::size_t unwrittenJournalFiles() const { return unwrittenJournals_.size(); }

 private:
  // What a tick does before it starts the network engine.
  void databaseUpdate();
  bool scanInProgress();
  void scheduledTasks();
  // The wait for the network engine's list, in timer-driven steps: each wait
  // polls its condition until it ends or its bound passes; the fixed pauses
  // come between. Reading: a long reading is being gone through.
  enum class Wait { None, EngineRuns, FileMissing, FileHeld, Pause, Reading };
  void enterWait(Wait wait);
  void poll();
  void pollAgain();
  void after(int ms, std::function<void()> next);
  void readConnections();
  std::string enginePath() const;
  std::string outputPath() const;
  struct NameLookup;
  struct Reading;
  // The fields of the next `count` lines of a reading; false once all are read.
  bool parse(Reading& reading, std::size_t count);
  // The next `count` lines of a parsed reading; false once its last is done.
  bool goThrough(Reading& reading, std::size_t count);
  void finishReading(Reading& reading);
  // A reading that gave no list: the last good one stays, marked as old.
  void readingFailed();
  // The decision on the connection being gone through, by rank (see Verdict).
  void decide(Verdict verdict, std::string detail = {});
  void continueReading();
  void processLine(const ConnectionFields& f, NameLookup& lookup);
  void portQuestion(const ConnectionFields& f);
  std::optional<std::string> serviceOf(const ConnectionFields& f) const;
  bool blockOnService(const ConnectionFields& f, const std::string& service, std::string_view text);
  void protocolBlocks(const ConnectionFields& f);
  void quarantine(const ConnectionFields& f);
  void siteBlocking(const ConnectionFields& f);
  void webBlock(const ConnectionFields& f);
  // A new program's recording: its facts gathered, its alert recorded, the
  // user told when it is a known danger and, at level 1, asked whether it goes
  // into quarantine; otherwise its rule recorded.
  void record(const ConnectionFields& f, NameLookup& lookup);
  struct ProgramFacts {
    std::string path, modules, sizeText, dateText, attributes, owner, recorded, mark;
  };
  ProgramFacts gatherFacts(const ConnectionFields& f, std::uint32_t pid);
  static void fillRecord(RecordStore& table, const std::string& name, const ProgramFacts& facts);
  void recordAlert(const std::string& name, const ProgramFacts& facts);
  void warnOfKnownDanger(const std::string& name);
  // True when the program went into quarantine: its recording ends there.
  bool offerQuarantine(const ConnectionFields& f, const ProgramFacts& facts, const std::string& stored);
  void recordRule(const std::string& name, const ProgramFacts& facts, const std::string& stored);
  void journal(const ConnectionFields& f);
  std::string freeJournalName(const std::string& stamp);
  void writeJournals();

  // A name as a field of the rule and quarantine stores keeps it.
  std::string storedName(std::string_view name) const { return std::string(name.substr(0, nameWidth_)); }
  bool isQuarantined(const std::string& name) const;
  bool isRecorded(const std::string& name, NameLookup& lookup);
  void noticeChanges();
  void catchUp(NameLookup& lookup);
  RecordStore& readableRules();
  const std::vector<std::string>& quarantineFileNames();
  std::string quarantineStamp();

  void saveRecords();
  void saveRecordsOf(StoreId id, bool& unsaved, bool& failureShown);
  void showBlockedStatus();
  void showStatus(const std::string& text);
  void clearStatus();
  std::string timeText();

  Platform& platform_;
  SharedState& state_;
  Stores& stores_;
  const LanguageTable& language_;
  MonitorWindow window_;

  Wait wait_ = Wait::None;
  bool alertsUnsaved_ = false;
  bool rulesUnsaved_ = false;
  bool alertsFailureShown_ = false;
  bool rulesFailureShown_ = false;
  TimerId pending_ = 0;
  TimerId statusTimer_ = 0;
  std::unique_ptr<Reading> reading_;  // a long reading, between its slices
  Decision* deciding_ = nullptr;      // the decision on the line being gone through
  SeenReading seen_;
  bool cutTold_ = false;              // the user was told that the readings are cut
  std::int64_t deadline_ = 0;

  // What one reading of the lines looks up, gathered once for all its lines.
  void refreshLookups();
  std::unordered_set<std::string> quarantined_;
  std::string quarantineStampNow_;
  LocaleFormats locale_;
  // The names of the quarantine file as last read, and the file's state then.
  std::vector<std::string> quarantineFileNames_;
  std::string quarantineFileStamp_;

  // Names known to be recorded, valid while neither the rule store nor the
  // quarantine file changed but by the monitor's own hand. Each change by
  // another hand starts a new epoch.
  std::unordered_set<std::string> knownNames_;
  std::uint64_t knownRulesGeneration_ = 0;
  std::string knownQuarantineStamp_;
  std::uint64_t epoch_ = 0;
  std::size_t nameWidth_;

  // Complete journal blocks still to be written, each with the file it goes to.
  struct JournalFile {
    std::string path;
    Lines lines;
  };
  std::vector<JournalFile> unwrittenJournals_;
};

}  // namespace tg
