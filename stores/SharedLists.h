#pragma once

#include <vector>

#include "stores/RecordStore.h"
#include "stores/SharedState.h"

namespace tg {

// The lists the monitor works from, as the stores' rows give them.
// QuarantineNames: every quarantine row's name, trimmed.
void fillQuarantineNames(SharedState& state, const StoreRows& quarantine);
// BlockedSiteNames and BlockedSiteAddresses: every site row with a name.
void fillBlockedSites(SharedState& state, const StoreRows& sites);

}  // namespace tg
