#include "fuzz/FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace tg::fuzz {

void require(bool holds, std::string_view property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(property.size()), property.data());
  std::abort();
}

}  // namespace tg::fuzz
