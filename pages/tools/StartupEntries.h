#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tg {

// The text that a start-up command keeps for the program test: a command that
// ends with "/autoRun" loses it and the one character before it.
std::string withoutAutoRun(const std::string& command);

// The paths a command may name as its program, in the order in which Windows
// tries them when it starts the command: a quoted path; or, unquoted, the text
// up to each space in turn and then the whole text (a path with spaces is
// found that way). Environment variables are expected expanded already.
std::vector<std::string> programReadings(const std::string& command);

// Removes from the current user's start-up entries every entry whose program
// no longer exists: no reading of its command leads to a file, each on a drive
// or share that answers. An entry whose program may only be out of reach
// stays, as do entries that hold no text, or an empty one. Throws when the
// entries cannot be read or one cannot be deleted.
void CleanRunKey(Platform& platform);

}  // namespace tg
