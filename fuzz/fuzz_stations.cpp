// The access point's station list: any 224 bytes give one address row per slot in use.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "driver/kx02app.h"
#include "fuzz/FuzzCheck.h"
#include "mainwnd/AccessPointTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t list[WL_STATION_SLOTS * sizeof(WLStationSlot)] = {};
    static_assert(sizeof list == 224);
    std::memcpy(list, data, std::min(size, sizeof list));
    const QStringList rows = kx::AccessPointTexts::stationRows(list);
    KX_FUZZ_CHECK(rows.size() <= WL_STATION_SLOTS);
    for (const QString& row : rows)
        KX_FUZZ_CHECK(row.size() == 17);
    return 0;
}
