#include "kx02linux/RadioSettings.h"

#include <charconv>

#include "driver/DriverLimits.h"
#include "driver/HexText.h"
#include "driver/MacText.h"

namespace kx::lnx {

namespace {

constexpr std::string_view kHeader = "kx02linux-settings 1";

struct IntField {
    std::string_view name;
    int RadioSettings::*field;
    int low;
    int high;
};

constexpr IntField kIntFields[] = {
    {"network_type", &RadioSettings::networkType, 0, 4},
    {"channel", &RadioSettings::channel, 1, 14},
    {"auth_mode", &RadioSettings::authMode, 1, 3},
    {"wep_status", &RadioSettings::wepStatus, 0, 1},
    {"wep_bit", &RadioSettings::wepBit, 0, 1},
    {"default_key", &RadioSettings::defaultKey, 0, 3},
    {"tx_rate", &RadioSettings::txRate, 1, 64},
    {"ps_level", &RadioSettings::psLevel, 0, 255},
    {"preamble", &RadioSettings::preamble, 1, 3},
    {"basic_rate", &RadioSettings::basicRate, 0, 15},
    {"ap_hidden", &RadioSettings::apHidden, 0, 1},
    {"ap_tx_power", &RadioSettings::apTxPower, 0, 3},
    {"filter_mode", &RadioSettings::filterMode, 0, 2},
};

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string hex(std::string_view bytes) {
    return HexText::lower(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::optional<std::string> unhex(std::string_view digits) {
    const auto bytes = HexText::parseExact(digits);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

void take(RadioSettings& s, std::string_view name, std::string_view value) {
    for (const IntField& f : kIntFields) {
        if (f.name != name)
            continue;
        if (const std::optional<int> n = number(value); n && *n >= f.low && *n <= f.high)
            s.*f.field = *n;
        return;
    }
    if (name == "ssid" || name == "ap_ssid") {
        const std::optional<std::string> text = unhex(value);
        if (text && text->size() <= std::size_t{kMaxSsidBytes})
            (name == "ssid" ? s.ssid : s.apSsid) = *text;
    } else if (name == "bssid") {
        s.bssid = MacText::parse(value);
    } else if (name.size() == 4 && name.substr(0, 3) == "key" && name[3] >= '0' && name[3] <= '3') {
        const auto bytes = HexText::parseExact(value);
        if (bytes && bytes->size() <= std::size_t{kWepKeyBytes128})
            s.keys[static_cast<std::size_t>(name[3] - '0')] = *bytes;
    } else if (name == "filter") {
        if (const std::optional<Mac> mac = MacText::parse(value);
            mac && s.filter.size() < RadioSettings::kFilterEntries)
            s.filter.push_back(*mac);
    }
}

} // namespace

std::vector<std::uint8_t> RadioSettings::key(int index) const {
    std::vector<std::uint8_t> bytes = keys[static_cast<std::size_t>(index & 3)];
    bytes.resize(static_cast<std::size_t>(wepKeyBytes(WepBit{wepBit})), 0);
    return bytes;
}

std::string RadioSettings::serialize() const {
    std::string out(kHeader);
    out += '\n';
    for (const IntField& f : kIntFields)
        out += std::string(f.name) + '=' + std::to_string(this->*f.field) + '\n';
    out += "ssid=" + hex(ssid) + '\n';
    out += "ap_ssid=" + hex(apSsid) + '\n';
    if (bssid)
        out += "bssid=" + MacText::format(*bssid, MacText::Style::Colons) + '\n';
    for (int i = 0; i < kKeyCount; ++i) {
        const auto& k = keys[static_cast<std::size_t>(i)];
        out += "key" + std::to_string(i) + '=' + HexText::lower(k.data(), k.size()) + '\n';
    }
    for (const Mac& mac : filter)
        out += "filter=" + MacText::format(mac, MacText::Style::Colons) + '\n';
    return out;
}

std::optional<RadioSettings> RadioSettings::parse(std::string_view text) {
    const std::size_t firstEnd = text.find('\n');
    if (text.substr(0, firstEnd) != kHeader)
        return std::nullopt;
    RadioSettings s;
    std::size_t at = firstEnd == std::string_view::npos ? text.size() : firstEnd + 1;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(at, end - at);
        if (const std::size_t eq = line.find('='); eq != std::string_view::npos)
            take(s, line.substr(0, eq), line.substr(eq + 1));
        at = end + 1;
    }
    return s;
}

} // namespace kx::lnx
