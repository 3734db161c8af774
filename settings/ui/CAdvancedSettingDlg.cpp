#include "settings/ui/CAdvancedSettingDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "driver/DriverCodes.h"
#include "program/UiSeam.h"
#include "settings/AdvancedSettingTexts.h"
#include "settings/AdvancedValues.h"
#include "settings/ui/PreambleGroup.h"
#include "settings/ui/ThresholdSlider.h"

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

void CAdvancedSettingDlg::openOrProfessional(AppContext& context, QWidget* parent) {
    if (!context.config.professionalMode()) {
        CAdvancedSettingDlg dialog(context, parent);
        context.ui.runModal(dialog);
    } else if (canOpenOrProfessional(context)) {
        context.professionalSheet(parent);
    }
}

bool CAdvancedSettingDlg::canOpenOrProfessional(const AppContext& context) {
    return !context.config.professionalMode() || context.professionalSheet != nullptr;
}

// ---- layout ------------------------------------------------------------------------

void CAdvancedSettingDlg::buildLayout() {
    auto* box = new QVBoxLayout(this);
    box->addWidget(buildPowerGroup());
    m_fragmentGroup = buildThresholdGroup(m_fragment, "fragment", V::kFragmentMin, V::kFragmentMax,
                                          T::AS_Fragment_Disable);
    box->addWidget(m_fragmentGroup);
    m_rtsGroup = buildThresholdGroup(m_rts, "rts", V::kRtsMin, V::kRtsMax, T::AS_RTS_CTS_Disable);
    box->addWidget(m_rtsGroup);
    m_preamble =
        new PreambleGroup(context().settings,
                          {QStringLiteral("Preamble Mode"), QStringLiteral("Long Preamble"),
                           QStringLiteral("Short Preamble")},
                          Qt::Vertical, this);
    box->addWidget(m_preamble);
}

QGroupBox* CAdvancedSettingDlg::buildPowerGroup() {
    m_powerGroup = named(new QGroupBox(this), QStringLiteral("powerSavingGroup"));
    m_powerSaveCheck = named(new QCheckBox, QStringLiteral("powerSaveCheck"));
    m_highRateCheck = named(new QCheckBox(QStringLiteral("Enable Proprietary High Rate")),
                            QStringLiteral("highRateCheck"));

    // The level is still read, sent and recorded, but the panel is never shown.
    m_levelPanel = named(new QWidget, QStringLiteral("levelPanel"));
    m_levelSlider =
        ThresholdSlider::makeSlider(QStringLiteral("levelSlider"), V::kLevelMin, V::kLevelMax, 1);
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

QGroupBox* CAdvancedSettingDlg::buildThresholdGroup(ThresholdSlider*& row, const char* name,
                                                    int minimum, int maximum,
                                                    const LangText& disableText) {
    const QString base = QString::fromLatin1(name);
    auto* group = named(new QGroupBox(this), base + QStringLiteral("Group"));
    row = new ThresholdSlider(
        base, minimum, maximum, ThresholdSlider::BothEnds,
        [this, maximum, disableText](int value) {
            return V::thresholdText(value, maximum, text(disableText));
        },
        group);
    auto* box = new QVBoxLayout(group);
    box->addWidget(row);
    return group;
}

void CAdvancedSettingDlg::connectControls() {
    for (ThresholdSlider* row : {m_fragment, m_rts})
        connect(row, &ThresholdSlider::changed, this, &CAdvancedSettingDlg::onSliderChanged);
    connect(m_powerSaveCheck, &QCheckBox::toggled, this, &CAdvancedSettingDlg::onPowerSaveToggled);
    connect(m_highRateCheck, &QCheckBox::toggled, this, &CAdvancedSettingDlg::onHighRateToggled);
}

void CAdvancedSettingDlg::applyTexts() {
    setTitleText(T::AS_Dialog_Title);
    m_fragmentGroup->setTitle(text(T::AS_Fragment_Sub_Title));
    m_rtsGroup->setTitle(text(T::AS_RTS_CTS_Sub_Title));
    m_powerGroup->setTitle(text(T::AS_Power_Saving_Mode));
    m_powerSaveCheck->setText(text(T::AS_Enable_PS_Mode));
    // A slider is announced by its frame's title.
    m_fragment->slider()->setAccessibleName(m_fragmentGroup->title());
    m_rts->slider()->setAccessibleName(m_rtsGroup->title());
}

// ---- opening -----------------------------------------------------------------------

void CAdvancedSettingDlg::initialise() {
    WLAdapterInfo* adapter = context().adapter.record();
    applyTexts();
    setQuietly(m_powerSaveCheck, V::mode(QueryWL_PSMode(adapter)) != 0);
    setQuietly(m_highRateCheck, V::mode(QueryWL_27_5Mbps(adapter)) != 0);

    place(m_levelSlider, V::level(QueryWL_PSLevel(adapter)));
    SettingResult result = sendLevel();

    m_preamble->showAdapterMode(context().adapter.newerChip(), QueryWL_PreambleMode(adapter));

    m_fragment->place(V::fragmentThreshold(QueryWL_FragmentationThreshold(adapter)));
    result += sendFragmentThreshold();
    m_rts->place(V::rtsThreshold(QueryWL_RTS_CTS_Threshold(adapter)));
    result += sendRtsThreshold();

    // Opening hands the adapter its power save and preamble modes as shown.
    result += sendPowerSave();
    result += m_preamble->sendAutomatic();
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
    m_fragment->showValue();
    return context().settings.setFragmentationThreshold(m_fragment->value());
}

SettingResult CAdvancedSettingDlg::sendRtsThreshold() {
    const int value = m_rts->value();
    m_rts->showValue();
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

void CAdvancedSettingDlg::onSliderChanged() {
    SettingResult result = sendLevel();
    result += sendFragmentThreshold();
    result += sendRtsThreshold();
    reportUnsaved(result);
}

void CAdvancedSettingDlg::onPowerSaveToggled() {
    reportUnsaved(sendPowerSave());
}

void CAdvancedSettingDlg::onHighRateToggled() {
    reportUnsaved(context().settings.set27_5Mbps(m_highRateCheck->isChecked() ? 1 : 0));
}

} // namespace kx
