#pragma once
// The settings the adapter works with: the integer settings of SettingTable, the
// SSID, the four WEP keys and the desired BSSID.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver/DriverLimits.h"
#include "driver/MacText.h"
#include "driver/SettingTable.h"

namespace kx::sim {

class StationConfig final {
public:
    static constexpr std::size_t kMaxSsid = kMaxSsidBytes;
    static constexpr std::size_t kLongKey = kWepKeyBytes128;
    static constexpr std::size_t kShortKey = kWepKeyBytes64;
    using Key = std::array<std::uint8_t, kLongKey>;

    StationConfig();

    int get(Setting id) const { return m_values[static_cast<std::size_t>(id)]; }
    // No range check: the control API may store anything.
    void put(Setting id, int value) { m_values[static_cast<std::size_t>(id)] = value; }

    std::size_t keyLength() const { return get(Setting::WepBit) == 1 ? kLongKey : kShortKey; }
    // The default key as long as the current key length.
    std::vector<std::uint8_t> defaultKey() const;

    std::string ssid;
    std::array<Key, kWepKeyCount> keys{};
    // Narrows joins to one network. Set just before an SSID it stays for that SSID;
    // a later SSID change without a new BSSID drops it.
    std::optional<MacBytes> desiredBssid;
    bool bssidSinceSsid = false;

    template <typename Archive> void share(Archive& a) {
        a(m_values, ssid, keys, desiredBssid, bssidSinceSsid);
    }

private:
    std::array<int, static_cast<std::size_t>(Setting::Count)> m_values{};
};

} // namespace kx::sim
