#include "pro/TallyRecord.h"

namespace kx {

std::uint64_t TallyRecord::counter(int index) const {
    std::uint64_t value = 0;
    for (int b = 7; b >= 0; --b)
        value = value << 8 | bytes[static_cast<std::size_t>(8 * index + b)];
    return value;
}

std::optional<TallyRecord> TallyRecord::read(WLAdapterInfo* adapter) {
    TallyRecord record;
    if (GetNICAdapterTally(adapter, record.bytes.data()) == -1)
        return std::nullopt;
    return record;
}

} // namespace kx
