#include "settings/AccessPointValues.h"

namespace kx {

int AccessPointValues::basicRateSet(const std::array<bool, kBasicRates.size()>& checked) {
    int set = 0;
    for (std::size_t i = 0; i < kBasicRates.size(); ++i) {
        if (checked[i])
            set |= kBasicRates[i].bit;
    }
    return set;
}

QString AccessPointValues::noBasicRate() {
    return QStringLiteral("Check at least one rate under \"Basic Rate\": without one no station "
                          "can join.\nNothing was applied.");
}

QString AccessPointValues::basicRatesUnread() {
    return QStringLiteral("The basic rates could not be read from the adapter: the \"Basic "
                          "Rate\" boxes do not show them.");
}

QString AccessPointValues::otherSsidInUse(const QString& inUse) {
    return QStringLiteral("The access point uses the SSID \"%1\" now; changing WEP, the MAC "
                          "address filter or the settings above gives it the SSID shown.")
        .arg(inUse);
}

int AccessPointValues::txPowerLevel(int reported) {
    return reported < 0 || reported >= kTxPowerLevels ? 0 : reported;
}

QString AccessPointValues::thresholdText(int value, int maximum) {
    return value == maximum ? QStringLiteral("Disable") : QString::number(value);
}

} // namespace kx
