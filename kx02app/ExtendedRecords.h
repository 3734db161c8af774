#pragma once
// The chain of extended ID-data records in an EEPROM image: length L, record ID, then
// L-1 data bytes, ending with the record of ID 0 (03 00 00 00), inside the 256 bytes
// that start at the extended offset (256, or 1792 on USB).

#include <cstdint>
#include <span>
#include <vector>

#include "driver/ExtendedRecordLayout.h"

namespace kx::sim {

class ExtendedRecords final {
public:
    static constexpr int kAreaSize = ExtendedRecordLayout::kAreaSize;
    static constexpr int kImageLimit = 4096;

    // The data of record `item`, or nothing when it is absent or the chain is
    // malformed before it. Reads only inside `image`.
    static std::vector<std::uint8_t> find(std::span<const std::uint8_t> image, int offset, int item,
                                          bool* found = nullptr);
    // Appends one record at `pos`; the caller keeps it inside the area.
    static void put(std::vector<std::uint8_t>& image, int& pos, int item,
                    std::span<const std::uint8_t> data);
    static void putEnd(std::vector<std::uint8_t>& image, int& pos);
    // Record 6 as a mask (bit n-1 = channel n), or channels 1 to 14 when absent.
    static std::uint16_t channelMask(std::span<const std::uint8_t> image, int offset);
};

} // namespace kx::sim
