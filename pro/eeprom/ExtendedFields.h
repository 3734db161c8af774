#pragma once
// What the extended data editor shows and changes: byte lists, 16-bit values and the
// three code lists of the extended records.

#include <array>
#include <optional>

#include <QString>

#include "pro/eeprom/EepromCodeTable.h"
#include "pro/eeprom/EepromProblem.h"
#include "pro/eeprom/EepromSettings.h"

namespace kx {

struct ExtendedFields final {
    static ExtendedFields fromRecords(const EepromSettings::Records& records);
    // Checks every field first: on a problem nothing is changed. A list without a
    // selection keeps the code the record holds, known to the list or not. The USB
    // string descriptors are shown only and never stored.
    std::optional<EepromProblem> applyTo(EepromSettings::Records& records) const;

    QString hardwareVersion; // 1 byte
    QString allowedChannel;  // 16-bit
    QString defaultChannel;  // 16-bit
    QString serialNumber;    // 12 bytes
    QString txSetPoint;      // 14 bytes
    QString txIntegration;   // 14 bytes
    QString usbVendorId;     // 16-bit
    QString usbDeviceId;     // 16-bit
    std::array<QString, 3> usbStrings;
    // List positions by EepromCodeTable::List; -1 for no selection.
    std::array<int, 3> selection{-1, -1, -1};
};

} // namespace kx
