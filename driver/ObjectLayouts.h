#pragma once
// The byte objects of the driver contract that carry more than one packed struct can
// say: each with its encoding and decoding, used by the program and the driver
// libraries alike. Multi-byte numbers are little-endian whatever the host.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/kx02app.h"

namespace kx {

using MacBytes = std::array<std::uint8_t, WL_MAC_BYTES>;

// WL_OID_AP_SSID: the access point's name.
class ApSsidBlock final {
public:
    using Bytes = std::array<std::uint8_t, sizeof(WLApSsid)>;
    // Bytes past the 32 an SSID holds are cut.
    static Bytes encode(std::string_view ssid);
    // Nothing when the length says more than 32 bytes or the block is short; the name
    // ends at an earlier NUL.
    static std::optional<std::string> decode(std::span<const std::uint8_t> block);
};

// GetNICAdapterTally and the debug tally object: 21 unsigned 64-bit counters.
class TallyLayout final {
public:
    using Counters = std::array<std::uint64_t, WL_TALLY_COUNTERS>;
    static void encode(const Counters& counters, std::uint8_t* out168);
    static std::uint64_t counter(const std::uint8_t* bytes168, int index);
};

// The station list (32 slots) and the access point's filter table (16 entries): an
// in-use byte and a MAC address each.
class SlotTable final {
public:
    struct Slot final {
        bool inUse = false;
        MacBytes mac{};
    };
    static constexpr std::size_t kSlotBytes = 1 + WL_MAC_BYTES;
    static std::vector<Slot> decode(std::span<const std::uint8_t> table);
    // As many slots as `table` holds; slots past `entries` are cleared.
    static void encode(std::span<const Slot> entries, std::span<std::uint8_t> table);
};
static_assert(SlotTable::kSlotBytes == sizeof(WLStationSlot));
static_assert(SlotTable::kSlotBytes == sizeof(WLFilterEntry));

// A site survey buffer as the driver fills it.
class SurveyLayout final {
public:
    // The records a buffer claims: 0..20, a negative count read as 0.
    static int count(const WLSurveyBuffer& buffer);
    // The SSID bytes of a record, its length read as at most 32.
    static std::string_view ssid(const WLSurveyRecord& record);
    static void setSsid(WLSurveyRecord& record, std::string_view ssid);
};

// A text field a driver fills for its caller: at most `size` - 1 bytes, then a NUL.
void putFieldText(char* field, std::size_t size, std::string_view text);

// The adapter lists as a driver fills them: CreateNICAdapterList has room for
// kShortListMax entries, CreateAllNICAdapterList for WL_ADAPTER_LIST_MAX.
class AdapterListLayout final {
public:
    static constexpr std::int32_t kShortListMax = 10;

    // How many entries a call fills: the adapters found, within the caller's room and
    // the list's own limit (`capacity`).
    static std::size_t count(std::size_t found, std::int32_t maxEntries, std::int32_t capacity);
    static void fill(WLAdapterListEntry& entry, std::string_view name, std::string_view description,
                     std::string_view instance);
};

} // namespace kx
