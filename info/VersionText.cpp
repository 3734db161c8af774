#include "info/VersionText.h"

#include <QStringList>

namespace kx {

namespace {

constexpr unsigned kCenturyBase = 2000;

struct Version {
    unsigned major;
    unsigned minor;
    unsigned month;
    unsigned dayBcd;
    unsigned year;
};

QString format(const Version& v) {
    return QString::asprintf("%X.%02X.%02u%02X.%04u", v.major, v.minor, v.month, v.dayBcd, v.year);
}

} // namespace

QString VersionText::driverVersion(int version) {
    if (version == kUnknownDriverVersion)
        return {};
    const auto v = static_cast<std::uint32_t>(version);
    return format({v >> 24, (v >> 16) & 0xFFu, (v >> 8) & 0x0Fu, v & 0xFFu,
                   kCenturyBase + ((v >> 12) & 0x0Fu)});
}

QString VersionText::firmwareVersion(const std::array<std::uint8_t, kFirmwareBytes>& bytes) {
    QString text =
        format({bytes[0], bytes[1], bytes[2] & 0x0Fu, bytes[3], kCenturyBase + (bytes[2] >> 4u)});
    if (bytes[4] != 0)
        text += QString::asprintf("-%X", static_cast<unsigned>(bytes[4]));
    return text;
}

QString VersionText::programVersion(const char* buildDate, const char* buildTime) {
    // The program's own version: 1.00, built for 28 March 2003.
    return format({1, 0, 3, 0x28, 2003}) + QStringLiteral(" - ") +
           VersionText::buildDate(buildDate) + u' ' + QString::fromLatin1(buildTime);
}

QString VersionText::buildDate(const char* compilerDate) {
    const QString text = QString::fromLatin1(compilerDate);
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return text;
    bool dayOk = false;
    const int day = parts[1].toInt(&dayOk);
    if (!dayOk)
        return text;
    return parts[0] + u' ' + QString::number(day) + u' ' + parts[2];
}

} // namespace kx
