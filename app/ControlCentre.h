#pragma once

#include <string>

#include "platform/Platform.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
#include "stores/Stores.h"

namespace tg {

// What the main window owns for the whole run: the shared switches and lists,
// the record stores and the language table, and the start-up that fills them.
class ControlCentre {
 public:
  // `programDirectory` is the directory of the running executable, ending in "\".
  ControlCentre(Platform& platform, std::string programDirectory, NotifyUserHook notifyUser);

  // The main window's creation, as far as the stores and the exchange files go.
  void create();

  Platform& platform;
  SharedState state;
  Stores stores;
  LanguageTable languageTable;
  std::string LanguageCode;

 private:
  void openStores();
  void readBlockedSites();
  void readQuarantineNames();
};

}  // namespace tg
