#include "store/AdapterValue.h"

#include <array>
#include <utility>

namespace kx {

namespace {

constexpr std::pair<AdapterValue, const char*> kNames[] = {
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
constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        if (static_cast<std::size_t>(kNames[i].first) != i)
            return false;
    }
    return true;
}
static_assert(inEnumOrder());

} // namespace

QString adapterValueName(AdapterValue value) {
    return QString::fromLatin1(kNames[static_cast<std::size_t>(value)].second);
}

} // namespace kx
