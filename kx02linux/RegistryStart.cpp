#include "kx02linux/RegistryStart.h"

#include <charconv>
#include <cstdio>
#include <set>

#include "driver/AdapterValue.h"
#include "driver/DriverLimits.h"
#include "driver/HexText.h"
#include "driver/MacText.h"
#include "driver/SettingTable.h"
#include "kx02linux/RadioMapping.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"

namespace kx::lnx {

namespace {

constexpr Hive kHive = Hive::LocalMachine;
// The radio's own address, by which an interface finds its key again.
constexpr const char* kAddressValue = "PermanentAddress";
constexpr int kInstances = 10000;

std::string keyOf(const std::string& instance) {
    return std::string(kAdapterClassKey) + "\\" + instance;
}

std::optional<std::string> text(const std::string& key, const char* name) {
    std::string value;
    if (Registry::readString(kHive, key, name, value) != 0)
        return std::nullopt;
    return value;
}

// The whole text a decimal number.
std::optional<int> number(const std::string& key, const char* name) {
    const std::optional<std::string> t = text(key, name);
    if (!t || t->empty())
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(t->data(), t->data() + t->size(), value);
    if (ec != std::errc() || end != t->data() + t->size())
        return std::nullopt;
    return value;
}

// The settings this driver keeps itself; the kernel keeps the others.
struct Kept {
    Setting id;
    int RadioSettings::*field;
};
constexpr Kept kKept[] = {
    {Setting::DesiredChannel, &RadioSettings::channel},
    {Setting::TxRate, &RadioSettings::txRate},
    {Setting::NetworkType, &RadioSettings::networkType},
    {Setting::AuthMode, &RadioSettings::authMode},
    {Setting::DefaultKeyId, &RadioSettings::defaultKey},
    {Setting::PsLevel, &RadioSettings::psLevel},
    {Setting::Preamble, &RadioSettings::preamble},
};

// Recorded as the program records them: four keys of 10 or 26 digits, run together.
void readKeys(const std::string& key, RadioSettings& s) {
    const std::optional<std::string> joined =
        text(key, adapterValueName(AdapterValue::WepDefaultKeys));
    for (const WepBit length : {WepBit::Bits64, WepBit::Bits128}) {
        const auto keyBytes = static_cast<std::size_t>(wepKeyBytes(length));
        const auto bytes = joined ? HexText::parseExact(*joined) : std::nullopt;
        if (!bytes || bytes->size() != keyBytes * kWepKeyCount)
            continue;
        for (std::size_t i = 0; i < kWepKeyCount; ++i)
            s.keys[i].assign(bytes->begin() + static_cast<std::ptrdiff_t>(i * keyBytes),
                             bytes->begin() + static_cast<std::ptrdiff_t>((i + 1) * keyBytes));
        s.wepBit = code(length);
    }
}

} // namespace

void RegistryStart::install(std::vector<Installed>& adapters) {
    std::set<std::string> taken;
    std::vector<std::string> keys = Registry::subKeyNames(kHive, kAdapterClassKey);
    for (Installed& a : adapters) {
        const std::string address = MacText::format(a.permanentAddress, MacText::Style::Colons);
        for (const std::string& key : keys) {
            const std::optional<std::string> known = text(keyOf(key), kAddressValue);
            if (known && *known == address && taken.count(key) == 0 && key.size() <= 4) {
                a.instance = key;
                break;
            }
        }
        for (int n = 0; a.instance.empty() && n < kInstances; ++n) {
            char candidate[12]; // room for any int, so the compiler sees no truncation
            std::snprintf(candidate, sizeof candidate, "%04d", n);
            if (taken.count(candidate) == 0 && !Registry::keyExists(kHive, keyOf(candidate)))
                a.instance = candidate;
        }
        taken.insert(a.instance);
    }
    std::vector<RegistryDefault> values;
    for (const Installed& a : adapters) {
        if (a.instance.empty())
            continue;
        values.push_back({keyOf(a.instance), kHardwareIdValue, a.hardwareId});
        values.push_back({keyOf(a.instance), kAddressValue,
                          MacText::format(a.permanentAddress, MacText::Style::Colons)});
    }
    // Without the keys the program accepts no adapter; it says so when it writes itself.
    Registry::ensureValues(kHive, values);
}

RegistryStart::Recorded RegistryStart::read(const std::string& instance, RadioSettings& s) {
    const std::string key = keyOf(instance);
    const auto recorded = [&](Setting id) -> std::optional<int> {
        const SettingInfo& info = SettingTable::info(id);
        const std::optional<int> n =
            info.registryValue ? number(key, adapterValueName(*info.registryValue)) : std::nullopt;
        if (!n || !info.accepts(*n - info.registryOffset))
            return std::nullopt;
        return *n - info.registryOffset;
    };
    for (const Kept& k : kKept) {
        if (const std::optional<int> v = recorded(k.id))
            s.*k.field = *v;
    }
    // What no Linux radio does falls back to what it does.
    if (!RadioMapping::legacyRates(s.txRate))
        s.txRate = code(RateCode::Automatic);
    if (s.networkType == code(NetworkType::PseudoIbss))
        s.networkType = code(NetworkType::Infrastructure);
    readKeys(key, s);
    if (const auto v = number(key, adapterValueName(AdapterValue::WepStatus))) {
        for (const bool on : {false, true}) {
            for (const WepBit length : {WepBit::Bits64, WepBit::Bits128}) {
                if (*v != wepStatusCode(on, length))
                    continue;
                s.wepStatus = on ? 1 : 0;
                if (on)
                    s.wepBit = code(length);
            }
        }
    }
    if (const std::optional<std::string> ssid = text(key, adapterValueName(AdapterValue::Ssid))) {
        // The program records the text it narrowed to single bytes for the driver.
        const std::string bytes = TextCodec::narrow(TextCodec::utf8ToUtf16(*ssid));
        if (bytes.size() <= std::size_t{kMaxSsidBytes})
            s.ssid = bytes;
    }
    Recorded kernel;
    if (const auto v = recorded(Setting::PsMode))
        kernel.powerSave = *v == 1;
    if (const auto v = recorded(Setting::FragThreshold))
        kernel.frag = RadioMapping::fragToKernel(*v);
    if (const auto v = recorded(Setting::RtsThreshold))
        kernel.rts = RadioMapping::rtsToKernel(*v);
    return kernel;
}

} // namespace kx::lnx
