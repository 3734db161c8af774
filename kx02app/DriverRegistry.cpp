#include "kx02app/DriverRegistry.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "driver/AdapterValue.h"
#include "driver/DriverLimits.h"
#include "driver/HexText.h"
#include "driver/SsidText.h"
#include "kx02app/SimAdapter.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"

namespace kx::sim {

namespace {

constexpr Hive kHive = Hive::LocalMachine;
constexpr std::size_t kShortKeysDigits = kWepKeyCount * wepKeyDigits(WepBit::Bits64);
constexpr std::size_t kLongKeysDigits = kWepKeyCount * wepKeyDigits(WepBit::Bits128);

std::optional<std::string> readText(const std::string& key, std::string_view name) {
    std::string value;
    if (Registry::readString(kHive, key, name, value) != 0)
        return std::nullopt;
    return value;
}

// The whole text must be a decimal number.
std::optional<int> readNumber(const std::string& key, std::string_view name) {
    const std::optional<std::string> text = readText(key, name);
    if (!text || text->empty())
        return std::nullopt;
    int value = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

void loadKeys(const std::string& key, StationConfig& config) {
    const std::optional<std::string> text = readText(key, "WEPDefaultKeys");
    if (!text || (text->size() != kShortKeysDigits && text->size() != kLongKeysDigits))
        return;
    const std::optional<std::vector<std::uint8_t>> bytes = HexText::parseExact(*text);
    if (!bytes)
        return;
    const std::size_t keyLength = bytes->size() / 4;
    for (std::size_t i = 0; i < 4; ++i) {
        config.keys[i].fill(0);
        std::copy_n(bytes->begin() + static_cast<std::ptrdiff_t>(i * keyLength), keyLength,
                    config.keys[i].begin());
    }
    config.put(Setting::WepBit, keyLength == StationConfig::kLongKey ? 1 : 0);
}

// "WEPStatus": 0 off, 2 on with 64-bit keys, 6 on with 128-bit keys.
void loadWepStatus(const std::string& key, StationConfig& config) {
    const std::optional<int> status = readNumber(key, "WEPStatus");
    if (!status || (*status != 0 && *status != 2 && *status != 6))
        return;
    config.put(Setting::WepStatus, *status == 0 ? 0 : 1);
    if (*status != 0)
        config.put(Setting::WepBit, *status == 6 ? 1 : 0);
}

std::optional<std::string> readSsid(const std::string& key) {
    const std::optional<std::string> text = readText(key, "SSID");
    if (!text)
        return std::nullopt;
    // The program records the name as people see it.
    std::optional<std::string> bytes = SsidText::fromTyped(TextCodec::utf8ToUtf16(*text));
    if (!bytes || bytes->size() > StationConfig::kMaxSsid)
        return std::nullopt;
    return bytes;
}

// Access-point firmware takes the recorded SSID as its own (the program resends it to
// the access point from there) and the recorded fragmentation threshold as the access
// point's.
void loadAccessPoint(const std::string& key, SimAdapter& adapter) {
    if (const std::optional<std::string> ssid = readSsid(key))
        adapter.accessPoint().ssid = *ssid;
    const SettingInfo& frag = SettingTable::info(Setting::ApFragThreshold);
    if (const std::optional<int> value = readNumber(key, "FragmentThreshold");
        value && frag.accepts(*value))
        adapter.config().put(Setting::ApFragThreshold, *value);
}

void loadAntenna(const std::string& key, RfTestState& rf) {
    const std::optional<int> antenna = readNumber(key, "AntennaSelect");
    if (!antenna || *antenna < 1 || *antenna > 3)
        return;
    rf.rxAntenna = *antenna;
    if (*antenna != 3)
        rf.txAntenna = *antenna;
}

} // namespace

std::string DriverRegistry::keyPath(std::string_view instance) {
    return std::string(kAdapterClassKey) + "\\" + std::string(instance);
}

void DriverRegistry::install(const std::vector<Scenario::Adapter>& adapters) {
    std::vector<RegistryDefault> values;
    values.reserve(adapters.size());
    for (const Scenario::Adapter& adapter : adapters)
        values.push_back({keyPath(adapter.instance), kHardwareIdValue, adapter.hardwareId});
    // Without the keys no adapter is found; the program says why when it writes itself.
    Registry::ensureValues(kHive, values);
}

void DriverRegistry::loadStartSettings(SimAdapter& adapter) {
    const std::string key = keyPath(adapter.setup().instance);
    StationConfig& config = adapter.config();
    for (const SettingInfo& s : SettingTable::all()) {
        if (!s.registryValue)
            continue;
        const std::optional<int> recorded = readNumber(key, adapterValueName(*s.registryValue));
        if (!recorded)
            continue;
        const int value = *recorded - s.registryOffset;
        const bool allowed = s.id != Setting::DesiredChannel ||
                             (s.accepts(value) && (adapter.channelMask() >> (value - 1) & 1) != 0);
        if (s.accepts(value) && allowed)
            config.put(s.id, value);
    }
    loadKeys(key, config);
    loadWepStatus(key, config);
    if (const std::optional<std::string> ssid = readSsid(key))
        config.ssid = *ssid;
    loadAntenna(key, adapter.rf());
    if (adapter.firmwareAp)
        loadAccessPoint(key, adapter);
}

} // namespace kx::sim
