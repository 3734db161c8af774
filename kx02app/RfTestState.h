#pragma once
// The radio test controls of the engineering pages, as the firmware holds them.

#include <cstdint>

namespace kx::sim {

struct RfTestState final {
    static constexpr std::uint16_t kPowerControlRecord = 0xFC36;
    static constexpr std::uint16_t kPowerControlBit = 0x0100;

    int txContinuous = 0;
    int pattern = 0xFFFF; // newer chip's test command: none chosen
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
    std::uint16_t powerControl = 0; // data entry of record 0xFC36
};

} // namespace kx::sim
