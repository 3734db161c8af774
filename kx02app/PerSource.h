#pragma once
// The far end of a packet-error-rate test: a transmitter that sends one burst of
// frames at a steady rate to the adapter's test port. The engineer starts it when the
// receiving side is armed, which the driver sees as the receive port being set while
// sensitivity-test mode is on; the burst begins a fixed delay later. The frames it
// loses are spread evenly over the burst and arrive damaged (CRC-32 errors).

#include <cstdint>
#include <optional>

namespace kx::sim {

class PerSource final {
public:
    struct Setup {
        int frames = 3000;
        int lost = 30; // one in a hundred
        int framesPerSecond = 600;
        int port = 8310;
        int startAfterMs = 300;
        int frameBytes = 1028; // 1000 bytes of payload, 28 of header and checksum
    };
    // Frames that reached the adapter since the previous take().
    struct Arrivals {
        std::uint64_t good = 0;
        std::uint64_t damaged = 0;
    };

    explicit PerSource(const std::optional<Setup>& setup) : m_setup(setup) {}

    // A new burst from the beginning; without a transmitter in the world, nothing.
    void start(std::int64_t now);
    void stop() { m_startsAt.reset(); }
    Arrivals take(std::int64_t now);
    // Port 0 takes every frame; another port only the frames sent to it.
    bool heardOn(int receivePort) const;
    int frameBytes() const { return m_setup ? m_setup->frameBytes : 0; }

    // The transmitter itself comes from the scenario; where its burst stands is state.
    template <typename Archive> void share(Archive& a) { a(m_startsAt, m_sent); }

private:
    std::optional<Setup> m_setup;
    std::optional<std::int64_t> m_startsAt;
    std::int64_t m_sent = 0;
};

} // namespace kx::sim
