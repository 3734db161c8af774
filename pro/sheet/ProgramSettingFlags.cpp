#include "pro/sheet/ProgramSettingFlags.h"

#include <algorithm>
#include <cstdint>

namespace kx {

ProgramSettingFlags::UpdateTime ProgramSettingFlags::readUpdateTime(const QString& text) {
    QStringView field = QStringView(text).trimmed();
    const bool negative = !field.isEmpty() && field.front() == u'-';
    if (!field.isEmpty() && (negative || field.front() == u'+'))
        field = field.mid(1);
    std::int64_t value = 0;
    for (const QChar c : field) {
        if (c < u'0' || c > u'9')
            return {std::nullopt, QStringLiteral("Please enter an integer.")};
        value = std::min<std::int64_t>(value * 10 + (c.unicode() - u'0'), kMaxUpdateTimeMs + 1);
    }
    if (field.isEmpty())
        return {std::nullopt, QStringLiteral("Please enter an integer.")};
    if ((negative && value != 0) || value > kMaxUpdateTimeMs)
        return {std::nullopt, QStringLiteral("Please enter an integer between 0 and 65535.")};
    return {static_cast<int>(value), QString()};
}

} // namespace kx
