#include "pages/tools/SiteListPage.h"

#include <stdexcept>

#include "engines/EngineTable.h"
#include "engines/HostAddress.h"
#include "engines/ProcessUtilities.h"
#include "pages/records/RecordEdits.h"
#include "pages/settings/ProtectionSwitches.h"
#include "base/Text.h"
#include "stores/TextFile.h"

namespace tg {

std::unique_ptr<Page> SiteListPage::build(PageContext& c) {
  std::unique_ptr<SiteListPage> page(new SiteListPage(c));
  SiteListPage& p = *page;
  ui::Panel& panel = c.panel;
  p.CheckBox5 = &addConfigurationBox(c, panel, "CheckBox5", {32, 32, 137, 17}, 62, 7);
  // Wide enough for its two texts in every language.
  p.CheckBox14 = &panel.add<ui::CheckBox>("CheckBox14", ui::Rect{32, 220, 280, 17}, c.text(62) + "  " + c.text(59));
  p.siteName = &panel.add<ui::Edit>("Edit1", ui::Rect{160, 56, 257, 21});
  p.BitBtn14 = &panel.add<ui::Button>("BitBtn14", ui::Rect{104, 96, 75, 25}, ui::ButtonKind::OK);
  p.BitBtn16 = &panel.add<ui::Button>("BitBtn16", ui::Rect{256, 96, 75, 25}, ui::ButtonKind::No, c.text(15));
  p.BitBtn17 = &panel.add<ui::Button>("BitBtn17", ui::Rect{400, 96, 75, 25}, ui::ButtonKind::Abort, c.text(18));
  p.sites = &panel.add<ui::ComboBox>("ComboBox3", ui::Rect{112, 160, 361, 21}, ui::ComboBox::Style::DropDown);
  p.addresses = &panel.add<ui::ComboBox>("ComboBox4", ui::Rect{112, 192, 361, 221}, ui::ComboBox::Style::DropDown);
  p.addresses->setVisible(false);
  // The monitor's lists are the store's sites, kept in step since the start-up.
  p.sites->setItems(c.state().BlockedSiteNames);
  p.addresses->setItems(c.state().BlockedSiteAddresses);
  p.CheckBox14->setChecked(c.state().CtrlplSwitch);

  SiteListPage* self = page.get();
  const PageContext context = c;
  ui::CheckBox* ctrlpl = p.CheckBox14;
  p.CheckBox14->onClick = [context, ctrlpl] { CheckBox14Click(context, ctrlpl->checked()); };
  p.BitBtn14->onClick = [self] { self->BitBtn14Click(); };
  p.BitBtn16->onClick = [self] { self->BitBtn16Click(); };
  p.BitBtn17->onClick = [self] { self->BitBtn17Click(); };
  return page;
}

std::optional<SiteListPage::AnswerStamp> SiteListPage::answerStamp() const {
  FileSystem& files = c_.platform().files;
  const std::string path = c_.state().ProgramDirectory + "siteguard.txt";
  const auto found = files.find(path);
  if (!found || found->empty()) return std::nullopt;
  return AnswerStamp{files.identity(path), found->front().size, toMilliseconds(found->front().lastWrite)};
}

void SiteListPage::BitBtn14Click() {
  if (adding_.running()) return;
  Platform& platform = c_.platform();
  const std::string directory = c_.state().ProgramDirectory;
  // The answer file stays where the engine leaves it: an answer left by an
  // earlier add is told from this one's by the file as it is now.
  const std::optional<AnswerStamp> before = answerStamp();
  const std::string name = siteName->text();
  BitBtn14->setEnabled(false);
  siteName->setReadOnly(true);
  adding_.clear()
      .then([&platform, directory, name] { StartEngine(platform.shell, directory, engine::siteguard, name, ""); })
      .waitWhile([&platform, directory] { return FileIsLocked(platform.files, directory + "siteguard.exe"); },
                 kEngineBoundMs)
      .then([this, name, before] { storeAnswer(name, before); })
      .finally([this] {
        siteName->setReadOnly(false);
        BitBtn14->setEnabled(true);
      });
  adding_.start();
}

void SiteListPage::storeAnswer(const std::string& typed, const std::optional<AnswerStamp>& before) {
  Platform& platform = c_.platform();
  const std::string answerPath = c_.state().ProgramDirectory + "siteguard.txt";
  // No answer, or the one an earlier add left: the name stays in its box.
  if (!platform.files.exists(answerPath) || (before && answerStamp() == before)) return;
  const auto answer = readLines(platform.files, answerPath);
  if (!answer) throw std::runtime_error("cannot read " + answerPath);
  if (answer->empty()) {
    NotifyUser(platform.shell, c_.state().ProgramDirectory, c_.text(68));
  } else {
    const std::string name = trimmed(typed);
    const std::string address = trimmed(IpDigits(answer->back()));
    RecordStore& store = openStore(c_.stores(), StoreId::Sites);
    store.append();
    store.setField("Champ1", name);
    store.setField("Champ2", address);
    store.post();
    c_.stores().save(StoreId::Sites);
    sites->addItem(name);
    addresses->addItem(address);
    c_.state().BlockedSiteNames.push_back(name);
    c_.state().BlockedSiteAddresses.push_back(address);
  }
  siteName->setText("");
}

void SiteListPage::showStoredSites() {
  SharedState& state = c_.state();
  state.BlockedSiteNames.clear();
  state.BlockedSiteAddresses.clear();
  RecordStore& store = c_.stores().table(StoreId::Sites);
  for (store.first(); !store.eof(); store.next()) {
    state.BlockedSiteNames.push_back(store.field("Champ1"));
    state.BlockedSiteAddresses.push_back(store.field("Champ2"));
  }
  sites->setItems(state.BlockedSiteNames);
  addresses->setItems(state.BlockedSiteAddresses);
}

void SiteListPage::BitBtn16Click() {
  const std::string chosen = sites->text();
  RecordStore& store = openStore(c_.stores(), StoreId::Sites);
  // Each kept record keeps its own address: the lists stay parallel.
  store.deleteWhere([&](const PackedRow& site) { return valueOf(site, 0) == chosen; });
  showStoredSites();
  c_.stores().save(StoreId::Sites);
}

void SiteListPage::BitBtn17Click() {
  openStore(c_.stores(), StoreId::Sites).emptyDataSet();
  showStoredSites();
  c_.stores().save(StoreId::Sites);
}

}  // namespace tg
