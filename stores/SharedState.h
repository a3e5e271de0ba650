#pragma once

#include <array>
#include <string>
#include <vector>

#include "stores/ConfigurationStore.h"

namespace tg {

// The protocols whose connections the monitor can block, in switch order.
enum class Protocol { FTP, TELNET, SMTP, DNS, HTTP, HTTPS, POP3 };
constexpr std::size_t kProtocolCount = 7;

// The switches and lists through which the pages and the monitor meet. The main
// window owns one instance from its creation to its destruction; every member
// starts with the value it has before the start-up has read anything.
struct SharedState {
  std::string ProgramDirectory;  // ends in a backslash

  ConfigurationValues ConfigurationSwitches{};  // Champ1 ... Champ12; off until read
  std::array<bool, kProtocolCount> ProtocolSwitches{};
  bool InternetAllowed = true;
  int ReactionLevel = 2;  // 1 asks the user; 2 and 3 admit without asking
  bool ConnectionMonitoring = true;
  bool HourlyScan = true;
  bool BackupEveryMinute = false;
  bool BackupEveryHour = false;
  std::string BackupPair;  // first folder, ";", second folder
  bool JournalOn = false;
  bool JournalMatchedOnly = false;
  bool CtrlplSwitch = true;
  char WatchMode = '0';  // '1' = folder surveillance on
  std::string DayStamp;

  std::vector<std::string> QuarantineNames;
  std::vector<std::string> BlockedSiteNames;      // parallel to BlockedSiteAddresses
  std::vector<std::string> BlockedSiteAddresses;

  std::vector<std::string> SpamList;  // lines of spam.txt, kept for the engines' sake
  std::string WatchedRoot = "C:\\";   // root of the folder change watcher

};

// Configuration field Champ<n>, n from 1 to 12.
inline bool configurationSwitch(const SharedState& s, std::size_t n) { return s.ConfigurationSwitches[n - 1]; }

}  // namespace tg
