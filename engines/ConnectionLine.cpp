#include "engines/ConnectionLine.h"

#include "base/Text.h"

namespace tg {

ConnectionFields parseConnectionLine(std::string_view line) {
  ConnectionFields fields;
  const std::size_t examined = line.size() >= 2 ? line.size() - 2 : 0;
  std::size_t next = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < examined && next < ConnectionFields::kFields; ++i) {
    if (line[i] != ';') continue;
    fields.field[next++] = std::string(line.substr(start, i - start));
    start = i + 1;
  }
  fields.field[0] = without(fields.field[0], ':');
  return fields;
}

}  // namespace tg
