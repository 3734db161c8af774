#include "kx02app/AccessPointStore.h"

#include <algorithm>
#include <array>

#include <nlohmann/json.hpp>

#include "driver/HexText.h"
#include "kx02app/StateFile.h"

namespace kx::sim {

namespace {

using nlohmann::json;

constexpr std::size_t kFileLimit = 64 * 1024;

constexpr const auto& kKept = AccessPointStore::kKept;

bool kept(Setting id) {
    return std::find(kKept.begin(), kKept.end(), id) != kKept.end();
}

template <std::size_t N> std::optional<std::array<std::uint8_t, N>> bytesOf(const json& value) {
    if (!value.is_string())
        return std::nullopt;
    const std::optional<std::vector<std::uint8_t>> bytes =
        HexText::parseExact(value.get_ref<const std::string&>());
    if (!bytes || bytes->size() != N)
        return std::nullopt;
    std::array<std::uint8_t, N> out{};
    std::copy(bytes->begin(), bytes->end(), out.begin());
    return out;
}

void decodeSettings(const json& settings, std::uint16_t channelMask, StationConfig& config) {
    if (!settings.is_object())
        return;
    for (const auto& [field, value] : settings.items()) {
        const SettingInfo* s = SettingTable::byField(field);
        if (s == nullptr || !kept(s->id) || !value.is_number_integer())
            continue;
        const std::int64_t v = value.get<std::int64_t>();
        if (v < INT32_MIN || v > INT32_MAX || !s->accepts(static_cast<int>(v)))
            continue;
        if (s->id == Setting::DesiredChannel && (channelMask >> (v - 1) & 1) == 0)
            continue;
        config.put(s->id, static_cast<int>(v));
    }
}

} // namespace

AccessPointStore::Memory AccessPointStore::Memory::of(const StationConfig& config,
                                                      const AccessPointState& ap) {
    Memory memory;
    for (std::size_t i = 0; i < kKept.size(); ++i)
        memory.settings[i] = config.get(kKept[i]);
    memory.keys = config.keys;
    memory.ssid = ap.ssid;
    memory.filter = ap.filter;
    return memory;
}

bool AccessPointStore::Memory::matches(const StationConfig& config,
                                       const AccessPointState& ap) const {
    for (std::size_t i = 0; i < kKept.size(); ++i) {
        if (settings[i] != config.get(kKept[i]))
            return false;
    }
    return keys == config.keys && ssid == ap.ssid && filter == ap.filter;
}

std::string AccessPointStore::encode(const Memory& memory) {
    json settings = json::object();
    for (std::size_t i = 0; i < kKept.size(); ++i)
        settings[SettingTable::info(kKept[i]).field] = memory.settings[i];
    json keys = json::array();
    for (const StationConfig::Key& key : memory.keys)
        keys.push_back(HexText::fromBytes(key.data(), key.size()));
    // The SSID is bytes, not necessarily UTF-8: kept as hexadecimal digits.
    const auto* ssid = reinterpret_cast<const std::uint8_t*>(memory.ssid.data());
    return json{{"ssid", HexText::fromBytes(ssid, memory.ssid.size())},
                {"settings", settings},
                {"keys", keys},
                {"filter", HexText::fromBytes(memory.filter.data(), memory.filter.size())}}
        .dump(1);
}

void AccessPointStore::decode(std::string_view text, std::uint16_t channelMask,
                              StationConfig& config, AccessPointState& ap) {
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object())
        return;
    if (const auto ssid = root.find("ssid"); ssid != root.end() && ssid->is_string()) {
        const std::optional<std::vector<std::uint8_t>> bytes =
            HexText::parseExact(ssid->get_ref<const std::string&>());
        if (bytes && bytes->size() <= StationConfig::kMaxSsid)
            ap.ssid.assign(bytes->begin(), bytes->end());
    }
    if (const auto settings = root.find("settings"); settings != root.end())
        decodeSettings(*settings, channelMask, config);
    if (const auto keys = root.find("keys"); keys != root.end() && keys->is_array()) {
        for (std::size_t i = 0; i < std::min(keys->size(), config.keys.size()); ++i) {
            if (const auto key = bytesOf<StationConfig::kLongKey>((*keys)[i]))
                config.keys[i] = *key;
        }
    }
    if (const auto filter = root.find("filter"); filter != root.end()) {
        if (const auto table = bytesOf<WL_FILTER_TABLE_BYTES>(*filter))
            ap.filter = *table;
    }
}

std::optional<std::string> AccessPointStore::load(std::string_view instance) {
    return StateFile::read(StateFile::path("accesspoint", instance, ".json"), kFileLimit);
}

bool AccessPointStore::save(std::string_view instance, std::string_view text) {
    return StateFile::write(StateFile::path("accesspoint", instance, ".json"), text);
}

} // namespace kx::sim
