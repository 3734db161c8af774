#include "ctl/WholeNumber.h"

#include <cmath>
#include <cstdint>

#include <QJsonValue>

namespace kx {

namespace {

std::optional<int> within(std::int64_t n, int low, int high) {
    return n >= low && n <= high ? std::optional<int>(static_cast<int>(n)) : std::nullopt;
}

} // namespace

std::optional<int> WholeNumber::of(const QString& text, int low, int high) {
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? QStringView(text).mid(1) : QStringView(text);
    if (digits.isEmpty())
        return std::nullopt;
    std::int64_t n = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
        // Past any int: no need to read on.
        if (n > std::int64_t{kHighest} + 1)
            return std::nullopt;
    }
    return within(negative ? -n : n, low, high);
}

std::optional<int> WholeNumber::of(const QJsonValue& value, int low, int high) {
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (d != std::trunc(d) || d < kLowest || d > kHighest)
        return std::nullopt;
    return within(static_cast<std::int64_t>(d), low, high);
}

} // namespace kx
