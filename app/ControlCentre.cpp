#include "app/ControlCentre.h"

#include "stores/ConfigurationStore.h"
#include "stores/ExchangeFiles.h"
#include "stores/LanguageChoice.h"
#include "stores/Text.h"

namespace tg {

namespace {

std::string withTrailingBackslash(std::string directory) {
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  return directory;
}

}  // namespace

ControlCentre::ControlCentre(Platform& p, std::string programDirectory, NotifyUserHook notifyUser)
    : platform(p),
      stores(p.files, withTrailingBackslash(programDirectory), CodePage(p.locale.formats().codePage),
             std::move(notifyUser)) {
  state.ProgramDirectory = withTrailingBackslash(std::move(programDirectory));
}

void ControlCentre::create() {
  FileSystem& files = platform.files;
  const std::string& dir = state.ProgramDirectory;

  // 1. Start values of the switches that are not read from a file.
  state.ProtocolSwitches.fill(false);
  state.CtrlplSwitch = true;
  state.ConnectionMonitoring = true;
  state.HourlyScan = true;

  // 2. spam.txt.
  state.SpamList = readSpamList(files, dir);

  // 4. The day stamp, the surveillance mode and the watched folder.
  state.DayStamp = dayStampOf(platform.locale.formats(), platform.clock.now());
  state.WatchMode = readWatchMode(files, dir);
  state.WatchedRoot = readWatchedRoot(files, dir, state.WatchedRoot);

  // 6. The home page's reaction level and the Internet switch.
  state.QuarantineNames.clear();
  state.ReactionLevel = 2;
  state.InternetAllowed = true;

  // 7. The record stores, in their order.
  openStores();

  // 9. The blocked sites.
  readBlockedSites();

  // 10. The language table.
  LanguageCode = storedLanguageCode(stores);
  loadLanguageTable(languageTable, files, dir, LanguageCode);

  // 12. The quarantined names.
  readQuarantineNames();

  // 13. ctrlpl.txt.
  state.CtrlplSwitch = readCtrlplSwitch(files, dir, state.CtrlplSwitch);
}

void ControlCentre::openStores() {
  // A fresh configuration leaves every switch off for this run.
  state.ConfigurationSwitches = openConfigurationAtStartUp(stores).value_or(ConfigurationValues{});
  for (StoreId id : {StoreId::Sites, StoreId::Rules, StoreId::Alerts, StoreId::Events, StoreId::Quarantine}) {
    try {
      stores.openOrCreate(id);
    } catch (const StoreError&) {
      // The file cannot be written now; the store's next save tries again.
    }
  }
  validateLanguageChoice(stores);
}

void ControlCentre::readBlockedSites() {
  state.BlockedSiteNames.clear();
  state.BlockedSiteAddresses.clear();
  try {
    RecordStore& sites = stores.table(StoreId::Sites);
    for (sites.first(); !sites.eof(); sites.next()) {
      const std::string name = sites.field("Champ1");
      if (name.empty()) continue;
      state.BlockedSiteNames.push_back(name);
      state.BlockedSiteAddresses.push_back(sites.field("Champ2"));
    }
  } catch (const StoreError&) {
    state.BlockedSiteNames.clear();
    state.BlockedSiteAddresses.clear();
  }
}

void ControlCentre::readQuarantineNames() {
  state.QuarantineNames.clear();
  RecordStore& quarantine = stores.table(StoreId::Quarantine);
  try {
    stores.load(StoreId::Quarantine);
    quarantine.open();
    for (quarantine.first(); !quarantine.eof(); quarantine.next())
      state.QuarantineNames.push_back(trimmed(quarantine.field("Champ1")));
  } catch (const StoreError&) {
  }
  quarantine.close();
}

}  // namespace tg
