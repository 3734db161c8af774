#include "mainwnd/AccessPointTexts.h"

#include "adapter/kx02app.h"
#include "store/MacText.h"

namespace kx {

namespace {
int orZero(int answer) {
    return answer == -1 ? 0 : answer;
}
} // namespace

QString AccessPointTexts::channelText(int channel) {
    return channel >= 1 && channel <= 14 ? QString::number(channel) : QStringLiteral("---");
}

QString AccessPointTexts::wepText(int status, int keyBits) {
    if (orZero(status) == 0)
        return QStringLiteral("Disable");
    return QStringLiteral("Enable (%1-bit)").arg(orZero(keyBits) != 0 ? 128 : 64);
}

QString AccessPointTexts::powerText(int level) {
    return QStringLiteral("Level %1").arg(orZero(level));
}

QStringList AccessPointTexts::stationRows(const std::uint8_t* list224) {
    QStringList rows;
    for (int slot = 0; slot < WL_STATION_SLOTS; ++slot) {
        const std::uint8_t* s = list224 + slot * static_cast<int>(sizeof(WLStationSlot));
        if (s[0] != 0)
            rows << MacText::format(s + 1);
    }
    return rows;
}

} // namespace kx
