// Entry points of the simulated driver library: each one frames its operation with
// DriverCall (lock, forced result, trace) and leaves the work to SimAdapter.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "driver/DriverCodes.h"
#include "driver/ObjectLayouts.h"
#include "driver/TraceArgs.h"
#include "driver/kx02app.h"
#include "kx02app/DriverCall.h"
#include "kx02app/ExtendedRecords.h"
#include "kx02app/ObjectAccess.h"

using kx::AdapterListLayout;
using kx::putFieldText;
using kx::Setting;
using kx::TraceArgs;
using kx::sim::DriverCall;
using kx::sim::RfTestState;
using kx::sim::SimAdapter;
using kx::sim::SimWorld;
using json = nlohmann::json;

namespace {

constexpr std::int32_t kLargestEeprom = 2048;
constexpr std::size_t kTextArgLimit = 260;

std::int32_t query(const char* fn, WLAdapterInfo* info, Setting id) {
    return DriverCall::onAdapter(fn, info, json::array(),
                                 [id](SimAdapter& a) { return a.query(id); });
}

std::int32_t set(const char* fn, WLAdapterInfo* info, Setting id, std::int32_t value) {
    return DriverCall::onAdapter(fn, info, json::array({value}),
                                 [=](SimAdapter& a) { return a.set(id, value); });
}

template <typename Body>
std::int32_t op(const char* fn, WLAdapterInfo* info, json args, Body body) {
    return DriverCall::onAdapter(fn, info, std::move(args), body);
}

std::int32_t setRf(const char* fn, WLAdapterInfo* info, int RfTestState::*field, std::int32_t value,
                   std::int32_t low, std::int32_t high) {
    return op(fn, info, json::array({value}),
              [=](SimAdapter& a) { return a.setRf(field, value, low, high); });
}

std::int32_t host(const char* fn, std::int32_t answer) {
    // About the machine, not the adapters: the same answer whatever holds the world.
    return DriverCall::runOr(answer, fn, json::array(), [=](SimWorld&) { return answer; });
}

std::int32_t adapterList(const char* fn, WLAdapterListEntry* entries, std::int32_t maxEntries,
                         std::int32_t capacity) {
    return DriverCall::runOr(0, fn, json::array({nullptr, maxEntries}), [=](SimWorld& world) {
        if (entries == nullptr)
            return 0;
        const auto& adapters = world.adapters();
        const std::size_t count = AdapterListLayout::count(adapters.size(), maxEntries, capacity);
        for (std::size_t i = 0; i < count; ++i) {
            const kx::sim::Scenario::Adapter& a = adapters[i]->setup();
            AdapterListLayout::fill(entries[i], a.name, a.description, a.instance);
        }
        return static_cast<std::int32_t>(count);
    });
}

// Input buffers are traced as far as the operation reads them.
json oidArgs(std::uint32_t oid, const void* buffer, std::int32_t length) {
    const std::int32_t size = kx::sim::ObjectAccess::objectSize(oid);
    return json::array(
        {oid, size > 0 ? TraceArgs::bytes(buffer, std::min(size, length)) : json(), length});
}

std::int32_t rawSurvey(void* buffer, std::int32_t maxRecords) {
    const std::vector<std::uint8_t>& raw = SimWorld::instance().rawSurvey;
    if (buffer == nullptr || maxRecords < 0)
        return -1;
    const std::size_t room =
        4 + sizeof(WLSurveyRecord) * static_cast<std::size_t>(std::min(maxRecords, 20));
    std::memcpy(buffer, raw.data(), std::min(room, raw.size()));
    std::uint32_t count = 0;
    std::memcpy(&count, raw.data(), std::min<std::size_t>(raw.size(), sizeof count));
    return static_cast<std::int32_t>(count);
}

} // namespace

const char* DriverCall::readOnlyReason() {
    const char* reason = std::getenv("KX02APP_READ_ONLY");
    return reason != nullptr && *reason != '\0' ? reason : nullptr;
}

bool DriverCall::refusedAsReadOnly(const char* fn) {
    if (readOnlyReason() == nullptr)
        return false;
    const std::string_view name(fn);
    return name.starts_with("Set") || name == "WriteOid" || name == "WL_WriteEEPROM";
}

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
    return DriverCall::runOr(0, "KxOpenAdapter", json::array(), [=](SimWorld& world) {
        SimAdapter* adapter = world.adapterNamed(info);
        if (adapter == nullptr || adapter->open() == 0)
            return 0;
        info->handle = adapter->handle();
        world.noteOpened(*adapter);
        return 1;
    });
}

int32_t KxCloseAdapter(WLAdapterInfo* info) {
    return op("KxCloseAdapter", info, json::array(), [=](SimAdapter& a) {
        const std::int32_t ret = a.close();
        info->handle = -1;
        return ret;
    });
}

int32_t GetNICAdapterMAC(WLAdapterInfo* info, uint8_t* mac6) {
    return DriverCall::onAdapter(
        "GetNICAdapterMAC", info, json::array({nullptr}),
        [=](SimAdapter& a) { return a.macAddress(mac6); },
        [=] { return TraceArgs::bytes(mac6, WL_MAC_BYTES); });
}

int32_t QueryWL_FirmwareMode_STA_AP(WLAdapterInfo* info) {
    return op("QueryWL_FirmwareMode_STA_AP", info, json::array(),
              [](SimAdapter& a) { return a.firmwareAp ? 1 : 0; });
}

int32_t QueryWL_ReadOnlyReason(WLAdapterInfo* info, char* reason, int32_t length) {
    return op("QueryWL_ReadOnlyReason", info, json::array({nullptr, length}),
              [=](SimAdapter&) -> std::int32_t {
                  if (reason == nullptr || length <= 0)
                      return -1;
                  const char* why = DriverCall::readOnlyReason();
                  putFieldText(reason, static_cast<std::size_t>(length), why != nullptr ? why : "");
                  return why != nullptr ? 1 : 0;
              });
}

int32_t QueryWL_EngineeringSupport(WLAdapterInfo* info) {
    return op("QueryWL_EngineeringSupport", info, json::array(), [](SimAdapter&) { return 1; });
}

int32_t QueryWL_DriverVersion(WLAdapterInfo* info) {
    return op("QueryWL_DriverVersion", info, json::array(),
              [](SimAdapter& a) { return a.driverVersion; });
}

int32_t QueryWL_FirmwareVersion(WLAdapterInfo* info, uint8_t* version5) {
    return op("QueryWL_FirmwareVersion", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.firmwareVersion(version5); });
}

// ---- station settings
int32_t QueryWL_Channel(WLAdapterInfo* info) {
    return op("QueryWL_Channel", info, json::array(), [](SimAdapter& a) { return a.channel(); });
}
int32_t QueryWL_DesiredChannel(WLAdapterInfo* info) {
    return query("QueryWL_DesiredChannel", info, Setting::DesiredChannel);
}
int32_t SetWL_Channel(WLAdapterInfo* info, int32_t channel) {
    return set("SetWL_Channel", info, Setting::DesiredChannel, channel);
}
int32_t QueryWL_TxRateControl(WLAdapterInfo* info) {
    return query("QueryWL_TxRateControl", info, Setting::TxRate);
}
int32_t SetWL_TxRateControl(WLAdapterInfo* info, int32_t rateCode) {
    return set("SetWL_TxRateControl", info, Setting::TxRate, rateCode);
}
int32_t QueryWL_CurrentTxRate(WLAdapterInfo* info) {
    return op("QueryWL_CurrentTxRate", info, json::array(),
              [](SimAdapter& a) { return a.currentTxRate(); });
}
int32_t QueryWL_NetworkType(WLAdapterInfo* info) {
    return query("QueryWL_NetworkType", info, Setting::NetworkType);
}
int32_t SetWL_NetworkType(WLAdapterInfo* info, int32_t type) {
    return set("SetWL_NetworkType", info, Setting::NetworkType, type);
}
int32_t QueryWL_AuthenticationMode(WLAdapterInfo* info) {
    return query("QueryWL_AuthenticationMode", info, Setting::AuthMode);
}
int32_t SetWL_AuthenticationMode(WLAdapterInfo* info, int32_t mode) {
    return set("SetWL_AuthenticationMode", info, Setting::AuthMode, mode);
}
int32_t QueryWL_WEPStatus(WLAdapterInfo* info) {
    return query("QueryWL_WEPStatus", info, Setting::WepStatus);
}
int32_t SetWL_WEPStatus(WLAdapterInfo* info, int32_t on) {
    return set("SetWL_WEPStatus", info, Setting::WepStatus, on);
}
int32_t QueryWL_WEPbit(WLAdapterInfo* info) {
    return query("QueryWL_WEPbit", info, Setting::WepBit);
}
int32_t QueryWL_DefaultKeyID(WLAdapterInfo* info) {
    return query("QueryWL_DefaultKeyID", info, Setting::DefaultKeyId);
}

int32_t SetWL_WriteKey(WLAdapterInfo* info, int32_t keyIndex, int32_t wepBit, int32_t isDefault,
                       const uint8_t* key) {
    const std::int64_t keyLength = wepBit == 1 ? 13 : wepBit == 0 ? 5 : -1;
    return op("SetWL_WriteKey", info,
              json::array({keyIndex, wepBit, isDefault, TraceArgs::bytes(key, keyLength)}),
              [=](SimAdapter& a) { return a.writeKey(keyIndex, wepBit, isDefault, key); });
}

int32_t QueryWL_PSMode(WLAdapterInfo* info) {
    return query("QueryWL_PSMode", info, Setting::PsMode);
}
int32_t SetWL_PSMode(WLAdapterInfo* info, int32_t mode) {
    return set("SetWL_PSMode", info, Setting::PsMode, mode);
}
int32_t QueryWL_PSLevel(WLAdapterInfo* info) {
    return query("QueryWL_PSLevel", info, Setting::PsLevel);
}
int32_t SetWL_PSLevel(WLAdapterInfo* info, int32_t level) {
    return set("SetWL_PSLevel", info, Setting::PsLevel, level);
}
int32_t QueryWL_FragmentationThreshold(WLAdapterInfo* info) {
    return query("QueryWL_FragmentationThreshold", info, Setting::FragThreshold);
}
int32_t SetWL_FragmentationThreshold(WLAdapterInfo* info, int32_t bytes) {
    return set("SetWL_FragmentationThreshold", info, Setting::FragThreshold, bytes);
}
int32_t QueryWL_RTS_CTS_Threshold(WLAdapterInfo* info) {
    return query("QueryWL_RTS_CTS_Threshold", info, Setting::RtsThreshold);
}
int32_t SetWL_RTS_CTS_Threshold(WLAdapterInfo* info, int32_t bytes) {
    return set("SetWL_RTS_CTS_Threshold", info, Setting::RtsThreshold, bytes);
}
int32_t QueryWL_PreambleMode(WLAdapterInfo* info) {
    return query("QueryWL_PreambleMode", info, Setting::Preamble);
}
int32_t SetWL_PreambleMode(WLAdapterInfo* info, int32_t mode) {
    return set("SetWL_PreambleMode", info, Setting::Preamble, mode);
}
int32_t QueryWL_27_5Mbps(WLAdapterInfo* info) {
    return query("QueryWL_27_5Mbps", info, Setting::Mode27_5);
}
int32_t SetWL_27_5Mbps(WLAdapterInfo* info, int32_t on) {
    return set("SetWL_27_5Mbps", info, Setting::Mode27_5, on);
}
int32_t QueryWL_BasicRate(WLAdapterInfo* info) {
    return query("QueryWL_BasicRate", info, Setting::BasicRate);
}
int32_t SetWL_BasicRate(WLAdapterInfo* info, int32_t rateBits) {
    return set("SetWL_BasicRate", info, Setting::BasicRate, rateBits);
}

int32_t QueryWL_SSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWL_SSID", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.ssid(buffer); });
}
int32_t SetWL_SSID(WLAdapterInfo* info, const char* ssid) {
    return op("SetWL_SSID", info, json::array({TraceArgs::text(ssid, kTextArgLimit)}),
              [=](SimAdapter& a) { return a.setSsid(ssid); });
}
int32_t QueryWL_CurrentSSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWL_CurrentSSID", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.currentSsid(buffer); });
}
int32_t QueryWL_BSSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWL_BSSID", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.bssidText(buffer); });
}
int32_t SetWL_DesiredBSSID(WLAdapterInfo* info, const uint8_t* bssid6) {
    return op("SetWL_DesiredBSSID", info, json::array({TraceArgs::bytes(bssid6, WL_MAC_BYTES)}),
              [=](SimAdapter& a) { return a.setDesiredBssid(bssid6); });
}
int32_t QueryWL_PortStatus(WLAdapterInfo* info) {
    return op("QueryWL_PortStatus", info, json::array(),
              [](SimAdapter& a) { return a.portStatus(); });
}
int32_t QueryWL_CQSLCurrBSS(WLAdapterInfo* info, int32_t* qualitySum, int32_t* signal,
                            int32_t* packets) {
    return op("QueryWL_CQSLCurrBSS", info, json::array({nullptr, nullptr, nullptr}),
              [=](SimAdapter& a) { return a.cqsl(qualitySum, signal, packets); });
}
int32_t QueryWL_OperationChannelList(WLAdapterInfo* info) {
    return op("QueryWL_OperationChannelList", info, json::array(),
              [](SimAdapter& a) { return static_cast<std::int32_t>(a.channelMask()); });
}
int32_t QueryWL_CheckWZCStatus(WLAdapterInfo* info) {
    return op("QueryWL_CheckWZCStatus", info, json::array(), [](SimAdapter& a) { return a.wzc; });
}
int32_t SetWL_DisableWirelessZeroConfiguration(WLAdapterInfo* info, int32_t disable) {
    return op("SetWL_DisableWirelessZeroConfiguration", info, json::array({disable}),
              [=](SimAdapter& a) { return a.setWzcDisable(disable); });
}
int32_t SetWL_RestartNIC(WLAdapterInfo* info) {
    return op("SetWL_RestartNIC", info, json::array(), [](SimAdapter& a) { return a.restart(); });
}

// ---- access point
int32_t QueryWLAP_SSID(WLAdapterInfo* info, char* buffer) {
    return op("QueryWLAP_SSID", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.apSsid(buffer); });
}
int32_t SetWLAP_SSID(WLAdapterInfo* info, const char* ssid) {
    return op("SetWLAP_SSID", info, json::array({TraceArgs::text(ssid, kTextArgLimit)}),
              [=](SimAdapter& a) { return a.setApSsid(ssid); });
}
int32_t QueryWLAP_HideSSIDState(WLAdapterInfo* info) {
    return query("QueryWLAP_HideSSIDState", info, Setting::ApHideSsid);
}
int32_t SetWLAP_HideSSIDState(WLAdapterInfo* info, int32_t hidden) {
    return set("SetWLAP_HideSSIDState", info, Setting::ApHideSsid, hidden);
}
int32_t QueryWLAP_TxPowerLevel(WLAdapterInfo* info) {
    return query("QueryWLAP_TxPowerLevel", info, Setting::ApTxPower);
}
int32_t SetWLAP_TxPowerLevel(WLAdapterInfo* info, int32_t level) {
    return set("SetWLAP_TxPowerLevel", info, Setting::ApTxPower, level);
}
int32_t QueryWLAP_FragmentationThreshold(WLAdapterInfo* info) {
    return query("QueryWLAP_FragmentationThreshold", info, Setting::ApFragThreshold);
}
int32_t SetWLAP_FragmentationThreshold(WLAdapterInfo* info, int32_t bytes) {
    return set("SetWLAP_FragmentationThreshold", info, Setting::ApFragThreshold, bytes);
}
int32_t QueryWLAP_RTS_CTS_Threshold(WLAdapterInfo* info) {
    return query("QueryWLAP_RTS_CTS_Threshold", info, Setting::ApRtsThreshold);
}
int32_t SetWLAP_RTS_CTS_Threshold(WLAdapterInfo* info, int32_t bytes) {
    return set("SetWLAP_RTS_CTS_Threshold", info, Setting::ApRtsThreshold, bytes);
}
int32_t QueryWLAP_FilterMode(WLAdapterInfo* info) {
    return query("QueryWLAP_FilterMode", info, Setting::ApFilterMode);
}
int32_t SetWLAP_FilterMode(WLAdapterInfo* info, int32_t mode) {
    return set("SetWLAP_FilterMode", info, Setting::ApFilterMode, mode);
}
int32_t QueryWLAP_FilterList(WLAdapterInfo* info, uint8_t* table, int32_t length) {
    return op("QueryWLAP_FilterList", info, json::array({nullptr, length}),
              [=](SimAdapter& a) { return a.filterList(table, length); });
}
int32_t SetWLAP_FilterList(WLAdapterInfo* info, const uint8_t* table, int32_t length) {
    return op(
        "SetWLAP_FilterList", info,
        json::array({TraceArgs::bytes(table, std::min(length, std::int32_t{WL_FILTER_TABLE_BYTES})),
                     length}),
        [=](SimAdapter& a) { return a.setFilterList(table, length); });
}

// ---- scans and stations
int32_t WL_SiteSurveyStart(WLAdapterInfo* info) {
    return op("WL_SiteSurveyStart", info, json::array(), [](SimAdapter&) { return 0; });
}
int32_t WL_RetrieveSiteSurveyData(WLAdapterInfo* info, void* buffer, int32_t maxRecords) {
    return op("WL_RetrieveSiteSurveyData", info, json::array({nullptr, maxRecords}),
              [=](SimAdapter& a) {
                  return SimWorld::instance().rawSurvey.empty() ? a.survey(buffer, maxRecords)
                                                                : rawSurvey(buffer, maxRecords);
              });
}
int32_t WL_RetrieveStationList(WLAdapterInfo* info, uint8_t* buffer, int32_t length) {
    return op("WL_RetrieveStationList", info, json::array({nullptr, length}),
              [=](SimAdapter& a) { return a.stationList(buffer, length); });
}

// ---- counters
int32_t GetNICAdapterTally(WLAdapterInfo* info, uint8_t* tally168) {
    return op("GetNICAdapterTally", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.tally(tally168); });
}
int32_t GetTxRxFrameCount(WLAdapterInfo* info, uint32_t* counters2) {
    return op("GetTxRxFrameCount", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.frames(counters2); });
}
int32_t SetWL_ResetTallyData(WLAdapterInfo* info) {
    return op("SetWL_ResetTallyData", info, json::array(),
              [](SimAdapter& a) { return a.resetTally(); });
}

// ---- engineering
int32_t ReadOid(WLAdapterInfo* info, uint32_t oid, void* buffer, int32_t length) {
    // The address the adapter answers shows in the trace, as GetNICAdapterMAC's does.
    return DriverCall::onAdapter(
        "ReadOid", info, oidArgs(oid, buffer, length),
        [=](SimAdapter& a) { return kx::sim::ObjectAccess::read(a, oid, buffer, length); },
        [=] {
            return oid == WL_OID_CURRENT_ADDRESS ? TraceArgs::bytes(buffer, WL_MAC_BYTES) : json();
        });
}
int32_t WriteOid(WLAdapterInfo* info, uint32_t oid, void* buffer, int32_t length) {
    return op("WriteOid", info, oidArgs(oid, buffer, length),
              [=](SimAdapter& a) { return kx::sim::ObjectAccess::write(a, oid, buffer, length); });
}
int32_t QueryWL_ReadPHYRegister(WLAdapterInfo* info, int32_t reg, int32_t* value) {
    return op("QueryWL_ReadPHYRegister", info, json::array({reg, nullptr}),
              [=](SimAdapter& a) { return a.readPhy(reg, value); });
}
int32_t SetWL_WritePHYRegister(WLAdapterInfo* info, int32_t reg, int32_t value) {
    return op("SetWL_WritePHYRegister", info, json::array({reg, value}),
              [=](SimAdapter& a) { return a.writePhy(reg, value); });
}
int32_t QueryWL_ReadMACRegister(WLAdapterInfo* info, uint32_t address, uint32_t* value) {
    return op("QueryWL_ReadMACRegister", info, json::array({address, nullptr}),
              [=](SimAdapter& a) { return a.readMac(address, value); });
}
int32_t SetWL_WriteMACRegister(WLAdapterInfo* info, uint32_t address, uint32_t value) {
    return op("SetWL_WriteMACRegister", info, json::array({address, value}),
              [=](SimAdapter& a) { return a.writeMac(address, value); });
}
int32_t WL_ReadEEPROM(WLAdapterInfo* info, int32_t chipVersion, int32_t busKind, uint8_t* buffer,
                      int32_t length) {
    return op("WL_ReadEEPROM", info, json::array({chipVersion, busKind, nullptr, length}),
              [=](SimAdapter& a) { return a.readEeprom(buffer, length); });
}
int32_t WL_WriteEEPROM(WLAdapterInfo* info, const uint8_t* buffer, int32_t length) {
    return op("WL_WriteEEPROM", info,
              json::array({TraceArgs::bytes(buffer, std::min(length, kLargestEeprom)), length}),
              [=](SimAdapter& a) { return a.writeEeprom(buffer, length); });
}

int32_t QueryWL_ExtEEPROM_IDData(const uint8_t* image, int32_t busKind, int32_t item, uint8_t* out,
                                 int32_t* length) {
    const json args = json::array({nullptr, busKind, item, nullptr, TraceArgs::inOut(length)});
    return DriverCall::run("QueryWL_ExtEEPROM_IDData", args, [=](SimWorld&) -> std::int32_t {
        if (image == nullptr || length == nullptr || *length < 0)
            return -1;
        bool found = false;
        const std::vector<std::uint8_t> data = kx::sim::ExtendedRecords::find(
            {image, static_cast<std::size_t>(kx::sim::ExtendedRecords::kImageLimit)},
            kx::sim::AdapterModel::extendedOffset(busKind), item, &found);
        if (!found)
            return -1;
        const std::size_t n = std::min(data.size(), static_cast<std::size_t>(*length));
        if (out == nullptr && n > 0)
            return -1;
        std::copy_n(data.begin(), n, out);
        *length = static_cast<std::int32_t>(n);
        return 0;
    });
}

int32_t SetWL_TxContinuous(WLAdapterInfo* info, int32_t on) {
    return op("SetWL_TxContinuous", info, json::array({on}),
              [=](SimAdapter& a) { return a.setTxContinuous(on); });
}
int32_t SetWL_SensitivityTest(WLAdapterInfo* info, int32_t on) {
    return op("SetWL_SensitivityTest", info, json::array({on}),
              [=](SimAdapter& a) { return a.setSensitivityTest(on); });
}
int32_t SetWL_FirmwareRecvPort(WLAdapterInfo* info, int32_t port) {
    return op("SetWL_FirmwareRecvPort", info, json::array({port}),
              [=](SimAdapter& a) { return a.setReceivePort(port); });
}
int32_t SetWL_FilterBand(WLAdapterInfo* info, int32_t band) {
    return setRf("SetWL_FilterBand", info, &RfTestState::filterBand, band, 1, 2);
}
int32_t SetWL_FirmwareAntennaDiversity(WLAdapterInfo* info, int32_t which, int32_t antenna) {
    return op("SetWL_FirmwareAntennaDiversity", info, json::array({which, antenna}),
              [=](SimAdapter& a) { return a.setAntenna(which, antenna); });
}
int32_t QueryWL_FirmwareAntennaDiversity(WLAdapterInfo* info, int32_t which) {
    return op("QueryWL_FirmwareAntennaDiversity", info, json::array({which}),
              [=](SimAdapter& a) { return a.antenna(which); });
}
int32_t SetWL_CRScrambler(WLAdapterInfo* info, int32_t on) {
    return setRf("SetWL_CRScrambler", info, &RfTestState::scrambler, on, 0, 1);
}
int32_t SetWL_CRSpread(WLAdapterInfo* info, int32_t on) {
    return setRf("SetWL_CRSpread", info, &RfTestState::spread, on, 0, 1);
}
int32_t SetWL_DisableNIC(WLAdapterInfo* info) {
    return op("SetWL_DisableNIC", info, json::array(), [](SimAdapter& a) {
        a.rf().dozing = 1;
        return 0;
    });
}
int32_t SetWL_FirmwareTestCommand(WLAdapterInfo* info, int32_t command, int32_t value,
                                  int32_t extra) {
    return op("SetWL_FirmwareTestCommand", info, json::array({command, value, extra}),
              [=](SimAdapter& a) { return a.firmwareTestCommand(command, value); });
}
int32_t QueryWL_TxPowerSetPoint(WLAdapterInfo* info, uint8_t* buffer14) {
    return op("QueryWL_TxPowerSetPoint", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.txPowerSetPoint(buffer14); });
}
int32_t QueryWL_CRTxPowerMeasure(WLAdapterInfo* info, int32_t* value) {
    return op("QueryWL_CRTxPowerMeasure", info, json::array({nullptr}),
              [=](SimAdapter& a) { return a.txPowerMeasure(value); });
}
int32_t QueryWL_ContiTxPowerControlStatus(WLAdapterInfo* info) {
    return op("QueryWL_ContiTxPowerControlStatus", info, json::array(),
              [](SimAdapter& a) { return a.powerControlStatus(); });
}

} // extern "C"
