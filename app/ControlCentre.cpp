#include "app/ControlCentre.h"

#include "stores/ConfigurationStore.h"
#include "stores/ExchangeFiles.h"
#include "stores/LanguageChoice.h"
#include "stores/PlainFiles.h"
#include "stores/Text.h"

namespace tg {

ControlCentre::ControlCentre(Platform& p, std::string programDirectory, NotifyUserHook notify)
    : platform(p),
      stores(p.files, folderWithBackslash(programDirectory), CodePage(p.locale.formats().codePage), notify),
      notifyUser(std::move(notify)) {
  state.ProgramDirectory = folderWithBackslash(programDirectory);
}

void ControlCentre::setStartValues() {
  state.ProtocolSwitches.fill(false);
  state.CtrlplSwitch = true;
  state.ConnectionMonitoring = true;
  state.HourlyScan = true;
}

void ControlCentre::readSpamList() { state.SpamList = tg::readSpamList(platform.files, state.ProgramDirectory); }

void ControlCentre::readWatchFiles() {
  state.DayStamp = dayStampOf(platform.locale.formats(), platform.clock.now());
  state.WatchMode = readWatchMode(platform.files, state.ProgramDirectory);
  state.WatchedRoot = readWatchedRoot(platform.files, state.ProgramDirectory, state.WatchedRoot);
}

void ControlCentre::setHomeValues() {
  state.QuarantineNames.clear();
  state.ReactionLevel = 2;
  state.InternetAllowed = true;
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

void ControlCentre::loadLanguage() {
  LanguageCode = storedLanguageCode(stores);
  loadLanguageTable(languageTable, platform.files, state.ProgramDirectory, LanguageCode);
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

void ControlCentre::readCtrlplSwitch() {
  state.CtrlplSwitch = tg::readCtrlplSwitch(platform.files, state.ProgramDirectory, state.CtrlplSwitch);
}

}  // namespace tg
