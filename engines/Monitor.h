#pragma once

#include <functional>
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
// earlier one still waits.
class Monitor {
 public:
  // How long each wait may last before the tick gives up without reading.
  static constexpr int kPollMs = 50;
  static constexpr int kEngineBoundMs = 30000;  // netguard.exe running
  static constexpr int kFileBoundMs = 10000;    // netguard.txt appearing, then being released
  static constexpr int kStatusShownMs = 1500;   // the text of a block stays this long

  Monitor(Platform& platform, SharedState& state, Stores& stores, const LanguageTable& language, MonitorWindow window);
  ~Monitor();
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  // One tick of Timer1.
  void Timer1Timer();
  bool waitingForEngine() const { return wait_ != Wait::None; }
  // Steps 7 to 15 for the lines of one reading of netguard.txt. The alerts and
  // rules it records are saved when the lines are done, and before any
  // question: one durable save of each store for all the programs newly met.
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

  // Journal files whose lines are complete but could not be written yet.
  std::size_t unwrittenJournalFiles() const { return unwrittenJournals_.size(); }

 private:
  // Steps 1 to 5, before the wait.
  void databaseUpdate();
  bool scanInProgress();
  void scheduledTasks();
  // Step 6, in timer-driven steps: each wait polls its condition until it ends
  // or its bound passes; the fixed pauses come between.
  enum class Wait { None, EngineRuns, FileMissing, FileHeld, Pause };
  void enterWait(Wait wait);
  void poll();
  void pollAgain();
  void after(int ms, std::function<void()> next);
  void readConnections();
  std::string enginePath() const;
  std::string outputPath() const;
  struct NameLookup;
  void processLine(const ConnectionFields& f, NameLookup& lookup);
  void portQuestion(const ConnectionFields& f);
  std::optional<std::string> serviceOf(const ConnectionFields& f) const;
  void blockOnService(const ConnectionFields& f, const std::string& service, std::string_view text);
  void protocolBlocks(const ConnectionFields& f);
  void quarantine(const ConnectionFields& f);
  void siteBlocking(const ConnectionFields& f);
  void webBlock(const ConnectionFields& f);
  void record(const ConnectionFields& f, NameLookup& lookup);
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
