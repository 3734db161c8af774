#include "pro/console/ConsoleField.h"

#include <limits>

#include "driver/HexText.h"

namespace kx {

namespace {
constexpr int kMaxHexDigits = 8;
} // namespace

std::optional<std::uint32_t> ConsoleField::hex(const QString& text) {
    return HexText::number(text.trimmed().toStdString(), kMaxHexDigits);
}

std::optional<std::int32_t> ConsoleField::decimal(const QString& text) {
    const QString field = text.trimmed();
    if (field.isEmpty())
        return 0;
    QStringView digits(field);
    const bool negative = digits.front() == u'-';
    if (negative || digits.front() == u'+')
        digits = digits.mid(1);
    if (digits.isEmpty())
        return std::nullopt;
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace kx
