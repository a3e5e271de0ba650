#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "stores/DataPacket.h"
#include "stores/TextFile.h"
#include "PageTest.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"
#include "testing/StoreRows.h"

namespace tg {
namespace {

using testing::FakePlatform;

// One line of netguard.txt as the network engine writes it.
std::string line(const std::string& name, std::uint32_t pid, const std::string& address, const std::string& port) {
  return name + ";" + std::to_string(pid) + ";TCP;10.0.0.2:50000;" + address + ";" + port + ";ESTABLISHED;50000;;;;";
}

// Entry N reads "frN ", so that the texts the monitor puts together read plainly.
class MonitorTest : public testing::PageTest {
 protected:
  MonitorTest() : PageTest(testing::numberedEntries("fr", 101, " ")) {
    withNetworkEngine();
    fake.clock.set({2026, 12, 8, 10, 15, 0, 0});
  }

  MainWindow& start() { return startShown(); }
  Monitor& monitor() { return window->monitor; }
  // A running program with a file on the disk.
  std::uint32_t program(const std::string& name, const std::string& path = "") {
    const std::string exe = path.empty() ? "C:\\Apps\\" + name : path;
    fake.files.addFile(exe, std::string(3000, 'x'));
    fake.files.setTimes(exe, {2025, 11, 7, 14, 3, 58, 0}, {2026, 1, 1, 0, 0, 0, 0});
    fake.files.setOwner(exe, {"PC-BUREAU", "Elodie"});
    return fake.processes.add(name, {exe, "C:\\Windows\\System32\\ntdll.dll"});
  }
  std::vector<Row> rows(const std::string& file) {
    auto packet = decodeDataPacket(fake.files.contents(fake.inProgram(file)).value_or(""), CodePage(1252));
    return packet ? packet->rows : std::vector<Row>{};
  }
  std::vector<std::string> created() const { return fake.processes.created; }
};

TEST_F(MonitorTest, NothingIsExaminedWhileAScanRunsButTheUpdateCheckStillDoes) {
  start();
  fake.processes.add("scanengine.exe");
  const auto pid = program("firefox.exe");
  connections = {line("firefox.exe", pid, "93.184.216.34", "443")};
  fake.clock.set({2026, 12, 8, 10, 29, 59, 0});  // the tick falls in minute 30
  tick();
  EXPECT_EQ(netguardStarts, 0);
  EXPECT_TRUE(rows("alertes.xml").empty());
  EXPECT_EQ(created(), (std::vector<std::string>{"dbupdate.exe 0"}));
}

TEST_F(MonitorTest, TheDatabaseUpdateStartsOnceAtMinuteThirtyWithARealAddressOnly) {
  start();
  fake.sockets.address = std::vector<std::uint8_t>{127, 0, 0, 1};
  fake.clock.set({2026, 12, 8, 10, 29, 55, 0});
  tick();
  EXPECT_TRUE(created().empty());
  fake.sockets.address = std::vector<std::uint8_t>{192, 168, 1, 20};
  tick();
  tick();
  EXPECT_EQ(created(), (std::vector<std::string>{"dbupdate.exe 0"}));
  EXPECT_TRUE(monitor().UpdateStarted);
}

TEST_F(MonitorTest, WithOnlyHttpOnAConnectionOnPort80EndsItsProgramAnd443DoesNot) {
  start();
  state().ProtocolSwitches[static_cast<std::size_t>(Protocol::HTTP)] = true;
  const auto web = program("web.exe");
  const auto secure = program("secure.exe");
  connections = {line("web.exe", web, "1.2.3.4", "80"), line("secure.exe", secure, "1.2.3.4", "443")};
  tick();
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"web.exe"}));
  EXPECT_EQ(window->StatusBar1.simpleText(), "fr66 ");
  fake.timers.advance(1500);  // the text stays for its while, then goes
  EXPECT_EQ(window->StatusBar1.simpleText(), "");
}

TEST_F(MonitorTest, FtpCoversPorts20_21_69And115) {
  start();
  state().ProtocolSwitches[static_cast<std::size_t>(Protocol::FTP)] = true;
  for (const char* port : {"20", "21", "69", "115", "22"}) {
    const std::string name = std::string("p") + port + ".exe";
    connections.push_back(line(name, program(name), "1.2.3.4", port));
  }
  tick();
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"p20.exe", "p21.exe", "p69.exe", "p115.exe"}));
}

TEST_F(MonitorTest, APortOfMinusOneIsNeverBlockedAndItsAlertCarriesAnExclamationMark) {
  start();
  state().ProtocolSwitches.fill(true);
  state().InternetAllowed = false;
  const auto pid = program("svc.exe");
  connections = {line("svc.exe", pid, "", "-1")};
  tick();
  EXPECT_TRUE(fake.processes.endedNames.empty());
  ASSERT_EQ(rows("alertes.xml").size(), 1u);
  EXPECT_EQ(rows("alertes.xml")[0][2], "!");
}

TEST_F(MonitorTest, AtLevelOneThePortQuestionIsAskedAndNoAllowsThePortForTheRun) {
  start();
  window->TrackBar1.moveTo(1);
  const auto pid = program("svc.exe");
  connections = {line("svc.exe", pid, "", "-1")};
  fake.dialogs.answerNext(Answer::No);  // the port
  fake.dialogs.answerNext(Answer::No);  // the new program: allowed
  tick();
  ASSERT_EQ(fake.dialogs.questions.size(), 2u);
  EXPECT_EQ(fake.dialogs.questions[0], "fr54 -1 pour svc.exe");
  EXPECT_EQ(monitor().AllowedPorts, (std::vector<std::string>{"-1"}));
  tick();
  EXPECT_EQ(fake.dialogs.questions.size(), 2u);  // neither asked again

  // A port answered Yes ends the program, and is asked about again.
  const auto other = program("other.exe");
  connections = {line("other.exe", other, "", "8080")};
  fake.dialogs.answerNext(Answer::Yes);
  tick();
  EXPECT_EQ(fake.processes.ended, (std::vector<std::string>{"other.exe#" + std::to_string(other)}));
}

TEST_F(MonitorTest, AtLevelTwoANewProgramIsRecordedAsAnAlertAndARuleAtOnceAndOnlyOnce) {
  start();
  const auto pid = program("firefox.exe");
  connections = {line("firefox.exe", pid, "93.184.216.34", "443"), line("firefox.exe", pid, "93.184.216.34", "443")};
  tick();
  EXPECT_TRUE(fake.dialogs.questions.empty());
  const auto alerts = rows("alertes.xml");
  const auto rules = rows("regles.xml");
  ASSERT_EQ(alerts.size(), 1u);
  ASSERT_EQ(rules.size(), 1u);
  const Row& r = rules[0];
  EXPECT_EQ(r[0], "firefox.exe");
  EXPECT_EQ(r[1], "08/12/2026 10:15:02");  // the tick at 10:15:01.5 reads the file 0.6 s later
  EXPECT_EQ(r[2], "@");
  EXPECT_EQ(r[3], "07/11/2025");
  EXPECT_EQ(r[4], "3");  // 3000 bytes, in kilobytes rounded
  EXPECT_EQ(r[5], "32");
  EXPECT_EQ(r[6], "PC-BUREAU/Elodie");
  EXPECT_EQ(r[7], "C:\\Apps\\firefox.exe");
  std::uint32_t sum = 0;
  for (int i = 375; i <= 748; ++i) sum += 0x78787878u;  // 750 words: 375 to 748 counted
  EXPECT_EQ(r[8], std::to_string(sum));
  EXPECT_EQ(alerts[0][8], "C:\\Apps\\firefox.exe;C:\\Windows\\System32\\ntdll.dll;");
  for (int f = 0; f < 8; ++f) EXPECT_EQ(alerts[0][static_cast<std::size_t>(f)], r[static_cast<std::size_t>(f)]) << f;

  tick();
  EXPECT_EQ(rows("regles.xml").size(), 1u);
  EXPECT_EQ(rows("alertes.xml").size(), 1u);
}

TEST_F(MonitorTest, ProgramsMetTogetherAreSavedTogetherAndBeforeAnyQuestion) {
  start();
  const int rulesBefore = fake.files.writeCount(fake.inProgram("regles.xml.saving"));
  const int alertsBefore = fake.files.writeCount(fake.inProgram("alertes.xml.saving"));
  for (const char* name : {"a.exe", "b.exe", "c.exe"}) connections.push_back(line(name, program(name), "", "80"));
  tick();
  EXPECT_EQ(rows("regles.xml").size(), 3u);
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("regles.xml.saving")), rulesBefore + 1);
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("alertes.xml.saving")), alertsBefore + 1);

  // At level 1 the alert is on the disk while its question is open.
  window->TrackBar1.moveTo(1);
  monitor().AllowedPorts = {"80"};
  connections = {line("d.exe", program("d.exe"), "", "80")};
  std::size_t alertsWhileAsked = 0;
  fake.dialogs.answerNext(Answer::No, [&] { alertsWhileAsked = rows("alertes.xml").size(); });
  tick();
  EXPECT_EQ(alertsWhileAsked, 4u);
  EXPECT_EQ(rows("regles.xml").size(), 4u);
}

TEST_F(MonitorTest, RecordsThatCannotBeSavedAreKeptSavedLaterAndTheUserIsToldOnce) {
  start();
  fake.files.setDiskFull(true);
  connections = {line("a.exe", program("a.exe"), "", "80")};
  tick();
  connections.push_back(line("b.exe", program("b.exe"), "", "80"));
  tick();
  tick();
  // One report for each store, not one per reading; the files are as they were.
  ASSERT_EQ(fake.dialogs.errors.size(), 2u);
  EXPECT_NE(fake.dialogs.errors[0].find("alertes.xml"), std::string::npos) << fake.dialogs.errors[0];
  EXPECT_NE(fake.dialogs.errors[1].find("regles.xml"), std::string::npos) << fake.dialogs.errors[1];
  EXPECT_TRUE(rows("regles.xml").empty());
  fake.files.setDiskFull(false);
  connections.push_back(line("c.exe", program("c.exe"), "", "80"));
  tick();
  EXPECT_EQ(rows("regles.xml").size(), 3u);
  EXPECT_EQ(rows("alertes.xml").size(), 3u);
  EXPECT_EQ(fake.dialogs.errors.size(), 2u);
}

TEST_F(MonitorTest, ARuleForWinwordAlsoMakesWordKnown) {
  start();
  testing::appendRow(window->centre.stores.table(StoreId::Rules), {"winword.exe"});
  connections = {line("word.exe", program("word.exe"), "", "80")};
  tick();
  EXPECT_TRUE(rows("alertes.xml").empty());
}

TEST_F(MonitorTest, AProgramLeftInQuarantineIsNotRecordedAgain) {
  fake.files.addFile(fake.inProgram("quarantaines.xml"),
                     encodeDataPacket({{"Champ1", 200}}, {{"evil.exe"}}, CodePage(1252)));
  start();
  state().QuarantineNames.clear();  // as if the page had not refilled it
  connections = {line("evil.exe", program("evil.exe"), "", "80")};
  tick();
  EXPECT_TRUE(rows("alertes.xml").empty());
}

TEST_F(MonitorTest, AProgramTakenOutOfQuarantineIsRecordedAtTheNextReading) {
  fake.files.addFile(fake.inProgram("quarantaines.xml"),
                     encodeDataPacket({{"Champ1", 200}}, {{"evil.exe"}}, CodePage(1252)));
  start();
  state().QuarantineNames.clear();
  connections = {line("evil.exe", program("evil.exe"), "", "80")};
  tick();
  EXPECT_TRUE(rows("regles.xml").empty());
  fake.files.writeBytes(fake.inProgram("quarantaines.xml"), encodeDataPacket({{"Champ1", 200}}, {}, CodePage(1252)));
  tick();
  EXPECT_EQ(rows("regles.xml").size(), 1u);
}

TEST_F(MonitorTest, QuarantinedNamesEndTheirProgramsTrimmed) {
  fake.files.addFile(fake.inProgram("quarantaines.xml"),
                     encodeDataPacket({{"Champ1", 200}}, {{"  evil.exe "}}, CodePage(1252)));
  start();
  const auto pid = program("evil.exe");
  connections = {line(" evil.exe", pid, "", "80")};
  tick();
  EXPECT_EQ(fake.processes.ended, (std::vector<std::string>{"evil.exe#" + std::to_string(pid)}));
}

TEST_F(MonitorTest, TheQuarantineAnswerWritesTheStoreAndEndsEveryInstance) {
  start();
  window->TrackBar1.moveTo(1);
  monitor().AllowedPorts = {"80"};
  const auto first = program("bad.exe");
  fake.processes.add("bad.exe");
  connections = {line("bad.exe", first, "", "80")};
  fake.dialogs.answerNext(Answer::Yes);
  tick();
  ASSERT_EQ(fake.dialogs.questions.size(), 1u);
  EXPECT_EQ(fake.dialogs.questions[0],
            "process :" + std::to_string(first) + "\rfr20 bad.exe\r (  3fr32 \rfr33 07/11/2025 \rfr46  )");
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"bad.exe", "bad.exe"}));
  EXPECT_EQ(rows("quarantaines.xml"), (std::vector<Row>{{"bad.exe"}}));
  EXPECT_TRUE(rows("regles.xml").empty());
  EXPECT_FALSE(monitor().AlertInProgress);
  EXPECT_FALSE(window->centre.stores.table(StoreId::Quarantine).active());
}

TEST_F(MonitorTest, ATickNestedInAQuestionRecordsNothing) {
  start();
  window->TrackBar1.moveTo(1);
  const auto a = program("a.exe");
  const auto b = program("b.exe");
  connections = {line("a.exe", a, "", " ")};  // a port of " " is never asked about
  bool nestedRan = false;
  fake.dialogs.answerNext(Answer::No, [&] {
    connections = {line("b.exe", b, "", " ")};
    const int before = netguardStarts;
    fake.timers.advance(2200);  // ticks of Timer1 come while the box is open
    nestedRan = netguardStarts > before;
    EXPECT_TRUE(monitor().AlertInProgress);
  });
  tick();
  EXPECT_TRUE(nestedRan);
  ASSERT_EQ(rows("regles.xml").size(), 1u);
  EXPECT_EQ(rows("regles.xml")[0][0], "a.exe");
  EXPECT_EQ(fake.dialogs.questions.size(), 1u);  // b.exe was not asked about inside
  fake.dialogs.answerNext(Answer::No);
  tick();
  EXPECT_EQ(rows("regles.xml").size(), 2u);
}

TEST_F(MonitorTest, ProgramsWithNamesLongerThanTheFieldAreKnownAndEndedAcrossARestart) {
  const std::string allowed = std::string(226, 'a') + ".exe";  // 230 characters; the stores keep 200
  const std::string banned = std::string(221, 'b') + ".exe";
  start();
  connections = {line(allowed, program(allowed), "", "80")};
  tick();
  window->TrackBar1.moveTo(1);
  monitor().AllowedPorts = {"80"};
  connections = {line(banned, program(banned), "", "80")};
  fake.dialogs.answerNext(Answer::Yes);
  tick();
  ASSERT_EQ(rows("regles.xml").size(), 1u);
  EXPECT_EQ(rows("regles.xml")[0][0], allowed.substr(0, 200));
  EXPECT_EQ(rows("quarantaines.xml"), (std::vector<Row>{{banned.substr(0, 200)}}));
  ASSERT_EQ(rows("alertes.xml").size(), 2u);

  window.reset();  // the next run reads the same files
  start();
  const auto pid = program(banned);
  connections = {line(allowed, program(allowed), "", "80"), line(banned, pid, "", "80")};
  tick();
  EXPECT_EQ(fake.processes.ended.back(), banned + "#" + std::to_string(pid));  // by its whole name
  EXPECT_EQ(rows("alertes.xml").size(), 2u);
  EXPECT_EQ(rows("regles.xml").size(), 1u);
}

TEST_F(MonitorTest, ARuleRecordedOnOneLineMakesTheNamesInsideItKnownFromTheNextLineOn) {
  start();
  for (const char* name : {"winword.exe", "word.exe", "pad.exe", "notepad.exe", "pad.exe", "ord.exe"})
    connections.push_back(line(name, program(name), "", "80"));
  tick();
  std::vector<std::string> recorded;
  for (const Row& r : rows("regles.xml")) recorded.push_back(r[0]);
  EXPECT_EQ(recorded, (std::vector<std::string>{"winword.exe", "pad.exe", "notepad.exe"}));
  EXPECT_EQ(rows("alertes.xml").size(), 3u);
}

TEST_F(MonitorTest, ARuleRemovedWhileAQuestionIsOpenNoLongerMakesItsProgramKnown) {
  start();
  RecordStore& rules = window->centre.stores.table(StoreId::Rules);
  testing::appendRow(rules, {"xb.exe"});
  connections = {line("b.exe", program("b.exe"), "", "80")};
  tick();  // known through xb.exe
  EXPECT_TRUE(rows("alertes.xml").empty());

  window->TrackBar1.moveTo(1);
  monitor().AllowedPorts = {"80"};
  connections = {line("a.exe", program("a.exe"), "", "80"), line("b.exe", program("b.exe"), "", "80")};
  fake.dialogs.answerNext(Answer::No, [&] {  // the rule page removes xb.exe meanwhile
    rules.first();
    rules.deleteRecord();
  });
  fake.dialogs.answerNext(Answer::No);
  tick();
  ASSERT_EQ(fake.dialogs.questions.size(), 2u);
  std::vector<std::string> recorded;
  for (const Row& r : rows("regles.xml")) recorded.push_back(r[0]);
  EXPECT_EQ(recorded, (std::vector<std::string>{"a.exe", "b.exe"}));
}

TEST_F(MonitorTest, RulesATickNestedInAPortQuestionRecordsAreKnownToTheTickThatAsked) {
  start();
  window->TrackBar1.moveTo(1);
  const auto superapp = program("superapp.exe");
  connections = {line("first.exe", program("first.exe"), "", " "), line("other.exe", program("other.exe"), "", "8080"),
                 line("app.exe", program("app.exe"), "", " ")};
  fake.dialogs.answerNext(Answer::No);  // first.exe is allowed
  fake.dialogs.answerNext(Answer::No, [&] {  // port 8080 is allowed; meanwhile a tick meets superapp.exe
    connections = {line("superapp.exe", superapp, "", " ")};
    fake.timers.advance(2200);
  });
  fake.dialogs.answerNext(Answer::No);  // superapp.exe, inside, is allowed
  fake.dialogs.answerNext(Answer::No);  // other.exe is allowed
  tick();
  EXPECT_EQ(fake.dialogs.questions.size(), 4u);  // app.exe is known through superapp.exe
  std::vector<std::string> recorded;
  for (const Row& r : rows("regles.xml")) recorded.push_back(r[0]);
  EXPECT_EQ(recorded, (std::vector<std::string>{"first.exe", "superapp.exe", "other.exe"}));
}

TEST_F(MonitorTest, AConnectionOfProcessZeroRecordsNoModulesAndNoPath) {
  start();
  connections = {line("system.exe", 0, "", "80")};
  tick();
  const auto alerts = rows("alertes.xml");
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(valueOf(alerts[0], 0), "system.exe");
  EXPECT_EQ(valueOf(alerts[0], 7), "");
  EXPECT_EQ(valueOf(alerts[0], 8), "");  // not the control centre's own modules
  EXPECT_EQ(valueOf(rows("regles.xml").at(0), 8), "0");
}

TEST_F(MonitorTest, TheHundredAndFirstJournalLineWritesAFileOfThatManyLines) {
  start();
  state().JournalOn = true;
  testing::appendRow(window->centre.stores.table(StoreId::Rules), {"app.exe"});
  for (int i = 0; i < 60; ++i) connections.push_back(line("app.exe", 4, "5.6.7.8", "443"));
  tick();  // 60 lines
  EXPECT_EQ(monitor().JournalCount, 60);
  tick();  // 41 more make 101
  const std::vector<std::string> files = fake.files.fileNames(FakePlatform::kProgramDirectory);
  const auto journal = std::find_if(files.begin(), files.end(), [](const std::string& n) { return n.rfind("tcp", 0) == 0; });
  ASSERT_NE(journal, files.end());
  EXPECT_EQ(*journal, "tcp08122026 101503.txt");
  const Lines written = readLines(fake.files, fake.inProgram(*journal)).value();
  EXPECT_EQ(written.size(), 101u);
  EXPECT_EQ(written[0], "app.exe08/12/2026 10:15:02TCP5.6.7.8443");
  EXPECT_EQ(monitor().JournalCount, 19);
  EXPECT_EQ(monitor().JournalLines.size(), 19u);
}

std::vector<std::string> journalFiles(testing::FakeFileSystem& files) {
  std::vector<std::string> names = files.fileNames(FakePlatform::kProgramDirectory);
  std::erase_if(names, [](const std::string& n) { return n.rfind("tcp", 0) != 0; });
  return names;
}

TEST_F(MonitorTest, JournalFilesOfTheSameSecondGetNamesOfTheirOwnAndExactlyTheirLines) {
  start();
  state().JournalOn = true;
  testing::appendRow(window->centre.stores.table(StoreId::Rules), {"app.exe"});
  for (int i = 0; i < 250; ++i) connections.push_back(line("app.exe", 4, "5.6.7.8", std::to_string(i)));
  tick();
  const auto files = journalFiles(fake.files);
  ASSERT_EQ(files, (std::vector<std::string>{"tcp08122026 101502-2.txt", "tcp08122026 101502.txt"}));
  const Lines first = readLines(fake.files, fake.inProgram(files[1])).value();
  const Lines second = readLines(fake.files, fake.inProgram(files[0])).value();
  ASSERT_EQ(first.size(), 101u);
  ASSERT_EQ(second.size(), 101u);
  EXPECT_EQ(first[0], "app.exe08/12/2026 10:15:02TCP5.6.7.80");
  EXPECT_EQ(second[0], "app.exe08/12/2026 10:15:02TCP5.6.7.8101");
  EXPECT_EQ(monitor().JournalCount, 48);
  EXPECT_EQ(monitor().JournalLines.size(), 48u);
  EXPECT_EQ(monitor().JournalLines[0], "app.exe08/12/2026 10:15:02TCP5.6.7.8202");
}

TEST_F(MonitorTest, AJournalFileThatCannotBeWrittenIsWrittenLaterWithItsOwnLinesOnly) {
  start();
  state().JournalOn = true;
  testing::appendRow(window->centre.stores.table(StoreId::Rules), {"app.exe"});
  auto reading = [](int from, int count) {
    Lines lines;
    for (int i = from; i < from + count; ++i) lines.push_back(line("app.exe", 4, "5.6.7.8", std::to_string(i)));
    lines.push_back("end;0;;");
    return lines;
  };
  fake.files.setDiskFull(true);
  monitor().processLines(reading(0, 101));
  EXPECT_EQ(monitor().unwrittenJournalFiles(), 1u);
  EXPECT_TRUE(monitor().JournalLines.empty());
  fake.files.setDiskFull(false);
  monitor().processLines(reading(101, 1));  // the waiting block is written at the end of the reading
  EXPECT_EQ(monitor().unwrittenJournalFiles(), 0u);
  monitor().processLines(reading(102, 100));
  const auto files = journalFiles(fake.files);
  ASSERT_EQ(files, (std::vector<std::string>{"tcp08122026 101500-2.txt", "tcp08122026 101500.txt"}));
  const Lines first = readLines(fake.files, fake.inProgram(files[1])).value();
  const Lines second = readLines(fake.files, fake.inProgram(files[0])).value();
  ASSERT_EQ(first.size(), 101u);
  ASSERT_EQ(second.size(), 101u);
  EXPECT_EQ(first.back(), "app.exe08/12/2026 10:15:00TCP5.6.7.8100");
  EXPECT_EQ(second.front(), "app.exe08/12/2026 10:15:00TCP5.6.7.8101");
  EXPECT_EQ(monitor().JournalCount, 0);
}

TEST_F(MonitorTest, OnlyMatchedConnectionsAreJournaledWhenAsked) {
  start();
  state().JournalOn = true;
  state().JournalMatchedOnly = true;
  testing::appendRow(window->centre.stores.table(StoreId::Rules), {"app.exe"});
  connections = {line("app.exe", 4, "", "-1"), line("app.exe", 4, "5.6.7.8", "443")};
  tick();
  EXPECT_EQ(monitor().JournalLines.size(), 1u);
}

TEST_F(MonitorTest, AOneLineFileYieldsNothing) {
  start();
  connections = {};  // only the closing line
  tick();
  EXPECT_EQ(netguardStarts, 1);
  EXPECT_TRUE(rows("alertes.xml").empty());
  EXPECT_EQ(monitor().ConnectionLines.size(), 1u);
}

// No machine has this many connections, but a file of any size may lie where
// netguard.txt goes: a reading takes its first lines, says once that it was
// cut, and goes through a long list in slices without losing a line.
TEST_F(MonitorTest, AReadingPastItsBoundTakesTheFirstLinesAndSaysSoOnce) {
  start();
  const auto known = program("known.exe");
  connections.assign(Monitor::kMaxReadingLines - 2, line("known.exe", known, "", "80"));
  connections.push_back(line("inside.exe", program("inside.exe"), "", "80"));
  connections.push_back(line("closing.exe", program("closing.exe"), "", "80"));  // the last line read closes the list
  connections.push_back(line("beyond.exe", program("beyond.exe"), "", "80"));
  tick();
  std::vector<std::string> recorded;
  for (const Row& r : rows("regles.xml")) recorded.push_back(r[0]);
  EXPECT_EQ(recorded, (std::vector<std::string>{"known.exe", "inside.exe"}));
  EXPECT_EQ(window->StatusBar1.simpleText(), builtInText("FR", 104));
  EXPECT_EQ(monitor().ConnectionLines.size(), Monitor::kMaxReadingLines);
  EXPECT_FALSE(monitor().waitingForEngine());  // every slice done within the tick
  fake.timers.advance(Monitor::kStatusShownMs);
  EXPECT_EQ(window->StatusBar1.simpleText(), "");
  tick();
  EXPECT_EQ(window->StatusBar1.simpleText(), "");  // told once

  // A file of bytes without a line end within the bound gives no line at all.
  connections = {std::string(Monitor::kMaxReadingBytes + 10, 'x'), line("after.exe", program("after.exe"), "", "80")};
  tick();
  EXPECT_EQ(rows("regles.xml").size(), 2u);
  EXPECT_TRUE(monitor().ConnectionLines.empty());
}

TEST_F(MonitorTest, AMissingFileDateIsAQuestionMarkInEveryDateFormat) {
  fake.locale.set(testing::FakeLocale::english());
  start();
  const auto pid = fake.processes.add("ghost.exe", {"C:\\Gone\\ghost.exe"});
  connections = {line("ghost.exe", pid, "", "80")};
  tick();
  const auto rules = rows("regles.xml");
  ASSERT_EQ(rules.size(), 1u);
  const Row& r = rules[0];
  EXPECT_EQ(r[3], "?");
  EXPECT_EQ(r[4], "?");
  EXPECT_EQ(r[5], "0");
  EXPECT_EQ(r[8], "0");  // a path with no file: no checksum to take
}

TEST_F(MonitorTest, ListedSitesAreBlockedAndAConnectionWithoutAddressIsNot) {
  start();
  state().ConfigurationSwitches[6] = true;  // Champ7
  state().CtrlplSwitch = true;
  state().BlockedSiteNames = {"bad.example", "no address"};
  state().BlockedSiteAddresses = {"93.184.216.34", ""};
  const auto browser = program("tfirefox.exe");
  program("firefox.exe");
  const auto quiet = program("quiet.exe");
  connections = {line("tfirefox.exe", browser, "[93.184.216.34]", "80"), line("quiet.exe", quiet, "", "-1")};
  tick();
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"tfirefox.exe", "firefox.exe"}));
}

TEST_F(MonitorTest, WithoutInternetWebConnectionsEnd) {
  start();
  state().InternetAllowed = false;
  for (const char* port : {"80", "443", "21"}) {
    const std::string name = std::string("w") + port + ".exe";
    connections.push_back(line(name, program(name), "1.2.3.4", port));
  }
  tick();
  EXPECT_EQ(fake.processes.endedNames, (std::vector<std::string>{"w80.exe", "w443.exe"}));
}

TEST_F(MonitorTest, ScheduledTasksRunAtEachNewMinuteAndHour) {
  fake.clock.set({2026, 12, 8, 10, 59, 56, 0});
  start();
  state().ConfigurationSwitches[7] = true;  // Champ8
  state().BackupEveryHour = true;
  state().BackupPair = "C:\\Data;D:\\Copies";
  auto starts = [&](const std::string& exe) {
    return std::count_if(fake.shell.requests.begin(), fake.shell.requests.end(),
                         [&](const ShellRequest& r) { return r.file == fake.inProgram(exe); });
  };
  tick();  // the first: mail filter and hourly backup, never the hourly scan
  EXPECT_EQ(starts("mailfilter.exe"), 1);
  EXPECT_EQ(starts("backup.exe"), 1);
  EXPECT_TRUE(created().empty());
  tick();  // still 10:59
  EXPECT_EQ(starts("mailfilter.exe"), 1);
  tick();  // 11:00: a new minute and a new hour
  EXPECT_EQ(starts("mailfilter.exe"), 2);
  EXPECT_EQ(starts("backup.exe"), 2);
  EXPECT_EQ(created(), (std::vector<std::string>{"scanengine.exe 0"}));
}

TEST_F(MonitorTest, ATickWaitsForTheEngineAndNoOtherStartsMeanwhile) {
  start();
  connections = {line("app.exe", program("app.exe"), "", "80")};
  // The engine runs 4 seconds: its executable stays in use.
  fake.shell.onExecute = [this](const ShellRequest& r) -> std::intptr_t {
    if (r.file == fake.inProgram("netguard.exe")) {
      ++netguardStarts;
      fake.files.setLocked(fake.inProgram("netguard.exe"), true);
      fake.timers.startOnce(4000, [this] {
        Lines out = connections;
        out.push_back("end;");
        fake.files.addFile(fake.inProgram("netguard.txt"), joinLines(out));  // written whatever the test does to the disk
        fake.files.setLocked(fake.inProgram("netguard.exe"), false);
      });
    }
    return kShellSuccess;
  };
  fake.timers.advance(1500);
  EXPECT_TRUE(monitor().waitingForEngine());
  fake.timers.advance(3000);  // two more ticks fall due meanwhile
  EXPECT_EQ(netguardStarts, 1);
  EXPECT_TRUE(rows("alertes.xml").empty());
  fake.timers.advance(1700);  // released at 5.5 s, read 0.6 s later; the tick at 6 s is skipped
  EXPECT_FALSE(monitor().waitingForEngine());
  EXPECT_EQ(rows("alertes.xml").size(), 1u);
  EXPECT_EQ(netguardStarts, 1);
}

TEST_F(MonitorTest, AnEngineThatNeverEndsGivesTheTickUpAtItsBound) {
  start();
  fake.files.setLocked(fake.inProgram("netguard.exe"), true);
  connections = {line("app.exe", program("app.exe"), "", "80")};
  fake.timers.advance(1500 + Monitor::kEngineBoundMs);
  EXPECT_TRUE(monitor().waitingForEngine());
  fake.timers.advance(200);
  EXPECT_FALSE(monitor().waitingForEngine());
  EXPECT_TRUE(rows("alertes.xml").empty());
  EXPECT_EQ(netguardStarts, 1);
  fake.files.setLocked(fake.inProgram("netguard.exe"), false);
  fake.timers.advance(1500);
  EXPECT_EQ(netguardStarts, 2);  // the next tick starts again
}

TEST_F(MonitorTest, EachReadingLeavesItsConnectionsWithTheDecisionTakenOnEachAndAFailedOneKeepsThemAsOld) {
  fake.files.addFile(fake.inProgram("regles.xml"),
                     encodeDataPacket(schemaOf(StoreId::Rules).fields, {{"known.exe"}}, CodePage(1252)));
  fake.files.addFile(fake.inProgram("quarantaines.xml"),
                     encodeDataPacket(schemaOf(StoreId::Quarantine).fields, {{"bad.exe"}}, CodePage(1252)));
  start();
  state().ProtocolSwitches[static_cast<std::size_t>(Protocol::FTP)] = true;
  state().ConfigurationSwitches[6] = true;  // the site list
  state().BlockedSiteNames = {"exemple.fr"};
  state().BlockedSiteAddresses = {"93.184.216.34"};
  state().InternetAllowed = false;
  struct Case {
    std::string name;
    std::string address, port;
    Verdict verdict;
    std::string detail;
  };
  const std::vector<Case> cases = {
      {"known.exe", "1.2.3.4", "5000", Verdict::AllowedByRule, ""},
      {"new.exe", "1.2.3.4", "5000", Verdict::New, ""},
      {"bad.exe", "1.2.3.4", "80", Verdict::Quarantined, ""},  // ended first as quarantined
      {"ftp.exe", "1.2.3.4", "21", Verdict::ProtocolSwitch, "FTP"},
      {"listed.exe", "93.184.216.34", "5000", Verdict::SiteList, "exemple.fr"},
      {"web.exe", "1.2.3.4", "80", Verdict::InternetBlocked, ""},
  };
  connections.clear();
  for (const Case& c : cases) connections.push_back(line(c.name, program(c.name), c.address, c.port));
  connections.push_back("nopid.exe;;TCP;10.0.0.2:50000;1.2.3.4;5000;ESTABLISHED;50000;;;;");
  EXPECT_EQ(monitor().latestReading().number, 0u);
  tick();
  const SeenReading& seen = monitor().latestReading();
  EXPECT_EQ(seen.number, 1u);
  EXPECT_FALSE(seen.failed);
  ASSERT_EQ(seen.connections.size(), cases.size() + 1);
  ASSERT_EQ(seen.decisions.size(), cases.size() + 1);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(seen.connections[i].name(), cases[i].name);
    EXPECT_EQ(seen.decisions[i].verdict, cases[i].verdict) << cases[i].name;
    EXPECT_EQ(seen.decisions[i].detail, cases[i].detail) << cases[i].name;
  }
  EXPECT_EQ(seen.decisions.back().verdict, Verdict::Passed);

  // The same programs again: the new one is known now.
  tick();
  EXPECT_EQ(monitor().latestReading().decisions[1].verdict, Verdict::AllowedByRule);
  // At level 1 a new port is asked about.
  window->TrackBar1.moveTo(1);
  connections = {line("known.exe", program("known.exe"), "1.2.3.4", "8080")};
  fake.dialogs.answerNext(Answer::No);
  // The reading that asks, not the next one (which knows the port by then).
  auto nextReading = [&] {
    const std::uint64_t now = monitor().latestReading().number;
    for (int i = 0; i < 100 && monitor().latestReading().number == now; ++i) fake.timers.advance(100);
  };
  nextReading();
  if (fake.dialogs.questions.empty()) nextReading();
  EXPECT_EQ(fake.dialogs.questions.size(), 1u);
  ASSERT_EQ(monitor().latestReading().decisions.size(), 1u);
  EXPECT_EQ(monitor().latestReading().decisions[0].verdict, Verdict::Asked);

  // No list at all: the last one stays, said to be old.
  fake.shell.onExecute = [](const ShellRequest&) -> std::intptr_t { return kShellSuccess; };
  fake.files.remove(fake.inProgram("netguard.txt"));
  nextReading();
  if (!monitor().latestReading().failed) nextReading();  // one begun before the file went
  EXPECT_TRUE(monitor().latestReading().failed);
  EXPECT_EQ(monitor().latestReading().connections.size(), 1u);
}

}  // namespace
}  // namespace tg
