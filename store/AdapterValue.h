#pragma once
// The values the program records in the adapter's registry key, where the adapter's
// driver reads them when it starts. Their names are spelled in one table only.

#include <QString>

namespace kx {

enum class AdapterValue {
    PowerSaveMode,
    PowerSaveLevel,
    FragmentThreshold,
    RtsCtsThreshold,
    Mode27_5Mbps,
    AuthenticationMode,
    WepDefaultKeyId,
    WepDefaultKeys,
    WepStatus,
    Channel,
    TxRate,
    NetworkType,
    Ssid,
    Preamble,
    AntennaSelect,
};

// The registry value name, as the driver looks it up.
QString adapterValueName(AdapterValue value);

} // namespace kx
