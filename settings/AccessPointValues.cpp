#include "settings/AccessPointValues.h"

namespace kx {

int AccessPointValues::txPowerLevel(int reported) {
    return reported < 0 || reported >= kTxPowerLevels ? 0 : reported;
}

QString AccessPointValues::thresholdText(int value, int maximum) {
    return value == maximum ? QStringLiteral("Disable") : QString::number(value);
}

} // namespace kx
