#pragma once
// The newer chip keeps its settings at fixed offsets of its EEPROM image and takes
// changes as a series of firmware command records (FirmwareRecordId::Eeprom...), each
// of whose data entries carries one byte of a field.

#include <array>
#include <cstddef>

#include "driver/DriverCodes.h"

namespace kx {

struct NewerChipEeprom final {
    enum Offset : std::size_t {
        PciIds = 0x00,
        HardwareVersion = 0x06,
        Mac = 0x08,
        TxSetPoint = 0x10,
        TxIntegration = 0x20,
        AllowedChannels = 0x30,
        DefaultChannel = 0x32,
        Region = 0x60
    };
    // One set point (and one integration value) per channel.
    static constexpr std::size_t kSetPointBytes = 14;

    // Where a command record's entries land in the image: `count` entries from
    // `firstEntry` to the bytes from `offset`.
    struct Field final {
        FirmwareRecordId command;
        std::size_t firstEntry;
        std::size_t count;
        Offset offset;
    };
    // In the order they are sent; EepromUpdateEnd, which carries nothing, follows them.
    static constexpr std::array<Field, 8> kFields{{
        {FirmwareRecordId::EepromMacAddress, 0, 6, Mac},
        {FirmwareRecordId::EepromTxPower, 0, kSetPointBytes, TxSetPoint},
        {FirmwareRecordId::EepromTxPower, 16, kSetPointBytes, TxIntegration},
        {FirmwareRecordId::EepromHardwareVersion, 0, 2, HardwareVersion},
        {FirmwareRecordId::EepromAllowedChannels, 0, 2, AllowedChannels},
        {FirmwareRecordId::EepromDefaultChannel, 0, 2, DefaultChannel},
        {FirmwareRecordId::EepromRegion, 0, 1, Region},
        {FirmwareRecordId::EepromPciIds, 0, 4, PciIds},
    }};
    // The transmit power record holds both: set points, then integration values.
    static constexpr std::size_t kTxPowerEntries = 32;
};

} // namespace kx
