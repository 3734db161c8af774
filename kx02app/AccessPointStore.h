#pragma once
// The access-point firmware's own memory: its SSID, keys, filter table and the settings
// it runs with survive the process, as they survive a power cycle of a real access
// point. One JSON file "accesspoint-<instance>.json" per adapter, beside the EEPROM
// images (StateFile).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kx02app/AccessPointState.h"
#include "kx02app/StationConfig.h"

namespace kx::sim {

class AccessPointStore final {
public:
    static std::string encode(const StationConfig& config, const AccessPointState& ap);
    // Takes every field of `text` that is present and valid; the others keep their value.
    // Text that is no JSON object changes nothing.
    static void decode(std::string_view text, std::uint16_t channelMask, StationConfig& config,
                       AccessPointState& ap);

    static std::optional<std::string> load(std::string_view instance);
    static bool save(std::string_view instance, std::string_view text);
};

} // namespace kx::sim
