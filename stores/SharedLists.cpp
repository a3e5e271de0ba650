#include "stores/SharedLists.h"

#include "base/Text.h"

namespace tg {

void fillQuarantineNames(SharedState& state, const StoreRows& quarantine) {
  state.QuarantineNames.clear();
  for (const PackedRow& row : quarantine) state.QuarantineNames.push_back(trimmed(valueOf(row, 0)));
}

void fillBlockedSites(SharedState& state, const StoreRows& sites) {
  state.BlockedSiteNames.clear();
  state.BlockedSiteAddresses.clear();
  for (const PackedRow& row : sites) {
    if (valueOf(row, 0).empty()) continue;
    state.BlockedSiteNames.emplace_back(valueOf(row, 0));
    state.BlockedSiteAddresses.emplace_back(valueOf(row, 1));
  }
}

}  // namespace tg
