#include "kx02app/StationConfig.h"

namespace kx::sim {

StationConfig::StationConfig() {
    for (const SettingInfo& s : SettingTable::all())
        put(s.id, s.defaultValue);
}

std::vector<std::uint8_t> StationConfig::defaultKey() const {
    const int id = get(Setting::DefaultKeyId);
    if (id < 0 || id > 3)
        return {};
    const Key& key = keys[static_cast<std::size_t>(id)];
    return {key.begin(), key.begin() + static_cast<std::ptrdiff_t>(keyLength())};
}

} // namespace kx::sim
