#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "app/NavigationList.h"
#include "pages/settings/OptionsPage.h"
#include "stores/DataPacket.h"
#include "stores/LanguageChoice.h"
#include "stores/TextFile.h"
#include "PageTest.h"
#include "testing/FakePlatform.h"
#include "testing/HeadlessDesktop.h"
#include "testing/RecordingCanvas.h"

namespace tg {
namespace {

using testing::FakePlatform;
using Names = std::vector<std::string>;

// A language file whose entry N reads "<prefix> N".
std::string languageFile(const std::string& prefix, int lines = 101) {
  return joinLines(testing::numberedEntries(prefix + " ", lines));
}

class OptionsPageTest : public testing::PageTest {
 protected:
  OptionsPageTest() { fake.files.addFile(fake.inProgram("kelm2013_gb.txt"), languageFile("gb")); }

  OptionsPage& start() {
    startShown();
    return visit();
  }
  OptionsPage& visit() { return open<OptionsPage>(nav::kOptions); }
  Names stored(const std::string& file) {
    const auto packet = decodeDataPacket(fake.files.contents(fake.inProgram(file)).value_or(""), CodePage(1252));
    EXPECT_TRUE(packet) << file;
    Names out;
    if (packet)
      for (const Row& row : packet->rows) out.push_back(valueOf(row, 0));
    return out;
  }
  void apply(OptionsPage& page, const std::string& code) {
    const auto& codes = page.ComboBox3.items();
    page.ComboBox3.select(static_cast<int>(std::find(codes.begin(), codes.end(), code) - codes.begin()));
    page.BitBtn5.click();
  }
  // The files here hold the 101 first entries: later items show their language's built-in text.
  Names navigationTexts(const std::string& prefix, const std::string& code) const {
    Names texts;
    for (int entry : kNavigationEntries)
      texts.push_back(entry > LanguageTable::kEntries ? builtInText(code, entry) : prefix + " " + std::to_string(entry));
    return texts;
  }
};

TEST_F(OptionsPageTest, ClearingTheAlertsAsksNamingThemAndEmptiesTheStoreOnlyOnYes) {
  fake.files.addFile(fake.inProgram("alertes.xml"),
                     encodeDataPacket(schemaOf(StoreId::Alerts).fields, {{"a.exe"}, {"b.exe"}}, CodePage(1252)));
  OptionsPage& page = start();
  EXPECT_EQ(page.StoreList.items(), (Names{"fr 3"}));

  page.BitBtn4.click();  // nothing chosen yet
  EXPECT_TRUE(fake.dialogs.questions.empty());

  page.StoreList.select(0);
  page.BitBtn4.click();  // declined
  EXPECT_EQ(fake.dialogs.questions, (Names{"fr 23fr 3"}));
  EXPECT_EQ(stored("alertes.xml"), (Names{"a.exe", "b.exe"}));

  fake.dialogs.answerNext(Answer::Yes);
  page.BitBtn4.click();
  EXPECT_EQ(stored("alertes.xml"), Names{});
}

TEST_F(OptionsPageTest, ApplyingALanguageStoresItAndRebuildsTheWindowsTextsAndLaterPages) {
  OptionsPage& page = start();
  EXPECT_EQ(page.ComboBox3.itemIndex(), -1);
  const int saves = fake.files.writeCount(fake.inProgram("langues.xml.saving"));
  page.BitBtn5.click();  // no language chosen: nothing is written
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("langues.xml.saving")), saves);

  apply(page, "GB");
  EXPECT_EQ(stored("langues.xml"), (Names{"GB"}));
  EXPECT_EQ(window->centre.LanguageCode, "GB");
  EXPECT_EQ(window->ListBox1.items(), navigationTexts("gb", "GB"));
  EXPECT_EQ(window->form.caption(), "gb 24");
  EXPECT_EQ(window->Label11.caption(), "gb 50");
  EXPECT_EQ(page.BitBtn5.caption(), "fr 19");  // the page shown keeps its captions

  OptionsPage& again = visit();  // found by its new text
  EXPECT_EQ(again.BitBtn5.caption(), "gb 19");
  EXPECT_EQ(again.StoreList.items(), (Names{"gb 3"}));
}

TEST_F(OptionsPageTest, ApplyingTheLanguageInUseRewritesTheChoiceAndReloadsItsFile) {
  OptionsPage& page = start();
  const int saves = fake.files.writeCount(fake.inProgram("langues.xml.saving"));
  fake.files.addFile(fake.inProgram("kelm2013_fr.txt"), languageFile("fr2"));
  apply(page, "FR");
  EXPECT_EQ(fake.files.writeCount(fake.inProgram("langues.xml.saving")), saves + 1);
  EXPECT_EQ(stored("langues.xml"), (Names{"FR"}));
  EXPECT_EQ(window->ListBox1.items(), navigationTexts("fr2", "FR"));
  EXPECT_EQ(window->form.caption(), "fr2 24");
}

TEST_F(OptionsPageTest, AMissingOrShortLanguageFileOrAnUnsavableChoiceIsReportedByNameAndChangesNothing) {
  fake.files.addFile(fake.inProgram("kelm2013_de.txt"), languageFile("de", 80));
  OptionsPage& page = start();
  fake.files.failWritesTo(fake.inProgram("langues.xml.saving"));
  const std::string choice = fake.files.contents(fake.inProgram("langues.xml")).value_or("");
  for (const auto& [code, file] : {std::pair{"DE", "kelm2013_de.txt"}, {"ESP", "kelm2013_es.txt"}, {"GB", "langues.xml"}}) {
    std::string error;
    try {
      apply(page, code);
    } catch (const std::exception& e) {
      error = e.what();
    }
    EXPECT_NE(error.find(fake.inProgram(file)), std::string::npos) << code << ": " << error;
    EXPECT_EQ(fake.files.contents(fake.inProgram("langues.xml")).value_or(""), choice) << code;
    EXPECT_EQ(storedLanguageCode(window->centre.stores), "FR") << code;
    EXPECT_EQ(window->centre.LanguageCode, "FR") << code;
    EXPECT_EQ(window->centre.languageTable.text(1), "fr 1") << code;
    EXPECT_EQ(window->ListBox1.items(), navigationTexts("fr", "FR")) << code;
    EXPECT_EQ(window->form.caption(), "fr 24") << code;
  }
}

TEST_F(OptionsPageTest, LanguageRowsAlternateTheSelectedOneIsBlueBoldItalicAndEachShowsItsOwnFlag) {
  OptionsPage& page = start();
  testing::RecordingCanvas even;
  page.ComboBox3.drawItem(2, {0, 30, 233, 15}, {}, even);
  ASSERT_EQ(even.fills.size(), 1u);
  EXPECT_EQ(even.fills[0].color, ui::kWhite);
  ASSERT_EQ(even.texts.size(), 1u);
  EXPECT_EQ(even.texts[0].text, "ESP");
  EXPECT_EQ(std::pair(even.texts[0].x, even.texts[0].y), std::pair(30, 32));
  ASSERT_EQ(even.pictures.size(), 1u);
  EXPECT_EQ(even.pictures[0].images, &window->ImageList2);
  EXPECT_EQ(even.pictures[0].index, 2);
  EXPECT_EQ(std::pair(even.pictures[0].x, even.pictures[0].y), std::pair(4, 30));  // 30 + (15 - 16) / 2 toward zero
  // Row 2's flag is Spain's (red above yellow), not Germany's.
  EXPECT_EQ(window->ImageList2.at(2).pixels[4 * 16 + 1], 0xFFAA151Bu);

  testing::RecordingCanvas selected;
  page.ComboBox3.drawItem(1, {2, 15, 233, 19}, {true, true}, selected);
  ASSERT_EQ(selected.fills.size(), 2u);
  EXPECT_EQ(selected.fills[0].color, ui::rgb(238, 243, 244));
  EXPECT_EQ(selected.fills[1].color, ui::rgb(197, 209, 248));
  ASSERT_EQ(selected.texts.size(), 2u);
  const ui::Font& font = selected.texts[1].font;
  EXPECT_TRUE(font.color == ui::kBlue && font.bold && font.italic);
  EXPECT_EQ(selected.pictures[0].y, 16);  // 15 + (19 - 16) / 2
  EXPECT_EQ(selected.order.back(), testing::RecordingCanvas::Op::Image);  // the flag over the highlight
}

TEST_F(OptionsPageTest, RecordsGoOutAndComeInThroughTheDialogsAndAnImportedQuarantineEndsItsProgramAtTheNextReading) {
  withNetworkEngine();
  fake.files.addFile(fake.inProgram("regles.xml"),
                     encodeDataPacket(schemaOf(StoreId::Rules).fields, {{"a.exe"}}, CodePage(1252)));
  OptionsPage& page = start();
  EXPECT_EQ(page.CarryList.items(), (Names{"fr 2", "fr 3", "fr 5", "fr 62", "fr 56"}));
  EXPECT_EQ(page.CarryList.text(), "fr 56");

  // All of them go to a folder named as the file would have been.
  fake.files.addDirectory("C:\\Carry");
  const std::string folder = "C:\\Carry\\Tarnivoxguard2013 2026-12-08";
  fake.dialogs.nextSave = SaveChoice{folder + ".xml", 0};
  page.ExportButton.click();
  ASSERT_EQ(fake.dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(fake.dialogs.fileDialogs[0].suggestedName, "Tarnivoxguard2013 2026-12-08");
  EXPECT_EQ(fake.files.fileNames(folder), (Names{"alertes.xml", "quarantaines.xml", "regles.xml", "site.xml"}));
  ASSERT_EQ(fake.dialogs.told.size(), 1u);
  EXPECT_NE(fake.dialogs.told[0].find(folder + "\\regles.xml"), std::string::npos);
  // Files of that folder are not replaced without a word.
  fake.dialogs.nextSave = SaveChoice{folder, 1};
  fake.files.addFile(folder + "\\site.csv", "mine");
  page.ExportButton.click();
  ASSERT_EQ(fake.dialogs.questions.size(), 1u);
  EXPECT_NE(fake.dialogs.questions[0].find(folder + "\\site.csv"), std::string::npos);
  EXPECT_EQ(fake.files.contents(folder + "\\site.csv"), "mine");

  // A quarantine brought from elsewhere, chosen as a quarantine.
  const auto bad = fake.processes.add("bad.exe", {"C:\\Apps\\bad.exe"});
  const std::string brought = "C:\\Carry\\company.xml";
  fake.files.addFile(brought, encodeDataPacket(schemaOf(StoreId::Quarantine).fields, {{"bad.exe"}}, CodePage(1252)));
  page.CarryList.select(0);  // as rules: refused
  fake.dialogs.nextOpen = {brought};
  page.ImportButton.click();
  ASSERT_EQ(fake.dialogs.errors.size(), 1u);
  EXPECT_NE(fake.dialogs.errors[0].find("fr 5"), std::string::npos) << fake.dialogs.errors[0];
  EXPECT_EQ(fake.dialogs.fileDialogs.back().suggestedName, "") << "one file for one store";
  page.CarryList.select(2);
  fake.dialogs.nextOpen = {brought};
  page.ImportButton.click();
  ASSERT_EQ(fake.dialogs.told.size(), 2u);
  EXPECT_NE(fake.dialogs.told[1].find(": 1"), std::string::npos) << fake.dialogs.told[1];
  EXPECT_EQ(stored("quarantaines.xml"), (Names{"bad.exe"}));

  connections = {"bad.exe;" + std::to_string(bad) + ";TCP;10.0.0.2:50000;1.2.3.4;443;ESTABLISHED;50000;;;;"};
  tick();
  EXPECT_EQ(fake.processes.endedNames, (Names{"bad.exe"}));
}

}  // namespace
}  // namespace tg
