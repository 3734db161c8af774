#include "pro/per/PerTestRun.h"

namespace kx {

int PerTestRun::packetType(bool unicast, bool multicast) {
    const int type = (unicast ? PerUnicast : 0) | (multicast ? PerMulticast : 0);
    return type == 0 ? PerBoth : type;
}

void PerTestRun::start(const TallyRecord& base, int expected, int packetType, int silenceSeconds) {
    m_base = base;
    m_previous = base;
    m_expected = expected;
    m_packetType = packetType;
    m_silenceTicks = std::int64_t{silenceSeconds} * kTicksPerSecond;
    m_running = true;
    m_receiving = false;
    m_silentTicks = 0;
    // A test that sees no change reports no time, not the span of the test before.
    m_firstChange = 0;
    m_lastChange = 0;
}

PerTestRun::Tick PerTestRun::tick(const std::optional<TallyRecord>& current, std::uint32_t nowMs) {
    Tick t;
    if (!m_running)
        return t;
    if (current) {
        const bool changed = PerCalculator::receiveChanged(m_previous, *current);
        m_previous = *current;
        if (changed) {
            if (!m_receiving) {
                m_receiving = true;
                m_frame = 0;
                m_firstChange = nowMs;
            }
            m_lastChange = nowMs;
            m_silentTicks = 0;
            t.receivedTime = PerCalculator::receivedTime(m_firstChange, m_lastChange);
        } else if (m_receiving && ++m_silentTicks >= m_silenceTicks) {
            t.finished = finish();
            return t;
        }
        const PerCalculator::Differences d = PerCalculator::differences(m_base, m_previous);
        t.received = QString::number(PerCalculator::receivedFrames(d, m_packetType));
    }
    if (m_receiving) {
        t.icon = kFirstIcon + m_frame;
        m_frame = (m_frame + 1) % kAnimationFrames;
    }
    return t;
}

PerFigures PerTestRun::stop(const TallyRecord& current) {
    m_previous = current;
    return finish();
}

void PerTestRun::abandon() {
    m_running = false;
    m_receiving = false;
}

PerFigures PerTestRun::finish() {
    abandon();
    return PerCalculator::figures(m_base, m_previous, m_packetType, m_expected, m_firstChange,
                                  m_lastChange);
}

} // namespace kx
