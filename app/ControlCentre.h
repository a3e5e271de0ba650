#pragma once

#include <cstdint>
#include <functional>
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
  ~ControlCentre();
  ControlCentre(const ControlCentre&) = delete;
  ControlCentre& operator=(const ControlCentre&) = delete;

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

  // Stores whose file could not be read at start-up are tried again every
  // moment until they are read; when one still waits after a few seconds the
  // user is told once which files wait and why. `languageChanged` runs when a
  // late reading of the language choice loaded another table.
  void watchPendingStores(std::function<void()> languageChanged);
  static constexpr int kPendingRetryMs = 500;
  static constexpr int kPendingPatienceMs = 3000;

  Platform& platform;
  SharedState state;
  Stores stores;
  LanguageTable languageTable;
  std::string LanguageCode;
  NotifyUserHook notifyUser;

 private:
  void retryPendingStores();
  void storeReadLate(StoreId id);

  std::function<void()> languageChanged_;
  TimerId pendingTimer_ = 0;
  std::int64_t pendingSince_ = 0;
  bool pendingReported_ = false;
};

}  // namespace tg
