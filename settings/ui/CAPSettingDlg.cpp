#include "settings/ui/CAPSettingDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "driver/Channels.h"
#include "program/UiSeam.h"
#include "settings/AccessPointValues.h"
#include "settings/AdvancedValues.h"
#include "settings/ui/CAdvancedSettingDlg.h"
#include "settings/ui/CMACFilterDlg.h"
#include "settings/ui/CWEPKeySettingDlg.h"
#include "settings/ui/PreambleGroup.h"
#include "settings/ui/ThresholdSlider.h"
#include "ui/Widgets.h"

namespace kx {

namespace {

using AP = AccessPointValues;
using V = AdvancedValues;

const char* const kTxPowerTexts[] = {"Level 0 (Maximum Power)", "Level 1", "Level 2",
                                     "Level 3 (Minimum Power)"};
const char* const kWepTexts[] = {"Disable", "Enable"};
// Position p stands for authentication mode p + 1.
const char* const kAuthenticationTexts[] = {"Open System", "Shared Key", "Auto"};
constexpr int kWepOnPosition = 1;

QLabel* labelFor(const char* name, const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    QPushButton* b = Widgets::button(parent, name);
    b->setText(QString::fromLatin1(caption));
    return b;
}

// A line that says why the dialog shows what it shows; hidden until it applies.
QLabel* notice(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->hide();
    return label;
}

template <std::size_t N> void fill(QComboBox* list, const char* const (&texts)[N]) {
    for (const char* text : texts)
        list->addItem(QString::fromLatin1(text));
}

} // namespace

CAPSettingDlg::CAPSettingDlg(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CAPSettingDlg") {
    setWindowTitle(QStringLiteral("Access Point Setting"));
    buildLayout();
    connectControls();
    initialise();
}

CAPSettingDlg::~CAPSettingDlg() = default;

// ---- layout ------------------------------------------------------------------------

void CAPSettingDlg::buildLayout() {
    auto* box = new QVBoxLayout(this);
    box->addWidget(buildGeneralGroup());
    box->addWidget(buildRadioSettings());
    m_preamble = new PreambleGroup(
        context().settings,
        {QStringLiteral("PREAMBLE MODE:"), QStringLiteral("Long"), QStringLiteral("Short")},
        Qt::Horizontal, this);
    box->addWidget(m_preamble);
    m_dbgCmdButton = button(this, "dbgCmdButton", "DbgCmd");
    m_okButton = button(this, "okButton", "OK");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dbgCmdButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    box->addLayout(buttons);
}

QGroupBox* CAPSettingDlg::buildGeneralGroup() {
    auto* group =
        named(new QGroupBox(QStringLiteral("General Connection Setting"), this), "generalGroup");
    m_channelList = named(new QComboBox, "channelList");
    m_ssidEdit = named(new QLineEdit, "ssidEdit");
    Widgets::takeSsid(m_ssidEdit);
    m_hideSsidCheck = named(new QCheckBox(QStringLiteral("Hide SSID")), "hideSsidCheck");
    m_txPowerList = named(new QComboBox, "txPowerList");
    fill(m_txPowerList, kTxPowerTexts);
    m_changeApplyButton = button(group, "changeApplyButton", "Change");

    auto* rates = new QHBoxLayout;
    for (std::size_t i = 0; i < m_rateChecks.size(); ++i) {
        const QString text = QString::fromLatin1(AP::kBasicRates[i].text);
        m_rateChecks[i] = named(new QCheckBox(text), QStringLiteral("rate%1Check").arg(i));
        rates->addWidget(m_rateChecks[i]);
    }
    rates->addStretch();

    auto* grid = new QGridLayout(group);
    grid->addWidget(labelFor("channelLabel", "Channel", m_channelList), 0, 0);
    grid->addWidget(m_channelList, 0, 1, Qt::AlignLeft);
    grid->addWidget(named(new QLabel(QStringLiteral("Basic Rate")), "basicRateLabel"), 1, 0);
    grid->addLayout(rates, 1, 1, 1, 2);
    grid->addWidget(labelFor("ssidLabel", "SSID", m_ssidEdit), 2, 0);
    grid->addWidget(m_ssidEdit, 2, 1);
    grid->addWidget(m_hideSsidCheck, 2, 2);
    grid->addWidget(labelFor("txPowerLabel", "Tx Power", m_txPowerList), 3, 0);
    grid->addWidget(m_txPowerList, 3, 1, Qt::AlignLeft);
    grid->addWidget(m_changeApplyButton, 4, 2);
    m_ratesUnreadNotice = notice("ratesUnreadNotice", AP::basicRatesUnread());
    grid->addWidget(m_ratesUnreadNotice, 5, 0, 1, 3);
    m_ssidNotice = notice("ssidNotice", QString());
    grid->addWidget(m_ssidNotice, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* CAPSettingDlg::buildRadioSettings() {
    auto* panel = new QWidget(this);
    m_wepList = named(new QComboBox, "wepList");
    fill(m_wepList, kWepTexts);
    m_wepSettingButton = button(panel, "wepSettingButton", "Setting");
    // Two buttons read "Setting": each says what it opens.
    m_wepSettingButton->setAccessibleDescription(QStringLiteral("WEP keys"));
    m_authenticationList = named(new QComboBox, "authenticationList");
    fill(m_authenticationList, kAuthenticationTexts);
    m_fragment = new ThresholdSlider(
        QStringLiteral("fragment"), V::kFragmentMin, V::kFragmentMax, ThresholdSlider::MaximumOnly,
        [](int value) { return AP::thresholdText(value, V::kFragmentMax); });
    m_rts = new ThresholdSlider(QStringLiteral("rts"), V::kRtsMin, V::kRtsMax,
                                ThresholdSlider::MaximumOnly,
                                [](int value) { return AP::thresholdText(value, V::kRtsMax); });
    m_macFilterButton = button(panel, "macFilterButton", "Setting");
    m_macFilterButton->setAccessibleDescription(QStringLiteral("MAC address filter"));

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(labelFor("wepLabel", "WEP", m_wepList), 0, 0);
    grid->addWidget(m_wepList, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_wepSettingButton, 0, 2);
    grid->addWidget(labelFor("authenticationLabel", "Authentication Mode:", m_authenticationList),
                    1, 0);
    grid->addWidget(m_authenticationList, 1, 1, Qt::AlignLeft);
    grid->addWidget(labelFor("fragmentLabel", "Fragment", m_fragment->slider()), 2, 0,
                    Qt::AlignTop);
    grid->addWidget(m_fragment, 2, 1, 1, 2);
    grid->addWidget(labelFor("rtsLabel", "RTS/CTS", m_rts->slider()), 3, 0, Qt::AlignTop);
    grid->addWidget(m_rts, 3, 1, 1, 2);
    grid->addWidget(named(new QLabel(QStringLiteral("MAC Address Filter:")), "macFilterLabel"), 4,
                    0);
    grid->addWidget(m_macFilterButton, 4, 2);
    grid->setColumnStretch(1, 1);
    return panel;
}

void CAPSettingDlg::connectControls() {
    connect(m_changeApplyButton, &QPushButton::clicked, this, &CAPSettingDlg::onChangeApply);
    // `activated` is the user's choice only; filling a list at opening sends nothing.
    connect(m_txPowerList, &QComboBox::activated, this, &CAPSettingDlg::onTxPowerChosen);
    connect(m_wepList, &QComboBox::activated, this, &CAPSettingDlg::onWepChosen);
    connect(m_authenticationList, &QComboBox::activated, this,
            &CAPSettingDlg::onAuthenticationChosen);
    for (ThresholdSlider* row : {m_fragment, m_rts})
        connect(row, &ThresholdSlider::changed, this, &CAPSettingDlg::onSliderChanged);
    // Nothing else is read again when these close.
    connect(m_wepSettingButton, &QPushButton::clicked, this,
            [this] { runChild<CWEPKeySettingDlg>(); });
    connect(m_macFilterButton, &QPushButton::clicked, this, [this] {
        runChild<CMACFilterDlg>();
        // The filter's changes send the SSID again.
        showSsidInUse(context().settings.apSsid());
    });
    connect(m_dbgCmdButton, &QPushButton::clicked, this,
            [this] { CAdvancedSettingDlg::openOrProfessional(context(), this); });
    connect(m_okButton, &QPushButton::clicked, this, &CAPSettingDlg::accept);
}

// ---- opening -----------------------------------------------------------------------

void CAPSettingDlg::initialise() {
    WLAdapterInfo* adapter = context().adapter.record();
    readChannels();

    // A failed query leaves the boxes as they are, and says so: all clear is no answer.
    const int rates = QueryWL_BasicRate(adapter);
    m_ratesUnreadNotice->setVisible(rates < 0);
    for (std::size_t i = 0; rates >= 0 && i < m_rateChecks.size(); ++i)
        m_rateChecks[i]->setChecked((rates & AP::kBasicRates[i].bit) != 0);

    readSsid();
    m_hideSsidCheck->setChecked(QueryWLAP_HideSSIDState(adapter) == 1);

    const bool wep = QueryWL_WEPStatus(adapter) == 1;
    m_wepList->setCurrentIndex(wep ? kWepOnPosition : 0);
    m_wepSettingButton->setEnabled(wep);
    // A mode outside 1..3, a failed query included, selects nothing.
    const int authentication = QueryWL_AuthenticationMode(adapter);
    m_authenticationList->setCurrentIndex(
        authentication >= 1 && authentication <= m_authenticationList->count() ? authentication - 1
                                                                               : -1);
    m_txPowerList->setCurrentIndex(AP::txPowerLevel(QueryWLAP_TxPowerLevel(adapter)));

    // Opening hands the adapter its thresholds and preamble as shown.
    m_fragment->place(V::fragmentThreshold(QueryWLAP_FragmentationThreshold(adapter)));
    SettingResult result = sendFragmentThreshold();
    m_rts->place(V::rtsThreshold(QueryWLAP_RTS_CTS_Threshold(adapter)));
    result += sendRtsThreshold();

    m_editing = false;
    applyEditing();
    m_preamble->showAdapterMode(context().adapter.newerChip(), QueryWL_PreambleMode(adapter));
    result += m_preamble->sendAutomatic();
    reportUnsaved(result);

    m_dbgCmdButton->setEnabled(CAdvancedSettingDlg::canOpenOrProfessional(context()));
}

void CAPSettingDlg::readChannels() {
    WLAdapterInfo* adapter = context().adapter.record();
    for (const int channel : Channels::ofOperationList(QueryWL_OperationChannelList(adapter)))
        m_channelList->addItem(QString::number(channel), channel);
    // A channel the list does not offer leaves it without a selection.
    m_channelList->setCurrentIndex(m_channelList->findData(QueryWL_DesiredChannel(adapter)));
}

// The box shows the SSID that every change here sends again, which is the recorded one
// when the access point runs under another.
void CAPSettingDlg::readSsid() {
    const AdapterSettings::ApSsid ssid = context().settings.apSsid();
    m_ssidEdit->setText(ssid.resent);
    showSsidInUse(ssid);
}

void CAPSettingDlg::showSsidInUse(const AdapterSettings::ApSsid& ssid) {
    const bool other = !ssid.inUse.isEmpty() && ssid.inUse != ssid.resent;
    m_ssidNotice->setText(other ? AP::otherSsidInUse(ssid.inUse) : QString());
    m_ssidNotice->setVisible(other);
}

// ---- actions -----------------------------------------------------------------------

void CAPSettingDlg::onChangeApply() {
    if (m_editing) {
        std::array<bool, AP::kBasicRates.size()> checked{};
        for (std::size_t i = 0; i < m_rateChecks.size(); ++i)
            checked[i] = m_rateChecks[i]->isChecked();
        const int rates = AP::basicRateSet(checked);
        if (rates == 0) {
            context().ui.inform(this, windowTitle(), AP::noBasicRate());
            m_rateChecks.front()->setFocus();
            return;
        }
        reportUnsaved(applyGeneralSettings(rates));
        // The adapter now holds the rates the boxes show.
        m_ratesUnreadNotice->hide();
        showSsidInUse(context().settings.apSsid());
    }
    m_editing = !m_editing;
    applyEditing();
}

SettingResult CAPSettingDlg::applyGeneralSettings(int rates) {
    AdapterSettings& settings = context().settings;
    SettingResult result;
    // Nothing selected means nothing to send: the adapter keeps its channel.
    if (m_channelList->currentIndex() >= 0)
        result += settings.setChannel(m_channelList->currentData().toInt());
    result += settings.setBasicRates(rates);
    result += settings.setApSsidHidden(m_hideSsidCheck->isChecked());
    result += settings.setApSsid(m_ssidEdit->text());
    result += settings.resendSsid();
    return result;
}

void CAPSettingDlg::applyEditing() {
    for (QWidget* control :
         {static_cast<QWidget*>(m_channelList), static_cast<QWidget*>(m_txPowerList),
          static_cast<QWidget*>(m_ssidEdit), static_cast<QWidget*>(m_hideSsidCheck)})
        control->setEnabled(m_editing);
    for (QCheckBox* rate : m_rateChecks)
        rate->setEnabled(m_editing);
    m_changeApplyButton->setText(m_editing ? QStringLiteral("Apply") : QStringLiteral("Change"));
}

void CAPSettingDlg::onTxPowerChosen(int level) {
    reportUnsaved(context().settings.setTxPowerLevel(level));
}

void CAPSettingDlg::onWepChosen(int position) {
    const bool on = position == kWepOnPosition;
    // The adapter's default key; the access point hears its SSID again with it.
    reportUnsaved(context().settings.setWepEnabled(on));
    m_wepSettingButton->setEnabled(on);
    showSsidInUse(context().settings.apSsid());
}

void CAPSettingDlg::onAuthenticationChosen(int position) {
    reportUnsaved(context().settings.setAuthenticationMode(position + 1));
}

void CAPSettingDlg::onSliderChanged() {
    SettingResult result = sendFragmentThreshold();
    result += sendRtsThreshold();
    reportUnsaved(result);
}

SettingResult CAPSettingDlg::sendFragmentThreshold() {
    m_fragment->showValue();
    return context().settings.setApFragmentationThreshold(m_fragment->value());
}

SettingResult CAPSettingDlg::sendRtsThreshold() {
    m_rts->showValue();
    return context().settings.setApRtsThreshold(m_rts->value());
}

} // namespace kx
