#include "kx02app/SimAdapter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <string_view>

#include "driver/Channels.h"
#include "driver/ChipRegisters.h"
#include "driver/DriverLimits.h"
#include "driver/ObjectLayouts.h"
#include "kx02app/AccessPointStore.h"
#include "kx02app/DriverRegistry.h"
#include "kx02app/EepromBuilder.h"
#include "kx02app/EepromStore.h"
#include "kx02app/ExtendedRecords.h"
#include "kx02app/JoinRule.h"

namespace kx::sim {

namespace {

constexpr std::uint16_t kOlderPowerControlEntry = 0x0003; // bit 8 (power control) off
constexpr std::array<std::uint8_t, 5> kNewerFirmware{0x02, 0x01, 0x43, 0x15, 0x00};
constexpr std::array<std::uint8_t, 5> kOlderFirmware{0x01, 0x08, 0x32, 0x20, 0x00};
constexpr std::uint8_t kAccessPointBuild = 0x0A;
constexpr std::array<std::uint8_t, 8> kSupportedRates{0x82, 0x84, 0x8B, 0x96, 0, 0, 0, 0};
constexpr std::uint32_t kDirectSequence = 1;
constexpr std::uint32_t kBeaconPeriod = 100;

void copyText(const std::string& text, char* buffer) {
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
}

WLSurveyRecord surveyRecord(const Scenario::Network& n, int signal) {
    WLSurveyRecord r{};
    r.length = sizeof(WLSurveyRecord);
    std::copy(n.bssid.begin(), n.bssid.end(), r.bssid);
    if (!n.hidden)
        SurveyLayout::setSsid(r, n.ssid);
    r.privacy = n.wepKey.empty() ? 0 : 1;
    r.signal = signal;
    r.networkTypeInUse = kDirectSequence;
    r.configLength = 32;
    r.beaconPeriod = kBeaconPeriod;
    r.frequencyKHz = Channels::frequencyKHz(n.channel);
    r.infrastructureMode = static_cast<std::uint32_t>(n.mode);
    std::copy(kSupportedRates.begin(), kSupportedRates.end(), r.rates);
    return r;
}

// Text handed in by the caller: at most `limit` bytes are looked at.
std::optional<std::string> boundedText(const char* text, std::size_t limit) {
    if (text == nullptr)
        return std::nullopt;
    const std::size_t length = strnlen(text, limit + 1);
    if (length > limit)
        return std::nullopt;
    return std::string(text, length);
}

bool singleRate(int rate) {
    return rate == 1 || rate == 2 || rate == 4 || rate == 8 || rate == 16 || rate == 32 ||
           rate == 64;
}

} // namespace

SimAdapter::SimAdapter(const Scenario::Adapter& setup, const Airwaves& air, std::uint64_t seed,
                       std::int32_t handle, const std::optional<PerSource::Setup>& perSource)
    : m_setup(setup), m_air(air), m_model(setup.hardwareId), m_handle(handle),
      m_random(seed ^ std::hash<std::string>{}(setup.instance)), m_perSource(perSource) {
    const auto size = static_cast<std::size_t>(m_model.eepromSize());
    m_eeprom =
        EepromStore::load(setup.instance, size)
            .value_or(EepromBuilder::build(m_model, setup.mac, setup.channelMask.value_or(0x3FFF)));
    // Like a card that was re-programmed: the address comes from its EEPROM.
    m_mac = EepromBuilder::macFrom(m_eeprom, m_model).value_or(setup.mac);
    firmwareAp = setup.accessPoint;
    opens = setup.opens;
    wzc = setup.wzc;
    m_ap.ssid = setup.apSsid;
    m_ap.stations = setup.stations;
    m_rf.powerControl = m_model.newerChip() ? 0 : kOlderPowerControlEntry;
}

std::int32_t SimAdapter::open() {
    if (!opens)
        return 0;
    m_open = true;
    ++openCount;
    if (!m_started) {
        m_started = true;
        // The firmware's own memory first: what the program recorded overrides it.
        if (firmwareAp) {
            if (const std::optional<std::string> memory = AccessPointStore::load(m_setup.instance))
                AccessPointStore::decode(*memory, channelMask(), m_config, m_ap);
        }
        DriverRegistry::loadStartSettings(*this);
        m_savedAp = AccessPointStore::Memory::of(m_config, m_ap);
        join();
    }
    return 1;
}

std::int32_t SimAdapter::close() {
    if (!m_open)
        return -1;
    m_open = false;
    return 0;
}

void SimAdapter::sync(std::int64_t now) {
    now = std::max(now, m_now);
    const std::int64_t from = std::max(m_now, m_link.linkedFrom());
    if (m_rf.sensitivityTest == 0 && now > from) {
        m_counters.setLoad(load());
        m_counters.advance(now - from);
    }
    if (m_rf.sensitivityTest != 0) {
        const PerSource::Arrivals arrivals = m_perSource.take(now);
        if (m_perSource.heardOn(m_rf.recvPort))
            m_counters.receiveTestFrames(arrivals.good, arrivals.damaged, m_perSource.frameBytes());
    }
    m_now = now;
}

TrafficCounters::Load SimAdapter::load() const {
    constexpr int kInfraTx = 12, kInfraRx = 30, kAdHocTx = 6, kAdHocRx = 8;
    constexpr int kPerStationTx = 6, kPerStationRx = 9, kBaseBadPermille = 20;
    const bool wepOn = m_config.get(Setting::WepStatus) == 1;
    switch (m_link.target().kind) {
    case LinkKind::Infrastructure:
    case LinkKind::AdHoc: {
        const std::optional<Scenario::Network> n = joinedNetwork();
        const bool infra = m_link.target().kind == LinkKind::Infrastructure;
        return {infra ? kInfraTx : kAdHocTx, infra ? kInfraRx : kAdHocRx,
                n ? (100 - n->quality) * 3 : kBaseBadPermille, n && !n->wepKey.empty()};
    }
    case LinkKind::OwnAdHoc:
    case LinkKind::PseudoIbss:
        return {1, 0, 0, wepOn};
    case LinkKind::AccessPoint: {
        const int stations = static_cast<int>(associatedStations().size());
        return {1 + kPerStationTx * stations, kPerStationRx * stations, kBaseBadPermille, wepOn};
    }
    case LinkKind::Searching:
        break;
    }
    return {};
}

std::optional<Scenario::Network> SimAdapter::joinedNetwork() const {
    if (!m_link.linked(m_now))
        return std::nullopt;
    return m_air.find(*this, m_link.target());
}

Association::Target SimAdapter::choose() const {
    return JoinRule::choose(m_config, m_air.joinableBy(*this), channelMask(), m_mac, firmwareAp,
                            m_ap.ssid);
}

void SimAdapter::join() {
    if (m_link.linked(m_now))
        m_counters.countLinkLoss();
    m_link.begin(choose(), m_now);
    ++joinCount;
    m_rf.dozing = 0;
}

void SimAdapter::followAir() {
    if (!m_started)
        return;
    const Association::Target& target = m_link.target();
    const auto firstAccessPoint = static_cast<int>(m_air.scenarioCount());
    if (target.kind == LinkKind::Infrastructure && target.network >= firstAccessPoint) {
        const std::optional<Scenario::Network> n = m_air.find(*this, target);
        if (!n || n->ssid != target.ssid || n->channel != target.channel ||
            !JoinRule::suits(*n, m_config, channelMask()))
            join();
    } else if (target.kind == LinkKind::Searching && choose().network >= firstAccessPoint) {
        join();
    }
}

void SimAdapter::keepAccessPoint() {
    if (!m_started || !firmwareAp)
        return;
    if (m_savedAp.matches(m_config, m_ap))
        return;
    m_savedAp = AccessPointStore::Memory::of(m_config, m_ap);
    // A state directory that cannot be written is not retried on every call.
    AccessPointStore::save(m_setup.instance, AccessPointStore::encode(m_savedAp));
}

std::int32_t SimAdapter::restart() {
    ++restartCount;
    join();
    return 0;
}

std::uint16_t SimAdapter::channelMask() const {
    if (m_model.newerChip())
        return 0x3FFF;
    return ExtendedRecords::channelMask(m_eeprom, m_model.extendedOffset());
}

std::int32_t SimAdapter::set(Setting id, std::int32_t value) {
    if (!SettingTable::info(id).accepts(value))
        return -1;
    if (id == Setting::DesiredChannel && (channelMask() >> (value - 1) & 1) == 0)
        return -1;
    m_config.put(id, value);
    return 0;
}

std::int32_t SimAdapter::channel() const {
    if (m_pins.channel)
        return static_cast<std::int32_t>(*m_pins.channel);
    if (!m_link.linked(m_now))
        return -1;
    // An access point follows its configured channel at once.
    if (m_link.target().kind == LinkKind::AccessPoint)
        return m_config.get(Setting::DesiredChannel);
    return m_link.target().channel;
}

std::int32_t SimAdapter::currentTxRate() const {
    if (m_pins.currentTxRate)
        return static_cast<std::int32_t>(*m_pins.currentTxRate);
    if (!m_link.linked(m_now))
        return 0;
    const int rate = m_config.get(Setting::TxRate);
    if (singleRate(rate))
        return rate;
    // Automatic choice among the allowed rates: the weaker the signal, the slower.
    const std::optional<Scenario::Network> n = joinedNetwork();
    const int signal = n ? n->signal : 100;
    const int cap = signal >= 35 ? 8 : signal >= 20 ? 4 : signal >= 10 ? 2 : 1;
    for (int bit = 8; bit >= 1; bit /= 2) {
        if ((rate & bit) != 0 && bit <= cap)
            return bit;
    }
    return rate & -rate;
}

std::int32_t SimAdapter::writeKey(std::int32_t index, std::int32_t wepBit, std::int32_t isDefault,
                                  const std::uint8_t* key) {
    if (key == nullptr || index < 0 || index > 3 || (wepBit != 0 && wepBit != 1))
        return -1;
    StationConfig::Key& slot = m_config.keys[static_cast<std::size_t>(index)];
    slot.fill(0);
    std::copy_n(key, wepBit == 1 ? StationConfig::kLongKey : StationConfig::kShortKey,
                slot.begin());
    m_config.put(Setting::WepBit, wepBit);
    if (isDefault != 0)
        m_config.put(Setting::DefaultKeyId, index);
    return 0;
}

std::int32_t SimAdapter::ssid(char* buffer) const {
    if (buffer == nullptr)
        return -1;
    copyText(m_config.ssid, buffer);
    return 0;
}

std::int32_t SimAdapter::setSsid(const char* ssid) {
    const std::optional<std::string> text = boundedText(ssid, kMaxSsidBytes);
    if (!text)
        return -1;
    if (!m_config.bssidSinceSsid)
        m_config.desiredBssid.reset();
    m_config.bssidSinceSsid = false;
    const bool changed = *text != m_config.ssid;
    m_config.ssid = *text;
    if (changed)
        join();
    return 0;
}

std::int32_t SimAdapter::currentSsid(char* buffer) const {
    if (buffer == nullptr || !m_link.linked(m_now))
        return -1;
    copyText(m_link.target().kind == LinkKind::AccessPoint ? m_ap.ssid : m_link.target().ssid,
             buffer);
    return 0;
}

std::int32_t SimAdapter::bssidText(char* buffer) const {
    if (buffer == nullptr || !m_link.linked(m_now))
        return -1;
    copyText(MacText::format(m_link.target().bssid, MacText::Style::Colons), buffer);
    return 0;
}

std::int32_t SimAdapter::setDesiredBssid(const std::uint8_t* bssid) {
    if (bssid == nullptr)
        return -1;
    MacBytes mac{};
    std::copy_n(bssid, mac.size(), mac.begin());
    m_config.desiredBssid = mac;
    m_config.bssidSinceSsid = true;
    return 0;
}

std::int32_t SimAdapter::portStatus() const {
    if (m_pins.portStatus)
        return static_cast<std::int32_t>(*m_pins.portStatus);
    return m_link.portStatus(m_now);
}

int SimAdapter::rawQuality(int goodness) const {
    // The older chip's quality reading runs the other way.
    return m_model.newerChip() ? goodness : 100 - goodness;
}

std::int32_t SimAdapter::cqsl(std::int32_t* qualitySum, std::int32_t* signal,
                              std::int32_t* packets) {
    if (qualitySum == nullptr || signal == nullptr || packets == nullptr)
        return -1;
    const std::optional<Scenario::Network> n = joinedNetwork();
    const bool pinned = m_pins.qualitySum || m_pins.signal || m_pins.packets;
    if (!n && !pinned)
        return -1;
    LinkQuality q;
    if (n) {
        q.packets = m_random.between(1, 10);
        q.signal = std::clamp(n->signal + m_random.between(-3, 3), 0, 100);
        const int perPacket = std::clamp(rawQuality(n->quality) + m_random.between(-2, 2), 0, 100);
        q.qualitySum = perPacket * q.packets;
    }
    const auto pin = [](const std::optional<std::int64_t>& p, std::int32_t value) {
        return p ? static_cast<std::int32_t>(*p) : value;
    };
    q = {pin(m_pins.qualitySum, q.qualitySum), pin(m_pins.signal, q.signal),
         pin(m_pins.packets, q.packets)};
    m_lastQuality = q;
    *qualitySum = q.qualitySum;
    *signal = q.signal;
    *packets = q.packets;
    return 0;
}

std::int32_t SimAdapter::setWzcDisable(std::int32_t disable) {
    if (disable != 0 && disable != 1)
        return -1;
    wzcDisable = disable;
    return 0;
}

std::int32_t SimAdapter::apSsid(char* buffer) const {
    if (buffer == nullptr)
        return -1;
    copyText(m_ap.ssid, buffer);
    return 0;
}

std::int32_t SimAdapter::setApSsid(const char* ssid) {
    const std::optional<std::string> text = boundedText(ssid, kMaxSsidBytes);
    if (!text)
        return -1;
    m_ap.ssid = *text;
    return 0;
}

std::int32_t SimAdapter::filterList(std::uint8_t* table, std::int32_t length) const {
    if (table == nullptr || length < WL_FILTER_TABLE_BYTES)
        return -1;
    std::copy(m_ap.filter.begin(), m_ap.filter.end(), table);
    return 0;
}

std::int32_t SimAdapter::setFilterList(const std::uint8_t* table, std::int32_t length) {
    if (table == nullptr || length < WL_FILTER_TABLE_BYTES)
        return -1;
    std::copy_n(table, WL_FILTER_TABLE_BYTES, m_ap.filter.begin());
    return 0;
}

std::optional<Scenario::Network> SimAdapter::beacon() const {
    const int channel = m_config.get(Setting::DesiredChannel);
    if (m_link.target().kind != LinkKind::AccessPoint || !m_link.linked(m_now) || channel < 1 ||
        channel > 14)
        return std::nullopt;
    Scenario::Network n;
    n.ssid = m_ap.ssid;
    n.hidden = m_config.get(Setting::ApHideSsid) == 1;
    n.bssid = m_mac;
    n.channel = channel;
    if (m_config.get(Setting::WepStatus) == 1)
        n.wepKey = m_config.defaultKey();
    n.signal = m_setup.apSignal;
    n.quality = m_setup.apQuality;
    return n;
}

bool SimAdapter::admits(const MacBytes& station) const {
    return m_ap.admits(station, m_config.get(Setting::ApFilterMode));
}

bool SimAdapter::runsAccessPoint() const {
    return firmwareAp || m_link.target().kind == LinkKind::AccessPoint;
}

std::vector<MacBytes> SimAdapter::associatedStations() const {
    std::vector<MacBytes> stations = m_ap.associated(m_config.get(Setting::ApFilterMode));
    for (const MacBytes& client : m_air.clientsOf(*this)) {
        if (stations.size() < WL_STATION_SLOTS)
            stations.push_back(client);
    }
    return stations;
}

std::int32_t SimAdapter::survey(void* buffer, std::int32_t maxRecords) {
    if (buffer == nullptr || maxRecords < 0)
        return -1;
    const std::vector<Scenario::Network> heard = m_air.heardBy(*this);
    const std::size_t count =
        std::min({heard.size(), static_cast<std::size_t>(WL_SURVEY_MAX_RECORDS),
                  static_cast<std::size_t>(maxRecords)});
    auto* out = static_cast<std::uint8_t*>(buffer);
    const auto count32 = static_cast<std::uint32_t>(count);
    std::memcpy(out, &count32, sizeof count32);
    for (std::size_t i = 0; i < count; ++i) {
        const Scenario::Network& n = heard[i];
        const WLSurveyRecord record =
            surveyRecord(n, std::clamp(n.signal + m_random.between(-2, 2), 0, 100));
        std::memcpy(out + sizeof count32 + i * sizeof record, &record, sizeof record);
    }
    return static_cast<std::int32_t>(count);
}

std::int32_t SimAdapter::stationList(std::uint8_t* buffer, std::int32_t length) const {
    if (buffer == nullptr || length < WL_STATION_LIST_BYTES)
        return -1;
    std::vector<SlotTable::Slot> slots;
    if (runsAccessPoint()) {
        for (const MacBytes& station : associatedStations())
            slots.push_back({true, station});
    }
    SlotTable::encode(slots, {buffer, WL_STATION_LIST_BYTES});
    return static_cast<std::int32_t>(slots.size());
}

std::int32_t SimAdapter::tally(std::uint8_t* buffer) const {
    if (buffer == nullptr)
        return -1;
    TallyLayout::Counters counters{};
    for (std::size_t i = 0; i < counters.size(); ++i)
        counters[i] = m_counters.value(i);
    TallyLayout::encode(counters, buffer);
    return 0;
}

std::uint32_t SimAdapter::txFrames() const {
    return m_pins.txFrames ? static_cast<std::uint32_t>(*m_pins.txFrames) : m_counters.txFrames();
}

std::uint32_t SimAdapter::rxFrames() const {
    return m_pins.rxFrames ? static_cast<std::uint32_t>(*m_pins.rxFrames) : m_counters.rxFrames();
}

std::int32_t SimAdapter::frames(std::uint32_t* counters) const {
    if (counters == nullptr)
        return -1;
    counters[0] = txFrames();
    counters[1] = rxFrames();
    return 0;
}

std::int32_t SimAdapter::resetTally() {
    m_counters.reset();
    return 0;
}

std::int32_t SimAdapter::readPhy(std::int32_t reg, std::int32_t* value) const {
    if (value == nullptr || !RegisterFile::validPhy(reg))
        return -1;
    *value = m_registers.phy(reg);
    return 0;
}

std::int32_t SimAdapter::writePhy(std::int32_t reg, std::int32_t value) {
    if (!RegisterFile::validPhy(reg) || value < 0 || value > 0xFF)
        return -1;
    m_registers.setPhy(reg, static_cast<std::uint8_t>(value));
    return 0;
}

std::int32_t SimAdapter::readMac(std::uint32_t address, std::uint32_t* value) const {
    if (value == nullptr)
        return -1;
    *value = m_registers.readMac(address);
    return 0;
}

std::int32_t SimAdapter::writeMac(std::uint32_t address, std::uint32_t value) {
    m_registers.writeMac(address, value);
    return 0;
}

std::int32_t SimAdapter::readEeprom(std::uint8_t* buffer, std::int32_t length) const {
    if (buffer == nullptr || length < 0)
        return -1;
    std::copy_n(m_eeprom.begin(),
                std::min<std::size_t>(static_cast<std::size_t>(length), m_eeprom.size()), buffer);
    return 0;
}

std::int32_t SimAdapter::writeEeprom(const std::uint8_t* buffer, std::int32_t length) {
    if (buffer == nullptr || length <= 0)
        return -1;
    std::vector<std::uint8_t> image = m_eeprom;
    std::copy_n(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), image.size()),
                image.begin());
    return storeEeprom(image) ? 0 : -1;
}

bool SimAdapter::storeEeprom(const std::vector<std::uint8_t>& image) {
    // Without any state directory (no HOME) the image lives for this process only.
    if (!EepromStore::directory().empty() && !EepromStore::save(m_setup.instance, image))
        return false;
    m_eeprom = image;
    return true;
}

std::int32_t SimAdapter::setRf(int RfTestState::*field, std::int32_t value, std::int32_t low,
                               std::int32_t high) {
    if (value < low || value > high)
        return -1;
    m_rf.*field = value;
    return 0;
}

std::int32_t SimAdapter::setSensitivityTest(std::int32_t on) {
    if (setRf(&RfTestState::sensitivityTest, on, 0, 1) != 0)
        return -1;
    if (on == 0)
        m_perSource.stop();
    return 0;
}

std::int32_t SimAdapter::setReceivePort(std::int32_t port) {
    if (setRf(&RfTestState::recvPort, port, 0, 0xFFFF) != 0)
        return -1;
    if (m_rf.sensitivityTest != 0)
        m_perSource.start(m_now);
    return 0;
}

std::int32_t SimAdapter::setAntenna(std::int32_t which, std::int32_t antenna) {
    if ((which != 0 && which != 1) || antenna < 1 || antenna > 3)
        return -1;
    (which == 0 ? m_rf.txAntenna : m_rf.rxAntenna) = antenna;
    // The antenna now in use, which the program records as "AntennaSelect".
    return antenna;
}

std::int32_t SimAdapter::antenna(std::int32_t which) const {
    if (which != 0 && which != 1)
        return -1;
    return which == 0 ? m_rf.txAntenna : m_rf.rxAntenna;
}

std::int32_t SimAdapter::firmwareTestCommand(std::int32_t command, std::int32_t value) {
    if (command < 0 || command > 0xFFFF)
        return -1;
    if (command == kTuneChannelCommand) {
        if (value < kFirstChannel || value > kLastChannel)
            return -1;
        m_rf.testChannel = value;
    }
    return 0;
}

std::int32_t SimAdapter::txPowerSetPoint(std::uint8_t* buffer) const {
    if (buffer == nullptr)
        return -1;
    const std::vector<std::uint8_t> setPoint = EepromBuilder::txSetPoint(m_eeprom, m_model);
    std::copy_n(setPoint.begin(), WL_TX_POWER_SET_POINT_BYTES, buffer);
    return 0;
}

std::int32_t SimAdapter::txPower() const {
    constexpr int kBaseReading = 0x30, kPerGainStep = 4;
    if (!m_rf.emitting())
        return 0;
    if (powerControlStatus() == 1) {
        const int channel =
            m_rf.testChannel > 0 ? m_rf.testChannel : m_config.get(Setting::DesiredChannel);
        const std::vector<std::uint8_t> setPoint = EepromBuilder::txSetPoint(m_eeprom, m_model);
        return setPoint[static_cast<std::size_t>(std::clamp(channel, 1, 14) - 1)];
    }
    return kBaseReading + kPerGainStep * m_registers.paGain();
}

std::int32_t SimAdapter::setTxContinuous(std::int32_t on) {
    if (on != 0 && on != 1)
        return -1;
    if (on == 0)
        m_rf.stopEmission();
    else if (m_model.newerChip())
        m_rf.startEmission(m_rf.pattern <= code(TestPattern::CarrierSuppression)
                               ? m_rf.pattern
                               : code(TestPattern::Normal),
                           m_rf.testRate);
    else
        m_rf.startEmission(code(patternOfCr9(m_registers.phy(PatternRegister))),
                           std::min<int>(m_registers.phy(RateRegister), kFastestCr5Rate));
    return 0;
}

std::int32_t SimAdapter::testTransmission(std::uint16_t on, std::uint16_t pattern) {
    if (on > 1 || (on == 1 && pattern > code(TestPattern::CarrierSuppression)))
        return -1; // nothing to send without a pattern
    m_rf.pattern = pattern;
    if (on == 1)
        m_rf.startEmission(pattern, m_rf.testRate);
    else
        m_rf.stopEmission();
    return 0;
}

std::int32_t SimAdapter::setTestRate(std::uint16_t index) {
    constexpr std::uint16_t kRates = 7;
    if (index >= kRates)
        return -1;
    m_rf.testRate = index;
    // The newer chip's firmware changes the rate of a running transmission at once.
    if (m_rf.txContinuous != 0)
        m_rf.emitRate = index;
    return 0;
}

std::int32_t SimAdapter::txPowerMeasure(std::int32_t* value) const {
    if (value == nullptr)
        return -1;
    *value = txPower();
    return 0;
}

std::int32_t SimAdapter::powerControlStatus() const {
    if (m_model.newerChip())
        return m_rf.powerControl != 0 ? 1 : 0;
    return (m_rf.powerControl & kPowerControlBit) != 0 ? 1 : 0;
}

std::int32_t SimAdapter::macAddress(std::uint8_t* buffer) const {
    if (buffer == nullptr)
        return -1;
    std::copy(m_mac.begin(), m_mac.end(), buffer);
    return 0;
}

std::int32_t SimAdapter::firmwareVersion(std::uint8_t* buffer) const {
    if (buffer == nullptr)
        return -1;
    std::array<std::uint8_t, 5> version = m_model.newerChip() ? kNewerFirmware : kOlderFirmware;
    if (firmwareAp)
        version[4] = kAccessPointBuild;
    std::copy(version.begin(), version.end(), buffer);
    return 0;
}

} // namespace kx::sim
