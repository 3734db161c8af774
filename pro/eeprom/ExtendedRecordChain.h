#pragma once
// The extended ID-data records in the 256 bytes from the extended offset: length L,
// record ID, L-1 data bytes, ended by the record of ID 0 (03 00 00 00).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "driver/ExtendedRecordLayout.h"
#include "pro/eeprom/EepromProblem.h"
#include "pro/eeprom/EepromSettings.h"

namespace kx {

class ExtendedRecordChain final {
public:
    static constexpr int kAreaSize = ExtendedRecordLayout::kAreaSize;
    static constexpr int kLastId = 32;
    using Area = std::array<std::uint8_t, kAreaSize>;

    // Reads at most `size` bytes (beyond them, erased 0xFF). The chain stops at a
    // record that is malformed or would reach the area's last bytes, and after ID 0.
    static EepromSettings::Records decode(const std::uint8_t* bytes, std::size_t size);
    // Records 0 to 16 still absent take their defaults (record 4 has none).
    static void applyDefaults(EepromSettings::Records& records);
    // Records 1 to 32 in ascending order (11 to 15 only on USB), then the end record,
    // then 0xFF. Refused, naming the records, when they do not all fit with the end
    // record.
    static std::optional<EepromProblem> encode(const EepromSettings::Records& records, bool usb,
                                               Area& area);
    static bool usbOnly(int id) { return id >= 11 && id <= 15; }
};

} // namespace kx
