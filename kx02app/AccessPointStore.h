#pragma once
// The access-point firmware's own memory: its SSID, keys, filter table and the settings
// it runs with survive the process, as they survive a power cycle of a real access
// point. One JSON file "accesspoint-<instance>.json" per adapter, beside the EEPROM
// images (StateFile).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kx02app/AccessPointState.h"
#include "kx02app/StationConfig.h"

namespace kx::sim {

class AccessPointStore final {
public:
    // What an access point runs with. The station-only settings (rates, power saving,
    // network type ...) are the registry's business alone.
    static constexpr std::array kKept{
        Setting::DesiredChannel,  Setting::BasicRate,      Setting::AuthMode,
        Setting::WepStatus,       Setting::WepBit,         Setting::DefaultKeyId,
        Setting::Preamble,        Setting::ApHideSsid,     Setting::ApTxPower,
        Setting::ApFragThreshold, Setting::ApRtsThreshold, Setting::ApFilterMode};

    // What the firmware's memory holds.
    struct Memory {
        std::array<int, kKept.size()> settings{};
        std::array<StationConfig::Key, 4> keys{};
        std::string ssid;
        AccessPointState::FilterTable filter{};

        static Memory of(const StationConfig& config, const AccessPointState& ap);
        // Compared where it lies: every driver call asks.
        bool matches(const StationConfig& config, const AccessPointState& ap) const;
        template <typename Archive> void share(Archive& a) { a(settings, keys, ssid, filter); }
    };

    static std::string encode(const Memory& memory);
    // Takes every field of `text` that is present and valid; the others keep their value.
    // Text that is no JSON object changes nothing.
    static void decode(std::string_view text, std::uint16_t channelMask, StationConfig& config,
                       AccessPointState& ap);

    static std::optional<std::string> load(std::string_view instance);
    static bool save(std::string_view instance, std::string_view text);
};

} // namespace kx::sim
