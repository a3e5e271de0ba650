// netguard.txt as the network engine, or anything that takes its place, may
// write it: every line goes through the connection-line reader and one whole
// reading goes through the monitor, with the stores opened as the program
// opens them and every switch that makes a step run.
//
// The input: three bytes steer the run, the rest is the file.
//   byte 0: bits 0-1 the reaction level (0 and 3 are level 3), bit 2 the
//           Internet blocked, bit 3 the journal of matched lines only, bit 4
//           the ctrlpl switch off, bit 5 site blocking off, bit 6 the journal
//           nearly full (its file is written after a few lines)
//   byte 1: the protocol switches, FTP to POP3 from bit 0
//   byte 2: the answers to the first eight questions (a set bit is Yes);
//   byte 3: which of those questions see a nested reading of the same lines
//           while they are open, as a tick nested in a modal box does
// Every run builds its own platform: the stores and the monitor keep what a
// run teaches them.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/ControlCentre.h"
#include "engines/ConnectionLine.h"
#include "watchers/Monitor.h"
#include "fuzz/FuzzCheck.h"
#include "stores/DataPacket.h"
#include "stores/StoreSchema.h"
#include "stores/TextFile.h"
#include "testing/FakePlatform.h"

namespace tg {
namespace {

using fuzz::require;
using testing::FakePlatform;

void checkLineReading(const std::string& line) {
  const ConnectionFields f = parseConnectionLine(line);
  std::size_t total = 0;
  for (const std::string& field : f.field) {
    require(field.find(';') == std::string::npos, "a field holds no ';'");
    total += field.size();
  }
  require(total <= line.size(), "the fields hold no more than the line");
  require(f.name().find(':') == std::string::npos, "a program name holds no ':'");
}

std::string packet(StoreId id, const std::vector<Row>& rows) {
  return encodeDataPacket(schemaOf(id).fields, rows, CodePage(1252));
}

// The program directory as the monitor finds it on a machine in use: the
// language file, every switch of the configuration on, a blocked site, a
// program in quarantine, a per-letter file of known dangers, and running
// programs with files on the disk (pids 1000, 1004, 1008, 1012, 1016).
void furnish(FakePlatform& fake) {
  Lines texts;
  for (int n = 1; n <= LanguageTable::kEntries; ++n) texts.push_back("fr" + std::to_string(n) + " ");
  fake.files.addFile(fake.inProgram("kelm2013_fr.txt"), joinLines(texts));
  fake.files.addFile(fake.inProgram("configuration.xml"), packet(StoreId::Configuration, {Row(12, "1")}));
  fake.files.addFile(fake.inProgram("langues.xml"), packet(StoreId::Language, {{"FR"}}));
  fake.files.addFile(fake.inProgram("site.xml"), packet(StoreId::Sites, {{"bad.example", "93.184.216.34"}, {"empty", ""}}));
  fake.files.addFile(fake.inProgram("quarantaines.xml"), packet(StoreId::Quarantine, {{"bad.exe"}}));
  fake.files.addFile(fake.inProgram("f.txt"), joinLines({"f", "firefox.exe"}));
  fake.files.addFile(fake.inProgram("netguard.exe"), "MZ");
  for (const char* name : {"firefox.exe", "svc.exe", "tnet.exe", "bad.exe", "net.exe"}) {
    const std::string exe = std::string("C:\\Apps\\") + name;
    fake.files.addFile(exe, std::string(3000, 'x'));
    fake.files.setTimes(exe, {2025, 11, 7, 14, 3, 58, 0}, {2026, 1, 1, 0, 0, 0, 0});
    fake.files.setOwner(exe, {"PC-BUREAU", "Elodie"});
    fake.processes.add(name, {exe, "C:\\Windows\\System32\\ntdll.dll"});
  }
  fake.clock.set({2026, 12, 8, 10, 15, 0, 0});
}

std::vector<Row> storedRows(FakePlatform& fake, StoreId id) {
  const auto read = decodeDataPacket(fake.files.contents(fake.inProgram(schemaOf(id).fileName)).value_or(""),
                                     CodePage(1252), nullptr, &schemaOf(id).fields);
  require(read.has_value(), "the monitor leaves its stores readable");
  return read->rows;
}

void readConnections(fuzz::InputReader& input) {
  const std::uint8_t switches = input.byte();
  const std::uint8_t protocols = input.byte();
  const std::uint8_t answers = input.byte();
  const std::uint8_t nested = input.byte();
  const Lines lines = splitLines(input.rest());
  for (const std::string& line : lines) checkLineReading(line);

  FakePlatform fake;
  furnish(fake);
  ControlCentre centre(fake.platform, FakePlatform::kProgramDirectory, {});
  centre.setStartValues();
  centre.setHomeValues();
  centre.openStores();
  centre.readBlockedSites();
  centre.loadLanguage();
  centre.readQuarantineNames();

  SharedState& state = centre.state;
  state.ReactionLevel = (switches & 3) == 0 ? 3 : switches & 3;
  state.InternetAllowed = !(switches & 0x04);
  state.JournalOn = true;
  state.JournalMatchedOnly = switches & 0x08;
  state.CtrlplSwitch = !(switches & 0x10);
  if (switches & 0x20) state.ConfigurationSwitches[6] = false;
  for (std::size_t p = 0; p < kProtocolCount; ++p) state.ProtocolSwitches[p] = protocols & (1u << p);
  require(configurationSwitch(state, 7) == !(switches & 0x20), "the configuration file's switches are read");
  require(state.BlockedSiteAddresses.size() == 2, "the site file's sites are read");

  std::string status;
  Monitor monitor(fake.platform, state, centre.stores, centre.languageTable,
                  MonitorWindow{[&status](const std::string& text) { status = text; }, {}});
  if (switches & 0x40) monitor.JournalCount = 98;
  for (int q = 0; q < 8; ++q) {
    const Answer answer = (answers >> q) & 1 ? Answer::Yes : Answer::No;
    if ((nested >> q) & 1)
      fake.dialogs.answerNext(answer, [&monitor, &lines] { monitor.processLines(lines); });
    else
      fake.dialogs.answerNext(answer);
  }

  monitor.processLines(lines);
  fake.timers.advance(Monitor::kStatusShownMs);
  require(status.empty(), "the text of a block goes after its while");
  require(!monitor.AlertInProgress, "no alert is in progress once the lines are done");

  // Every program is recorded once (names longer than the field are cut, and
  // two of them may then look the same); what is recorded is on the disk.
  RecordStore& rules = centre.stores.table(StoreId::Rules);
  const std::size_t nameSize = schemaOf(StoreId::Rules).fields[0].size;
  std::set<std::string> names;
  for (const PackedRow& row : rules.rows()) {
    const std::string name(valueOf(row, 0));
    require(!name.empty(), "a rule names its program");
    require(names.insert(name).second || name.size() == nameSize, "a program has one rule");
  }
  require(storedRows(fake, StoreId::Rules) == rules.rows(), "the rules recorded are saved");
  require(storedRows(fake, StoreId::Alerts) == centre.stores.table(StoreId::Alerts).wholeRows(), "the alerts recorded are saved");
}

}  // namespace
}  // namespace tg

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tg::fuzz::InputReader input(data, size);
  tg::readConnections(input);
  return 0;
}
