#include "kx02linux/RadioMapping.h"

#include <algorithm>
#include <cstring>

#include "driver/Channels.h"
#include "driver/DriverLimits.h"

namespace kx::lnx {

namespace {

constexpr std::uint8_t kSsidElement = 0;
constexpr std::uint8_t kRatesElement = 1;
constexpr std::uint16_t kCapabilityEss = 0x0001;
constexpr std::uint16_t kCapabilityPrivacy = 0x0010;
constexpr std::uint32_t kDirectSequence = 1; // the 802.11b physical layer
constexpr std::uint32_t kSurveyRecordBytes = sizeof(WLSurveyRecord);
constexpr std::uint32_t kRadioConfigBytes = 32;

// The 802.11b rates in 100 kbit/s with their rate codes, slowest first.
struct Rate {
    int bitrate100k;
    int code;
    std::uint8_t units500k;
};
constexpr Rate kRates[] = {{10, code(RateCode::Mbps1), 2},
                           {20, code(RateCode::Mbps2), 4},
                           {55, code(RateCode::Mbps5_5), 11},
                           {110, code(RateCode::Mbps11), 22}};

constexpr int kAutomaticRate = code(RateCode::Automatic);

} // namespace

int RadioMapping::channelOf(int frequencyMhz) {
    if (frequencyMhz <= 0)
        return 0;
    const auto kHz = static_cast<std::uint32_t>(frequencyMhz) * 1000;
    const int channel = Channels::ofFrequencyKHz(kHz);
    // Only the band's own channels: another band's frequency is no channel here.
    return channel >= kFirstChannel && channel <= kLastChannel &&
                   Channels::frequencyKHz(channel) == kHz
               ? channel
               : 0;
}

int RadioMapping::frequencyOf(int channel) {
    if (channel < kFirstChannel || channel > kLastChannel)
        return 0;
    return static_cast<int>(Channels::frequencyKHz(channel) / 1000);
}

std::uint16_t RadioMapping::channelMask(std::span<const ChannelInfo> channels) {
    std::uint16_t mask = 0;
    for (const ChannelInfo& c : channels) {
        const int channel = channelOf(c.frequencyMhz);
        if (channel != 0 && !c.disabled)
            mask = static_cast<std::uint16_t>(mask | (1u << (channel - 1)));
    }
    return mask;
}

int RadioMapping::signalLevel(int dbm) {
    return std::clamp(dbm + 105, 0, 100);
}

int RadioMapping::goodness(int dbm) {
    return std::clamp(2 * (dbm + 100), 0, 100);
}

int RadioMapping::reportedQuality(int dbm, bool newerChip) {
    return newerChip ? goodness(dbm) : 100 - goodness(dbm);
}

int RadioMapping::rateCodeOf(int bitrate100k) {
    int code = 0;
    for (const Rate& r : kRates) {
        if (bitrate100k >= r.bitrate100k)
            code = r.code;
    }
    return code;
}

std::optional<std::vector<std::uint8_t>> RadioMapping::legacyRates(int rateCode) {
    if (rateCode == kAutomaticRate)
        return std::vector<std::uint8_t>{};
    if (rateCode <= 0 || (rateCode & ~kAutomaticRate) != 0)
        return std::nullopt;
    std::vector<std::uint8_t> rates;
    for (const Rate& r : kRates) {
        if ((rateCode & r.code) != 0)
            rates.push_back(r.units500k);
    }
    return rates;
}

std::optional<std::uint32_t> RadioMapping::fragToKernel(int bytes) {
    if (bytes == kFragOff)
        return UINT32_MAX;
    if (bytes < SettingTable::info(Setting::FragThreshold).low || bytes > kFragOff)
        return std::nullopt;
    return static_cast<std::uint32_t>(bytes);
}

std::optional<std::uint32_t> RadioMapping::rtsToKernel(int bytes) {
    if (bytes == kRtsOff)
        return UINT32_MAX;
    if (bytes < SettingTable::info(Setting::RtsThreshold).low || bytes > kRtsOff)
        return std::nullopt;
    return static_cast<std::uint32_t>(bytes);
}

int RadioMapping::fragFromKernel(std::uint32_t value) {
    return value >= static_cast<std::uint32_t>(kFragOff) ? kFragOff : static_cast<int>(value);
}

int RadioMapping::rtsFromKernel(std::uint32_t value) {
    return value >= static_cast<std::uint32_t>(kRtsOff) ? kRtsOff : static_cast<int>(value);
}

std::optional<int> RadioMapping::powerLimitMbm(int level) {
    switch (level) {
    case 0:
        return 0;
    case 1:
        return 1500;
    case 2:
        return 1000;
    case 3:
        return 500;
    default:
        return std::nullopt;
    }
}

int RadioMapping::powerLevelOf(int mbm) {
    if (mbm < 0 || mbm >= 1750)
        return 0;
    if (mbm >= 1250)
        return 1;
    return mbm >= 750 ? 2 : 3;
}

std::string RadioMapping::ssidOf(std::span<const std::uint8_t> elements) {
    std::size_t at = 0;
    while (at + 2 <= elements.size()) {
        const std::uint8_t id = elements[at];
        const std::size_t length = elements[at + 1];
        if (at + 2 + length > elements.size())
            break;
        if (id == kSsidElement)
            return std::string(elements.begin() + static_cast<std::ptrdiff_t>(at + 2),
                               elements.begin() + static_cast<std::ptrdiff_t>(at + 2 + length));
        at += 2 + length;
    }
    return {};
}

std::optional<WLSurveyRecord> RadioMapping::surveyRecord(const BssInfo& bss) {
    if (channelOf(bss.frequencyMhz) == 0)
        return std::nullopt;
    WLSurveyRecord r{};
    r.length = kSurveyRecordBytes;
    std::memcpy(r.bssid, bss.bssid.data(), sizeof r.bssid);
    const std::string ssid = ssidOf(bss.elements);
    r.ssidLength = static_cast<std::uint32_t>(std::min(ssid.size(), sizeof r.ssid));
    std::memcpy(r.ssid, ssid.data(), r.ssidLength);
    r.privacy = (bss.capability & kCapabilityPrivacy) != 0 ? 1 : 0;
    r.signal = bss.signalMbm ? signalLevel(*bss.signalMbm / 100) : 0;
    r.networkTypeInUse = kDirectSequence;
    r.configLength = kRadioConfigBytes;
    r.beaconPeriod = bss.beaconInterval;
    r.frequencyKHz = static_cast<std::uint32_t>(bss.frequencyMhz) * 1000;
    r.infrastructureMode = (bss.capability & kCapabilityEss) != 0 ? 1 : 0;
    // The supported rates element, as far as the record has room.
    std::size_t at = 0;
    const std::vector<std::uint8_t>& e = bss.elements;
    while (at + 2 <= e.size() && at + 2 + e[at + 1] <= e.size()) {
        if (e[at] == kRatesElement) {
            std::memcpy(r.rates, e.data() + at + 2,
                        std::min<std::size_t>(e[at + 1], sizeof r.rates));
            break;
        }
        at += 2 + e[at + 1];
    }
    return r;
}

std::vector<WLSurveyRecord> RadioMapping::survey(std::span<const BssInfo> found, std::uint16_t mask,
                                                 std::size_t room) {
    std::vector<WLSurveyRecord> records;
    for (const BssInfo& bss : found) {
        const int channel = channelOf(bss.frequencyMhz);
        if (channel == 0 || (mask >> (channel - 1) & 1) == 0)
            continue;
        if (const std::optional<WLSurveyRecord> r = surveyRecord(bss))
            records.push_back(*r);
    }
    std::stable_sort(
        records.begin(), records.end(),
        [](const WLSurveyRecord& a, const WLSurveyRecord& b) { return a.signal > b.signal; });
    if (records.size() > room)
        records.resize(room);
    return records;
}

std::vector<Mac>
RadioMapping::filterEntries(std::span<const std::uint8_t, WL_FILTER_TABLE_BYTES> table) {
    std::vector<Mac> entries;
    for (const SlotTable::Slot& slot : SlotTable::decode(table)) {
        if (slot.inUse)
            entries.push_back(slot.mac);
    }
    return entries;
}

void RadioMapping::fillSlots(const std::vector<Mac>& macs, std::span<std::uint8_t> table) {
    std::vector<SlotTable::Slot> slots;
    for (const Mac& mac : macs)
        slots.push_back({true, mac});
    SlotTable::encode(slots, table);
}

bool RadioMapping::filterAdmits(int mode, const std::vector<Mac>& entries, const Mac& station) {
    const bool listed = std::find(entries.begin(), entries.end(), station) != entries.end();
    switch (mode) {
    case 1:
        return listed;
    case 2:
        return !listed;
    default:
        return true;
    }
}

} // namespace kx::lnx
