#include "kx02linux/RegistryStart.h"

#include <charconv>
#include <cstdio>
#include <set>

#include "kx02app/HexBytes.h"
#include "kx02app/MacAddress.h"
#include "kx02linux/RadioMapping.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"

namespace kx::lnx {

namespace {

constexpr Hive kHive = Hive::LocalMachine;
constexpr const char* kClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kAddressValue = "PermanentAddress";
constexpr int kInstances = 10000;

std::string keyOf(const std::string& instance) {
    return std::string(kClassKey) + "\\" + instance;
}

std::optional<std::string> text(const std::string& key, const char* name) {
    std::string value;
    if (Registry::readString(kHive, key, name, value) != 0)
        return std::nullopt;
    return value;
}

std::optional<int> number(const std::string& key, const char* name, int low, int high) {
    const std::optional<std::string> t = text(key, name);
    if (!t || t->empty())
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(t->data(), t->data() + t->size(), value);
    if (ec != std::errc() || end != t->data() + t->size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// Recorded as the program records them: four keys of 10 or 26 digits, run together.
void readKeys(const std::string& key, RadioSettings& s) {
    const std::optional<std::string> joined = text(key, "WEPDefaultKeys");
    if (!joined || (joined->size() != 40 && joined->size() != 104))
        return;
    const auto bytes = sim::HexBytes::parse(*joined);
    if (!bytes)
        return;
    const std::size_t length = bytes->size() / 4;
    for (std::size_t i = 0; i < 4; ++i)
        s.keys[i].assign(bytes->begin() + static_cast<std::ptrdiff_t>(i * length),
                         bytes->begin() + static_cast<std::ptrdiff_t>((i + 1) * length));
    s.wepBit = length == 13 ? 1 : 0;
}

} // namespace

void RegistryStart::install(std::vector<Installed>& adapters) {
    std::set<std::string> taken;
    std::vector<std::string> keys = Registry::subKeyNames(kHive, kClassKey);
    for (Installed& a : adapters) {
        const std::string address = sim::MacAddress::text(a.permanentAddress);
        for (const std::string& key : keys) {
            const std::optional<std::string> known = text(keyOf(key), kAddressValue);
            if (known && *known == address && taken.count(key) == 0 && key.size() <= 4) {
                a.instance = key;
                break;
            }
        }
        for (int n = 0; a.instance.empty() && n < kInstances; ++n) {
            char candidate[8];
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
        values.push_back({keyOf(a.instance), "MatchingDeviceId", a.hardwareId});
        values.push_back(
            {keyOf(a.instance), kAddressValue, sim::MacAddress::text(a.permanentAddress)});
    }
    // Without the keys the program accepts no adapter; it says so when it writes itself.
    Registry::ensureValues(kHive, values);
}

RegistryStart::Recorded RegistryStart::read(const std::string& instance, RadioSettings& s) {
    const std::string key = keyOf(instance);
    Recorded recorded;
    if (const auto v = number(key, "RFChannel", 1, 14))
        s.channel = *v;
    if (const auto v = number(key, "TxDataRate", 1, 64); v && RadioMapping::legacyRates(*v))
        s.txRate = *v;
    if (const auto v = number(key, "NetworkType", 0, 4); v && *v != 2 && *v != 3)
        s.networkType = *v;
    if (const auto v = number(key, "AuthentMode", 1, 3))
        s.authMode = *v;
    if (const auto v = number(key, "WEPDefaultKeyId", 1, 4))
        s.defaultKey = *v - 1;
    readKeys(key, s);
    // "WEPStatus": 0 off, 2 on with 64-bit keys, 6 on with 128-bit keys.
    if (const auto v = number(key, "WEPStatus", 0, 6); v && (*v == 0 || *v == 2 || *v == 6)) {
        s.wepStatus = *v == 0 ? 0 : 1;
        if (*v != 0)
            s.wepBit = *v == 6 ? 1 : 0;
    }
    if (const std::optional<std::string> ssid = text(key, "SSID")) {
        // The program records the text it narrowed to single bytes for the driver.
        const std::string bytes = TextCodec::narrow(TextCodec::utf8ToUtf16(*ssid));
        if (bytes.size() <= 32)
            s.ssid = bytes;
    }
    if (const auto v = number(key, "PowerSaveMode", 0, 1))
        recorded.powerSave = *v == 1;
    if (const auto v = number(key, "PowerSaveLevel", 0, 4))
        s.psLevel = *v;
    if (const auto v = number(key, "FragmentThreshold", 256, 2306))
        recorded.frag = RadioMapping::fragToKernel(*v);
    if (const auto v = number(key, "RTSCTSThreshold", 0, 2305))
        recorded.rts = RadioMapping::rtsToKernel(*v);
    if (const auto v = number(key, "Preamble", 1, 3))
        s.preamble = *v;
    return recorded;
}

} // namespace kx::lnx
