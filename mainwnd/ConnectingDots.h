#pragma once
// The growing "Connecting..." text: how many extra "..." groups the next line gets.
// It grows by one group per tick up to 18 groups, then starts again.

#include <QString>

namespace kx {

class ConnectingDots final {
public:
    static constexpr int kMaxGroups = 18;

    int groups() const { return m_groups; }
    // The extra groups for this tick; the next tick shows one more.
    QString takeSuffix();
    void reset() { m_groups = 0; }

private:
    int m_groups = 0;
};

} // namespace kx
