#include "mainwnd/AccessPointTexts.h"

#include "driver/MacText.h"
#include "driver/ObjectLayouts.h"
#include "driver/kx02app.h"

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
    for (const SlotTable::Slot& slot : SlotTable::decode({list224, WL_STATION_LIST_BYTES})) {
        if (slot.inUse)
            rows << QString::fromLatin1(MacText::format(slot.mac));
    }
    return rows;
}

} // namespace kx
