#pragma once
// The adapter's integer settings as a driver keeps them: their machine-readable names
// (the simulation's control API and trace), the registry value the driver reads at
// start, the range the driver accepts and the default before anything is recorded.

#include <span>
#include <string_view>

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

struct SettingInfo {
    enum Check { Range, RateCode, NetworkType };

    Setting id;
    const char* field;        // control API name
    const char* registryName; // read at driver start; null when the driver keeps none
    int registryOffset;       // registry text = value + offset
    int low;
    int high;
    Check check;
    int defaultValue;

    bool accepts(int value) const;
};

class SettingTable final {
public:
    static std::span<const SettingInfo> all();
    static const SettingInfo& info(Setting id);
    static const SettingInfo* byField(std::string_view field);
};

} // namespace kx
