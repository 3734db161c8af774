#include "settings/CAdvancedSettingDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "adapter/DriverCodes.h"
#include "app/AppContext.h"
#include "settings/AdvancedSettingTexts.h"
#include "settings/AdvancedValues.h"

namespace kx {

namespace {

namespace T = AdvancedSettingTexts;
using V = AdvancedValues;

template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* fixedLabel(const char* name, const char* caption) {
    return named(new QLabel(QString::fromLatin1(caption)), QString::fromLatin1(name));
}

QSlider* slider(const QString& name, int minimum, int maximum, int step) {
    auto* s = named(new QSlider(Qt::Horizontal), name);
    s->setRange(minimum, maximum);
    s->setTickInterval(step);
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(step);
    s->setSingleStep(1);
    // Each value sent restarts the adapter: a drag sends where it ends, not every pixel.
    s->setTracking(false);
    s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QString(40, u'0')));
    return s;
}

// Positions a slider without it counting as the user's move.
void place(QSlider* s, int value) {
    const QSignalBlocker blocker(s);
    s->setValue(value);
}

} // namespace

CAdvancedSettingDlg::CAdvancedSettingDlg(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CAdvancedSettingDlg") {
    buildLayout();
    connectControls();
    initialise();
}

CAdvancedSettingDlg::~CAdvancedSettingDlg() = default;

// ---- layout ------------------------------------------------------------------------

void CAdvancedSettingDlg::buildLayout() {
    auto* box = new QVBoxLayout(this);
    box->addWidget(buildPowerGroup());
    m_fragmentGroup = buildThresholdGroup(m_fragment, "fragment", V::kFragmentMin, V::kFragmentMax);
    box->addWidget(m_fragmentGroup);
    m_rtsGroup = buildThresholdGroup(m_rts, "rts", V::kRtsMin, V::kRtsMax);
    box->addWidget(m_rtsGroup);
    box->addWidget(buildPreambleGroup());
}

QGroupBox* CAdvancedSettingDlg::buildPowerGroup() {
    m_powerGroup = named(new QGroupBox(this), QStringLiteral("powerSavingGroup"));
    m_powerSaveCheck = named(new QCheckBox, QStringLiteral("powerSaveCheck"));
    m_highRateCheck = named(new QCheckBox(QStringLiteral("Enable Proprietary High Rate")),
                            QStringLiteral("highRateCheck"));

    // The level is still read, sent and recorded, but the panel is never shown.
    m_levelPanel = named(new QWidget, QStringLiteral("levelPanel"));
    m_levelSlider = slider(QStringLiteral("levelSlider"), V::kLevelMin, V::kLevelMax, 1);
    m_levelText = named(new QLabel, QStringLiteral("levelValueLabel"));
    auto* levelGrid = new QGridLayout(m_levelPanel);
    auto* levelMin = fixedLabel("levelMinLabel", "0");
    levelMin->setBuddy(m_levelSlider);
    levelGrid->addWidget(levelMin, 0, 0);
    levelGrid->addWidget(m_levelSlider, 0, 1);
    levelGrid->addWidget(fixedLabel("levelMaxLabel", "4"), 0, 2);
    levelGrid->addWidget(fixedLabel("levelLessLabel", "Save less power"), 1, 0, 1, 2);
    levelGrid->addWidget(fixedLabel("levelMoreLabel", "Save more power"), 1, 2);
    levelGrid->addWidget(m_levelText, 2, 1);
    m_levelPanel->setVisible(false);

    auto* box = new QVBoxLayout(m_powerGroup);
    box->addWidget(m_powerSaveCheck);
    box->addWidget(m_levelPanel);
    box->addWidget(m_highRateCheck);
    return m_powerGroup;
}

QGroupBox* CAdvancedSettingDlg::buildThresholdGroup(SliderRow& row, const char* name, int minimum,
                                                    int maximum) {
    const QString base = QString::fromLatin1(name);
    auto* group = named(new QGroupBox(this), base + QStringLiteral("Group"));
    row.slider = slider(base + QStringLiteral("Slider"), minimum, maximum, V::kSliderStep);
    row.minLabel = named(new QLabel(QString::number(minimum)), base + QStringLiteral("MinLabel"));
    row.minLabel->setBuddy(row.slider);
    row.maxLabel = named(new QLabel(QString::number(maximum)), base + QStringLiteral("MaxLabel"));
    // End labels of one width in every group, so that the slider tracks line up.
    const int endWidth = row.minLabel->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    row.minLabel->setMinimumWidth(endWidth);
    row.minLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.maxLabel->setMinimumWidth(endWidth);
    row.valueLabel = named(new QLabel, base + QStringLiteral("ValueLabel"));
    row.valueLabel->setAlignment(Qt::AlignCenter);
    auto* grid = new QGridLayout(group);
    grid->addWidget(row.minLabel, 0, 0);
    grid->addWidget(row.slider, 0, 1);
    grid->addWidget(row.maxLabel, 0, 2);
    grid->addWidget(row.valueLabel, 1, 1);
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox* CAdvancedSettingDlg::buildPreambleGroup() {
    m_preambleGroup = named(new QGroupBox(QStringLiteral("Preamble Mode"), this),
                            QStringLiteral("preambleGroup"));
    m_autoPreambleCheck =
        named(new QCheckBox(QStringLiteral("Auto select")), QStringLiteral("autoPreambleCheck"));
    m_longPreamble = named(new QRadioButton(QStringLiteral("Long Preamble")),
                           QStringLiteral("longPreambleRadio"));
    m_shortPreamble = named(new QRadioButton(QStringLiteral("Short Preamble")),
                            QStringLiteral("shortPreambleRadio"));
    m_preambleChoice = new QButtonGroup(this);
    m_preambleChoice->addButton(m_longPreamble, V::PreambleLong);
    m_preambleChoice->addButton(m_shortPreamble, V::PreambleShort);
    auto* box = new QVBoxLayout(m_preambleGroup);
    box->addWidget(m_autoPreambleCheck);
    box->addWidget(m_longPreamble);
    box->addWidget(m_shortPreamble);
    return m_preambleGroup;
}

void CAdvancedSettingDlg::connectControls() {
    for (QSlider* s : {m_fragment.slider, m_rts.slider}) {
        connect(s, &QSlider::valueChanged, this, &CAdvancedSettingDlg::onSliderChanged);
        connect(s, &QSlider::sliderMoved, this, &CAdvancedSettingDlg::showThresholdTexts);
    }
    connect(m_powerSaveCheck, &QCheckBox::toggled, this, &CAdvancedSettingDlg::onPowerSaveToggled);
    connect(m_autoPreambleCheck, &QCheckBox::toggled, this,
            &CAdvancedSettingDlg::onAutoPreambleToggled);
    for (QRadioButton* choice : {m_longPreamble, m_shortPreamble}) {
        connect(choice, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                onPreambleChosen();
        });
    }
    connect(m_highRateCheck, &QCheckBox::toggled, this, &CAdvancedSettingDlg::onHighRateToggled);
}

void CAdvancedSettingDlg::applyTexts() {
    setTitleText(T::AS_Dialog_Title);
    m_fragmentGroup->setTitle(text(T::AS_Fragment_Sub_Title));
    m_rtsGroup->setTitle(text(T::AS_RTS_CTS_Sub_Title));
    m_powerGroup->setTitle(text(T::AS_Power_Saving_Mode));
    m_powerSaveCheck->setText(text(T::AS_Enable_PS_Mode));
    // A slider is announced by its frame's title.
    m_fragment.slider->setAccessibleName(m_fragmentGroup->title());
    m_rts.slider->setAccessibleName(m_rtsGroup->title());
}

// ---- opening -----------------------------------------------------------------------

void CAdvancedSettingDlg::initialise() {
    WLAdapterInfo* adapter = context().adapter.record();
    applyTexts();
    setQuietly(m_powerSaveCheck, V::mode(QueryWL_PSMode(adapter)) != 0);
    setQuietly(m_highRateCheck, V::mode(QueryWL_27_5Mbps(adapter)) != 0);

    place(m_levelSlider, V::level(QueryWL_PSLevel(adapter)));
    SettingResult result = sendLevel();

    m_preambleUsable = context().adapter.newerChip();
    m_preambleGroup->setEnabled(m_preambleUsable);
    m_autoPreambleCheck->setEnabled(m_preambleUsable);
    const V::PreambleState preamble =
        V::preamble(QueryWL_PreambleMode(adapter), {false, V::PreambleNone});
    setQuietly(m_autoPreambleCheck, preamble.automatic);
    setPreambleChoice(preamble.choice);

    place(m_fragment.slider, V::fragmentThreshold(QueryWL_FragmentationThreshold(adapter)));
    result += sendFragmentThreshold();
    place(m_rts.slider, V::rtsThreshold(QueryWL_RTS_CTS_Threshold(adapter)));
    result += sendRtsThreshold();

    // Opening hands the adapter its power save and preamble modes as shown.
    result += sendPowerSave();
    result += sendAutoPreamble();
    reportUnsaved(result);
}

// ---- sending -----------------------------------------------------------------------

SettingResult CAdvancedSettingDlg::sendLevel() {
    const auto networkType = NetworkType{QueryWL_NetworkType(context().adapter.record())};
    const int level = m_levelSlider->value();
    SettingResult result = context().settings.setPowerSaveLevel(level);
    m_levelText->setText(V::levelText(level));
    // Power-save levels mean something only in an infrastructure network.
    if (networkType != NetworkType::Infrastructure)
        m_levelPanel->setEnabled(false);
    return result;
}

SettingResult CAdvancedSettingDlg::sendFragmentThreshold() {
    const int value = m_fragment.slider->value();
    m_fragment.valueLabel->setText(
        V::thresholdText(value, V::kFragmentMax, text(T::AS_Fragment_Disable)));
    return context().settings.setFragmentationThreshold(value);
}

SettingResult CAdvancedSettingDlg::sendRtsThreshold() {
    const int value = m_rts.slider->value();
    m_rts.valueLabel->setText(V::thresholdText(value, V::kRtsMax, text(T::AS_RTS_CTS_Disable)));
    SettingResult result = context().settings.setRtsThreshold(value);
    // A threshold sent again unchanged needs no restart.
    if (value != m_lastRtsSent) {
        m_lastRtsSent = value;
        result += context().settings.restart();
    }
    return result;
}

SettingResult CAdvancedSettingDlg::sendPowerSave() {
    return context().settings.setPowerSaveMode(m_powerSaveCheck->isChecked() ? 1 : 0);
}

SettingResult CAdvancedSettingDlg::sendAutoPreamble() {
    V::PreambleState state{m_autoPreambleCheck->isChecked(), m_preambleChoice->checkedId()};
    const int mode = V::preambleMode(state);
    SettingResult result = context().settings.setPreambleMode(mode);
    // The older chip has one preamble: its choices stay out of reach.
    m_longPreamble->setEnabled(m_preambleUsable && !state.automatic);
    m_shortPreamble->setEnabled(m_preambleUsable && !state.automatic);
    setPreambleChoice(state.choice);
    return result;
}

void CAdvancedSettingDlg::onSliderChanged() {
    SettingResult result = sendLevel();
    result += sendFragmentThreshold();
    result += sendRtsThreshold();
    reportUnsaved(result);
}

// While a thumb is dragged only the texts follow it; the value is sent on release.
void CAdvancedSettingDlg::showThresholdTexts() {
    m_fragment.valueLabel->setText(V::thresholdText(m_fragment.slider->sliderPosition(),
                                                    V::kFragmentMax, text(T::AS_Fragment_Disable)));
    m_rts.valueLabel->setText(
        V::thresholdText(m_rts.slider->sliderPosition(), V::kRtsMax, text(T::AS_RTS_CTS_Disable)));
}

void CAdvancedSettingDlg::onPowerSaveToggled() {
    reportUnsaved(sendPowerSave());
}

void CAdvancedSettingDlg::onAutoPreambleToggled() {
    reportUnsaved(sendAutoPreamble());
}

void CAdvancedSettingDlg::onPreambleChosen() {
    reportUnsaved(context().settings.setPreambleMode(m_preambleChoice->checkedId() + 1));
}

void CAdvancedSettingDlg::onHighRateToggled() {
    reportUnsaved(context().settings.set27_5Mbps(m_highRateCheck->isChecked() ? 1 : 0));
}

void CAdvancedSettingDlg::setPreambleChoice(int choice) {
    if (QAbstractButton* button = m_preambleChoice->button(choice)) {
        setQuietly(button, true);
        return;
    }
    m_preambleChoice->setExclusive(false);
    m_longPreamble->setChecked(false);
    m_shortPreamble->setChecked(false);
    m_preambleChoice->setExclusive(true);
}

} // namespace kx
