#include "watchers/NewDriveScan.h"

#include <cmath>

#include "engines/EngineTable.h"
#include "engines/ProcessUtilities.h"

namespace tg {

std::optional<char> driveLetterOf(std::uint32_t unitMask) {
  if (unitMask == 0) return std::nullopt;
  const long n = std::lround(std::log2(static_cast<double>(unitMask)));
  if (n < 0 || n > 25) return std::nullopt;
  return static_cast<char>('A' + n);
}

void offerNewDriveScan(Platform& platform, const LanguageTable& language, const std::string& programDirectory,
                       const ui::DeviceChange& change) {
  if (change.event != ui::DeviceChange::kArrival || change.deviceType != ui::DeviceChange::kVolume ||
      change.flags != 0)
    return;  // removals, other devices, media inserted into a drive, network drives
  const std::optional<char> letter = driveLetterOf(change.unitMask);
  if (!letter) return;
  const std::string drive(1, *letter);
  if (!platform.shell.volumeInformation(drive + ":\\")) return;  // no medium, or nothing readable
  if (platform.dialogs.askYesNo(language.text(91) + drive + " ?") != Answer::Yes) return;
  ShellRequest listing;
  listing.verb = "open";
  listing.file = "cmd";
  listing.parameters = "/C \"dir " + drive + ":\"";
  listing.show = kShowHidden;
  // Any success of the launch will do, not only its usual value.
  if (platform.shell.execute(listing) <= 32) return;
  StartEngine(platform.shell, programDirectory, engine::scanengine, "3 " + drive, "");
}

}  // namespace tg
