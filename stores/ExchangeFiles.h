#pragma once

#include <string>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "stores/TextFile.h"

namespace tg {

// The start-up side of the small text files shared with the engines. Each
// reader creates its file with the default content when it is missing.

// The date-and-time text of `now` cut to 10 characters, without its "/".
std::string dayStampOf(const LocaleFormats& locale, const DateTime& now);

// spam.txt: its lines; an empty file is created when it is missing.
Lines readSpamList(FileSystem& files, const std::string& programDirectory);

// mode.txt: the first character of its first line ('0' when there is none);
// written with the line "0" when it is missing.
char readWatchMode(FileSystem& files, const std::string& programDirectory);

// surveille.txt: its first line when the file exists and that line is not
// empty; otherwise `current`. Never created here.
std::string readWatchedRoot(FileSystem& files, const std::string& programDirectory, const std::string& current);

// ctrlpl.txt: "0" is off, "1" on, and anything else leaves `current`; written
// with the line "0", and off, when it is missing.
bool readCtrlplSwitch(FileSystem& files, const std::string& programDirectory, bool current);

}  // namespace tg
