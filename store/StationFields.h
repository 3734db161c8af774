#pragma once
// The fields of the station settings (WirelessSettings), each named once: the setting
// the driver knows it as (its range, the codes a person chooses from and the adapter's
// registry value: driver/SettingTable), how the adapter is asked for it and told it, its
// value in a stored profile and its key in a file of profiles. The store, AdapterSettings,
// kxctl and the dialogs take names and ranges from here.

#include <array>
#include <cstdint>
#include <span>

#include <QString>

#include "driver/DriverLimits.h"
#include "driver/SettingTable.h"
#include "driver/kx02app.h"
#include "store/WirelessSettings.h"

namespace kx {

struct StationField {
    int WirelessSettings::*member;
    Setting setting;
    const char* profileValue; // in a stored profile
    const char* fileKey;      // in a file of profiles
    std::int32_t (*query)(WLAdapterInfo*);
    std::int32_t (*set)(WLAdapterInfo*, std::int32_t); // nullptr: sent with the keys

    const SettingInfo& info() const { return SettingTable::info(setting); }
};

class StationFields final {
public:
    // The text fields.
    static constexpr const char* kSsidProfileValue = "SSID";
    static constexpr const char* kSsidFileKey = "ssid";
    static constexpr std::array<const char*, kWepKeyCount> kKeyProfileValues{
        "WEP Key 0", "WEP Key 1", "WEP Key 2", "WEP Key 3"};
    static constexpr const char* kKeysFileKey = "keys";

    // The number fields, in the order of a stored profile.
    static std::span<const StationField> numbers();
    static const StationField& of(int WirelessSettings::*member);

    // Whether the field takes `value` on an adapter that offers the channels of
    // `channelMask`: one of the codes a person chooses from, else a number in range.
    static bool takes(const StationField& field, int value,
                      std::uint16_t channelMask = kAllChannelsMask);
    // What it takes, for a message: "1-14", "1-11, 13" or "0, 1, 3".
    static QString accepted(const StationField& field,
                            std::uint16_t channelMask = kAllChannelsMask);
    // Whether the keys are four whole keys of one length (10 or 26 hexadecimal digits).
    static bool wholeKeys(const WepKeys::Texts& keys);
    // The first field of `settings` that the adapter would not take, as "channel does not
    // take 99; it takes 1-14" (fields named by their key in a file); empty when none.
    static QString problem(const WirelessSettings& settings,
                           std::uint16_t channelMask = kAllChannelsMask);
};

} // namespace kx
