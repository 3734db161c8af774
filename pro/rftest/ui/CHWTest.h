#pragma once
// The RF test page of the professional sheet: tuning, continuous transmission in three
// patterns, the test rate, the power amplifier gain, antennas, filter band, scrambler,
// spreading and doze. The radio work is RfTest's; the page shows its view after each
// action. A transmission keeps running when the user turns to another tab; the sheet
// stops it when it closes.

#include <QList>

#include "pro/page/ui/SheetPage.h"
#include "pro/rftest/RfTest.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kx {

class StepButtons;

class CHWTest final : public SheetPage {
    Q_OBJECT
public:
    explicit CHWTest(AppContext& context, QWidget* parent = nullptr);
    ~CHWTest() override;

private:
    using Radios = QList<QRadioButton*>;

    void initialise() override;
    // Each visit shows the antennas the firmware uses now.
    void activated() override;
    QWidget* buildSwitches();
    QWidget* buildTransmitter();
    void connectControls();
    void render();
    void answer(RfTest::Answer answer);
    void chooseAntenna(AntennaUse use, int index);
    void setPowerControl(bool on);

    RfTest m_rf;

    QLabel* m_scramblerLabel = nullptr;
    Radios m_scrambler;
    QLabel* m_spreadingLabel = nullptr;
    Radios m_spreading;
    Radios m_band;
    Radios m_txAntenna;
    Radios m_rxAntenna;
    QCheckBox* m_manual = nullptr;
    QPushButton* m_paPe = nullptr;
    QPushButton* m_trSw = nullptr;
    QPushButton* m_doze = nullptr;
    QLabel* m_rateLabel = nullptr;
    QComboBox* m_rate = nullptr;
    QComboBox* m_channel = nullptr;
    Radios m_pattern;
    QPushButton* m_start = nullptr;
    QLineEdit* m_paGain = nullptr;
    StepButtons* m_paStep = nullptr;
    QLineEdit* m_philipsGain = nullptr;
    StepButtons* m_philipsStep = nullptr;
    QPushButton* m_query = nullptr;
    QLineEdit* m_power = nullptr;
    QCheckBox* m_powerControl = nullptr;
};

} // namespace kx
