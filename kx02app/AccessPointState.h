#pragma once
// What the access-point firmware keeps beside its settings: its SSID, the MAC filter
// table, and the stations of the scenario that try to associate.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/MacText.h"
#include "driver/kx02app.h"

namespace kx::sim {

class AccessPointState final {
public:
    using FilterTable = std::array<std::uint8_t, WL_FILTER_TABLE_BYTES>;

    std::string ssid;
    FilterTable filter{};
    std::vector<MacBytes> stations;

    // Whether the filter lets a station in (mode 1: listed ones only; mode 2: all but
    // the listed; any other mode: everyone).
    bool admits(const MacBytes& mac, int filterMode) const;
    // The scenario's stations the filter lets in.
    std::vector<MacBytes> associated(int filterMode) const;

    template <typename Archive> void share(Archive& a) { a(ssid, filter, stations); }

private:
    bool listed(const MacBytes& mac) const;
};

} // namespace kx::sim
