#pragma once
// The current adapter: the record handed to every driver call and the values derived
// from it at selection. One program-wide instance.

#include <cstdint>

#include <QString>

#include "adapter/EepromImage.h"
#include "adapter/kx02app.h"

namespace kx {

enum BusKind { BusNone = 0, BusPcmcia = 1, BusPci = 2, BusUsb = 3 };

struct AdapterState final {
    static constexpr int kOlderChip = 3101;
    static constexpr int kNewerChip = 3102;

    static AdapterState& current();
    static WLAdapterInfo* record() { return &current().info; }

    // Start-up: handle -1, in-use flag 0, reserved 0; derived values back to theirs.
    void reset();
    bool newerChip() const { return chipVersion == kNewerChip; }

    WLAdapterInfo info{};
    int chipVersion = kOlderChip;        // detected, never the configured ChipVersion
    int busKind = BusPcmcia;
    EepromImage eeprom;
    std::uint16_t channelMask = 0x3FFF;  // bit n-1 = channel n allowed
    QString registryKey;                 // under HKEY_LOCAL_MACHINE
    int accessPointMode = 0;
};

} // namespace kx
