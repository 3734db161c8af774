#include "pro/tally/TallyRecord.h"

#include "driver/ObjectLayouts.h"

namespace kx {

std::uint64_t TallyRecord::counter(int index) const {
    return TallyLayout::counter(bytes.data(), index);
}

std::optional<TallyRecord> TallyRecord::read(WLAdapterInfo* adapter) {
    TallyRecord record;
    if (GetNICAdapterTally(adapter, record.bytes.data()) == -1)
        return std::nullopt;
    return record;
}

} // namespace kx
