#pragma once

#include "app/PageHost.h"

namespace tg {

// Gives the page host the builder of every page, by its navigation entry.
void registerPages(PageHost& host);

}  // namespace tg
