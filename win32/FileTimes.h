#pragma once

#include <windows.h>

#include "platform/DateTime.h"

namespace tg::win32 {

DateTime fromSystemTime(const SYSTEMTIME& st);
// A file time (UTC) as local date and time; the zero date when it cannot be converted.
DateTime localFromFileTime(const FILETIME& utc);

}  // namespace tg::win32
