#pragma once
// The seeded jitter source: the same scenario and the same calls give the same answers.

#include <cstdint>

namespace kx::sim {

class SimRandom final {
public:
    explicit SimRandom(std::uint64_t seed = 1) : m_state(seed) {}

    std::uint64_t next() {
        // splitmix64: small, fast and good enough for jitter.
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [low, high].
    int between(int low, int high) {
        const auto span = static_cast<std::uint64_t>(high - low + 1);
        return low + static_cast<int>(next() % span);
    }

    template <typename Archive> void share(Archive& a) { a(m_state); }

private:
    std::uint64_t m_state;
};

} // namespace kx::sim
