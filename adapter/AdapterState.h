#pragma once
// The current adapter: the record handed to every driver call and the values derived
// from it at selection. The program has one, in its AppContext.

#include <cstdint>

#include <QString>

#include "adapter/EepromImage.h"
#include "driver/DriverCodes.h"
#include "driver/kx02app.h"

namespace kx {

struct AdapterState final {
    static constexpr int kOlderChip = code(ChipVersion::Older);
    static constexpr int kNewerChip = code(ChipVersion::Newer);

    // As at start-up: no adapter open (handle -1), not in use.
    AdapterState() { info.handle = -1; }

    WLAdapterInfo* record() { return &info; }
    bool newerChip() const { return chipVersion == kNewerChip; }

    WLAdapterInfo info{};
    int chipVersion = kOlderChip; // detected, never the configured ChipVersion
    int busKind = BusPcmcia;
    EepromImage eeprom;
    std::uint16_t channelMask = 0x3FFF; // bit n-1 = channel n allowed
    QString registryKey;                // under HKEY_LOCAL_MACHINE
    bool accessPointMode = false;
    // Why the driver refuses every change for this user, as it said at the last refusal;
    // empty while changes are taken.
    QString readOnlyReason;
    // Why the last search for adapters could not use an adapter's registry key ("file:
    // reason", e.g. a hive nobody may write); empty when every key it tried was usable.
    QString keyProblem;
};

} // namespace kx
