// Entry points of the Linux driver library: each one finds the adapter the record has
// open, runs its operation and traces the call; the work is LinuxAdapter's. What the
// kernel has no counterpart for (EEPROM, registers, radio tests, the firmware's tally)
// answers -1, and QueryWL_EngineeringSupport tells the program so beforehand.
#include <algorithm>
#include <cstring>

#include "driver/DriverCodes.h"
#include "driver/ExtendedRecordLayout.h"
#include "driver/ObjectLayouts.h"
#include "driver/TraceArgs.h"
#include "driver/kx02app.h"
#include "kx02linux/LinuxDriver.h"
#include "kx02linux/RadioMapping.h"

using kx::AdapterListLayout;
using kx::putFieldText;
using kx::TraceArgs;
using kx::lnx::LinuxAdapter;
using kx::lnx::LinuxDriver;
using json = nlohmann::json;

namespace {

constexpr std::size_t kTextArgLimit = 260;

template <typename Body> std::int32_t run(const char* fn, json args, Body body) {
    LinuxDriver& driver = LinuxDriver::get();
    std::lock_guard lock(driver.mutex());
    const std::int32_t ret = body(driver);
    driver.trace().add(fn, std::move(args), ret);
    return ret;
}

template <typename Body>
std::int32_t op(const char* fn, WLAdapterInfo* info, json args, Body body) {
    return run(fn, std::move(args), [&](LinuxDriver& d) -> std::int32_t {
        LinuxAdapter* adapter = d.forRecord(info);
        return adapter != nullptr ? body(*adapter) : -1;
    });
}

// What an adapter of the kernel does not have.
std::int32_t unsupported(const char* fn, WLAdapterInfo* info, json args) {
    return op(fn, info, std::move(args), [](LinuxAdapter&) { return -1; });
}

std::int32_t host(const char* fn, std::int32_t answer) {
    return run(fn, json::array(), [=](LinuxDriver&) { return answer; });
}

std::int32_t adapterList(const char* fn, WLAdapterListEntry* entries, std::int32_t maxEntries,
                         std::int32_t capacity) {
    return run(fn, json::array({nullptr, maxEntries}), [=](LinuxDriver& d) -> std::int32_t {
        if (entries == nullptr || maxEntries <= 0)
            return 0;
        const std::vector<LinuxAdapter*> adapters = d.discover();
        const std::size_t count = AdapterListLayout::count(adapters.size(), maxEntries, capacity);
        for (std::size_t i = 0; i < count; ++i) {
            const LinuxAdapter::Identity& id = adapters[i]->identity();
            AdapterListLayout::fill(entries[i], id.name, id.description, id.instance);
        }
        return static_cast<std::int32_t>(count);
    });
}

std::int32_t copySsid(const std::string& ssid, char* buffer) {
    if (buffer == nullptr)
        return -1;
    putFieldText(buffer, WL_SSID_BUFFER_MIN, ssid);
    return 0;
}

} // namespace

extern "C" {

// ---- host
int32_t QueryWL_IsWindows95(void) {
    return host("QueryWL_IsWindows95", kx::kHostIsWindows95);
}
int32_t QueryWL_IsWindows2000(void) {
    return host("QueryWL_IsWindows2000", kx::kHostIsWindows2000);
}
int32_t KX_GetOSVersion(void) {
    return host("KX_GetOSVersion", kx::kHostOsVersion);
}

// ---- adapters
int32_t CreateNICAdapterList(WLAdapterListEntry* entries, int32_t maxEntries) {
    return adapterList("CreateNICAdapterList", entries, maxEntries,
                       AdapterListLayout::kShortListMax);
}
int32_t CreateAllNICAdapterList(WLAdapterListEntry* entries, int32_t maxEntries) {
    return adapterList("CreateAllNICAdapterList", entries, maxEntries, WL_ADAPTER_LIST_MAX);
}

int32_t KxOpenAdapter(WLAdapterInfo* info) {
    return run("KxOpenAdapter", json::array(), [=](LinuxDriver& d) -> std::int32_t {
        LinuxAdapter* adapter = d.named(info);
        if (adapter == nullptr || !adapter->open())
            return 0;
        // An open record keeps its handle; every tick opens again.
        if (d.forRecord(info) == nullptr)
            adapter->setHandle(d.nextHandle());
        info->handle = adapter->handle();
        d.noteOpened(adapter);
        return 1;
    });
}

int32_t KxCloseAdapter(WLAdapterInfo* info) {
    return op("KxCloseAdapter", info, json::array(), [=](LinuxAdapter&) {
        info->handle = -1;
        return 0;
    });
}

int32_t GetNICAdapterMAC(WLAdapterInfo* info, uint8_t* mac6) {
    return op("GetNICAdapterMAC", info, json::array({nullptr}),
              [=](LinuxAdapter& a) { return a.mac(mac6); });
}
int32_t QueryWL_FirmwareMode_STA_AP(WLAdapterInfo* info) {
    return op("QueryWL_FirmwareMode_STA_AP", info, json::array(), [](LinuxAdapter& a) {
        const bool accessPoint =
            a.settings().networkType == kx::code(kx::NetworkType::AccessPoint) &&
            a.portStatus() == kx::code(kx::PortStatus::Joined);
        return accessPoint ? 1 : 0;
    });
}
int32_t QueryWL_DriverVersion(WLAdapterInfo* info) {
    return unsupported("QueryWL_DriverVersion", info, json::array());
}
int32_t QueryWL_FirmwareVersion(WLAdapterInfo* info, uint8_t*) {
    return unsupported("QueryWL_FirmwareVersion", info, json::array({nullptr}));
}

// 1: the engineering functions work; 0: this driver has none (they answer -1).
int32_t QueryWL_EngineeringSupport(WLAdapterInfo* info) {
    return op("QueryWL_EngineeringSupport", info, json::array(), [](LinuxAdapter&) { return 0; });
}

int32_t QueryWL_ReadOnlyReason(WLAdapterInfo* info, char* reason, int32_t length) {
    return op("QueryWL_ReadOnlyReason", info, json::array({nullptr, length}),
              [=](LinuxAdapter& a) -> std::int32_t {
                  if (reason == nullptr || length <= 0)
                      return -1;
                  const std::string why = a.readOnlyReason();
                  putFieldText(reason, static_cast<std::size_t>(length), why);
                  return why.empty() ? 0 : 1;
              });
}

// ---- station settings
int32_t QueryWL_Channel(WLAdapterInfo* info) {
    return op("QueryWL_Channel", info, json::array(), [](LinuxAdapter& a) { return a.channel(); });
}
int32_t QueryWL_DesiredChannel(WLAdapterInfo* info) {
    return op("QueryWL_DesiredChannel", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().channel; });
}
int32_t SetWL_Channel(WLAdapterInfo* info, int32_t channel) {
    return op("SetWL_Channel", info, json::array({channel}),
              [=](LinuxAdapter& a) { return a.setChannel(channel); });
}
int32_t QueryWL_TxRateControl(WLAdapterInfo* info) {
    return op("QueryWL_TxRateControl", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().txRate; });
}
int32_t SetWL_TxRateControl(WLAdapterInfo* info, int32_t rateCode) {
    return op("SetWL_TxRateControl", info, json::array({rateCode}),
              [=](LinuxAdapter& a) { return a.setTxRate(rateCode); });
}
int32_t QueryWL_CurrentTxRate(WLAdapterInfo* info) {
    return op("QueryWL_CurrentTxRate", info, json::array(),
              [](LinuxAdapter& a) { return a.currentTxRate(); });
}
int32_t QueryWL_NetworkType(WLAdapterInfo* info) {
    return op("QueryWL_NetworkType", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().networkType; });
}
int32_t SetWL_NetworkType(WLAdapterInfo* info, int32_t type) {
    return op("SetWL_NetworkType", info, json::array({type}),
              [=](LinuxAdapter& a) { return a.setNetworkType(type); });
}
int32_t QueryWL_AuthenticationMode(WLAdapterInfo* info) {
    return op("QueryWL_AuthenticationMode", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().authMode; });
}
int32_t SetWL_AuthenticationMode(WLAdapterInfo* info, int32_t mode) {
    return op("SetWL_AuthenticationMode", info, json::array({mode}),
              [=](LinuxAdapter& a) { return a.setAuthMode(mode); });
}
int32_t QueryWL_WEPStatus(WLAdapterInfo* info) {
    return op("QueryWL_WEPStatus", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().wepStatus; });
}
int32_t SetWL_WEPStatus(WLAdapterInfo* info, int32_t on) {
    return op("SetWL_WEPStatus", info, json::array({on}),
              [=](LinuxAdapter& a) { return a.setWepStatus(on); });
}
int32_t QueryWL_WEPbit(WLAdapterInfo* info) {
    return op("QueryWL_WEPbit", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().wepBit; });
}
int32_t QueryWL_DefaultKeyID(WLAdapterInfo* info) {
    return op("QueryWL_DefaultKeyID", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().defaultKey; });
}
int32_t SetWL_WriteKey(WLAdapterInfo* info, int32_t keyIndex, int32_t wepBit, int32_t isDefault,
                       const uint8_t* key) {
    // The trace shows that a key was written, never the key.
    return op("SetWL_WriteKey", info, json::array({keyIndex, wepBit, isDefault, nullptr}),
              [=](LinuxAdapter& a) { return a.writeKey(keyIndex, wepBit, isDefault, key); });
}
int32_t QueryWL_PSMode(WLAdapterInfo* info) {
    return op("QueryWL_PSMode", info, json::array(), [](LinuxAdapter& a) { return a.powerSave(); });
}
int32_t SetWL_PSMode(WLAdapterInfo* info, int32_t mode) {
    return op("SetWL_PSMode", info, json::array({mode}),
              [=](LinuxAdapter& a) { return a.setPowerSave(mode); });
}
int32_t QueryWL_PSLevel(WLAdapterInfo* info) {
    return op("QueryWL_PSLevel", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().psLevel; });
}
int32_t SetWL_PSLevel(WLAdapterInfo* info, int32_t level) {
    return op("SetWL_PSLevel", info, json::array({level}),
              [=](LinuxAdapter& a) { return a.setPsLevel(level); });
}
int32_t QueryWL_FragmentationThreshold(WLAdapterInfo* info) {
    return op("QueryWL_FragmentationThreshold", info, json::array(),
              [](LinuxAdapter& a) { return a.fragThreshold(); });
}
int32_t SetWL_FragmentationThreshold(WLAdapterInfo* info, int32_t bytes) {
    return op("SetWL_FragmentationThreshold", info, json::array({bytes}),
              [=](LinuxAdapter& a) { return a.setFragThreshold(bytes); });
}
int32_t QueryWL_RTS_CTS_Threshold(WLAdapterInfo* info) {
    return op("QueryWL_RTS_CTS_Threshold", info, json::array(),
              [](LinuxAdapter& a) { return a.rtsThreshold(); });
}
int32_t SetWL_RTS_CTS_Threshold(WLAdapterInfo* info, int32_t bytes) {
    return op("SetWL_RTS_CTS_Threshold", info, json::array({bytes}),
              [=](LinuxAdapter& a) { return a.setRtsThreshold(bytes); });
}
int32_t QueryWL_PreambleMode(WLAdapterInfo* info) {
    return op("QueryWL_PreambleMode", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().preamble; });
}
int32_t SetWL_PreambleMode(WLAdapterInfo* info, int32_t mode) {
    return op("SetWL_PreambleMode", info, json::array({mode}),
              [=](LinuxAdapter& a) { return a.setPreamble(mode); });
}
int32_t QueryWL_27_5Mbps(WLAdapterInfo* info) {
    return op("QueryWL_27_5Mbps", info, json::array(), [](LinuxAdapter&) { return 0; });
}
// No Linux radio sends 27.5 Mbit/s: only "off" is taken.
int32_t SetWL_27_5Mbps(WLAdapterInfo* info, int32_t on) {
    return op("SetWL_27_5Mbps", info, json::array({on}),
              [=](LinuxAdapter& a) { return on == 0 && a.readOnlyReason().empty() ? 0 : -1; });
}
int32_t QueryWL_BasicRate(WLAdapterInfo* info) {
    return op("QueryWL_BasicRate", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().basicRate; });
}
int32_t SetWL_BasicRate(WLAdapterInfo* info, int32_t rateBits) {
    return op("SetWL_BasicRate", info, json::array({rateBits}),
              [=](LinuxAdapter& a) { return a.setBasicRate(rateBits); });
}
int32_t QueryWL_SSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWL_SSID", info, json::array({nullptr}),
              [=](LinuxAdapter& a) { return copySsid(a.settings().ssid, buffer); });
}
int32_t SetWL_SSID(WLAdapterInfo* info, const char* ssid) {
    return op("SetWL_SSID", info, json::array({TraceArgs::text(ssid, kTextArgLimit)}),
              [=](LinuxAdapter& a) { return a.setSsid(ssid); });
}
int32_t QueryWL_CurrentSSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWL_CurrentSSID", info, json::array({nullptr}),
              [=](LinuxAdapter& a) { return a.currentSsid(buffer); });
}
int32_t QueryWL_BSSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWL_BSSID", info, json::array({nullptr}),
              [=](LinuxAdapter& a) { return a.bssidText(buffer); });
}
int32_t SetWL_DesiredBSSID(WLAdapterInfo* info, const uint8_t* bssid6) {
    return op("SetWL_DesiredBSSID", info, json::array({TraceArgs::bytes(bssid6, WL_MAC_BYTES)}),
              [=](LinuxAdapter& a) { return a.setDesiredBssid(bssid6); });
}
int32_t QueryWL_PortStatus(WLAdapterInfo* info) {
    return op("QueryWL_PortStatus", info, json::array(),
              [](LinuxAdapter& a) { return a.portStatus(); });
}
int32_t QueryWL_CQSLCurrBSS(WLAdapterInfo* info, int32_t* qualitySum, int32_t* signal,
                            int32_t* packets) {
    return op("QueryWL_CQSLCurrBSS", info, json::array({nullptr, nullptr, nullptr}),
              [=](LinuxAdapter& a) { return a.cqsl(qualitySum, signal, packets); });
}
int32_t QueryWL_OperationChannelList(WLAdapterInfo* info) {
    return op("QueryWL_OperationChannelList", info, json::array(),
              [](LinuxAdapter& a) { return a.channelMask(); });
}
// Another manager of the interface makes it read-only, never "controlled by the system":
// the program then still shows the link.
int32_t QueryWL_CheckWZCStatus(WLAdapterInfo* info) {
    return op("QueryWL_CheckWZCStatus", info, json::array(), [](LinuxAdapter&) { return 0; });
}
int32_t SetWL_DisableWirelessZeroConfiguration(WLAdapterInfo* info, int32_t disable) {
    return op("SetWL_DisableWirelessZeroConfiguration", info, json::array({disable}),
              [](LinuxAdapter&) { return 0; });
}
int32_t SetWL_RestartNIC(WLAdapterInfo* info) {
    return op("SetWL_RestartNIC", info, json::array(), [](LinuxAdapter& a) { return a.restart(); });
}

// ---- access point
int32_t QueryWLAP_SSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWLAP_SSID", info, json::array({nullptr}), [=](LinuxAdapter& a) {
        const kx::lnx::RadioSettings s = a.settings();
        return copySsid(
            s.apSsid.empty() ? kx::lnx::Hostapd::defaultSsid(a.identity().name) : s.apSsid, buffer);
    });
}
int32_t SetWLAP_SSID(WLAdapterInfo* info, const char* ssid) {
    return op("SetWLAP_SSID", info, json::array({TraceArgs::text(ssid, kTextArgLimit)}),
              [=](LinuxAdapter& a) { return a.setApSsid(ssid, kTextArgLimit); });
}
int32_t QueryWLAP_HideSSIDState(WLAdapterInfo* info) {
    return op("QueryWLAP_HideSSIDState", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().apHidden; });
}
int32_t SetWLAP_HideSSIDState(WLAdapterInfo* info, int32_t hidden) {
    return op("SetWLAP_HideSSIDState", info, json::array({hidden}),
              [=](LinuxAdapter& a) { return a.setApHidden(hidden); });
}
int32_t QueryWLAP_TxPowerLevel(WLAdapterInfo* info) {
    return op("QueryWLAP_TxPowerLevel", info, json::array(),
              [](LinuxAdapter& a) { return a.txPowerLevel(); });
}
int32_t SetWLAP_TxPowerLevel(WLAdapterInfo* info, int32_t level) {
    return op("SetWLAP_TxPowerLevel", info, json::array({level}),
              [=](LinuxAdapter& a) { return a.setTxPowerLevel(level); });
}
int32_t QueryWLAP_FragmentationThreshold(WLAdapterInfo* info) {
    return op("QueryWLAP_FragmentationThreshold", info, json::array(),
              [](LinuxAdapter& a) { return a.fragThreshold(); });
}
int32_t SetWLAP_FragmentationThreshold(WLAdapterInfo* info, int32_t bytes) {
    return op("SetWLAP_FragmentationThreshold", info, json::array({bytes}),
              [=](LinuxAdapter& a) { return a.setFragThreshold(bytes); });
}
int32_t QueryWLAP_RTS_CTS_Threshold(WLAdapterInfo* info) {
    return op("QueryWLAP_RTS_CTS_Threshold", info, json::array(),
              [](LinuxAdapter& a) { return a.rtsThreshold(); });
}
int32_t SetWLAP_RTS_CTS_Threshold(WLAdapterInfo* info, int32_t bytes) {
    return op("SetWLAP_RTS_CTS_Threshold", info, json::array({bytes}),
              [=](LinuxAdapter& a) { return a.setRtsThreshold(bytes); });
}
int32_t QueryWLAP_FilterMode(WLAdapterInfo* info) {
    return op("QueryWLAP_FilterMode", info, json::array(),
              [](LinuxAdapter& a) { return a.settings().filterMode; });
}
int32_t SetWLAP_FilterMode(WLAdapterInfo* info, int32_t mode) {
    return op("SetWLAP_FilterMode", info, json::array({mode}),
              [=](LinuxAdapter& a) { return a.setFilterMode(mode); });
}
int32_t QueryWLAP_FilterList(WLAdapterInfo* info, uint8_t* table, int32_t length) {
    return op("QueryWLAP_FilterList", info, json::array({nullptr, length}),
              [=](LinuxAdapter& a) { return a.filterList(table, length); });
}
int32_t SetWLAP_FilterList(WLAdapterInfo* info, const uint8_t* table, int32_t length) {
    return op(
        "SetWLAP_FilterList", info,
        json::array({TraceArgs::bytes(table, std::min(length, std::int32_t{WL_FILTER_TABLE_BYTES})),
                     length}),
        [=](LinuxAdapter& a) { return a.setFilterList(table, length); });
}

// ---- scans and stations
int32_t WL_SiteSurveyStart(WLAdapterInfo* info) {
    return op("WL_SiteSurveyStart", info, json::array(),
              [](LinuxAdapter& a) { return a.startSurvey(); });
}
int32_t WL_RetrieveSiteSurveyData(WLAdapterInfo* info, void* buffer, int32_t maxRecords) {
    return op("WL_RetrieveSiteSurveyData", info, json::array({nullptr, maxRecords}),
              [=](LinuxAdapter& a) { return a.survey(buffer, maxRecords); });
}
int32_t WL_RetrieveStationList(WLAdapterInfo* info, uint8_t* buffer, int32_t length) {
    return op("WL_RetrieveStationList", info, json::array({nullptr, length}),
              [=](LinuxAdapter& a) { return a.stationList(buffer, length); });
}

// ---- counters
int32_t GetNICAdapterTally(WLAdapterInfo* info, uint8_t*) {
    return unsupported("GetNICAdapterTally", info, json::array({nullptr}));
}
int32_t GetTxRxFrameCount(WLAdapterInfo* info, uint32_t* counters2) {
    return op("GetTxRxFrameCount", info, json::array({nullptr}),
              [=](LinuxAdapter& a) { return a.frames(counters2); });
}
int32_t SetWL_ResetTallyData(WLAdapterInfo* info) {
    return unsupported("SetWL_ResetTallyData", info, json::array());
}

// ---- engineering
int32_t ReadOid(WLAdapterInfo* info, uint32_t oid, void* buffer, int32_t length) {
    return op("ReadOid", info, json::array({oid, nullptr, length}),
              [=](LinuxAdapter& a) -> std::int32_t {
                  if (oid != WL_OID_CURRENT_ADDRESS || length < WL_MAC_BYTES)
                      return -1;
                  return a.mac(static_cast<std::uint8_t*>(buffer));
              });
}
int32_t WriteOid(WLAdapterInfo* info, uint32_t oid, void* buffer, int32_t length) {
    constexpr std::int32_t kBlock = sizeof(WLApSsid);
    return op("WriteOid", info,
              json::array({oid, TraceArgs::bytes(buffer, std::min(length, kBlock)), length}),
              [=](LinuxAdapter& a) -> std::int32_t {
                  // The access point's SSID object only.
                  if (oid != WL_OID_AP_SSID || buffer == nullptr || length < kBlock)
                      return -1;
                  const std::optional<std::string> ssid = kx::ApSsidBlock::decode(
                      {static_cast<const std::uint8_t*>(buffer), static_cast<std::size_t>(kBlock)});
                  return ssid ? a.setApSsid(ssid->c_str(), ssid->size() + 1) : -1;
              });
}
int32_t QueryWL_ReadPHYRegister(WLAdapterInfo* info, int32_t reg, int32_t*) {
    return unsupported("QueryWL_ReadPHYRegister", info, json::array({reg, nullptr}));
}
int32_t SetWL_WritePHYRegister(WLAdapterInfo* info, int32_t reg, int32_t value) {
    return unsupported("SetWL_WritePHYRegister", info, json::array({reg, value}));
}
int32_t QueryWL_ReadMACRegister(WLAdapterInfo* info, uint32_t address, uint32_t*) {
    return unsupported("QueryWL_ReadMACRegister", info, json::array({address, nullptr}));
}
int32_t SetWL_WriteMACRegister(WLAdapterInfo* info, uint32_t address, uint32_t value) {
    return unsupported("SetWL_WriteMACRegister", info, json::array({address, value}));
}
int32_t WL_ReadEEPROM(WLAdapterInfo* info, int32_t chipVersion, int32_t busKind, uint8_t*,
                      int32_t length) {
    return unsupported("WL_ReadEEPROM", info, json::array({chipVersion, busKind, nullptr, length}));
}
int32_t WL_WriteEEPROM(WLAdapterInfo* info, const uint8_t*, int32_t length) {
    return unsupported("WL_WriteEEPROM", info, json::array({nullptr, length}));
}
// No EEPROM to look in: the channel record answers the channels the kernel allows the
// adapter opened last (the one the program is selecting); other records are not there.
int32_t QueryWL_ExtEEPROM_IDData(const uint8_t*, int32_t busKind, int32_t item, uint8_t* out,
                                 int32_t* length) {
    const json args = json::array({nullptr, busKind, item, nullptr, TraceArgs::inOut(length)});
    return run("QueryWL_ExtEEPROM_IDData", args, [=](LinuxDriver& d) -> std::int32_t {
        LinuxAdapter* adapter = d.lastOpened();
        if (item != kx::ExtendedRecordLayout::ChannelMask || adapter == nullptr || out == nullptr ||
            length == nullptr || *length < 2)
            return -1;
        const int mask = adapter->channelMask();
        if (mask < 0)
            return -1;
        out[0] = static_cast<std::uint8_t>(mask & 0xFF);
        out[1] = static_cast<std::uint8_t>(mask >> 8);
        *length = 2;
        return 0;
    });
}
int32_t SetWL_TxContinuous(WLAdapterInfo* info, int32_t on) {
    return unsupported("SetWL_TxContinuous", info, json::array({on}));
}
int32_t SetWL_SensitivityTest(WLAdapterInfo* info, int32_t on) {
    return unsupported("SetWL_SensitivityTest", info, json::array({on}));
}
int32_t SetWL_FirmwareRecvPort(WLAdapterInfo* info, int32_t port) {
    return unsupported("SetWL_FirmwareRecvPort", info, json::array({port}));
}
int32_t SetWL_FilterBand(WLAdapterInfo* info, int32_t band) {
    return unsupported("SetWL_FilterBand", info, json::array({band}));
}
int32_t SetWL_FirmwareAntennaDiversity(WLAdapterInfo* info, int32_t which, int32_t antenna) {
    return unsupported("SetWL_FirmwareAntennaDiversity", info, json::array({which, antenna}));
}
int32_t QueryWL_FirmwareAntennaDiversity(WLAdapterInfo* info, int32_t which) {
    return unsupported("QueryWL_FirmwareAntennaDiversity", info, json::array({which}));
}
int32_t SetWL_CRScrambler(WLAdapterInfo* info, int32_t on) {
    return unsupported("SetWL_CRScrambler", info, json::array({on}));
}
int32_t SetWL_CRSpread(WLAdapterInfo* info, int32_t on) {
    return unsupported("SetWL_CRSpread", info, json::array({on}));
}
int32_t SetWL_DisableNIC(WLAdapterInfo* info) {
    return unsupported("SetWL_DisableNIC", info, json::array());
}
int32_t SetWL_FirmwareTestCommand(WLAdapterInfo* info, int32_t command, int32_t value,
                                  int32_t extra) {
    return unsupported("SetWL_FirmwareTestCommand", info, json::array({command, value, extra}));
}
int32_t QueryWL_TxPowerSetPoint(WLAdapterInfo* info, uint8_t*) {
    return unsupported("QueryWL_TxPowerSetPoint", info, json::array({nullptr}));
}
int32_t QueryWL_CRTxPowerMeasure(WLAdapterInfo* info, int32_t*) {
    return unsupported("QueryWL_CRTxPowerMeasure", info, json::array({nullptr}));
}
int32_t QueryWL_ContiTxPowerControlStatus(WLAdapterInfo* info) {
    return unsupported("QueryWL_ContiTxPowerControlStatus", info, json::array());
}

} // extern "C"
