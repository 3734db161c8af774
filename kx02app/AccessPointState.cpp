#include "kx02app/AccessPointState.h"

#include <algorithm>

namespace kx::sim {

bool AccessPointState::listed(const Mac& mac) const {
    for (std::size_t i = 0; i < WL_FILTER_ENTRIES; ++i) {
        const std::uint8_t* entry = filter.data() + i * sizeof(WLFilterEntry);
        if (entry[0] != 0 && std::equal(mac.begin(), mac.end(), entry + 1))
            return true;
    }
    return false;
}

bool AccessPointState::admits(const Mac& mac, int filterMode) const {
    if (filterMode == 1)
        return listed(mac);
    if (filterMode == 2)
        return !listed(mac);
    return true;
}

std::vector<Mac> AccessPointState::associated(int filterMode) const {
    std::vector<Mac> out;
    for (const Mac& mac : stations) {
        if (admits(mac, filterMode) && out.size() < WL_STATION_SLOTS)
            out.push_back(mac);
    }
    return out;
}

} // namespace kx::sim
