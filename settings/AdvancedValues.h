#pragma once
// What the advanced settings dialog makes of the adapter's answers: the fallbacks for
// answers out of range, the preamble decode and the value texts beside the sliders.

#include <QString>

#include "driver/DriverCodes.h"
#include "driver/SettingTable.h"

namespace kx {

class AdvancedValues final {
public:
    static constexpr int kLevelMin = SettingTable::info(Setting::PsLevel).low;
    static constexpr int kLevelMax = SettingTable::info(Setting::PsLevel).high;
    // A threshold at its maximum is off.
    static constexpr int kFragmentMin = SettingTable::info(Setting::FragThreshold).low;
    static constexpr int kFragmentMax = SettingTable::info(Setting::FragThreshold).high;
    static constexpr int kRtsMin = SettingTable::info(Setting::RtsThreshold).low;
    static constexpr int kRtsMax = SettingTable::info(Setting::RtsThreshold).high;
    static constexpr int kSliderStep = 128;

    // The choice of the long/short buttons; the mode sent is the choice + 1.
    enum Preamble { PreambleNone = -1, PreambleLong = 0, PreambleShort = 1 };

    // A negative mode answer counts as off.
    static int mode(int reported) { return reported < 0 ? 0 : reported; }
    static int level(int reported);
    static int fragmentThreshold(int reported);
    static int rtsThreshold(int reported);

    struct PreambleState {
        bool automatic = false;
        int choice = PreambleNone;
    };
    // The adapter's preamble mode over the current state: 3 automatic, 0 or a failed
    // query automatic keeping the choice, anything else that mode's choice.
    static PreambleState preamble(int reported, PreambleState current);
    // The mode sent for a state; with automatic off and no choice, long preamble is
    // chosen (the state is updated to show it).
    static int preambleMode(PreambleState& state);

    static QString levelText(int level);
    // "< %d >", or "< %d (%s) >" with the disable text at the slider's maximum.
    static QString thresholdText(int value, int maximum, const QString& disableText);
};

} // namespace kx
