#pragma once

#include <string>
#include <string_view>

namespace tg::suite {

// The parameter text of a command line: everything after the program name
// (quoted or not) and the blanks that follow it, as the caller passed it.
std::string argumentText(std::string_view commandLine);

// The file name of a path.
std::string fileNameOf(std::string_view path);

}  // namespace tg::suite
