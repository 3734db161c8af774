#include "mainwnd/SignalMapping.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kx {

namespace {

int toInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

QString dbmText(std::int64_t dbm) {
    return QString::number(toInt(dbm)) + QStringLiteral(" dBm");
}

} // namespace

int SignalRange::clamp(int value) const {
    return valid() ? std::clamp(value, min, max) : value;
}

int SignalMapping::signalPercent(int signal, SignalRange range) {
    if (!range.valid())
        return 0;
    const std::int64_t span = std::int64_t{range.max} - range.min;
    return toInt((std::int64_t{range.clamp(signal)} - range.min) * 100 / span);
}

int SignalMapping::qualityPercent(int quality, SignalRange range, bool newerChip) {
    if (!range.valid())
        return 0;
    const std::int64_t span = std::int64_t{range.max} - range.min;
    const std::int64_t q = std::int64_t{range.clamp(quality)} - range.min;
    return toInt((newerChip ? q : span - q) * 100 / span);
}

int SignalMapping::signalDbm(int signal, SignalRange range, bool newerChip) {
    return toInt(std::int64_t{range.clamp(signal)} - (newerChip ? 100 : 105));
}

QString SignalMapping::signalText(int signal, SignalRange range, bool showDbm, bool newerChip) {
    if (showDbm)
        return dbmText(signalDbm(signal, range, newerChip));
    return percentText(signalPercent(signal, range));
}

QString SignalMapping::surveyStrengthText(int signal, SignalRange range, bool showDbm) {
    if (showDbm)
        return dbmText(std::int64_t{signal} - 105);
    return percentText(signalPercent(signal, range));
}

QString SignalMapping::percentText(int percent) {
    return QString::number(percent) + u'%';
}

} // namespace kx
