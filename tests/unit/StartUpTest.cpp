#include <gtest/gtest.h>

#include <memory>

#include "app/MainWindow.h"
#include "stores/DataPacket.h"
#include "stores/TextFile.h"
#include "PageTest.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"
#include "unit/XmlLint.h"

namespace tg {
namespace {

using testing::FakePlatform;

std::string storeXml(const std::vector<FieldDef>& fields, const std::vector<Row>& rows) {
  return encodeDataPacket(fields, rows, CodePage(1252));
}

std::vector<FieldDef> champs(std::size_t n) {
  std::vector<FieldDef> f;
  for (std::size_t i = 1; i <= n; ++i) f.push_back({"Champ" + std::to_string(i), 200});
  return f;
}

// The start-up in a program directory that holds only what each test puts.
class StartUp : public testing::PageTest {
 protected:
  StartUp() : PageTest(Lines{}) {}

  // A start-up afresh: what it asks of the shell is what the tests look at.
  ControlCentre& start() {
    window.reset();
    fake.shell.requests.clear();
    return startHidden().centre;
  }
  // What reached the message pop-up engine.
  std::vector<std::string> notified() const {
    std::vector<std::string> messages;
    for (const ShellRequest& r : fake.shell.requests)
      if (r.file == fake.inProgram("notify.exe")) messages.push_back(r.parameters);
    return messages;
  }
  void put(const std::string& name, const std::string& bytes) { fake.files.addFile(fake.inProgram(name), bytes); }
  std::string file(const std::string& name) { return fake.files.contents(fake.inProgram(name)).value_or("<missing>"); }
  DataPacket packet(const std::string& name) {
    std::string error;
    auto p = decodeDataPacket(file(name), CodePage(1252), &error);
    EXPECT_TRUE(p) << name << ": " << error;
    return p.value_or(DataPacket{});
  }
  void putLanguage(const std::string& fileName, const std::string& firstEntry) {
    Lines lines(101, "entry");
    lines[0] = firstEntry;
    put(fileName, joinLines(lines));
  }
};

TEST_F(StartUp, AFreshInstallationCreatesExactlyTheStoresAndTextFiles) {
  ControlCentre& c = start();

  EXPECT_EQ(fake.files.fileNames(FakePlatform::kProgramDirectory),
            (std::vector<std::string>{"alertes.xml", "configuration.xml", "ctrlpl.txt", "evenements.xml",
                                      "langues.xml", "mode.txt", "quarantaines.xml", "regles.xml", "site.xml",
                                      "spam.txt"}));
  for (StoreId id : kAllStores) {
    const StoreSchema& schema = schemaOf(id);
    const DataPacket p = packet(schema.fileName);
    EXPECT_EQ(p.fields, schema.fields) << schema.fileName;
    const auto errors = testing::xmllintErrors(file(schema.fileName));
    ASSERT_TRUE(errors) << "xmllint cannot be run: the test scripts install it (libxml2-utils)";
    EXPECT_EQ(*errors, "") << schema.fileName;
    if (id == StoreId::Configuration)
      EXPECT_EQ(p.rows, (std::vector<Row>{Row(12, "1")}));
    else if (id == StoreId::Language)
      EXPECT_EQ(p.rows, (std::vector<Row>{{"FR"}}));
    else
      EXPECT_TRUE(p.rows.empty()) << schema.fileName;
  }
  EXPECT_EQ(file("spam.txt"), "");
  EXPECT_EQ(file("mode.txt"), "0\r\n");
  EXPECT_EQ(file("ctrlpl.txt"), "0\r\n");

  // The new configuration's twelve "1" are not taken into memory this run.
  for (bool on : c.state.ConfigurationSwitches) EXPECT_FALSE(on);
  EXPECT_FALSE(c.state.CtrlplSwitch);
  EXPECT_EQ(c.state.WatchMode, '0');
  EXPECT_EQ(c.LanguageCode, "FR");
  EXPECT_EQ(c.languageTable.text(1), "");  // no language file shipped here
  EXPECT_TRUE(notified().empty());

  // Start values of what is never kept.
  EXPECT_TRUE(c.state.InternetAllowed);
  EXPECT_TRUE(c.state.ConnectionMonitoring);
  EXPECT_TRUE(c.state.HourlyScan);
  EXPECT_EQ(c.state.ReactionLevel, 2);

  // Left open for the run: rules, alerts, events, sites, language.
  EXPECT_TRUE(c.stores.table(StoreId::Rules).active());
  EXPECT_TRUE(c.stores.table(StoreId::Alerts).active());
  EXPECT_TRUE(c.stores.table(StoreId::Events).active());
  EXPECT_TRUE(c.stores.table(StoreId::Sites).active());
  EXPECT_TRUE(c.stores.table(StoreId::Language).active());
  EXPECT_FALSE(c.stores.table(StoreId::Configuration).active());
  EXPECT_FALSE(c.stores.table(StoreId::Quarantine).active());
}

TEST_F(StartUp, ConfigurationFieldsAreOnOnlyWhenExactlyOne) {
  const std::string xml = storeXml(champs(12), {{"1", " 1", "1 ", "0", "yes", "1", "", "1", "11", "1", "on", "1"}});
  put("configuration.xml", xml);
  ControlCentre& c = start();
  const ConfigurationValues expected{true, false, false, false, false, true, false, true, false, true, false, true};
  EXPECT_EQ(c.state.ConfigurationSwitches, expected);
  EXPECT_EQ(file("configuration.xml"), xml);  // read, never rewritten at start-up
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("configuration.xml")), 0);
}

TEST_F(StartUp, AConfigurationOfElevenFieldsIsReplacedByTheDefaultRowAndKeptAside) {
  const std::string eleven = storeXml(champs(11), {Row(11, "1")});
  put("configuration.xml", eleven);
  ControlCentre& c = start();
  EXPECT_EQ(packet("configuration.xml").rows, (std::vector<Row>{Row(12, "1")}));
  EXPECT_EQ(file("configuration.xml.unreadable"), eleven);
  for (bool on : c.state.ConfigurationSwitches) EXPECT_FALSE(on);
}

TEST_F(StartUp, AConfigurationWithoutARowIsReplacedByTheDefaultRow) {
  put("configuration.xml", storeXml(champs(12), {}));
  start();
  EXPECT_EQ(packet("configuration.xml").rows, (std::vector<Row>{Row(12, "1")}));
  EXPECT_TRUE(fake.files.exists(fake.inProgram("configuration.xml.unreadable")));
}

TEST_F(StartUp, AFailureToWriteTheDefaultConfigurationRowIsNotified) {
  // The empty table is saved, the save of its default row is not.
  fake.files.failWritesTo(fake.inProgram("configuration.xml.saving"), 1);
  ControlCentre& c = start();
  EXPECT_EQ(notified(), (std::vector<std::string>{"erreur;creation;configuration"}));
  EXPECT_TRUE(packet("configuration.xml").rows.empty());
  EXPECT_FALSE(c.stores.table(StoreId::Configuration).active());
}

TEST_F(StartUp, AnUnreadableStoreIsKeptAsideAndAFreshOneWritten) {
  put("regles.xml", "<DATAPACKET><METADATA><FIELDS>half written");
  start();
  EXPECT_EQ(file("regles.xml.unreadable"), "<DATAPACKET><METADATA><FIELDS>half written");
  EXPECT_EQ(packet("regles.xml").fields, schemaOf(StoreId::Rules).fields);
}

TEST_F(StartUp, ExistingStoresAreReadAndLeftAsTheyAre) {
  std::vector<FieldDef> rules = schemaOf(StoreId::Rules).fields;
  const std::string xml = storeXml(rules, {Row(11, "a"), Row(11, "b")});
  put("regles.xml", xml);
  ControlCentre& c = start();
  EXPECT_EQ(c.stores.table(StoreId::Rules).recordCount(), 2u);
  EXPECT_EQ(file("regles.xml"), xml);
}

TEST_F(StartUp, ALanguageCodeInLowerCaseIsResetToFrench) {
  put("langues.xml", storeXml(champs(1), {{"gb"}}));
  putLanguage("kelm2013_fr.txt", "Accueil");
  putLanguage("kelm2013_gb.txt", "Home");
  ControlCentre& c = start();
  EXPECT_EQ(packet("langues.xml").rows, (std::vector<Row>{{"FR"}}));
  EXPECT_EQ(c.LanguageCode, "FR");
  EXPECT_EQ(c.languageTable.text(1), "Accueil");
}

TEST_F(StartUp, ALanguageCodeWithSpacesPassesTheCheckAndTheWindowTakesTheFrenchTexts) {
  const std::string xml = storeXml(champs(1), {{" GB "}});
  put("langues.xml", xml);
  putLanguage("kelm2013_gb.txt", "Home");
  putLanguage("kelm2013_fr.txt", "Accueil");
  ControlCentre& c = start();
  EXPECT_EQ(file("langues.xml"), xml);  // the stored choice stays as it is
  EXPECT_EQ(c.LanguageCode, " GB ");
  EXPECT_EQ(c.languageTable.text(1), "Accueil");
}

TEST_F(StartUp, AMissingLanguageFileAlsoGivesTheFrenchTexts) {
  put("langues.xml", storeXml(champs(1), {{"DE"}}));
  putLanguage("kelm2013_fr.txt", "Accueil");
  ControlCentre& c = start();
  EXPECT_EQ(c.LanguageCode, "DE");
  EXPECT_EQ(c.languageTable.text(1), "Accueil");
}

TEST_F(StartUp, EachValidCodeLoadsItsOwnFile) {
  const std::vector<std::pair<std::string, std::string>> codes = {
      {"FR", "kelm2013_fr.txt"}, {"GB", "kelm2013_gb.txt"}, {"DE", "kelm2013_de.txt"},
      {"ITA", "kelm2013_it.txt"}, {"ESP", "kelm2013_es.txt"}};
  for (const auto& [code, fileName] : codes) putLanguage(fileName, "first of " + code);
  for (const auto& [code, fileName] : codes) {
    put("langues.xml", storeXml(champs(1), {{code}}));
    ControlCentre& c = start();
    EXPECT_EQ(c.languageTable.text(1), "first of " + code);
  }
}

TEST_F(StartUp, SiteRowsWithoutANameAreLeftOutOfBothLists) {
  put("site.xml", storeXml(champs(2), {{"a.example", "1.1.1.1"}, {"", "2.2.2.2"}, {"c.example", ""}}));
  ControlCentre& c = start();
  EXPECT_EQ(c.state.BlockedSiteNames, (std::vector<std::string>{"a.example", "c.example"}));
  EXPECT_EQ(c.state.BlockedSiteAddresses, (std::vector<std::string>{"1.1.1.1", ""}));
}

TEST_F(StartUp, QuarantinedNamesAreTrimmedAndTheStoreIsClosedAgain) {
  put("quarantaines.xml", storeXml(champs(1), {{"  evil.exe "}, {"bad.exe"}}));
  ControlCentre& c = start();
  EXPECT_EQ(c.state.QuarantineNames, (std::vector<std::string>{"evil.exe", "bad.exe"}));
  EXPECT_FALSE(c.stores.table(StoreId::Quarantine).active());
}

TEST_F(StartUp, CtrlplSwitchFollowsTheFirstLineOfItsFile) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"0\r\n", false}, {"1\r\n", true}, {"yes\r\n", true}, {"", true}, {"1", true}, {"0\n1\n", false}};
  for (const auto& [content, expected] : cases) {
    put("ctrlpl.txt", content);
    EXPECT_EQ(start().state.CtrlplSwitch, expected) << content;
    EXPECT_EQ(file("ctrlpl.txt"), content);
  }
}

TEST_F(StartUp, WatchModeIsTheFirstCharacterOfModeTxt) {
  const std::vector<std::pair<std::string, char>> cases = {{"1\r\n", '1'}, {"", '0'}, {"\r\n1\r\n", '0'}, {"x1", 'x'}};
  for (const auto& [content, expected] : cases) {
    put("mode.txt", content);
    EXPECT_EQ(start().state.WatchMode, expected) << content;
  }
}

TEST_F(StartUp, TheWatchedFolderComesFromSurveilleTxtWhenItNamesOne) {
  EXPECT_EQ(start().state.WatchedRoot, "C:\\");
  EXPECT_FALSE(fake.files.exists(fake.inProgram("surveille.txt")));
  put("surveille.txt", "");
  EXPECT_EQ(start().state.WatchedRoot, "C:\\");
  put("surveille.txt", "D:\\Documents\r\nignored\r\n");
  EXPECT_EQ(start().state.WatchedRoot, "D:\\Documents");
}

TEST_F(StartUp, SpamListHoldsTheLinesOfSpamTxt) {
  put("spam.txt", "one\r\ntwo\nthree");
  EXPECT_EQ(start().state.SpamList, (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(file("spam.txt"), "one\r\ntwo\nthree");
}

TEST_F(StartUp, TheDayStampIsTheDateTextWithoutItsSlashes) {
  fake.clock.set({2026, 12, 8, 23, 59, 58, 0});
  ControlCentre& c = start();
  EXPECT_EQ(c.state.DayStamp, "08122026");
  fake.clock.advance(5000);  // past midnight: the stamp of the first day stays
  EXPECT_EQ(c.state.DayStamp, "08122026");

  fake.locale.set(testing::FakeLocale::english());
  EXPECT_EQ(start().state.DayStamp, "1292026 ");  // "12/9/2026 " cut to ten
}

}  // namespace
}  // namespace tg
