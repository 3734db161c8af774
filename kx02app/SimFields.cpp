#include "kx02app/SimFields.h"

#include <array>
#include <charconv>
#include <optional>

#include "driver/HexText.h"
#include "kx02app/SimAdapter.h"

namespace kx::sim {

namespace {

using Pin = std::optional<std::int64_t> SimAdapter::Pins::*;
using Getter = std::int64_t (*)(SimAdapter&);
using Setter = void (*)(SimAdapter&, std::int64_t);

struct PinnedField {
    std::string_view name;
    Pin pin;
    Getter get;
};

const std::array<PinnedField, 8> kPinned{{
    {"channel", &SimAdapter::Pins::channel,
     [](SimAdapter& a) -> std::int64_t { return a.channel(); }},
    {"current_tx_rate", &SimAdapter::Pins::currentTxRate,
     [](SimAdapter& a) -> std::int64_t { return a.currentTxRate(); }},
    {"port_status", &SimAdapter::Pins::portStatus,
     [](SimAdapter& a) -> std::int64_t { return a.portStatus(); }},
    {"cqsl_quality_sum", &SimAdapter::Pins::qualitySum,
     [](SimAdapter& a) -> std::int64_t {
         return a.pins().qualitySum.value_or(a.lastQuality().qualitySum);
     }},
    {"cqsl_signal", &SimAdapter::Pins::signal,
     [](SimAdapter& a) -> std::int64_t {
         return a.pins().signal.value_or(a.lastQuality().signal);
     }},
    {"cqsl_packets", &SimAdapter::Pins::packets,
     [](SimAdapter& a) -> std::int64_t {
         return a.pins().packets.value_or(a.lastQuality().packets);
     }},
    {"tx_frames", &SimAdapter::Pins::txFrames,
     [](SimAdapter& a) -> std::int64_t { return a.txFrames(); }},
    {"rx_frames", &SimAdapter::Pins::rxFrames,
     [](SimAdapter& a) -> std::int64_t { return a.rxFrames(); }},
}};

struct RfField {
    std::string_view name;
    int RfTestState::*member;
};

const std::array<RfField, 14> kRf{{
    {"tx_continuous", &RfTestState::txContinuous},
    {"tx_pattern", &RfTestState::pattern},
    {"emit_pattern", &RfTestState::emitPattern},
    {"emit_rate", &RfTestState::emitRate},
    {"sensitivity_test", &RfTestState::sensitivityTest},
    {"recv_port", &RfTestState::recvPort},
    {"filter_band", &RfTestState::filterBand},
    {"tx_antenna", &RfTestState::txAntenna},
    {"rx_antenna", &RfTestState::rxAntenna},
    {"scrambler", &RfTestState::scrambler},
    {"spread", &RfTestState::spread},
    {"dozing", &RfTestState::dozing},
    {"test_rate", &RfTestState::testRate},
    {"test_channel", &RfTestState::testChannel},
}};

struct OtherField {
    std::string_view name;
    Getter get;
    Setter set; // null: read only
};

const std::array<OtherField, 17> kOther{{
    {"wzc", [](SimAdapter& a) -> std::int64_t { return a.wzc; },
     [](SimAdapter& a, std::int64_t v) { a.wzc = static_cast<int>(v); }},
    {"firmware_mode", [](SimAdapter& a) -> std::int64_t { return a.firmwareAp ? 1 : 0; },
     [](SimAdapter& a, std::int64_t v) {
         // Other firmware: the adapter starts anew in its role.
         a.firmwareAp = v == 1;
         a.join();
     }},
    {"driver_version", [](SimAdapter& a) -> std::int64_t { return a.driverVersion; },
     [](SimAdapter& a, std::int64_t v) { a.driverVersion = static_cast<std::int32_t>(v); }},
    {"opens", [](SimAdapter& a) -> std::int64_t { return a.opens ? 1 : 0; },
     [](SimAdapter& a, std::int64_t v) { a.opens = v != 0; }},
    {"open_count", [](SimAdapter& a) -> std::int64_t { return a.openCount; },
     [](SimAdapter& a, std::int64_t v) { a.openCount = static_cast<int>(v); }},
    {"restart_count", [](SimAdapter& a) -> std::int64_t { return a.restartCount; },
     [](SimAdapter& a, std::int64_t v) { a.restartCount = static_cast<int>(v); }},
    {"join_count", [](SimAdapter& a) -> std::int64_t { return a.joinCount; },
     [](SimAdapter& a, std::int64_t v) { a.joinCount = static_cast<int>(v); }},
    {"wzc_disable", [](SimAdapter& a) -> std::int64_t { return a.wzcDisable; },
     [](SimAdapter& a, std::int64_t v) { a.wzcDisable = static_cast<int>(v); }},
    {"pa_gain", [](SimAdapter& a) -> std::int64_t { return a.registers().paGain(); },
     [](SimAdapter& a, std::int64_t v) { a.registers().setPaGain(static_cast<int>(v)); }},
    {"philips_gain", [](SimAdapter& a) -> std::int64_t { return a.registers().philipsGain(); },
     [](SimAdapter& a, std::int64_t v) { a.registers().setPhilipsGain(static_cast<int>(v)); }},
    {"old_debug_words", [](SimAdapter& a) -> std::int64_t { return a.oldDebugWords; },
     [](SimAdapter& a, std::int64_t v) { a.oldDebugWords = static_cast<std::uint32_t>(v); }},
    {"power_control", [](SimAdapter& a) -> std::int64_t { return a.rf().powerControl; },
     [](SimAdapter& a, std::int64_t v) { a.rf().powerControl = static_cast<std::uint16_t>(v); }},
    {"chip", [](SimAdapter& a) -> std::int64_t { return a.model().chip(); }, nullptr},
    {"bus_kind", [](SimAdapter& a) -> std::int64_t { return a.model().bus(); }, nullptr},
    {"channel_mask", [](SimAdapter& a) -> std::int64_t { return a.channelMask(); }, nullptr},
    {"open", [](SimAdapter& a) -> std::int64_t { return a.isOpen() ? 1 : 0; }, nullptr},
    {"handle", [](SimAdapter& a) -> std::int64_t { return a.handle(); }, nullptr},
}};

template <typename Table>
auto findField(const Table& table, std::string_view name) -> decltype(&table[0]) {
    for (const auto& entry : table) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

// "tally0" .. "tally20": the tally counters.
std::optional<std::size_t> tallyIndex(std::string_view field) {
    constexpr std::string_view prefix = "tally";
    if (!field.starts_with(prefix))
        return std::nullopt;
    std::size_t index = 0;
    const std::string_view digits = field.substr(prefix.size());
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() ||
        index >= TrafficCounters::kCount)
        return std::nullopt;
    return index;
}

// "wep_key0" .. "wep_key3".
std::optional<std::size_t> keyIndex(std::string_view field) {
    constexpr std::string_view prefix = "wep_key";
    if (!field.starts_with(prefix) || field.size() != prefix.size() + 1)
        return std::nullopt;
    const char digit = field.back();
    if (digit < '0' || digit > '3')
        return std::nullopt;
    return static_cast<std::size_t>(digit - '0');
}

bool linkedText(SimAdapter& a, std::string& text, bool bssid) {
    std::array<char, 40> buffer{};
    const std::int32_t ret = bssid ? a.bssidText(buffer.data()) : a.currentSsid(buffer.data());
    text = ret == 0 ? std::string(buffer.data()) : std::string();
    return true;
}

} // namespace

bool SimFields::getInt(SimAdapter& a, std::string_view field, std::int64_t& value) {
    if (const SettingInfo* s = SettingTable::byField(field)) {
        value = a.query(s->id);
        return true;
    }
    if (const PinnedField* p = findField(kPinned, field)) {
        value = p->get(a);
        return true;
    }
    if (const RfField* r = findField(kRf, field)) {
        value = a.rf().*(r->member);
        return true;
    }
    if (const OtherField* o = findField(kOther, field)) {
        value = o->get(a);
        return true;
    }
    if (const std::optional<std::size_t> i = tallyIndex(field)) {
        value = static_cast<std::int64_t>(a.counters().value(*i));
        return true;
    }
    return false;
}

bool SimFields::setInt(SimAdapter& a, std::string_view field, std::int64_t value) {
    if (const SettingInfo* s = SettingTable::byField(field)) {
        a.config().put(s->id, static_cast<int>(value));
        return true;
    }
    if (const PinnedField* p = findField(kPinned, field)) {
        a.pins().*(p->pin) = value;
        return true;
    }
    if (const RfField* r = findField(kRf, field)) {
        a.rf().*(r->member) = static_cast<int>(value);
        return true;
    }
    if (const OtherField* o = findField(kOther, field); o != nullptr && o->set != nullptr) {
        o->set(a, value);
        return true;
    }
    if (const std::optional<std::size_t> i = tallyIndex(field)) {
        a.counters().setValue(*i, static_cast<std::uint64_t>(value));
        return true;
    }
    return false;
}

bool SimFields::unpin(SimAdapter& a, std::string_view field) {
    const PinnedField* p = findField(kPinned, field);
    if (p == nullptr)
        return false;
    (a.pins().*(p->pin)).reset();
    return true;
}

bool SimFields::getText(SimAdapter& a, std::string_view field, std::string& text) {
    const Scenario::Adapter& setup = a.setup();
    if (field == "ssid")
        text = a.config().ssid;
    else if (field == "ap_ssid")
        text = a.accessPoint().ssid;
    else if (field == "current_ssid")
        return linkedText(a, text, false);
    else if (field == "bssid")
        return linkedText(a, text, true);
    else if (field == "joined") {
        const int index = a.link().target().network;
        text = index >= 0 && a.link().linked(a.now()) ? a.link().target().ssid : std::string();
    } else if (field == "desired_bssid") {
        const auto& bssid = a.config().desiredBssid;
        text = bssid ? MacText::format(*bssid, MacText::Style::Colons) : std::string();
    } else if (field == "mac")
        text = MacText::format(a.mac(), MacText::Style::Colons);
    else if (field == "name")
        text = setup.name;
    else if (field == "description")
        text = setup.description;
    else if (field == "instance")
        text = setup.instance;
    else if (field == "hardware_id")
        text = setup.hardwareId;
    else if (const std::optional<std::size_t> k = keyIndex(field)) {
        const StationConfig& c = a.config();
        text = HexText::fromBytes(c.keys[*k].data(), c.keyLength());
    } else
        return false;
    return true;
}

bool SimFields::setText(SimAdapter& a, std::string_view field, std::string_view text) {
    if (field == "ssid" || field == "ap_ssid") {
        if (text.size() > StationConfig::kMaxSsid)
            return false;
        (field == "ssid" ? a.config().ssid : a.accessPoint().ssid) = std::string(text);
        return true;
    }
    if (field == "desired_bssid") {
        if (text.empty()) {
            a.config().desiredBssid.reset();
            return true;
        }
        const std::optional<MacBytes> mac = MacText::parse(text);
        if (mac)
            a.config().desiredBssid = *mac;
        return mac.has_value();
    }
    if (const std::optional<std::size_t> k = keyIndex(field)) {
        const std::optional<std::vector<std::uint8_t>> key = HexText::parseExact(text);
        if (!key || key->size() > StationConfig::kLongKey)
            return false;
        StationConfig::Key& slot = a.config().keys[*k];
        slot.fill(0);
        std::copy(key->begin(), key->end(), slot.begin());
        return true;
    }
    return false;
}

} // namespace kx::sim
