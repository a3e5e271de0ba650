#pragma once

#include <string>

#include "platform/Platform.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
#include "stores/Stores.h"

namespace tg {

// The state the main window owns for the whole run: the shared switches and
// lists, the record stores and the language table, with the start-up steps
// that fill them from the program directory.
class ControlCentre {
 public:
  // `programDirectory` is the directory of the running executable.
  ControlCentre(Platform& platform, std::string programDirectory, NotifyUserHook notifyUser);

  // The steps of the main window's creation that concern state and files, each
  // run by the window in its place in the order.
  void setStartValues();        // the switches that no file holds
  void readSpamList();          // spam.txt
  void readWatchFiles();        // the day stamp, mode.txt, surveille.txt
  void setHomeValues();         // reaction level, Internet switch, quarantine list emptied
  void openStores();            // every store in its order, and the language choice
  void readBlockedSites();      // the two site lists from the site store
  void loadLanguage();          // the language table of the stored code
  void readQuarantineNames();   // QuarantineNames from the quarantine store
  void readCtrlplSwitch();      // ctrlpl.txt

  Platform& platform;
  SharedState state;
  Stores stores;
  LanguageTable languageTable;
  std::string LanguageCode;
  NotifyUserHook notifyUser;
};

}  // namespace tg
