#include "kx02app/Association.h"

#include <limits>

namespace kx::sim {

void Association::begin(const Target& target, std::int64_t now) {
    m_started = true;
    m_since = now;
    m_target = target;
}

std::int64_t Association::linkedFrom() const {
    if (!m_started || m_target.kind == LinkKind::Searching)
        return std::numeric_limits<std::int64_t>::max();
    return m_since + kConnectingMs;
}

bool Association::linked(std::int64_t now) const {
    return now >= linkedFrom();
}

int Association::portStatus(std::int64_t now) const {
    if (!m_started)
        return Disconnected;
    if (!linked(now))
        return Connecting;
    switch (m_target.kind) {
    case LinkKind::AdHoc:
    case LinkKind::OwnAdHoc:
        return AdHocConnected;
    case LinkKind::PseudoIbss:
        return PseudoIbssConnected;
    case LinkKind::Infrastructure:
    case LinkKind::AccessPoint:
    case LinkKind::Searching:
        break;
    }
    return Connected;
}

} // namespace kx::sim
