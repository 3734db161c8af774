#include "driver/SettingTable.h"

#include <array>

#include "driver/AdapterValue.h"
#include "driver/Channels.h"
#include "driver/DriverLimits.h"

namespace kx {

namespace {

using S = Setting;
using I = SettingInfo;
using V = AdapterValue;
constexpr auto name = adapterValueName;

// In enum order. WEPStatus is read at start by hand: its text also carries the key length.
constexpr std::array<SettingInfo, static_cast<std::size_t>(S::Count)> kSettings{{
    {S::DesiredChannel, "desired_channel", name(V::Channel), 0, kFirstChannel, kLastChannel,
     I::Range, Channels::kFallback},
    {S::TxRate, "tx_rate", name(V::TxRate), 0, 1, 64, I::RateCode, 15},
    {S::NetworkType, "network_type", name(V::NetworkType), 0, 0, 4, I::NetworkType, 1},
    {S::AuthMode, "auth_mode", name(V::AuthenticationMode), 0, 1, 3, I::Range, 3},
    {S::WepStatus, "wep_status", nullptr, 0, 0, 1, I::Range, 0},
    {S::WepBit, "wep_bit", nullptr, 0, 0, 1, I::Range, 0},
    {S::DefaultKeyId, "default_key_id", name(V::WepDefaultKeyId), 1, 0, 3, I::Range, 0},
    {S::PsMode, "ps_mode", name(V::PowerSaveMode), 0, 0, 1, I::Range, 0},
    {S::PsLevel, "ps_level", name(V::PowerSaveLevel), 0, 0, 4, I::Range, 0},
    {S::FragThreshold, "frag_threshold", name(V::FragmentThreshold), 0, 256, 2306, I::Range,
     2306},
    {S::RtsThreshold, "rts_threshold", name(V::RtsCtsThreshold), 0, 0, 2305, I::Range, 2305},
    {S::Preamble, "preamble", name(V::Preamble), 0, 1, 3, I::Range, 3},
    {S::Mode27_5, "mode_27_5", name(V::Mode27_5Mbps), 0, 0, 1, I::Range, 0},
    {S::BasicRate, "basic_rate", nullptr, 0, 0, 15, I::Range, 3},
    {S::ApHideSsid, "ap_hide_ssid", nullptr, 0, 0, 1, I::Range, 0},
    {S::ApTxPower, "ap_tx_power", nullptr, 0, 0, 3, I::Range, 0},
    {S::ApFragThreshold, "ap_frag_threshold", nullptr, 0, 256, 2306, I::Range, 2306},
    {S::ApRtsThreshold, "ap_rts_threshold", nullptr, 0, 0, 2305, I::Range, 2305},
    {S::ApFilterMode, "ap_filter_mode", nullptr, 0, 0, 2, I::Range, 0},
}};

} // namespace

bool SettingInfo::accepts(int value) const {
    switch (check) {
    case RateCode:
        // A set of the four basic rates, or one of the three proprietary rates.
        return (value >= 1 && value <= 15) || value == 16 || value == 32 || value == 64;
    case NetworkType:
        return value == 0 || value == 1 || value == 3 || value == 4;
    case Range:
        break;
    }
    return value >= low && value <= high;
}

std::span<const SettingInfo> SettingTable::all() {
    return kSettings;
}

const SettingInfo& SettingTable::info(Setting id) {
    return kSettings[static_cast<std::size_t>(id)];
}

const SettingInfo* SettingTable::byField(std::string_view field) {
    for (const SettingInfo& s : kSettings) {
        if (field == s.field)
            return &s;
    }
    return nullptr;
}

} // namespace kx
