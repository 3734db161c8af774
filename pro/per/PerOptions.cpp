#include "pro/per/PerOptions.h"

#include <algorithm>
#include <limits>

#include "driver/DriverLimits.h"
#include "program/UserProfile.h"

namespace kx {

namespace {
const QString kExpected = QStringLiteral("PERExpectedPacketNumber");
const QString kPacketType = QStringLiteral("PERPacketType");
const QString kCheckPort = QStringLiteral("PERCheckForPortNumber");
const QString kPort = QStringLiteral("PERPortNumber");
constexpr qsizetype kFieldLimit = 40;
} // namespace

PerOptions PerOptions::load() {
    PerOptions o;
    o.expectedText = UserProfile::readString(kExpected, o.expectedText);
    o.packetType = decimalField(UserProfile::readString(kPacketType, QStringLiteral("3")));
    if (o.packetType == 0)
        o.packetType = 3;
    o.checkPort = decimalField(UserProfile::readString(kCheckPort, QStringLiteral("0"))) != 0;
    o.portText = UserProfile::readString(kPort, o.portText);
    return o;
}

void PerOptions::store() const {
    UserProfile::writeString(kExpected, expectedText);
    UserProfile::writeString(kPacketType, QString::number(packetType));
    UserProfile::writeString(kCheckPort, QString::number(checkPort ? 1 : 0));
    UserProfile::writeString(kPort, portText);
}

int PerOptions::decimalField(const QString& text) {
    const QStringView field = QStringView(text).left(kFieldLimit);
    qsizetype i = 0;
    while (i < field.size() && field[i].isSpace())
        ++i;
    const bool negative = i < field.size() && field[i] == u'-';
    if (i < field.size() && (field[i] == u'-' || field[i] == u'+'))
        ++i;
    const std::int64_t limit =
        negative ? -std::int64_t{std::numeric_limits<int>::min()} : std::numeric_limits<int>::max();
    std::int64_t magnitude = 0;
    for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i)
        magnitude = std::min<std::int64_t>(magnitude * 10 + (field[i].unicode() - u'0'), limit);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::optional<int> PerOptions::portField(const QString& text) {
    const int port = decimalField(text);
    if (port < 0 || port > kMaxPort)
        return std::nullopt;
    return port;
}

QString PerOptions::portRefused() {
    return QStringLiteral("Please enter an integer between 0 and %1.").arg(kMaxPort);
}

} // namespace kx
