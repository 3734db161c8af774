#pragma once
// The adapter's integer settings as a driver keeps them: their machine-readable names
// (the simulation's control API and trace), the registry value the driver reads at
// start, the range the driver accepts, the codes a person chooses from and the default
// before anything is recorded. The program checks what it sends, stores and imports
// against this table, so a range is stated here only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "driver/AdapterValue.h"
#include "driver/Channels.h"
#include "driver/DriverCodes.h"
#include "driver/DriverLimits.h"

namespace kx {

enum class Setting {
    DesiredChannel,
    TxRate,
    NetworkType,
    AuthMode,
    WepStatus,
    WepBit,
    DefaultKeyId,
    PsMode,
    PsLevel,
    FragThreshold,
    RtsThreshold,
    Preamble,
    Mode27_5,
    BasicRate,
    ApHideSsid,
    ApTxPower,
    ApFragThreshold,
    ApRtsThreshold,
    ApFilterMode,
    Count
};

// The rates a station is set to, in the order its list shows them.
inline constexpr std::int32_t kOfferedRates[] = {
    code(RateCode::Mbps1),  code(RateCode::Mbps2),     code(RateCode::Mbps5_5),
    code(RateCode::Mbps11), code(RateCode::Automatic), code(RateCode::Mbps16_5),
    code(RateCode::Mbps22), code(RateCode::Mbps27_5)};
// The network types a station is set to; the access point's is only sent by the switch
// of firmware.
inline constexpr std::int32_t kOfferedNetworkTypes[] = {
    code(NetworkType::AdHoc), code(NetworkType::Infrastructure), code(NetworkType::PseudoIbss)};

struct SettingInfo {
    enum Check { Range, RateCode, NetworkType };

    Setting id;
    const char* field;                         // control API name
    std::optional<AdapterValue> registryValue; // read at driver start; none when it keeps none
    int registryOffset;                        // registry text = value + offset
    int low;
    int high;
    Check check;
    int defaultValue;
    // The codes a person may choose, in the order they are listed; empty: low to high.
    std::span<const std::int32_t> offered = {};

    // What the driver takes.
    bool accepts(int value) const;
    // What the dialogs, kxctl and profiles take: the offered codes, else the range.
    constexpr bool offers(int value) const {
        for (const std::int32_t c : offered) {
            if (c == value)
                return true;
        }
        return offered.empty() && value >= low && value <= high;
    }
};

namespace detail {
// In enum order. WEPStatus is read at start by hand: its text also carries the key length.
constexpr std::array<SettingInfo, static_cast<std::size_t>(Setting::Count)> settingRows() {
    using S = Setting;
    using I = SettingInfo;
    using V = AdapterValue;
    return {{
        {S::DesiredChannel, "desired_channel", V::Channel, 0, kFirstChannel, kLastChannel, I::Range,
         Channels::kFallback},
        {S::TxRate, "tx_rate", V::TxRate, 0, 1, 64, I::RateCode, 15, kOfferedRates},
        {S::NetworkType, "network_type", V::NetworkType, 0, 0, 4, I::NetworkType, 1,
         kOfferedNetworkTypes},
        {S::AuthMode, "auth_mode", V::AuthenticationMode, 0, 1, 3, I::Range, 3},
        {S::WepStatus, "wep_status", std::nullopt, 0, 0, 1, I::Range, 0},
        {S::WepBit, "wep_bit", std::nullopt, 0, 0, 1, I::Range, 0},
        {S::DefaultKeyId, "default_key_id", V::WepDefaultKeyId, 1, 0, kWepKeyCount - 1, I::Range,
         0},
        {S::PsMode, "ps_mode", V::PowerSaveMode, 0, 0, 1, I::Range, 0},
        {S::PsLevel, "ps_level", V::PowerSaveLevel, 0, 0, 4, I::Range, 0},
        {S::FragThreshold, "frag_threshold", V::FragmentThreshold, 0, 256, 2306, I::Range, 2306},
        {S::RtsThreshold, "rts_threshold", V::RtsCtsThreshold, 0, 0, 2305, I::Range, 2305},
        {S::Preamble, "preamble", V::Preamble, 0, 1, 3, I::Range, 3},
        {S::Mode27_5, "mode_27_5", V::Mode27_5Mbps, 0, 0, 1, I::Range, 0},
        {S::BasicRate, "basic_rate", std::nullopt, 0, 0, 15, I::Range, 3},
        {S::ApHideSsid, "ap_hide_ssid", std::nullopt, 0, 0, 1, I::Range, 0},
        {S::ApTxPower, "ap_tx_power", std::nullopt, 0, 0, 3, I::Range, 0},
        {S::ApFragThreshold, "ap_frag_threshold", std::nullopt, 0, 256, 2306, I::Range, 2306},
        {S::ApRtsThreshold, "ap_rts_threshold", std::nullopt, 0, 0, 2305, I::Range, 2305},
        {S::ApFilterMode, "ap_filter_mode", std::nullopt, 0, 0, 2, I::Range, 0},
    }};
}
inline constexpr auto kSettings = settingRows();

constexpr bool settingsInEnumOrder() {
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        if (static_cast<std::size_t>(kSettings[i].id) != i)
            return false;
    }
    return true;
}
static_assert(settingsInEnumOrder());
} // namespace detail

class SettingTable final {
public:
    static std::span<const SettingInfo> all() { return detail::kSettings; }
    static constexpr const SettingInfo& info(Setting id) {
        return detail::kSettings[static_cast<std::size_t>(id)];
    }
    static const SettingInfo* byField(std::string_view field);
};

} // namespace kx
