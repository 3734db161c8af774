#include "driver/ObjectLayouts.h"

#include <algorithm>
#include <cstring>

#include "driver/DriverLimits.h"

namespace kx {

namespace {

std::uint64_t readLe(const std::uint8_t* bytes, int count) {
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

void writeLe(std::uint8_t* out, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

ApSsidBlock::Bytes ApSsidBlock::encode(std::string_view ssid) {
    Bytes block{};
    const std::size_t length = std::min<std::size_t>(ssid.size(), kMaxSsidBytes);
    writeLe(block.data(), length, 4);
    std::copy_n(ssid.begin(), length, block.begin() + offsetof(WLApSsid, ssid));
    return block;
}

std::optional<std::string> ApSsidBlock::decode(std::span<const std::uint8_t> block) {
    if (block.size() < sizeof(WLApSsid))
        return std::nullopt;
    const std::uint64_t length = readLe(block.data(), 4);
    if (length > static_cast<std::uint64_t>(kMaxSsidBytes))
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(block.data() + offsetof(WLApSsid, ssid));
    return std::string(text, strnlen(text, length));
}

void TallyLayout::encode(const Counters& counters, std::uint8_t* out168) {
    for (std::size_t i = 0; i < counters.size(); ++i)
        writeLe(out168 + 8 * i, counters[i], 8);
}

std::uint64_t TallyLayout::counter(const std::uint8_t* bytes168, int index) {
    if (index < 0 || index >= WL_TALLY_COUNTERS)
        return 0;
    return readLe(bytes168 + 8 * index, 8);
}

std::vector<SlotTable::Slot> SlotTable::decode(std::span<const std::uint8_t> table) {
    std::vector<Slot> entries(table.size() / kSlotBytes);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::uint8_t* at = table.data() + i * kSlotBytes;
        entries[i].inUse = at[0] != 0;
        std::copy_n(at + 1, WL_MAC_BYTES, entries[i].mac.begin());
    }
    return entries;
}

void SlotTable::encode(std::span<const Slot> entries, std::span<std::uint8_t> table) {
    std::fill(table.begin(), table.end(), std::uint8_t{0});
    const std::size_t room = std::min(entries.size(), table.size() / kSlotBytes);
    for (std::size_t i = 0; i < room; ++i) {
        std::uint8_t* at = table.data() + i * kSlotBytes;
        at[0] = entries[i].inUse ? 1 : 0;
        std::copy(entries[i].mac.begin(), entries[i].mac.end(), at + 1);
    }
}

int SurveyLayout::count(const WLSurveyBuffer& buffer) {
    const auto n = static_cast<std::int32_t>(buffer.count);
    return std::clamp<std::int32_t>(n, 0, WL_SURVEY_MAX_RECORDS);
}

std::string_view SurveyLayout::ssid(const WLSurveyRecord& record) {
    const auto length = std::min<std::uint32_t>(record.ssidLength, kMaxSsidBytes);
    return {reinterpret_cast<const char*>(record.ssid), length};
}

void SurveyLayout::setSsid(WLSurveyRecord& record, std::string_view ssid) {
    const std::size_t length = std::min<std::size_t>(ssid.size(), kMaxSsidBytes);
    record.ssidLength = static_cast<std::uint32_t>(length);
    std::memset(record.ssid, 0, sizeof record.ssid);
    std::memcpy(record.ssid, ssid.data(), length);
}

void putFieldText(char* field, std::size_t size, std::string_view text) {
    if (size == 0)
        return;
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

std::size_t AdapterListLayout::count(std::size_t found, std::int32_t maxEntries,
                                     std::int32_t capacity) {
    const std::int32_t room = std::max(0, std::min(maxEntries, capacity));
    return std::min(found, static_cast<std::size_t>(room));
}

void AdapterListLayout::fill(WLAdapterListEntry& entry, std::string_view name,
                             std::string_view description, std::string_view instance) {
    putFieldText(entry.name, sizeof entry.name, name);
    putFieldText(entry.description, sizeof entry.description, description);
    putFieldText(entry.instance, sizeof entry.instance, instance);
}

} // namespace kx
