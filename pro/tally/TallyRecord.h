#pragma once
// The adapter's 168-byte tally record: 21 unsigned 64-bit little-endian counters. The
// tally page shows it and the PER test compares two of them.

#include <array>
#include <cstdint>
#include <optional>

#include "driver/kx02app.h"

namespace kx {

struct TallyRecord final {
    static constexpr int kCounters = WL_TALLY_COUNTERS;

    // Counter `index` (0 to 20), whatever the host's byte order.
    std::uint64_t counter(int index) const;

    // GetNICAdapterTally on `adapter`; nothing when the driver answers -1.
    static std::optional<TallyRecord> read(WLAdapterInfo* adapter);

    std::array<std::uint8_t, WL_TALLY_BYTES> bytes{};
};

} // namespace kx
