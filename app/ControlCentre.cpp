#include "app/ControlCentre.h"

#include <algorithm>

#include "stores/ConfigurationStore.h"
#include "stores/ExchangeFiles.h"
#include "stores/LanguageChoice.h"
#include "stores/PlainFiles.h"
#include "stores/SharedLists.h"
#include "base/Text.h"

namespace tg {

ControlCentre::ControlCentre(Platform& p, std::string programDirectory, NotifyUserHook notify)
    : platform(p),
      stores(p.files, folderWithBackslash(programDirectory), CodePage(p.locale.formats().codePage), notify),
      notifyUser(std::move(notify)) {
  state.ProgramDirectory = folderWithBackslash(programDirectory);
}

ControlCentre::~ControlCentre() {
  if (pendingTimer_) platform.timers.stop(pendingTimer_);
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
  RecordStore& sites = stores.table(StoreId::Sites);
  fillBlockedSites(state, sites.active() ? sites.rows() : StoreRows());
}

void ControlCentre::loadLanguage() {
  LanguageCode = storedLanguageCode(stores);
  // The window cannot do without its texts: a code that names no file, or a
  // missing file, gives the French texts (the stored choice stays as it is).
  if (!loadLanguageTable(languageTable, platform.files, state.ProgramDirectory, LanguageCode))
    loadLanguageTable(languageTable, platform.files, state.ProgramDirectory, "FR");
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

void ControlCentre::watchPendingStores(std::function<void()> languageChanged) {
  languageChanged_ = std::move(languageChanged);
  const bool any = std::any_of(kAllStores.begin(), kAllStores.end(), [this](StoreId id) { return stores.pending(id); });
  if (!any || pendingTimer_) return;
  pendingSince_ = toMilliseconds(platform.clock.now());
  pendingTimer_ = platform.timers.startRepeating(kPendingRetryMs, [this] { retryPendingStores(); });
}

void ControlCentre::retryPendingStores() {
  for (StoreId id : stores.retryPending()) storeReadLate(id);
  std::string waiting;
  for (StoreId id : kAllStores)
    if (stores.pending(id)) waiting += stores.pendingReason(id) + ".\r\n";
  if (waiting.empty()) {
    platform.timers.stop(pendingTimer_);
    pendingTimer_ = 0;
    return;
  }
  if (pendingReported_ || toMilliseconds(platform.clock.now()) - pendingSince_ < kPendingPatienceMs) return;
  pendingReported_ = true;  // before the box: ticks go on while it is open
  platform.dialogs.reportError(waiting +
                               "\r\nThese files are left as they are. The program reads them as soon as it can, "
                               "and saves nothing to them until then.");
}

void ControlCentre::storeReadLate(StoreId id) {
  switch (id) {
    case StoreId::Configuration:
      if (const auto read = readConfigurationFile(stores)) state.ConfigurationSwitches = *read;
      break;
    case StoreId::Sites:
      readBlockedSites();
      break;
    case StoreId::Quarantine: {
      // Names put in quarantine meanwhile stay.
      const std::vector<std::string> meanwhile = state.QuarantineNames;
      readQuarantineNames();
      for (const std::string& name : meanwhile)
        if (std::find(state.QuarantineNames.begin(), state.QuarantineNames.end(), name) == state.QuarantineNames.end())
          state.QuarantineNames.push_back(name);
      break;
    }
    case StoreId::Language: {
      repairLanguageChoice(stores, storedLanguageCode(stores));
      const std::string before = LanguageCode;
      loadLanguage();
      if (LanguageCode != before && languageChanged_) languageChanged_();
      break;
    }
    default:
      break;  // the monitor and the pages read these stores as they go
  }
}

void ControlCentre::readCtrlplSwitch() {
  state.CtrlplSwitch = tg::readCtrlplSwitch(platform.files, state.ProgramDirectory, state.CtrlplSwitch);
}

}  // namespace tg
