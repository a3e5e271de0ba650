#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tg {

using Lines = std::vector<std::string>;

// A text file's lines: a line ends at CR, LF or CR LF, and a final line end does
// not start another line ("a\r\n" is one line, "" none, "\r\n" one empty line).
Lines splitLines(std::string_view bytes);
// The bytes of a text file: every line, the last included, ended by CR LF.
std::string joinLines(const Lines& lines);

}  // namespace tg
