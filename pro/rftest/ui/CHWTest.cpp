#include "pro/rftest/ui/CHWTest.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "adapter/AdapterState.h"
#include "context/AppContext.h"
#include "pro/rftest/ui/StepButtons.h"
#include "ui/UnsavedNotice.h"
#include "ui/Widgets.h"

namespace kx {

namespace {

struct Choice final {
    const char* name;
    const char* text;
};

QLabel* fixedLabel(const char* name, const char* text) {
    QLabel* label = Widgets::label(nullptr, name);
    label->setText(QString::fromLatin1(text));
    return label;
}

QPushButton* button(const char* name, const char* text) {
    QPushButton* b = Widgets::button(nullptr, name);
    b->setText(QString::fromLatin1(text));
    return b;
}

// A row of radio buttons, added to `box` from the left. Choosing the checked entry again
// is an operation here (it sends the setting again, or restarts the transmission), and
// an exclusive group swallows it: an assistive technology's toggle of the checked button
// would do nothing at all. So the group is not exclusive (its buttons still announce
// themselves as radio buttons), every toggle is a choice, and the page then shows the
// row as the adapter stands.
QList<QRadioButton*> radios(QWidget* owner, QBoxLayout* box,
                            std::initializer_list<Choice> choices) {
    auto* group = new QButtonGroup(owner);
    group->setExclusive(false);
    QList<QRadioButton*> out;
    for (const Choice& c : choices) {
        auto* radio = new QRadioButton(QString::fromLatin1(c.text));
        radio->setObjectName(QString::fromLatin1(c.name));
        group->addButton(radio);
        box->addWidget(radio);
        out.append(radio);
    }
    box->addStretch();
    return out;
}

// A row of the switches grid: its label, then the radio buttons. Several rows offer
// "Enable" or "ANT 1", so the buttons sit in a panel announced with the row's label.
QList<QRadioButton*> radioRow(QWidget* owner, QGridLayout* grid, QLabel* label,
                              std::initializer_list<Choice> choices) {
    const int row = grid->rowCount();
    auto* panel = new QWidget;
    panel->setObjectName(
        label->objectName().replace(QLatin1StringView("Label"), QLatin1StringView("Choices")));
    panel->setAccessibleName(label->text().chopped(1));
    auto* box = new QHBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(label, row, 0);
    grid->addWidget(panel, row, 1);
    return radios(owner, box, choices);
}

// The user's choice of a radio, by its position, checked before or not; radios the page
// sets say nothing.
template <typename F> void onChosen(QObject* receiver, const QList<QRadioButton*>& radios, F f) {
    for (int i = 0; i < radios.size(); ++i)
        QObject::connect(radios[i], &QRadioButton::toggled, receiver, [f, i] { f(i); });
}

// Position -1 checks none.
void showChoice(const QList<QRadioButton*>& radios, int index) {
    for (int i = 0; i < radios.size(); ++i)
        Widgets::setQuietly(radios[i], i == index);
}

QLineEdit* valueField(const char* name, QLabel* label) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    label->setBuddy(field);
    return field;
}

void select(QComboBox* list, int index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

} // namespace

CHWTest::CHWTest(AppContext& context, QWidget* parent)
    : SheetPage(context, parent, "CHWTest", "RF Hardware Test"),
      m_rf(context.adapter.record(), context.adapter.newerChip(),
           context.config.RF_Test_Change_Rate != 0) {
    auto* box = new QHBoxLayout(this);
    box->addWidget(buildSwitches());
    box->addWidget(buildTransmitter());
    connectControls();
}

CHWTest::~CHWTest() = default;

QWidget* CHWTest::buildSwitches() {
    auto* column = new QWidget;
    auto* grid = new QGridLayout;
    m_scramblerLabel = fixedLabel("scramblerLabel", "Scrambler:");
    m_scrambler =
        radioRow(this, grid, m_scramblerLabel,
                 {{"scramblerEnableRadio", "Enable"}, {"scramblerDisableRadio", "Disable"}});
    m_spreadingLabel = fixedLabel("spreadingLabel", "Spreading:");
    m_spreading =
        radioRow(this, grid, m_spreadingLabel,
                 {{"spreadingEnableRadio", "Enable"}, {"spreadingDisableRadio", "Disable"}});
    m_band = radioRow(this, grid, fixedLabel("filterBandLabel", "Filter Band:"),
                      {{"japanRadio", "Japan"}, {"usaRadio", "USA"}});
    m_txAntenna =
        radioRow(this, grid, fixedLabel("txAntennaLabel", "Tx Antenna:"),
                 {{"txAnt1Radio", "ANT 1"}, {"txAnt2Radio", "ANT2"}, {"txAutoRadio", "Auto"}});
    m_txAntenna.constLast()->setEnabled(false);
    m_rxAntenna =
        radioRow(this, grid, fixedLabel("rxAntennaLabel", "Rx Antenna:"),
                 {{"rxAnt1Radio", "ANT 1"}, {"rxAnt2Radio", "ANT 2"}, {"rxAutoRadio", "Auto"}});

    // Manual control of the RF switch lines is not offered here.
    m_manual = new QCheckBox(QStringLiteral("Manu Set"));
    m_manual->setObjectName(QStringLiteral("manualCheck"));
    m_paPe = button("paPeButton", "PA_PE(?)");
    m_trSw = button("trSwButton", "TR_SW(?)");
    auto* lines = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_manual, m_paPe, m_trSw}) {
        w->setEnabled(false);
        lines->addWidget(w);
    }
    lines->addStretch();

    auto* nic = new QGroupBox(QStringLiteral("NIC Control"));
    nic->setObjectName(QStringLiteral("nicControlGroup"));
    m_doze = button("dozeButton", "Doze ON");
    auto* nicBox = new QHBoxLayout(nic);
    nicBox->addWidget(m_doze);
    nicBox->addStretch();

    m_rateLabel = fixedLabel("txRateLabel", "Tx Rate:");
    m_rate = new QComboBox;
    m_rate->setObjectName(QStringLiteral("txRateList"));
    m_rateLabel->setBuddy(m_rate);
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rateLabel);
    rateRow->addWidget(m_rate);
    rateRow->addStretch();

    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(grid);
    box->addLayout(lines);
    box->addWidget(nic);
    box->addLayout(rateRow);
    box->addStretch();
    return column;
}

QWidget* CHWTest::buildTransmitter() {
    auto* column = new QWidget;

    auto* tuning = new QGroupBox(QStringLiteral("Set RF Channel"));
    tuning->setObjectName(QStringLiteral("channelGroup"));
    m_channel = new QComboBox;
    m_channel->setObjectName(QStringLiteral("channelList"));
    m_channel->setAccessibleName(tuning->title());
    auto* tuningBox = new QHBoxLayout(tuning);
    tuningBox->addWidget(m_channel);
    tuningBox->addStretch();

    auto* continuous = new QGroupBox(QStringLiteral("Continuous Tx"));
    continuous->setObjectName(QStringLiteral("continuousGroup"));
    auto* patterns = new QVBoxLayout;
    m_pattern = radios(this, patterns,
                       {{"normalRadio", "Normal continuous transmit"},
                        {"cwRadio", "CW  transmit"},
                        {"carrierSuppressionRadio", "Carrier Suppression (2M only)"}});
    m_start = button("startButton", "START");
    auto* continuousBox = new QHBoxLayout(continuous);
    continuousBox->addLayout(patterns, 1);
    continuousBox->addWidget(m_start, 0, Qt::AlignTop);

    auto* gains = new QGridLayout;
    QLabel* paLabel = fixedLabel("paGainLabel", "PA Gain Control:");
    m_paGain = valueField("paGainValue", paLabel);
    m_paStep = new StepButtons("paGainStep", QStringLiteral("PA gain"));
    gains->addWidget(paLabel, 0, 0);
    gains->addWidget(m_paGain, 0, 1);
    gains->addWidget(m_paStep, 0, 2);
    QLabel* philipsLabel = fixedLabel("philipsGainLabel", "Philips single ended PA gain:");
    m_philipsGain = valueField("philipsGainValue", philipsLabel);
    m_philipsStep = new StepButtons("philipsGainStep", QStringLiteral("Philips PA gain"));
    gains->addWidget(philipsLabel, 1, 0);
    gains->addWidget(m_philipsGain, 1, 1);
    gains->addWidget(m_philipsStep, 1, 2);
    for (QWidget* w : std::initializer_list<QWidget*>{philipsLabel, m_philipsGain, m_philipsStep})
        w->setVisible(false);
    gains->setColumnStretch(3, 1);

    auto* power = new QGroupBox(QStringLiteral("Query Tx Power (Hexdecimal)"));
    power->setObjectName(QStringLiteral("txPowerGroup"));
    m_query = button("queryButton", "Query");
    QLabel* valueLabel = fixedLabel("txPowerLabel", "Value:");
    m_power = valueField("txPowerValue", valueLabel);
    auto* powerBox = new QHBoxLayout(power);
    powerBox->addWidget(m_query);
    powerBox->addWidget(valueLabel);
    powerBox->addWidget(m_power);
    powerBox->addStretch();

    m_powerControl = new QCheckBox(QStringLiteral("PWR Ctrl during Continuous Tx"));
    m_powerControl->setObjectName(QStringLiteral("powerControlCheck"));

    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(tuning);
    box->addWidget(continuous);
    box->addLayout(gains);
    box->addWidget(power);
    box->addWidget(m_powerControl);
    box->addStretch();
    return column;
}

void CHWTest::connectControls() {
    // The row shows what the adapter took before any message says what it did not.
    onChosen(this, m_scrambler, [this](int i) {
        const RfTest::Answer a = m_rf.setScrambler(i == RfTest::Enabled);
        render();
        answer(a);
    });
    onChosen(this, m_spreading, [this](int i) {
        const RfTest::Answer a = m_rf.setSpreading(i == RfTest::Enabled);
        render();
        answer(a);
    });
    onChosen(this, m_band, [this](int i) {
        m_rf.setFilterBand(i == RfTest::Japan ? RfTest::Japan : RfTest::Usa);
        render();
    });
    onChosen(this, m_txAntenna, [this](int i) { chooseAntenna(AntennaUse::Transmit, i); });
    onChosen(this, m_rxAntenna, [this](int i) { chooseAntenna(AntennaUse::Receive, i); });
    onChosen(this, m_pattern, [this](int i) {
        m_rf.choosePattern(i);
        render();
    });
    connect(m_manual, &QCheckBox::toggled, this, [this](bool on) {
        m_rf.setManual(on);
        render();
    });
    connect(m_paPe, &QPushButton::clicked, this, [this] {
        m_rf.togglePaPe();
        render();
    });
    connect(m_trSw, &QPushButton::clicked, this, [this] {
        m_rf.toggleTrSw();
        render();
    });
    connect(m_doze, &QPushButton::clicked, this, [this] { m_rf.doze(); });
    connect(m_channel, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_rf.tune(index);
        render();
    });
    connect(m_rate, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_rf.chooseRate(index);
        render();
    });
    connect(m_start, &QPushButton::clicked, this, [this] {
        m_rf.startStop();
        render();
    });
    connect(m_paStep, &StepButtons::stepped, this, [this](int step) {
        m_rf.stepPaGain(step);
        render();
    });
    connect(m_philipsStep, &StepButtons::stepped, this, [this](int step) {
        answer(m_rf.stepPhilipsGain(step));
        render();
    });
    connect(m_query, &QPushButton::clicked, this, [this] {
        m_rf.query();
        render();
    });
    connect(m_powerControl, &QCheckBox::toggled, this, &CHWTest::setPowerControl);
}

void CHWTest::initialise() {
    const ProgramConfig& config = context().config;
    const bool scrambler = config.RF_Test_Scramber != 0;
    m_scramblerLabel->setEnabled(scrambler);
    for (QRadioButton* r : m_scrambler)
        r->setEnabled(scrambler);
    const bool spreading = config.RF_Test_Spreading != 0;
    m_spreadingLabel->setEnabled(spreading);
    for (QRadioButton* r : m_spreading)
        r->setEnabled(spreading);

    {
        const QSignalBlocker quiet(m_channel);
        for (int channel = 1; channel <= RfTest::kChannels; ++channel)
            m_channel->addItem(QString::number(channel));
    }
    const bool rates = config.RF_Test_Change_Rate != 0;
    if (rates) {
        const QSignalBlocker quiet(m_rate);
        for (int i = 0; i < RfTest::kRates; ++i)
            m_rate->addItem(RfTest::rateName(i));
    }
    m_rateLabel->setVisible(rates);
    m_rate->setVisible(rates);

    const RfTest::Opening opening = m_rf.open();
    select(m_channel, opening.channelIndex);
    select(m_rate, opening.rateIndex);
    Widgets::setQuietly(m_powerControl, opening.powerControl);
    render();
}

void CHWTest::activated() {
    m_rf.antennas();
    render();
}

void CHWTest::render() {
    const RfTest::View& view = m_rf.view();
    m_start->setText(view.startText());
    m_paStep->setEnabled(view.paSpinEnabled);
    m_philipsStep->setEnabled(view.philipsSpinEnabled);
    Widgets::setQuietly(m_manual, view.manual);
    m_paPe->setText(view.paPe);
    m_trSw->setText(view.trSw);
    m_paPe->setEnabled(view.lineButtonsEnabled);
    m_trSw->setEnabled(view.lineButtonsEnabled);
    m_power->setText(view.power);
    m_paGain->setText(view.paGain);
    m_philipsGain->setText(view.philipsGain);
    showChoice(m_scrambler, view.scrambler);
    showChoice(m_spreading, view.spreading);
    showChoice(m_band, view.band);
    showChoice(m_pattern, view.pattern);
    showChoice(m_txAntenna, view.antennas[static_cast<std::size_t>(code(AntennaUse::Transmit))]);
    showChoice(m_rxAntenna, view.antennas[static_cast<std::size_t>(code(AntennaUse::Receive))]);
}

void CHWTest::answer(RfTest::Answer answer) {
    if (answer == RfTest::Answer::NotSupported)
        tell(RfTest::notSupported());
}

void CHWTest::chooseAntenna(AntennaUse use, int index) {
    // Antenna 1, 2 or 3 (Auto) by radio position.
    UnsavedNotice::report(this, context().settings.setFirmwareAntenna(use, index + 1));
    m_rf.antennas();
    render();
}

void CHWTest::setPowerControl(bool on) {
    // The box shows what the firmware does: a change it did not take is undone.
    if (!m_rf.setPowerControl(on))
        Widgets::setQuietly(m_powerControl, !on);
    render();
}

} // namespace kx
