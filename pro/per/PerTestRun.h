#pragma once
// One receive packet-error-rate test without its window: START takes the base tally,
// every 125 ms tick compares the newest tally with the one before, the test ends by
// STOP or after a silence of PERStopSilenceTime seconds once frames were arriving.
// The window shows what each call hands back.

#include <cstdint>
#include <optional>

#include <QString>

#include "pro/per/PerCalculator.h"
#include "pro/tally/TallyRecord.h"

namespace kx {

class PerTestRun final {
public:
    static constexpr int kTickMs = 125;
    static constexpr int kTicksPerSecond = 1000 / kTickMs;
    static constexpr int kFirstIcon = 180;
    static constexpr int kAnimationFrames = 8;

    struct Tick {
        std::optional<QString> receivedTime; // on a counter change
        std::optional<QString> received;     // whenever the tally was read
        int icon = -1;                       // animation icon to show; -1: none
        std::optional<PerFigures> finished;  // the silence ended the test
    };

    bool running() const { return m_running; }
    bool receiving() const { return m_receiving; }

    // Both types clear count both.
    static int packetType(bool unicast, bool multicast);

    void start(const TallyRecord& base, int expected, int packetType, int silenceSeconds);
    // `current` is the tally read this tick, nothing when the read failed.
    Tick tick(const std::optional<TallyRecord>& current, std::uint32_t nowMs);
    // STOP after the tally was read; the test ends with these figures.
    PerFigures stop(const TallyRecord& current);
    // The dialog closed during a test: it ends without figures.
    void abandon();

private:
    PerFigures finish();

    TallyRecord m_base;
    TallyRecord m_previous; // the newest record read
    int m_expected = 0;
    int m_packetType = PerBoth;
    std::int64_t m_silenceTicks = kTicksPerSecond;
    bool m_running = false;
    bool m_receiving = false;
    std::uint32_t m_firstChange = 0;
    std::uint32_t m_lastChange = 0;
    std::int64_t m_silentTicks = 0;
    int m_frame = 0;
};

} // namespace kx
