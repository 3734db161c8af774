#pragma once
// Signal level and link quality as the percentages and texts the main window shows,
// mapped through the ranges configured for the adapters. A range whose maximum does
// not exceed its minimum (both are 0 when the file omits them) maps everything to 0 %.

#include <QString>

namespace kx {

struct SignalRange final {
    int min = 0;
    int max = 0;

    bool valid() const { return max > min; }
    // The value clamped into the range; unchanged when the range is not valid.
    int clamp(int value) const;
};

class SignalMapping final {
public:
    // (signal - min) x 100 / (max - min) of the clamped signal.
    static int signalPercent(int signal, SignalRange range);
    // The newer chip reports quality growing with the link; the older one reports it
    // the other way round.
    static int qualityPercent(int quality, SignalRange range, bool newerChip);
    // The clamped averaged signal in dBm: the newer chip's level is offset by 100, the
    // older one's by 105.
    static int signalDbm(int signal, SignalRange range, bool newerChip);
    // Bottom area text: "%d dBm" or "%d%%".
    static QString signalText(int signal, SignalRange range, bool showDbm, bool newerChip);
    // Survey list "Strength" column: dBm of (level - 105) on every chip, else percent.
    static QString surveyStrengthText(int signal, SignalRange range, bool showDbm);
    static QString percentText(int percent);
};

} // namespace kx
