#pragma once

#include <optional>

#include "platform/Platform.h"
#include "stores/LanguageTable.h"
#include "ui/Form.h"

namespace tg {

// The drive letter of a volume's unit mask: 'A' plus the base-2 logarithm of
// the mask, rounded (the one drive of a single-bit mask); none for an empty
// mask or one beyond Z.
std::optional<char> driveLetterOf(std::uint32_t unitMask);

// The main window's device-change handler: a volume that arrived with neither
// the media nor the network flag, whose volume information can be read, is
// offered for scanning; after Yes its root is listed through the command
// interpreter and, once that started, the scanner scans the drive.
void offerNewDriveScan(Platform& platform, const LanguageTable& language, const std::string& programDirectory,
                       const ui::DeviceChange& change);

}  // namespace tg
