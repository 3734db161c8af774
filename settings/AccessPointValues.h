#pragma once
// What the access point settings dialog makes of the adapter's answers and of its own
// boxes: the basic rate set, the transmit power level and the threshold texts.

#include <array>

#include <QString>

#include "driver/DriverLimits.h"

namespace kx {

class AccessPointValues final {
public:
    // The 802.11 limit of an SSID; the SSID box takes no more.
    static constexpr int kSsidMaxLength = kMaxSsidBytes;
    static constexpr int kTxPowerLevels = 4;

    // The basic rate boxes in their order, each with its bit of the rate set.
    struct BasicRate {
        const char* text;
        int bit;
    };
    static constexpr std::array<BasicRate, 4> kBasicRates{
        {{"1M", 1}, {"2M", 2}, {"5.5M", 4}, {"11M", 8}}};

    // The rate set of the checked boxes, in the boxes' order.
    static int basicRateSet(const std::array<bool, kBasicRates.size()>& checked);
    // "Apply" sends no empty rate set: it would leave no rate a station may use.
    static QString noBasicRate();
    static QString basicRatesUnread();
    // The access point runs under another name than the one every change sends again.
    static QString otherSsidInUse(const QString& inUse);

    // Levels 0..3; anything else, a failed query included, is level 0 (maximum power).
    static int txPowerLevel(int reported);
    // "Disable" at the slider's maximum (the function is off), the number otherwise.
    static QString thresholdText(int value, int maximum);
};

} // namespace kx
