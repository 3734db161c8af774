#pragma once
// The editable content of an adapter's EEPROM: the card information structure
// (PCMCIA), the PCI subsystem IDs and the extended ID-data records.

#include <array>
#include <cstdint>

namespace kx {

struct EepromSettings final {
    static constexpr int kTuples = 32;
    static constexpr int kRecords = 33; // IDs 0 to 32
    static constexpr int kRecordData = 80;
    // A tuple chain lives in 256 bytes: code, link, then at most 253 data bytes.
    static constexpr int kTupleData = 253;
    static constexpr std::uint8_t kEndCode = 0xFF;

    struct Tuple final {
        std::uint8_t code = kEndCode;
        std::uint8_t link = 0;
        // The whole tuple is kept, so a long one is written back as it was read.
        std::array<std::uint8_t, kTupleData> data{};
        bool operator==(const Tuple&) const = default;
    };
    // Length counts the ID byte and the data bytes: a record of length L carries L-1
    // data bytes; 0 means absent.
    struct Record final {
        int length = 0;
        std::array<std::uint8_t, kRecordData> data{};
        bool operator==(const Record&) const = default;
    };
    using Tuples = std::array<Tuple, kTuples>;
    using Records = std::array<Record, kRecords>;

    Tuples tuples;
    // Subsystem device ID in bytes 0-1, subsystem vendor ID in bytes 2-3, low byte first.
    std::array<std::uint8_t, 4> pciIds{};
    Records records;

    bool operator==(const EepromSettings&) const = default;
};

} // namespace kx
