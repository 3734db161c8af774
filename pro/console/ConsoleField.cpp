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
    // No register has a negative number: the driver must never be asked for one.
    if (digits.front() == u'+')
        digits = digits.mid(1);
    std::int64_t value = 0;
    qsizetype used = 0;
    for (; used < digits.size() && digits[used] >= u'0' && digits[used] <= u'9'; ++used) {
        value = value * 10 + (digits[used].unicode() - u'0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    // The digits it starts with are the number ("12x" is 12); no digit at all is none.
    if (used == 0)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace kx
