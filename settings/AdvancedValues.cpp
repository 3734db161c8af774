#include "settings/AdvancedValues.h"

namespace kx {

namespace {

int within(int value, int minimum, int maximum, int fallback) {
    return value < minimum || value > maximum ? fallback : value;
}

} // namespace

int AdvancedValues::level(int reported) {
    return within(reported, kLevelMin, kLevelMax, 0);
}

int AdvancedValues::fragmentThreshold(int reported) {
    return within(reported, kFragmentMin, kFragmentMax, kFragmentMax);
}

int AdvancedValues::rtsThreshold(int reported) {
    return within(reported, kRtsMin, kRtsMax, kRtsMax);
}

AdvancedValues::PreambleState AdvancedValues::preamble(int reported, PreambleState current) {
    if (PreambleMode{reported} == PreambleMode::Automatic)
        return {true, PreambleNone};
    if (reported <= 0)
        return {true, current.choice};
    return {false, reported - 1};
}

int AdvancedValues::preambleMode(PreambleState& state) {
    if (state.automatic) {
        state.choice = PreambleNone;
        return code(PreambleMode::Automatic);
    }
    if (state.choice < 0)
        state.choice = PreambleLong;
    return state.choice + 1;
}

QString AdvancedValues::levelText(int level) {
    return QStringLiteral("< Level %1 >").arg(level);
}

QString AdvancedValues::thresholdText(int value, int maximum, const QString& disableText) {
    if (value == maximum)
        return QStringLiteral("< %1 (%2) >").arg(QString::number(value), disableText);
    return QStringLiteral("< %1 >").arg(value);
}

} // namespace kx
