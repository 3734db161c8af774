#include "kx02app/AccessPointState.h"

#include <algorithm>

#include "driver/DriverCodes.h"
#include "driver/ObjectLayouts.h"

namespace kx::sim {

bool AccessPointState::listed(const MacBytes& mac) const {
    const std::vector<SlotTable::Slot> entries = SlotTable::decode(filter);
    return std::any_of(entries.begin(), entries.end(),
                       [&](const SlotTable::Slot& e) { return e.inUse && e.mac == mac; });
}

bool AccessPointState::admits(const MacBytes& mac, int filterMode) const {
    if (FilterMode{filterMode} == FilterMode::Accept)
        return listed(mac);
    if (FilterMode{filterMode} == FilterMode::Reject)
        return !listed(mac);
    return true;
}

std::vector<MacBytes> AccessPointState::associated(int filterMode) const {
    std::vector<MacBytes> out;
    for (const MacBytes& mac : stations) {
        if (admits(mac, filterMode) && out.size() < WL_STATION_SLOTS)
            out.push_back(mac);
    }
    return out;
}

} // namespace kx::sim
