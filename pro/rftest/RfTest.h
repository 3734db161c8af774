#pragma once
// The radio test of the engineering sheet without its widgets: a continuous
// transmission with its pattern and rate, the power amplifier gain with its read-back,
// the manual RF lines, antennas, filter band, scrambler, spreading and doze, each sent
// to the adapter as the register or test-command sequence its chip needs. The page
// renders view() after every action.

#include <array>
#include <cstdint>

#include <QString>

#include "driver/DriverCodes.h"
#include "driver/kx02app.h"

namespace kx {

class RfTest final {
public:
    enum Pattern {
        NoPattern = code(TestPattern::None),
        Normal = code(TestPattern::Normal),
        Cw = code(TestPattern::Cw),
        CarrierSuppression = code(TestPattern::CarrierSuppression)
    };
    enum Band { Japan, Usa };
    // Positions in the scrambler and spreading rows.
    enum Switch { Enabled = 0, Disabled = 1 };
    enum class Answer { Done, NotSupported };
    static constexpr int kRates = 7;
    static constexpr int kChannels = 14;

    struct View final {
        bool running = false;
        bool paSpinEnabled = false;
        bool philipsSpinEnabled = false;
        bool manual = false;
        bool lineButtonsEnabled = false;
        QString power; // the transmit power read last; a blank when it failed
        QString paGain;
        QString philipsGain;
        QString paPe = QStringLiteral("PA_PE(?)");
        QString trSw = QStringLiteral("TR_SW(?)");
        // The radio rows as the adapter stands, as far as it is known (-1: not known):
        // what a set it took, or a query, last told.
        int scrambler = -1; // Switch
        int spreading = -1; // Switch
        int band = -1;      // Band
        int pattern = NoPattern;
        std::array<int, 2> antennas{-1, -1}; // radio positions by AntennaUse
        QString startText() const;
    };
    struct Opening final {
        int channelIndex = -1; // -1: the adapter reports no channel
        int rateIndex = -1;    // -1: the rate list is not offered
        bool powerControl = false;
    };

    // `changeRate`: the configuration offers the rate list.
    RfTest(WLAdapterInfo* adapter, bool newerChip, bool changeRate)
        : m_adapter(adapter), m_newer(newerChip), m_changeRate(changeRate) {}

    static QString rateName(int index);
    // The answer to what the newer chip does not offer.
    static QString notSupported();

    Opening open();
    const View& view() const { return m_view; }
    int pattern() const { return m_view.pattern; }

    // "START" / "STOP".
    void startStop();
    // A running transmission restarts with the pattern, the one it runs with included.
    void choosePattern(int pattern);
    // A running transmission stops for the change and starts again.
    void chooseRate(int index);
    void tune(int channelIndex);
    void query();
    void stepPaGain(int step);
    Answer stepPhilipsGain(int step);
    void setManual(bool on);
    void togglePaPe();
    void toggleTrSw();
    Answer setScrambler(bool on);
    Answer setSpreading(bool on);
    void setFilterBand(Band band);
    void doze();
    // Radio positions of the transmit and receive antennas (by AntennaUse), -1 for none,
    // as the firmware answers now.
    std::array<int, 2> antennas();
    // False when the firmware's power control record could not be changed.
    bool setPowerControl(bool on);

private:
    void start();
    void stop();
    void refreshGain(int step, bool philips = false);
    void refreshLines();
    // Read, change, write; a register that cannot be read is not written.
    template <typename Change> void changePhy(int reg, Change change);

    WLAdapterInfo* m_adapter;
    bool m_newer;
    bool m_changeRate;
    View m_view;
};

} // namespace kx
