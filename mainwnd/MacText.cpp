#include "mainwnd/MacText.h"

#include <QStringList>

namespace kx {

QString MacText::format(const std::uint8_t* mac6) {
    QStringList parts;
    for (int i = 0; i < 6; ++i)
        parts << QStringLiteral("%1").arg(mac6[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(u' ');
}

} // namespace kx
