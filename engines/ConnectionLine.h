#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tg {

// One line of netguard.txt as the monitor reads it: fields ended by ";".
struct ConnectionFields {
  static constexpr std::size_t kFields = 9;
  std::array<std::string, kFields> field;

  const std::string& name() const { return field[0]; }  // without any ":"
  const std::string& pid() const { return field[1]; }
  const std::string& address() const { return field[4]; }
  const std::string& port() const { return field[5]; }  // a number, "-1", " " or empty
};

// Reads the fields of a line. The last two characters of a line are never
// looked at, and fields after the ninth are ignored. Characters after the last
// ";" that is looked at belong to no field and are dropped; fields the line
// does not have are empty.
ConnectionFields parseConnectionLine(std::string_view line);

}  // namespace tg
