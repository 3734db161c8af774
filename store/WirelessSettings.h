#pragma once
// One complete set of station settings: what a profile holds, what is read from the
// adapter and what is applied to it.

#include <array>

#include <QString>

#include "store/WepKeys.h"

namespace kx {

struct WirelessSettings final {
    int channel = 6;
    int txRateControl = 15;
    QString ssid; // as shown (driver/SsidText.h)
    int networkType = 1;
    int wepStatus = 0;
    int authenticationMode = 3;
    int wepBit = 0;
    int defaultKeyId = 0;
    WepKeys::Texts keys = WepKeys::defaults();
    int powerSaveMode = 0;
    int powerSaveLevel = 0;
    int fragmentationThreshold = 2305;
    int rtsCtsThreshold = 2305;
    int preambleMode = 3;
    int mode27_5Mbps = 0;

    bool operator==(const WirelessSettings&) const = default;
};

} // namespace kx
