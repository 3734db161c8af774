#include "kx02linux/LinuxAdapter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include <net/if.h>

#include "driver/DriverLimits.h"
#include "driver/MacText.h"
#include "driver/SettingTable.h"
#include "kx02linux/AccessCheck.h"
#include "kx02linux/RadioMapping.h"
#include "kx02linux/RegistryStart.h"
#include "kx02linux/TextFile.h"
#include "platform/AtomicFile.h"

namespace kx::lnx {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr int kAccessPointType = code(NetworkType::AccessPoint);
constexpr int kAdHocType = code(NetworkType::AdHoc);

bool takes(Setting id, int value) {
    return SettingTable::info(id).accepts(value);
}

// How long a join may take before the library asks the kernel again, and how often a
// station that lost its network tries again.
constexpr auto kJoinPatience = 6s;
// The reasons for being read-only change rarely; asking costs a walk over /proc.
constexpr auto kAccessCacheTime = 2s;

std::uint32_t counter(const std::string& ifname, const char* name) {
    std::ifstream in("/sys/class/net/" + ifname + "/statistics/" + name);
    unsigned long long value = 0;
    in >> value;
    return static_cast<std::uint32_t>(value);
}

// An ad hoc network started here gets a cell identity of its name, so that two stations
// that start it apart still make one cell: locally administered, not a group address.
Mac cellOf(const std::string& ssid) {
    std::uint32_t hash = 2166136261u;
    for (const char c : ssid)
        hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return {0x02,
            0x4B,
            static_cast<std::uint8_t>(hash >> 24),
            static_cast<std::uint8_t>(hash >> 16),
            static_cast<std::uint8_t>(hash >> 8),
            static_cast<std::uint8_t>(hash)};
}

// What a station joins with: a change of any of them takes a new join.
bool joinDiffers(const RadioSettings& a, const RadioSettings& b) {
    return a.networkType != b.networkType || a.ssid != b.ssid || a.bssid != b.bssid ||
           a.authMode != b.authMode || a.wepStatus != b.wepStatus || a.wepBit != b.wepBit ||
           a.keys != b.keys || a.defaultKey != b.defaultKey ||
           (b.networkType == kAdHocType && a.channel != b.channel);
}

void copyText(char* out, const std::string& text, std::size_t room) {
    const std::size_t n = std::min(text.size(), room - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

LinuxAdapter::LinuxAdapter(Identity identity, fs::path runDir)
    : m_id(std::move(identity)), m_runDir(std::move(runDir)),
      m_hostapd(Hostapd::files(m_runDir, m_id.name)) {
    if (!m_runDir.empty())
        m_settingsFile = m_runDir / (m_id.name + ".settings");
}

bool LinuxAdapter::open() {
    m_ifindex = static_cast<int>(if_nametoindex(m_id.name.c_str()));
    if (m_ifindex == 0 || !info())
        return false;
    // The registry is read once per process: a user who may not start the adapter reads
    // the recorded settings without writing them anywhere.
    if (!loadSettings() && !m_started) {
        m_started = true;
        startFromRegistry();
    }
    return true;
}

std::optional<InterfaceInfo> LinuxAdapter::info() {
    Nl80211* nl = Nl80211::get();
    return nl != nullptr && m_ifindex > 0 ? nl->interface(m_ifindex) : std::nullopt;
}

std::optional<WiphyInfo> LinuxAdapter::wiphy() {
    const std::optional<InterfaceInfo> i = info();
    return i ? Nl80211::get()->wiphy(i->wiphy) : std::nullopt;
}

std::string LinuxAdapter::readOnlyReason() {
    const auto now = Clock::now();
    if (!m_readOnlyChecked || now - *m_readOnlyChecked > kAccessCacheTime) {
        m_readOnly = AccessCheck::readOnlyReason(
            AccessCheck::hasNetAdmin(), AccessCheck::manager({}, m_id.name, m_ifindex), m_id.name);
        m_readOnlyChecked = now;
    }
    return m_readOnly;
}

// ---- the shared settings -------------------------------------------------------------

bool LinuxAdapter::loadSettings() {
    if (m_settingsFile.empty())
        return m_started;
    std::error_code ec;
    const fs::file_time_type stamp = fs::last_write_time(m_settingsFile, ec);
    if (ec)
        return false;
    if (stamp == m_settingsStamp)
        return true;
    if (const std::optional<RadioSettings> s = RadioSettings::parse(readTextFile(m_settingsFile))) {
        m_settings = *s;
        m_settingsStamp = stamp;
        return true;
    }
    return false;
}

int LinuxAdapter::saveSettings() {
    if (m_settingsFile.empty())
        return 0;
    std::string reason;
    if (AtomicFile::replace(m_settingsFile, m_settings.serialize(), 0600, reason) != 0)
        return -1;
    std::error_code ec;
    m_settingsStamp = fs::last_write_time(m_settingsFile, ec);
    return 0;
}

RadioSettings LinuxAdapter::settings() {
    loadSettings();
    return m_settings;
}

// The first open since the machine started: the adapter takes what the program recorded,
// as a driver does when it loads. Only a process that may change the adapter starts it.
void LinuxAdapter::startFromRegistry() {
    RegistryStart::Recorded recorded = RegistryStart::read(m_id.instance, m_settings);
    if (!readOnlyReason().empty())
        return;
    saveSettings();
    Nl80211* nl = Nl80211::get();
    const std::optional<InterfaceInfo> i = info();
    if (nl == nullptr || !i)
        return;
    // A driver that loads brings its interface up: it scans and joins from then on.
    Nl80211::setUp(m_id.name, true);
    if (recorded.rts || recorded.frag)
        nl->setThresholds(i->wiphy, recorded.rts, recorded.frag);
    if (const auto rates = RadioMapping::legacyRates(m_settings.txRate); rates && !rates->empty())
        nl->setRates(m_ifindex, *rates);
    if (recorded.powerSave && m_settings.networkType != kAccessPointType)
        nl->setPowerSave(m_ifindex, *recorded.powerSave);
    // A link someone made or asked for before is kept; an idle adapter joins what was
    // recorded.
    if (i->ssid.empty() && (m_settings.networkType == kAccessPointType || !m_settings.ssid.empty()))
        rejoin();
}

template <typename Change> int LinuxAdapter::change(Change&& body) {
    if (!readOnlyReason().empty())
        return -1;
    loadSettings();
    const RadioSettings before = m_settings;
    const unsigned joins = m_joins;
    const int ret = body(m_settings);
    if (ret < 0) {
        m_settings = before;
        return -1;
    }
    if (m_joins == joins && joinDiffers(before, m_settings))
        m_joinChanged = true;
    if (!(m_settings == before) && saveSettings() != 0) {
        m_settings = before;
        return -1;
    }
    return 0;
}

// ---- queries ---------------------------------------------------------------------------

int LinuxAdapter::mac(std::uint8_t* out6) {
    const std::optional<InterfaceInfo> i = info();
    if (!i || out6 == nullptr)
        return -1;
    std::memcpy(out6, i->mac.data(), i->mac.size());
    return 0;
}

int LinuxAdapter::channel() {
    const std::optional<InterfaceInfo> i = info();
    if (!i || i->frequencyMhz == 0)
        return -1;
    const int c = RadioMapping::channelOf(i->frequencyMhz);
    return c == 0 ? -1 : c;
}

int LinuxAdapter::channelMask() {
    const std::optional<WiphyInfo> w = wiphy();
    return w ? RadioMapping::channelMask(w->channels) : -1;
}

std::optional<BssInfo> LinuxAdapter::joinedNetwork() {
    for (const BssInfo& bss : Nl80211::get()->scanResults(m_ifindex)) {
        if (bss.status == BssStatus::Associated || bss.status == BssStatus::AdHocJoined)
            return bss;
    }
    return std::nullopt;
}

// The interface names the network it asked for as soon as it asks; joined is what the
// kernel's table of networks marks so.
std::optional<std::string> LinuxAdapter::joinedSsid(const InterfaceInfo& i) {
    if (i.type != IfType::Station && i.type != IfType::AdHoc)
        return std::nullopt;
    const std::optional<BssInfo> bss = joinedNetwork();
    if (!bss)
        return std::nullopt;
    return i.ssid.empty() ? RadioMapping::ssidOf(bss->elements) : i.ssid;
}

std::optional<StationInfo> LinuxAdapter::linkStation() {
    const std::optional<BssInfo> bss = joinedNetwork();
    const std::optional<InterfaceInfo> i = info();
    if (!bss || !i || i->type == IfType::AccessPoint)
        return std::nullopt;
    const std::vector<StationInfo> peers = Nl80211::get()->stations(m_ifindex);
    if (peers.empty())
        return std::nullopt;
    for (const StationInfo& s : peers) {
        if (s.mac == bss->bssid)
            return s;
    }
    // An ad hoc cell: the first station heard.
    return peers.front();
}

int LinuxAdapter::currentTxRate() {
    const std::optional<StationInfo> s = linkStation();
    return s ? RadioMapping::rateCodeOf(s->txBitrate100k) : 0;
}

int LinuxAdapter::portStatus() {
    const std::optional<InterfaceInfo> i = info();
    if (!i)
        return -1;
    loadSettings();
    const bool adHoc = m_settings.networkType == kAdHocType;
    if (i->type == IfType::AccessPoint)
        return accessPointRunning() ? 4 : 1;
    if (i->type != (adHoc ? IfType::AdHoc : IfType::Station))
        return 1;
    if (joinedSsid(*i)) {
        m_joinStarted.reset();
        // A cell nobody else is in yet: "in ad hoc mode".
        return !adHoc ? 4 : Nl80211::get()->stations(m_ifindex).empty() ? 2 : 3;
    }
    // A network was asked for: the adapter searches for it, as a driver does, unless it
    // is not this program's to drive. The kernel gives up on a network it does not find,
    // so the search asks again now and then.
    if (m_settings.ssid.empty() || !readOnlyReason().empty())
        return m_joinStarted ? 2 : 1;
    if (!m_joinStarted || Clock::now() - *m_joinStarted > kJoinPatience) {
        const JoinRequest request = joinRequest();
        if (adHoc)
            Nl80211::get()->joinAdHoc(m_ifindex, request);
        else
            Nl80211::get()->connect(m_ifindex, request);
        m_joinStarted = Clock::now();
    }
    return 2;
}

int LinuxAdapter::cqsl(std::int32_t* quality, std::int32_t* signal, std::int32_t* packets) {
    const std::optional<StationInfo> s = linkStation();
    if (!s || !s->signalDbm || quality == nullptr || signal == nullptr || packets == nullptr)
        return -1;
    *quality = RadioMapping::reportedQuality(*s->signalDbm, m_id.newerChip);
    *signal = RadioMapping::signalLevel(*s->signalDbm);
    *packets = 1;
    return 0;
}

int LinuxAdapter::bssidText(char* out) {
    const std::optional<BssInfo> bss = joinedNetwork();
    if (!bss || out == nullptr)
        return -1;
    copyText(out, MacText::format(bss->bssid, MacText::Style::Colons), WL_BSSID_TEXT_BUFFER_MIN);
    return 0;
}

int LinuxAdapter::currentSsid(char* out) {
    const std::optional<InterfaceInfo> i = info();
    const std::optional<std::string> ssid = i ? joinedSsid(*i) : std::nullopt;
    if (!ssid || out == nullptr)
        return -1;
    copyText(out, *ssid, WL_SSID_BUFFER_MIN);
    return 0;
}

int LinuxAdapter::frames(std::uint32_t* counters2) {
    if (counters2 == nullptr || !info())
        return -1;
    counters2[0] = counter(m_id.name, "tx_packets");
    counters2[1] = counter(m_id.name, "rx_packets");
    return 0;
}

int LinuxAdapter::powerSave() {
    const std::optional<bool> on = Nl80211::get()->powerSave(m_ifindex);
    return on ? (*on ? 1 : 0) : -1;
}

int LinuxAdapter::fragThreshold() {
    const std::optional<WiphyInfo> w = wiphy();
    return w ? RadioMapping::fragFromKernel(w->fragThreshold) : -1;
}

int LinuxAdapter::rtsThreshold() {
    const std::optional<WiphyInfo> w = wiphy();
    return w ? RadioMapping::rtsFromKernel(w->rtsThreshold) : -1;
}

int LinuxAdapter::txPowerLevel() {
    loadSettings();
    return m_settings.apTxPower;
}

int LinuxAdapter::survey(void* buffer, int maxRecords) {
    if (buffer == nullptr || maxRecords < 0 || !info())
        return -1;
    const int mask = channelMask();
    if (mask < 0)
        return -1;
    const std::vector<BssInfo> found = Nl80211::get()->scanResults(m_ifindex);
    const std::vector<WLSurveyRecord> records = RadioMapping::survey(
        found, static_cast<std::uint16_t>(mask),
        static_cast<std::size_t>(std::min(maxRecords, int{WL_SURVEY_MAX_RECORDS})));
    auto* out = static_cast<std::uint8_t*>(buffer);
    const auto count = static_cast<std::uint32_t>(records.size());
    std::memcpy(out, &count, sizeof count);
    if (!records.empty())
        std::memcpy(out + sizeof count, records.data(), records.size() * sizeof(WLSurveyRecord));
    return static_cast<int>(count);
}

bool LinuxAdapter::accessPointRunning() {
    return Hostapd::running(m_hostapd);
}

int LinuxAdapter::stationList(std::uint8_t* buffer, int length) {
    const std::optional<InterfaceInfo> i = info();
    if (buffer == nullptr || length < WL_STATION_LIST_BYTES || !i || i->type != IfType::AccessPoint)
        return -1;
    std::vector<Mac> macs;
    for (const StationInfo& s : Nl80211::get()->stations(m_ifindex))
        macs.push_back(s.mac);
    RadioMapping::fillSlots(macs, {buffer, WL_STATION_LIST_BYTES});
    return 0;
}

int LinuxAdapter::filterList(std::uint8_t* table, int length) {
    if (table == nullptr || length < WL_FILTER_TABLE_BYTES)
        return -1;
    loadSettings();
    RadioMapping::fillSlots(m_settings.filter, {table, WL_FILTER_TABLE_BYTES});
    return 0;
}

// ---- joining ---------------------------------------------------------------------------

JoinRequest LinuxAdapter::joinRequest() const {
    JoinRequest r;
    r.ssid = m_settings.ssid;
    r.bssid = m_settings.bssid;
    if (m_settings.networkType == kAdHocType) {
        r.frequencyMhz = RadioMapping::frequencyOf(m_settings.channel);
        if (!r.bssid)
            r.bssid = cellOf(m_settings.ssid);
    } else if (r.bssid) {
        // The network chosen from a survey is on the channel the survey gave.
        r.frequencyMhz = RadioMapping::frequencyOf(m_settings.channel);
    }
    r.authType = m_settings.authMode == 1 ? 0 : m_settings.authMode == 2 ? 1 : -1;
    if (m_settings.wepStatus != 0) {
        for (int k = 0; k < RadioSettings::kKeyCount; ++k)
            r.keys.push_back({k, m_settings.key(k)});
        r.defaultKey = m_settings.defaultKey;
    }
    return r;
}

int LinuxAdapter::rejoin() {
    Nl80211* nl = Nl80211::get();
    const std::optional<InterfaceInfo> i = info();
    if (nl == nullptr || !i)
        return -1;
    m_joinStarted.reset();
    m_joinChanged = false;
    ++m_joins;
    if (m_settings.networkType == kAccessPointType)
        return applyAccessPoint();
    if (i->type == IfType::AccessPoint || accessPointRunning())
        Hostapd::stop(m_hostapd);
    if (i->type == IfType::Station)
        nl->disconnect(m_ifindex);
    else if (i->type == IfType::AdHoc)
        nl->leaveAdHoc(m_ifindex);
    const IfType wanted = m_settings.networkType == kAdHocType ? IfType::AdHoc : IfType::Station;
    const std::optional<InterfaceInfo> now = info();
    if (now && now->type != wanted && nl->setType(m_ifindex, wanted) != 0) {
        // Some drivers change the type only while the interface is down.
        Nl80211::setUp(m_id.name, false);
        const int ret = nl->setType(m_ifindex, wanted);
        Nl80211::setUp(m_id.name, true);
        if (ret != 0)
            return -1;
    }
    if (Nl80211::setUp(m_id.name, true) != 0)
        return -1;
    if (m_settings.ssid.empty())
        return 0;
    const JoinRequest request = joinRequest();
    const int ret = m_settings.networkType == kAdHocType ? nl->joinAdHoc(m_ifindex, request)
                                                         : nl->connect(m_ifindex, request);
    if (ret != 0 && ret != -EALREADY)
        return -1;
    m_joinStarted = Clock::now();
    return 0;
}

int LinuxAdapter::applyAccessPoint() {
    Nl80211* nl = Nl80211::get();
    const std::optional<InterfaceInfo> i = info();
    const std::optional<WiphyInfo> w = wiphy();
    if (nl == nullptr || !i || !w)
        return -1;
    if (i->type == IfType::Station && !i->ssid.empty())
        nl->disconnect(m_ifindex);
    else if (i->type == IfType::AdHoc)
        nl->leaveAdHoc(m_ifindex);
    const std::string config =
        Hostapd::config(m_settings, m_id.name, m_hostapd, w->rtsThreshold, w->fragThreshold);
    return Hostapd::apply(m_hostapd, config, m_settings) == 0 ? 0 : -1;
}

// ---- changes ---------------------------------------------------------------------------

int LinuxAdapter::startSurvey() {
    const int mask = channelMask();
    const std::optional<InterfaceInfo> i = info();
    if (mask < 0 || !i)
        return -1;
    std::vector<int> frequencies;
    for (int c = 1; c <= 14; ++c) {
        if ((mask >> (c - 1) & 1) != 0)
            frequencies.push_back(RadioMapping::frequencyOf(c));
    }
    if (!Nl80211::isUp(m_id.name) && readOnlyReason().empty())
        Nl80211::setUp(m_id.name, true);
    // An access point does not scan; a scan already running will do.
    const int ret = Nl80211::get()->triggerScan(m_ifindex, frequencies);
    return ret == 0 || ret == -EBUSY ? 0 : -1;
}

int LinuxAdapter::setChannel(int channel) {
    const int mask = channelMask();
    if (!takes(Setting::DesiredChannel, channel) || mask < 0 || (mask >> (channel - 1) & 1) == 0)
        return -1;
    return change([&](RadioSettings& s) {
        s.channel = channel;
        return 0;
    });
}

int LinuxAdapter::setTxRate(int code) {
    const std::optional<std::vector<std::uint8_t>> rates = RadioMapping::legacyRates(code);
    if (!rates)
        return -1;
    return change([&](RadioSettings& s) {
        s.txRate = code;
        return Nl80211::get()->setRates(m_ifindex, *rates);
    });
}

int LinuxAdapter::setNetworkType(int type) {
    // The kernel has no pseudo IBSS.
    if (!takes(Setting::NetworkType, type) || type == code(NetworkType::PseudoIbss))
        return -1;
    return change([&](RadioSettings& s) {
        const bool changed = s.networkType != type;
        s.networkType = type;
        return changed ? rejoin() : 0;
    });
}

int LinuxAdapter::setAuthMode(int mode) {
    if (!takes(Setting::AuthMode, mode))
        return -1;
    return change([&](RadioSettings& s) {
        s.authMode = mode;
        return 0;
    });
}

int LinuxAdapter::setWepStatus(int on) {
    if (!takes(Setting::WepStatus, on))
        return -1;
    return change([&](RadioSettings& s) {
        s.wepStatus = on;
        return 0;
    });
}

int LinuxAdapter::writeKey(int index, int wepBit, int isDefault, const std::uint8_t* key) {
    if (index < 0 || index >= RadioSettings::kKeyCount || !takes(Setting::WepBit, wepBit) ||
        key == nullptr)
        return -1;
    return change([&](RadioSettings& s) {
        s.wepBit = wepBit;
        s.keys[static_cast<std::size_t>(index)].assign(key, key + wepKeyBytes(WepBit{wepBit}));
        if (isDefault != 0)
            s.defaultKey = index;
        return 0;
    });
}

int LinuxAdapter::setPowerSave(int on) {
    if (!takes(Setting::PsMode, on))
        return -1;
    return change([&](RadioSettings&) { return Nl80211::get()->setPowerSave(m_ifindex, on == 1); });
}

int LinuxAdapter::setPsLevel(int level) {
    if (!takes(Setting::PsLevel, level))
        return -1;
    return change([&](RadioSettings& s) {
        s.psLevel = level;
        return 0;
    });
}

int LinuxAdapter::setFragThreshold(int bytes) {
    const std::optional<std::uint32_t> value = RadioMapping::fragToKernel(bytes);
    const std::optional<InterfaceInfo> i = info();
    if (!value || !i)
        return -1;
    return change([&](RadioSettings&) {
        return Nl80211::get()->setThresholds(i->wiphy, std::nullopt, value);
    });
}

int LinuxAdapter::setRtsThreshold(int bytes) {
    const std::optional<std::uint32_t> value = RadioMapping::rtsToKernel(bytes);
    const std::optional<InterfaceInfo> i = info();
    if (!value || !i)
        return -1;
    return change([&](RadioSettings&) {
        return Nl80211::get()->setThresholds(i->wiphy, value, std::nullopt);
    });
}

int LinuxAdapter::setPreamble(int mode) {
    if (!takes(Setting::Preamble, mode))
        return -1;
    return change([&](RadioSettings& s) {
        s.preamble = mode;
        return 0;
    });
}

int LinuxAdapter::setBasicRate(int bits) {
    if (!takes(Setting::BasicRate, bits))
        return -1;
    return change([&](RadioSettings& s) {
        s.basicRate = bits;
        return 0;
    });
}

int LinuxAdapter::setSsid(const char* ssid) {
    if (ssid == nullptr || std::strlen(ssid) > std::size_t{kMaxSsidBytes})
        return -1;
    return change([&](RadioSettings& s) {
        const bool changed = s.ssid != ssid;
        s.ssid = ssid;
        if (!m_bssidJustSet)
            s.bssid.reset();
        m_bssidJustSet = false;
        // A new name joins at once; the same one waits for a restart.
        return changed && s.networkType != kAccessPointType ? rejoin() : 0;
    });
}

int LinuxAdapter::setDesiredBssid(const std::uint8_t* bssid6) {
    if (bssid6 == nullptr)
        return -1;
    Mac mac{};
    std::memcpy(mac.data(), bssid6, mac.size());
    return change([&](RadioSettings& s) {
        // All zero or all 0xFF: no particular network.
        if (mac == Mac{} || mac == Mac{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
            s.bssid.reset();
        else
            s.bssid = mac;
        m_bssidJustSet = true;
        return 0;
    });
}

int LinuxAdapter::restart() {
    return change([&](RadioSettings&) {
        if (m_settings.networkType == kAccessPointType)
            return applyAccessPoint();
        // A link to the network asked for, already up or on its way, is kept.
        const std::optional<InterfaceInfo> i = info();
        const bool joined = i && joinedSsid(*i) == m_settings.ssid;
        if ((joined || m_joinStarted) && !m_joinChanged)
            return 0;
        m_joinChanged = false;
        return rejoin();
    });
}

int LinuxAdapter::setApSsid(const char* ssid, std::size_t limit) {
    if (ssid == nullptr || strnlen(ssid, limit) > std::size_t{kMaxSsidBytes} || ssid[0] == '\0')
        return -1;
    return change([&](RadioSettings& s) {
        s.apSsid.assign(ssid, strnlen(ssid, limit));
        return s.networkType == kAccessPointType ? applyAccessPoint() : 0;
    });
}

int LinuxAdapter::setApHidden(int hidden) {
    if (!takes(Setting::ApHideSsid, hidden))
        return -1;
    return change([&](RadioSettings& s) {
        s.apHidden = hidden;
        return 0;
    });
}

int LinuxAdapter::setTxPowerLevel(int level) {
    const std::optional<int> mbm = RadioMapping::powerLimitMbm(level);
    const std::optional<InterfaceInfo> i = info();
    if (!mbm || !i)
        return -1;
    return change([&](RadioSettings& s) {
        s.apTxPower = level;
        return Nl80211::get()->setTxPower(i->wiphy, *mbm);
    });
}

int LinuxAdapter::setFilterMode(int mode) {
    if (!takes(Setting::ApFilterMode, mode))
        return -1;
    return change([&](RadioSettings& s) {
        s.filterMode = mode;
        return applyFilter();
    });
}

int LinuxAdapter::setFilterList(const std::uint8_t* table, int length) {
    if (table == nullptr || length < WL_FILTER_TABLE_BYTES)
        return -1;
    return change([&](RadioSettings& s) {
        s.filter = RadioMapping::filterEntries(
            std::span<const std::uint8_t, WL_FILTER_TABLE_BYTES>(table, WL_FILTER_TABLE_BYTES));
        return applyFilter();
    });
}

int LinuxAdapter::applyFilter() {
    if (m_settings.networkType != kAccessPointType || !accessPointRunning())
        return 0;
    const std::optional<WiphyInfo> w = wiphy();
    if (!w)
        return -1;
    const std::string config =
        Hostapd::config(m_settings, m_id.name, m_hostapd, w->rtsThreshold, w->fragThreshold);
    std::vector<Mac> stations;
    for (const StationInfo& s : Nl80211::get()->stations(m_ifindex))
        stations.push_back(s.mac);
    if (Hostapd::applyFilter(m_hostapd, config, m_settings, stations) == 0)
        return 0;
    // A hostapd without the filter commands takes the new lists when it starts again.
    Hostapd::stop(m_hostapd);
    return Hostapd::apply(m_hostapd, config, m_settings) == 0 ? 0 : -1;
}

} // namespace kx::lnx
