#include "mainwnd/ConnectingDots.h"

namespace kx {

QString ConnectingDots::takeSuffix() {
    const QString suffix = QStringLiteral("...").repeated(m_groups);
    m_groups = m_groups >= kMaxGroups ? 0 : m_groups + 1;
    return suffix;
}

} // namespace kx
