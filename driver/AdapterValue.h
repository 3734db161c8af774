#pragma once
// The values recorded in the adapter's registry key, where the adapter's driver reads
// them when it starts. The program writes them and every driver library reads them by
// these names, spelled in this one table.

#include <array>
#include <cstddef>
#include <utility>

#include "driver/DriverCodes.h"

namespace kx {

// Where every adapter has its key under HKEY_LOCAL_MACHINE: this, a backslash and the
// adapter's instance key. The drivers install their adapters there; the program reads
// it (Windows 95's form aside, which no driver here answers).
inline constexpr const char* kAdapterClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
// The hardware ID a driver installs its adapter's key with; the program accepts the
// adapters whose ID its configuration lists.
inline constexpr const char* kHardwareIdValue = "MatchingDeviceId";

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

namespace detail {
inline constexpr std::pair<AdapterValue, const char*> kAdapterValueNames[] = {
    {AdapterValue::PowerSaveMode, "PowerSaveMode"},
    {AdapterValue::PowerSaveLevel, "PowerSaveLevel"},
    {AdapterValue::FragmentThreshold, "FragmentThreshold"},
    {AdapterValue::RtsCtsThreshold, "RTSCTSThreshold"},
    {AdapterValue::Mode27_5Mbps, "27_5Mbps"},
    {AdapterValue::AuthenticationMode, "AuthentMode"},
    {AdapterValue::WepDefaultKeyId, "WEPDefaultKeyId"},
    {AdapterValue::WepDefaultKeys, "WEPDefaultKeys"},
    {AdapterValue::WepStatus, "WEPStatus"},
    {AdapterValue::Channel, "RFChannel"},
    {AdapterValue::TxRate, "TxDataRate"},
    {AdapterValue::NetworkType, "NetworkType"},
    {AdapterValue::Ssid, "SSID"},
    {AdapterValue::Preamble, "Preamble"},
    {AdapterValue::AntennaSelect, "AntennaSelect"},
};

// Each row sits at the index of its enumerator, so a lookup is an index.
constexpr bool namesInEnumOrder() {
    for (std::size_t i = 0; i < std::size(kAdapterValueNames); ++i) {
        if (static_cast<std::size_t>(kAdapterValueNames[i].first) != i)
            return false;
    }
    return true;
}
static_assert(namesInEnumOrder());
} // namespace detail

// The registry value name, as the driver looks it up.
constexpr const char* adapterValueName(AdapterValue value) {
    return detail::kAdapterValueNames[static_cast<std::size_t>(value)].second;
}

// "WEPStatus" as the driver reads it at start: 0 off, 2 on with 64-bit keys, 6 on with
// 128-bit keys.
constexpr int wepStatusCode(bool enabled, WepBit keyLength) {
    return !enabled ? 0 : keyLength == WepBit::Bits128 ? 6 : 2;
}

} // namespace kx
