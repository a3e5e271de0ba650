#include "watchers/Monitor.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engines/EngineTable.h"
#include "engines/HostAddress.h"
#include "engines/NameMatcher.h"
#include "engines/PortTable.h"
#include "engines/ProcessUtilities.h"
#include "engines/FileFacts.h"
#include "stores/DateText.h"
#include "base/Text.h"

namespace tg {

namespace {

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// A whole number as the system reads one: leading blanks and a sign allowed,
// nothing after the digits.
std::optional<long long> readInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && text[i] == '+') ++i;
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || i == text.size()) return std::nullopt;
  return value;
}

// The two characters after the first ":" of a time text, and everything before it.
std::string minutesOf(const std::string& time) {
  const std::size_t colon = time.find(':');
  return colon == std::string::npos ? std::string() : time.substr(colon + 1, 2);
}
std::string hoursOf(const std::string& time) { return time.substr(0, time.find(':')); }

// The process number of a connection, when its field holds one.
std::optional<std::uint32_t> processNumber(const ConnectionFields& f) {
  const auto number = readInteger(f.pid());
  if (!number || *number < 0 || *number > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(*number);
}

std::string attributeCode(std::optional<std::uint32_t> attributes) {
  const std::uint32_t low = attributes.value_or(0xFFFFFFFFu) & 0xFF;
  switch (low) {
    case 1: case 2: case 4: case 8: case 16: case 32: case 64: case 71: return std::to_string(low);
    default: return "0";
  }
}

}  // namespace

Monitor::Monitor(Platform& platform, SharedState& state, Stores& stores, const LanguageTable& language,
                 MonitorWindow window)
    : platform_(platform),
      state_(state),
      stores_(stores),
      language_(language),
      window_(std::move(window)),
      nameWidth_(schemaOf(StoreId::Rules).fields.front().size) {}

Monitor::~Monitor() {
  if (pending_) platform_.timers.stop(pending_);
  if (statusTimer_) platform_.timers.stop(statusTimer_);
}

std::string Monitor::timeText() { return longTimeText(platform_.locale.formats(), platform_.clock.now()); }

void Monitor::Timer1Timer() {
  if (waitingForEngine()) return;  // the earlier tick still waits for the network engine
  databaseUpdate();
  if (scanInProgress()) return;
  if (window_.enableScanStartButton) window_.enableScanStartButton();
  scheduledTasks();
  if (state_.ConnectionMonitoring)
    StartEngine(platform_.shell, state_.ProgramDirectory, engine::netguard, "", "open");

  // The engine ends, its file appears and is released, and then some.
  wait_ = Wait::Pause;
  after(50, [this] {
    enterWait(Wait::EngineRuns);
    poll();
  });
}

void Monitor::databaseUpdate() {
  if (minutesOf(timeText()) != "30") return;
  const LocalHost host = LocalHostQuery(platform_.sockets);
  if (host.address != "127.0.0.1" && !UpdateStarted) {
    UpdateStarted = true;
    RunHidden(platform_.processes, "dbupdate.exe 0", kShowHidden);
  }
}

bool Monitor::scanInProgress() { return IsRunning(platform_.processes, engine::scanengine); }

void Monitor::scheduledTasks() {
  if (!configurationSwitch(state_, 8)) return;
  const std::string time = timeText();
  const std::string minutes = minutesOf(time);
  const std::string hours = hoursOf(time);
  const std::string& dir = state_.ProgramDirectory;
  if (minutes != LastMinute) {
    StartEngine(platform_.shell, dir, engine::mailfilter, "", "open");
    if (state_.BackupEveryMinute && !state_.BackupPair.empty())
      StartEngine(platform_.shell, dir, engine::backup, state_.BackupPair, "open");
  }
  if (hours != LastHour) {
    if (state_.BackupEveryHour && !state_.BackupPair.empty())
      StartEngine(platform_.shell, dir, engine::backup, state_.BackupPair, "open");
    if (state_.HourlyScan && !LastHour.empty()) RunHidden(platform_.processes, "scanengine.exe 0", kShowHidden);
  }
  LastMinute = minutes;
  LastHour = hours;
}

void Monitor::after(int ms, std::function<void()> next) {
  pending_ = platform_.timers.startOnce(ms, [this, next = std::move(next)] {
    pending_ = 0;
    next();
  });
}

std::string Monitor::enginePath() const { return state_.ProgramDirectory + std::string(engine::netguard); }
std::string Monitor::outputPath() const { return state_.ProgramDirectory + "netguard.txt"; }

void Monitor::enterWait(Wait wait) {
  wait_ = wait;
  deadline_ = toMilliseconds(platform_.clock.now()) + (wait == Wait::EngineRuns ? kEngineBoundMs : kFileBoundMs);
}

void Monitor::poll() {
  switch (wait_) {
    case Wait::EngineRuns:
      if (FileIsLocked(platform_.files, enginePath())) return pollAgain();
      return after(50, [this] {
        ConnectionLines.clear();
        enterWait(Wait::FileMissing);
        poll();
      });
    case Wait::FileMissing:
      if (!platform_.files.exists(outputPath())) return pollAgain();
      enterWait(Wait::FileHeld);
      return poll();
    case Wait::FileHeld:
      if (FileIsLocked(platform_.files, outputPath())) return pollAgain();
      wait_ = Wait::Pause;
      return after(500, [this] { readConnections(); });
    case Wait::Pause:
    case Wait::Reading:
    case Wait::None:
      return;
  }
}

void Monitor::pollAgain() {
  // Past its bound, the tick gives up without reading.
  if (toMilliseconds(platform_.clock.now()) >= deadline_) {
    wait_ = Wait::None;
    readingFailed();
    return;
  }
  after(kPollMs, [this] { poll(); });
}

void Monitor::refreshLookups() {
  quarantined_.clear();
  for (const std::string& name : state_.QuarantineNames) quarantined_.insert(trimmed(storedName(name)));
  quarantineStampNow_ = quarantineStamp();
  locale_ = platform_.locale.formats();
}

// What one reading knows of its programs. It is built at the first name that
// the known names do not answer: a matcher over the reading's names not known
// yet, fed the Champ1 of every rule and quarantine row once. Within an epoch
// the stores only grow at their end (by the monitor's own rules and quarantine
// rows, of this reading or of one nested in its questions), so keeping up with
// them means feeding the rows added since; a new epoch builds it again.
struct Monitor::NameLookup {
  const std::vector<ConnectionFields>& lines;
  std::optional<NameMatcher> matcher;
  std::uint64_t epoch = 0;
  std::size_t rulesFed = 0;
  std::size_t quarantineFed = 0;
};

// The lines of one reading, their fields as far as they are read, what the
// reading looks up, and how far it has come. The last line closes the list.
struct Monitor::Reading {
  Lines lines;
  std::vector<ConnectionFields> fields;
  NameLookup lookup{fields, std::nullopt};
  std::vector<Decision> decisions;
  std::size_t next = 0;
  std::size_t connections() const { return lines.empty() ? 0 : lines.size() - 1; }
};

bool Monitor::parse(Reading& reading, std::size_t count) {
  const std::size_t total = reading.connections();
  if (reading.fields.size() == total) return false;
  reading.fields.reserve(total);
  const std::size_t end = std::min(total, reading.fields.size() + count);
  while (reading.fields.size() < end) reading.fields.push_back(parseConnectionLine(reading.lines[reading.fields.size()]));
  return true;
}

bool Monitor::goThrough(Reading& reading, std::size_t count) {
  // The pages may have changed the lists since the last slice.
  refreshLookups();
  const std::size_t end = std::min(reading.fields.size(), reading.next + count);
  reading.decisions.resize(reading.fields.size());
  // A question of a line may run a nested tick with lines of its own.
  Decision* const outer = deciding_;
  for (; reading.next < end; ++reading.next) {
    deciding_ = &reading.decisions[reading.next];
    processLine(reading.fields[reading.next], reading.lookup);
  }
  deciding_ = outer;
  return reading.next < reading.fields.size();
}

void Monitor::finishReading(Reading& reading) {
  saveRecords();
  writeJournals();
  reading.decisions.resize(reading.fields.size());
  seen_.number++;
  seen_.failed = false;
  seen_.connections = std::move(reading.fields);
  seen_.decisions = std::move(reading.decisions);
}

void Monitor::readingFailed() {
  seen_.number++;
  seen_.failed = true;
}

void Monitor::decide(Verdict verdict, std::string detail) {
  if (!deciding_ || endedBy(deciding_->verdict) || verdict <= deciding_->verdict) return;
  deciding_->verdict = verdict;
  deciding_->detail = std::move(detail);
}

void Monitor::readConnections() {
  auto read = readFirstLines(platform_.files, outputPath(), kMaxReadingBytes, kMaxReadingLines);
  ConnectionLines = read ? std::move(read->lines) : Lines{};
  // Said once, not at every reading that is cut.
  const bool cut = read && read->cut;
  if (cut && !cutTold_) showStatus(language_.text(104));
  cutTold_ = cut;
  wait_ = Wait::None;
  if (ConnectionLines.size() <= kSliceLines + 1) {
    // The reading works on its own copy: a tick nested in one of its
    // questions reads the file afresh without pulling the lines from under it.
    processLines(ConnectionLines);
    return;
  }
  // Too long to go through between two of the window's messages: in slices,
  // its fields read first and then its lines gone through. No tick starts
  // until the last slice is done, nor inside its questions.
  reading_ = std::make_unique<Reading>();
  reading_->lines = ConnectionLines;
  wait_ = Wait::Reading;
  continueReading();
}

void Monitor::continueReading() {
  if (parse(*reading_, kSliceLines) || goThrough(*reading_, kSliceLines)) {
    pending_ = platform_.timers.startOnce(0, [this] {
      pending_ = 0;
      continueReading();
    });
    return;
  }
  std::unique_ptr<Reading> done = std::move(reading_);
  wait_ = Wait::None;
  finishReading(*done);
}

void Monitor::processLines(const Lines& lines) {
  if (lines.empty()) {
    readingFailed();
    return;
  }
  Reading reading;
  reading.lines = lines;
  parse(reading, reading.connections());
  goThrough(reading, reading.connections());
  finishReading(reading);
}

void Monitor::saveRecords() {
  saveRecordsOf(StoreId::Alerts, alertsUnsaved_, alertsFailureShown_);
  saveRecordsOf(StoreId::Rules, rulesUnsaved_, rulesFailureShown_);
}

void Monitor::saveRecordsOf(StoreId id, bool& unsaved, bool& failureShown) {
  if (!unsaved) return;
  try {
    stores_.save(id);
    unsaved = false;
    failureShown = false;
  } catch (const StoreError& e) {
    // The rows are kept and saved at a later reading. The user is told once
    // (a store waiting for its file has been told of by the start-up already).
    if (failureShown || stores_.pending(id)) return;
    failureShown = true;  // before the box: ticks go on while it is open
    platform_.dialogs.reportError(std::string(e.what()) +
                                  "\r\nThe new records are kept and saved again at the next reading.");
  }
}

void Monitor::processLine(const ConnectionFields& f, NameLookup& lookup) {
  portQuestion(f);
  protocolBlocks(f);
  clearStatus();
  quarantine(f);
  siteBlocking(f);
  webBlock(f);
  record(f, lookup);
  journal(f);
}

void Monitor::portQuestion(const ConnectionFields& f) {
  const std::string port = trimmed(f.port());
  if (contains(AllowedPorts, port) || f.port() == " " || state_.ReactionLevel != 1) return;
  saveRecords();
  decide(Verdict::Asked);
  const Answer answer = platform_.dialogs.askYesNo(language_.text(54) + f.port() + " pour " + f.name());
  // The pages may have changed the lists and the stores while the question was open.
  refreshLookups();
  noticeChanges();
  if (answer == Answer::Yes)
    KillByNameAndPid(platform_.processes, f.name(), f.pid());
  else
    AllowedPorts.push_back(port);
}

// The service of a connection's port, or empty when the port is "-1" or no
// number (a block on it then ends silently).
std::optional<std::string> Monitor::serviceOf(const ConnectionFields& f) const {
  if (f.port() == "-1") return std::nullopt;
  const auto port = readInteger(f.port());
  if (!port || *port < INT32_MIN || *port > INT32_MAX) return std::nullopt;
  return ServiceName(static_cast<int>(*port));
}

bool Monitor::blockOnService(const ConnectionFields& f, const std::string& service, std::string_view text) {
  const std::string name = trimmed(f.name());
  if (service.find(text) == std::string::npos || !IsRunningWithPid(platform_.processes, name, f.pid())) return false;
  KillByNameAndPid(platform_.processes, name, f.pid());
  showBlockedStatus();
  return true;
}

void Monitor::protocolBlocks(const ConnectionFields& f) {
  const bool any = std::any_of(state_.ProtocolSwitches.begin(), state_.ProtocolSwitches.end(), [](bool on) { return on; });
  if (!any) return;
  const auto service = serviceOf(f);
  if (!service) return;
  for (std::size_t p = 0; p < kProtocolCount; ++p)
    if (state_.ProtocolSwitches[p] && blockOnService(f, *service, protocolText(p)))
      decide(Verdict::ProtocolSwitch, trimmed(protocolText(p)));
}

bool Monitor::isQuarantined(const std::string& name) const {
  // The list holds the names as the quarantine store keeps them, trimmed; the
  // name may have been cut to the field before being trimmed or after.
  return quarantined_.count(trimmed(storedName(name))) || quarantined_.count(storedName(trimmed(name)));
}

void Monitor::quarantine(const ConnectionFields& f) {
  if (!isQuarantined(f.name())) return;
  KillByNameAndPid(platform_.processes, trimmed(f.name()), trimmed(f.pid()));
  decide(Verdict::Quarantined);
}

void Monitor::siteBlocking(const ConnectionFields& f) {
  if (!configurationSwitch(state_, 7)) return;
  const std::string address = trimmed(IpDigits(f.address()));
  // A connection without an address goes to no listed site (a site stored
  // without an address would otherwise match every such connection).
  if (address.empty() || !contains(state_.BlockedSiteAddresses, address)) return;
  KillByNameAndPid(platform_.processes, trimmed(f.name()), f.pid());
  const auto& addresses = state_.BlockedSiteAddresses;
  const auto at = static_cast<std::size_t>(std::find(addresses.begin(), addresses.end(), address) - addresses.begin());
  decide(Verdict::SiteList, at < state_.BlockedSiteNames.size() ? state_.BlockedSiteNames[at] : address);
  if (state_.CtrlplSwitch && !f.name().empty() && foldAscii(f.name()[0]) == 't')
    KillByName(platform_.processes, f.name().substr(1));
}

void Monitor::webBlock(const ConnectionFields& f) {
  if (state_.InternetAllowed) return;
  if (const auto service = serviceOf(f)) {
    const bool http = blockOnService(f, *service, "HTTP ");
    const bool https = blockOnService(f, *service, "HTTPS ");
    if (http || https) decide(Verdict::InternetBlocked);
  }
  clearStatus();
}

void Monitor::showBlockedStatus() { showStatus(language_.text(66)); }

void Monitor::showStatus(const std::string& text) {
  if (window_.setStatusText) window_.setStatusText(text);
  // Shown for its while, without putting the thread to sleep.
  if (statusTimer_) platform_.timers.stop(statusTimer_);
  statusTimer_ = platform_.timers.startOnce(kStatusShownMs, [this] {
    statusTimer_ = 0;
    if (window_.setStatusText) window_.setStatusText("");
  });
}

void Monitor::clearStatus() {
  if (statusTimer_) return;  // a block's text is still within its while
  if (window_.setStatusText) window_.setStatusText("");
}

// ---------------------------------------------------------------- recording

std::string Monitor::quarantineStamp() {
  const std::vector<FileEntry> found =
      platform_.files.find(stores_.file(StoreId::Quarantine).path()).value_or(std::vector<FileEntry>{});
  if (found.empty()) return "-";
  const FileEntry& e = found.front();
  return std::to_string(e.size) + "@" + std::to_string(toMilliseconds(e.lastWrite));
}

void Monitor::noticeChanges() {
  const std::uint64_t generation = stores_.table(StoreId::Rules).generation();
  if (generation == knownRulesGeneration_ && quarantineStampNow_ == knownQuarantineStamp_) return;
  knownNames_.clear();
  knownRulesGeneration_ = generation;
  knownQuarantineStamp_ = quarantineStampNow_;
  ++epoch_;
}

RecordStore& Monitor::readableRules() {
  RecordStore& rules = stores_.table(StoreId::Rules);
  try {
    rules.first();
  } catch (const StoreError&) {
    stores_.load(StoreId::Rules);  // a page closed it: read it again (throws when it cannot)
    rules.open();
    rules.first();
  }
  return rules;
}

const std::vector<std::string>& Monitor::quarantineFileNames() {
  // The quarantine store is read from its file, once for every state of the file.
  if (quarantineFileStamp_ != quarantineStampNow_) {
    RecordStore& table = stores_.table(StoreId::Quarantine);
    stores_.load(StoreId::Quarantine);
    table.open();
    quarantineFileNames_.clear();
    for (const PackedRow& row : table.rows()) quarantineFileNames_.emplace_back(valueOf(row, 0));
    table.close();
    quarantineFileStamp_ = quarantineStampNow_;
    ++epoch_;  // rows no reading has been fed
  }
  return quarantineFileNames_;
}

void Monitor::catchUp(NameLookup& lookup) {
  RecordStore& rules = readableRules();
  const std::vector<std::string>& quarantined = quarantineFileNames();
  noticeChanges();  // a store read again is a new state
  if (!lookup.matcher || lookup.epoch != epoch_) {
    std::vector<std::string> open;
    for (const ConnectionFields& f : lookup.lines) {
      if (f.name().empty() || !processNumber(f)) continue;  // never recorded, so never looked up
      std::string name = storedName(f.name());
      if (!knownNames_.count(name)) open.push_back(std::move(name));
    }
    lookup.matcher.emplace(std::move(open));
    lookup.epoch = epoch_;
    lookup.rulesFed = lookup.quarantineFed = 0;
  }
  const StoreRows rows = rules.rows();
  for (; lookup.rulesFed < rows.size(); ++lookup.rulesFed) lookup.matcher->scan(valueOf(rows[lookup.rulesFed], 0));
  for (; lookup.quarantineFed < quarantined.size(); ++lookup.quarantineFed)
    lookup.matcher->scan(quarantined[lookup.quarantineFed]);
}

// A program counts as recorded when its name, as a store keeps it, occurs
// inside Champ1 of a rule or of a quarantine row.
bool Monitor::isRecorded(const std::string& name, NameLookup& lookup) {
  noticeChanges();
  if (knownNames_.count(name)) return true;
  catchUp(lookup);
  if (!lookup.matcher->found(name)) return false;
  knownNames_.insert(name);
  return true;
}

void Monitor::record(const ConnectionFields& f, NameLookup& lookup) {
  const std::string& name = f.name();
  if (AlertInProgress || name.empty()) return;
  // Until the rule file is read, every program would look new.
  if (stores_.pending(StoreId::Rules)) return;
  // A line without a process number names no program to record.
  const auto pid = processNumber(f);
  if (!pid) return;
  try {
    const std::string stored = storedName(name);
    if (isRecorded(stored, lookup)) {
      decide(Verdict::AllowedByRule);
      return;
    }
    const ProgramFacts facts = gatherFacts(f, *pid);
    recordAlert(name, facts);
    decide(Verdict::New);
    warnOfKnownDanger(name);
    if (offerQuarantine(f, facts, stored)) return;
    recordRule(name, facts, stored);
  } catch (const StoreError&) {
    // This program's recording is abandoned for this tick; the next tick tries again.
    AlertInProgress = false;
  }
}

Monitor::ProgramFacts Monitor::gatherFacts(const ConnectionFields& f, std::uint32_t pid) {
  ProgramFacts facts;
  facts.path = ProcessExePath(platform_.processes, pid);
  facts.modules = ProcessModuleList(platform_.processes, pid);
  const std::string& path = facts.path;
  const std::uint64_t bytes = path.empty() ? 0 : FileSizeBytes(platform_.files, path);
  facts.sizeText = bytes == 0 ? "?" : std::to_string(std::llround(static_cast<double>(bytes) / 1024.0));
  const DateTime fileDate = path.empty() ? DateTime{} : FileDate(platform_.files, path);
  // No date at all is "?", whatever the date format would make of it.
  facts.dateText = fileDate.isZero() ? "?" : shortDateText(locale_, fileDate);
  facts.attributes = attributeCode(path.empty() ? std::nullopt : platform_.files.attributes(path));
  facts.owner = FileOwner(platform_.files, path);
  facts.recorded = dateTimeText(locale_, platform_.clock.now());
  facts.mark = f.port() != "-1" ? "@" : "!";
  return facts;
}

// Champ1 to Champ8, the same in an alert and in a rule.
void Monitor::fillRecord(RecordStore& table, const std::string& name, const ProgramFacts& facts) {
  table.setField("Champ1", name);
  table.setField("Champ2", facts.recorded);
  table.setField("Champ3", facts.mark);
  table.setField("Champ4", facts.dateText);
  table.setField("Champ5", facts.sizeText);
  table.setField("Champ6", facts.attributes);
  table.setField("Champ7", facts.owner);
  table.setField("Champ8", facts.path);
}

void Monitor::recordAlert(const std::string& name, const ProgramFacts& facts) {
  RecordStore& alerts = stores_.table(StoreId::Alerts);
  alerts.append();
  fillRecord(alerts, name, facts);
  alerts.setField("Champ9", facts.modules);
  alerts.post();
  alertsUnsaved_ = true;
}

// A program that the per-letter files name is a known danger: the user is told.
void Monitor::warnOfKnownDanger(const std::string& name) {
  const std::string letterFile = state_.ProgramDirectory + name.substr(0, 1) + ".txt";
  if (!platform_.files.exists(letterFile)) return;
  const Lines names = readLines(platform_.files, letterFile).value_or(Lines{});
  for (std::size_t i = 1; i < names.size(); ++i)
    if (equalsIgnoringAsciiCase(names[i], name)) {
      NotifyUser(platform_.shell, state_.ProgramDirectory, language_.text(89) + name);
      return;
    }
}

bool Monitor::offerQuarantine(const ConnectionFields& f, const ProgramFacts& facts, const std::string& stored) {
  const std::string& name = f.name();
  AlertInProgress = true;
  if (state_.ReactionLevel != 1) {
    AlertInProgress = false;
    return false;
  }
  saveRecords();  // what is recorded so far is on the disk before the user is asked
  const char CR = '\r';
  const std::string question = "process :" + f.pid() + CR + language_.text(20) + name + CR + " ( " + " " +
                               facts.sizeText + language_.text(32) + CR + language_.text(33) + facts.dateText + " " +
                               CR + language_.text(46) + " )";
  const Answer answer = platform_.dialogs.askYesNo(question);
  AlertInProgress = false;
  // Pages may have changed the stores while the question was open.
  refreshLookups();
  noticeChanges();
  if (answer != Answer::Yes) return false;
  KillByName(platform_.processes, name);
  RecordStore& q = stores_.table(StoreId::Quarantine);
  stores_.load(StoreId::Quarantine);
  q.open();
  q.append();
  q.setField("Champ1", name);
  q.post();
  stores_.save(StoreId::Quarantine);
  // The file now holds what it held and this row: what was learnt of it stays true.
  std::vector<std::string> names;
  for (const PackedRow& row : q.rows()) names.emplace_back(valueOf(row, 0));
  q.close();
  if (names.size() != quarantineFileNames_.size() + 1 ||
      !std::equal(quarantineFileNames_.begin(), quarantineFileNames_.end(), names.begin()))
    ++epoch_;  // it held more than was fed
  quarantineFileNames_ = std::move(names);
  quarantineStampNow_ = knownQuarantineStamp_ = quarantineFileStamp_ = quarantineStamp();
  knownNames_.insert(stored);
  return true;
}

void Monitor::recordRule(const std::string& name, const ProgramFacts& facts, const std::string& stored) {
  RecordStore& rules = stores_.table(StoreId::Rules);
  rules.append();
  fillRecord(rules, name, facts);
  rules.setField("Champ9", facts.path.empty() ? "0" : std::to_string(FileChecksum(platform_.files, facts.path)));
  rules.post();
  rulesUnsaved_ = true;
  // The monitor's own rule keeps what it knew true, and makes this name known.
  knownRulesGeneration_ = rules.generation();
  knownNames_.insert(stored);
}

void Monitor::journal(const ConnectionFields& f) {
  if (!state_.JournalOn) return;
  const DateTime now = platform_.clock.now();
  const std::string stamp = dateTimeText(locale_, now);
  if (!(state_.JournalMatchedOnly && f.port() == "-1")) {
    JournalLines.push_back(f.name() + stamp + f.field[2] + f.address() + f.port());
    ++JournalCount;
  }
  if (JournalCount <= 100) return;
  // The block is complete: it goes to a file of its own, and the next lines to the next block.
  unwrittenJournals_.push_back({freeJournalName(stamp), std::move(JournalLines)});
  JournalLines.clear();
  JournalCount = 0;
  writeJournals();
}

// The journal file named from a date and time, or, when a file or a block
// waiting to be written already has that name, the same name followed by "-2",
// "-3" and so on: the name still starts with the moment and sorts beside it,
// and a dash cannot be read as one more digit of the time.
std::string Monitor::freeJournalName(const std::string& stamp) {
  const std::string base = state_.ProgramDirectory + "tcp" + without(without(stamp, '/'), ':');
  auto taken = [this](const std::string& path) {
    return platform_.files.exists(path) ||
           std::any_of(unwrittenJournals_.begin(), unwrittenJournals_.end(),
                       [&](const JournalFile& j) { return equalsIgnoringAsciiCase(j.path, path); });
  };
  std::string path = base + ".txt";
  for (int n = 2; taken(path); ++n) path = base + "-" + std::to_string(n) + ".txt";
  return path;
}

void Monitor::writeJournals() {
  // A block that cannot be written keeps its lines and its name, and is
  // written again later (over what a failed write left of it).
  std::erase_if(unwrittenJournals_, [this](const JournalFile& j) { return writeLines(platform_.files, j.path, j.lines); });
}

}  // namespace tg
