#pragma once
// The radio test controls of the engineering pages, as the firmware holds them.

#include <cstdint>

#include "driver/DriverCodes.h"

namespace kx::sim {

struct RfTestState final {
    bool emitting() const { return txContinuous != 0 && dozing == 0; }
    void startEmission(int withPattern, int withRate) {
        txContinuous = 1;
        emitPattern = withPattern;
        emitRate = withRate;
    }
    void stopEmission() {
        txContinuous = 0;
        emitPattern = code(TestPattern::None);
        emitRate = -1;
    }

    template <typename Archive> void share(Archive& a) {
        a(txContinuous, pattern, emitPattern, emitRate, sensitivityTest, recvPort, filterBand,
          txAntenna, rxAntenna, scrambler, spread, dozing, testRate, testChannel, powerControl);
    }

    int txContinuous = 0;
    int pattern = 0xFFFF; // newer chip's test command: none chosen
    // What the transmitter sends, taken when it starts: the older chip reads its
    // registers only then, so a changed rate or pattern needs a restart.
    int emitPattern = code(TestPattern::None);
    int emitRate = -1; // 0..3 (1, 2, 5.5, 11 Mbit/s), on the newer chip 0..6
    int sensitivityTest = 0;
    int recvPort = 0;
    int filterBand = 1; // 1 USA, 2 Japan
    int txAntenna = 1;  // 1, 2, 3 auto
    int rxAntenna = 3;
    int scrambler = 1;
    int spread = 1;
    int dozing = 0;
    int testRate = 3;               // newer chip's rate index
    int testChannel = 0;            // set by firmware test command 8
    std::uint16_t powerControl = 0; // data entry of the power-control record
};

} // namespace kx::sim
