#pragma once
// The extended ID-data records of an EEPROM image: in the 256 bytes from the extended
// offset, records of a length byte L, an ID and L-1 data bytes follow each other up to
// the record of ID 0 (03 00 00 00). The driver looks records up for the program
// (QueryWL_ExtEEPROM_IDData); the EEPROM editor reads and writes the whole chain.

#include <array>
#include <cstdint>

namespace kx {

struct ExtendedRecordLayout final {
    static constexpr int kAreaSize = 256;
    // A record's length byte: the ID and at least one data byte, at most 79 of them.
    static constexpr int kMinLength = 2;
    static constexpr int kMaxLength = 80;
    static constexpr std::array<std::uint8_t, 4> kEndRecord{0x03, 0x00, 0x00, 0x00};

    // The records the program and the driver read by number.
    enum Id : int {
        End = 0,
        MacAddress = 1,
        TxSetPoint = 2,
        TxIntegration = 3,
        HardwareVersion = 5,
        ChannelMask = 6, // bit n-1 = channel n
        DefaultChannel = 7,
        Region = 8
    };
};

} // namespace kx
