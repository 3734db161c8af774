#include "settings/ui/CMoreSettingDlg.h"

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
#include <QVBoxLayout>

#include <cstring>

#include "context/AppContext.h"
#include "context/ProgramTray.h"
#include "driver/Channels.h"
#include "driver/DriverCodes.h"
#include "driver/SsidText.h"
#include "info/ui/CInformationDlg.h"
#include "program/LanguageChoice.h"
#include "program/MainTexts.h"
#include "program/UiSeam.h"
#include "settings/BasicSettingTexts.h"
#include "settings/StationCodes.h"
#include "settings/ui/CAdvancedSettingDlg.h"
#include "settings/ui/CWEPKeySettingDlg.h"
#include "store/SettingsStore.h"
#include "ui/Widgets.h"

namespace kx {

namespace {

namespace T = BasicSettingTexts;

// Not in the language files: the store refuses a name that would share a registry key
// with a stored profile (another letter case, a backslash), and the user must know.
constexpr LangText BS_P_Write_Profile_Failed{"BS_P_Write_Profile_Failed",
                                             "Can't write the specified profile"};

// The edit box is read as into a 200-character buffer.
constexpr int kSsidReadLimit = 200;

QLabel* buddyLabel(QLabel* label, QWidget* buddy) {
    label->setBuddy(buddy);
    return label;
}

// Radio buttons of one exclusive group can only be cleared with exclusivity lifted.
void clearGroup(QButtonGroup* group) {
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

} // namespace

CMoreSettingDlg::CMoreSettingDlg(AppContext& context, std::function<void()> applyMainLayout,
                                 QWidget* parent)
    : ChildDialog(context, parent, "CMoreSettingDlg"),
      m_applyMainLayout(std::move(applyMainLayout)) {
    buildLayout();
    connectControls();

    fillChannelList();
    applyTexts();
    m_editing = false;
    readCurrentValues();
    applyModeEnabling();
    readWepStatus();
    fillProfileList();
    applyButtonGate();
    m_languageList->setCurrentIndex(context.language.currentId() - 1);
    KxOpenAdapter(context.adapter.record());
}

CMoreSettingDlg::~CMoreSettingDlg() = default;

// ---- layout ------------------------------------------------------------------------

void CMoreSettingDlg::buildLayout() {
    auto* left = new QVBoxLayout;
    left->addWidget(buildGeneralGroup());
    left->addWidget(buildEncryptionGroup());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildProfileGroup());
    right->addWidget(buildInterfaceGroup());
    right->addWidget(buildOtherGroup());
    right->addStretch();
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left);
    columns->addLayout(right);
}

QGroupBox* CMoreSettingDlg::buildGeneralGroup() {
    m_generalGroup = named(new QGroupBox(this), "generalGroup");
    m_channelList = named(new QComboBox, "channelList");
    m_rateList = named(new QComboBox, "txRateList");
    m_ssidEdit = named(new QLineEdit, "ssidEdit");
    Widgets::takeSsid(m_ssidEdit);
    m_anyCheck = named(new QCheckBox, "anyCheck");
    m_typeList = named(new QComboBox, "networkTypeList");
    m_changeApplyButton = named(new QPushButton, "changeApplyButton");
    m_channelLabel = buddyLabel(named(new QLabel, "channelLabel"), m_channelList);
    m_rateLabel = buddyLabel(named(new QLabel, "txRateLabel"), m_rateList);
    m_ssidLabel = buddyLabel(named(new QLabel, "ssidLabel"), m_ssidEdit);
    m_typeLabel = buddyLabel(named(new QLabel, "networkTypeLabel"), m_typeList);

    auto* grid = new QGridLayout(m_generalGroup);
    grid->addWidget(m_channelLabel, 0, 0);
    grid->addWidget(m_channelList, 0, 1, 1, 2);
    grid->addWidget(m_rateLabel, 1, 0);
    grid->addWidget(m_rateList, 1, 1, 1, 2);
    grid->addWidget(m_ssidLabel, 2, 0);
    grid->addWidget(m_ssidEdit, 2, 1);
    grid->addWidget(m_anyCheck, 2, 2);
    grid->addWidget(m_typeLabel, 3, 0);
    grid->addWidget(m_typeList, 3, 1, 1, 2);
    grid->addWidget(m_changeApplyButton, 4, 2);
    grid->setColumnStretch(1, 1);
    return m_generalGroup;
}

QGroupBox* CMoreSettingDlg::buildEncryptionGroup() {
    m_encryptionGroup = named(new QGroupBox(this), "encryptionGroup");
    m_enableWepCheck = named(new QCheckBox, "enableWepCheck");
    m_wepDescription = named(new QLabel, "wepDescriptionLabel");
    m_wepDescription->setWordWrap(true);
    m_wepMoreButton = named(new QPushButton, "wepMoreButton");
    auto* box = new QVBoxLayout(m_encryptionGroup);
    box->addWidget(m_enableWepCheck);
    box->addWidget(m_wepDescription);
    box->addWidget(m_wepMoreButton, 0, Qt::AlignRight);
    return m_encryptionGroup;
}

QGroupBox* CMoreSettingDlg::buildProfileGroup() {
    m_profileGroup = named(new QGroupBox(this), "profileGroup");
    m_profileNameList = named(new QComboBox, "profileNameList");
    m_profileNameList->setEditable(true);
    // A typed name becomes a profile only by "Write current setting to profile."
    m_profileNameList->setInsertPolicy(QComboBox::NoInsert);
    // Room for a name of some length in every language, not just the label's leftover.
    m_profileNameList->setMinimumWidth(
        m_profileNameList->fontMetrics().horizontalAdvance(QString(20, u'x')));
    m_profileNameLabel = buddyLabel(named(new QLabel, "profileNameLabel"), m_profileNameList);
    m_loadProfileButton = named(new QRadioButton, "loadProfileButton");
    m_writeProfileButton = named(new QRadioButton, "writeProfileButton");
    m_loadDefaultButton = named(new QRadioButton, "loadDefaultButton");
    m_profileActions = new QButtonGroup(this);
    m_profileActions->addButton(m_loadProfileButton, LoadProfile);
    m_profileActions->addButton(m_writeProfileButton, WriteProfile);
    m_profileActions->addButton(m_loadDefaultButton, FactoryDefault);

    auto* box = new QVBoxLayout(m_profileGroup);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_profileNameLabel);
    nameRow->addWidget(m_profileNameList, 1);
    box->addLayout(nameRow);
    box->addWidget(m_loadProfileButton);
    box->addWidget(m_writeProfileButton);
    box->addWidget(m_loadDefaultButton);
    return m_profileGroup;
}

QGroupBox* CMoreSettingDlg::buildInterfaceGroup() {
    m_interfaceGroup = named(new QGroupBox(this), "interfaceGroup");
    m_languageList = named(new QComboBox, "languageList");
    m_languageLabel = buddyLabel(named(new QLabel, "languageLabel"), m_languageList);
    auto* row = new QHBoxLayout(m_interfaceGroup);
    row->addWidget(m_languageLabel);
    row->addWidget(m_languageList, 1);
    return m_interfaceGroup;
}

QGroupBox* CMoreSettingDlg::buildOtherGroup() {
    m_otherGroup = named(new QGroupBox(this), "otherGroup");
    m_otherDescription = named(new QLabel, "otherDescriptionLabel");
    m_otherDescription->setWordWrap(true);
    m_advancedButton = named(new QPushButton, "advancedButton");
    m_professionalButton = named(new QPushButton, "professionalButton");
    m_informationButton = named(new QPushButton, "informationButton");
    auto* box = new QVBoxLayout(m_otherGroup);
    box->addWidget(m_otherDescription);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_advancedButton);
    buttons->addWidget(m_professionalButton);
    buttons->addWidget(m_informationButton);
    box->addLayout(buttons);
    return m_otherGroup;
}

void CMoreSettingDlg::connectControls() {
    // `activated` is the user's choice only; refilling a list must not act.
    connect(m_typeList, &QComboBox::activated, this, &CMoreSettingDlg::applyNetworkTypeRule);
    connect(m_languageList, &QComboBox::activated, this, &CMoreSettingDlg::onLanguageChosen);
    connect(m_changeApplyButton, &QPushButton::clicked, this, &CMoreSettingDlg::onChangeApply);
    connect(m_anyCheck, &QCheckBox::toggled, this, &CMoreSettingDlg::onAnyToggled);
    connect(m_enableWepCheck, &QCheckBox::toggled, this, &CMoreSettingDlg::onEnableWepToggled);
    // The actions are commands: only the one being marked acts (clearing them afterwards
    // unmarks it again).
    connect(m_profileActions, &QButtonGroup::idToggled, this, [this](int action, bool marked) {
        if (marked)
            onProfileAction(action);
    });
    // Nothing is read again when these close.
    connect(m_wepMoreButton, &QPushButton::clicked, this,
            [this] { runChild<CWEPKeySettingDlg>(); });
    connect(m_advancedButton, &QPushButton::clicked, this,
            [this] { runChild<CAdvancedSettingDlg>(); });
    connect(m_professionalButton, &QPushButton::clicked, this,
            [this] { CAdvancedSettingDlg::openOrProfessional(context(), this); });
    connect(m_informationButton, &QPushButton::clicked, this,
            [this] { runChild<CInformationDlg>(); });
}

// ---- lists and texts ---------------------------------------------------------------

void CMoreSettingDlg::fillChannelList() {
    m_channelList->clear();
    for (const int channel : Channels::ofMask(context().adapter.channelMask))
        m_channelList->addItem(QString::number(channel), channel);
}

void CMoreSettingDlg::applyTexts() {
    const LanguageTable& lang = context().language;
    setTitleText(T::BS_Dialog_Title);
    const std::pair<QWidget*, const LangText*> labels[] = {
        {m_generalGroup, &T::BS_G_Sub_Title},
        {m_channelLabel, &T::BS_G_Channel},
        {m_rateLabel, &T::BS_G_TxRate},
        {m_ssidLabel, &T::BS_G_SSID},
        {m_anyCheck, &T::BS_G_SSID_any},
        {m_typeLabel, &T::BS_G_Network_Type},
        {m_encryptionGroup, &T::BS_E_Sub_Title},
        {m_enableWepCheck, &T::BS_E_Enable_WEP_Check_Box},
        {m_wepDescription, &T::BS_E_Description},
        {m_wepMoreButton, &T::BS_E_WEP_More},
        {m_profileGroup, &T::BS_P_Sub_Title},
        {m_profileNameLabel, &T::BS_P_Profile_Name},
        {m_loadProfileButton, &T::BS_P_Load_Profile_Button},
        {m_writeProfileButton, &T::BS_P_Write_Profile_Button},
        {m_loadDefaultButton, &T::BS_P_Load_Default_Button},
        {m_interfaceGroup, &T::BS_U_Sub_Title},
        {m_languageLabel, &T::BS_U_Language},
        {m_otherGroup, &T::BS_O_Sub_Title},
        {m_otherDescription, &T::BS_O_Description},
        {m_informationButton, &T::BS_O_Information_Button},
    };
    for (const auto& [widget, langText] : labels)
        widget->setProperty(widget->inherits("QGroupBox") ? "title" : "text", text(*langText));
    m_changeApplyButton->setText(text(m_editing ? T::BS_G_Button_Apply : T::BS_G_Button_Change));

    refillKeepingPosition(m_languageList, lang.descriptions());
    // Positions past the code tables would stand for no code: they are not offered.
    refillKeepingPosition(m_rateList,
                          lang.family(T::BS_G_TxRate_Value).mid(0, StationCodes::rateCount()));
    refillKeepingPosition(
        m_typeList, lang.family(T::BS_G_Network_Type_Value).mid(0, StationCodes::typeCount()));
    applyButtonGate();
}

void CMoreSettingDlg::applyButtonGate() {
    const bool professional = context().config.professionalMode();
    m_advancedButton->setText(text(T::BS_O_Advance_Set_Button));
    m_advancedButton->setVisible(professional);
    m_professionalButton->setText(
        text(professional ? T::BS_O_Professional_Button : T::BS_O_Advance_Set_Button));
    m_professionalButton->setEnabled(CAdvancedSettingDlg::canOpenOrProfessional(context()));
}

void CMoreSettingDlg::refillKeepingPosition(QComboBox* list, const QStringList& entries) {
    const int position = list->currentIndex();
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(position < list->count() ? position : -1);
}

void CMoreSettingDlg::fillProfileList() {
    QStringList names;
    SettingsStore& store = context().store;
    QString name;
    for (int found = store.firstProfile(name); found == 0; found = store.nextProfile(name)) {
        names.append(name);
        if (name.isEmpty())
            break;
    }
    // The list is sorted as the user reads it: letter case second.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    const QString typed = m_profileNameList->currentText();
    m_profileNameList->clear();
    m_profileNameList->addItems(names);
    m_profileNameList->setCurrentIndex(-1);
    m_profileNameList->setEditText(typed);
}

// ---- reading the adapter -----------------------------------------------------------

void CMoreSettingDlg::readCurrentValues() {
    WLAdapterInfo* adapter = context().adapter.record();
    const auto port = PortStatus{QueryWL_PortStatus(adapter)};
    const bool running = port == PortStatus::AdHoc || port == PortStatus::Joined;
    selectChannel(
        Channels::shown(running ? QueryWL_Channel(adapter) : QueryWL_DesiredChannel(adapter)));
    m_rateList->setCurrentIndex(StationCodes::ratePosition(QueryWL_TxRateControl(adapter)));
    m_typeList->setCurrentIndex(StationCodes::typePosition(QueryWL_NetworkType(adapter)));
    readSsid();
    m_changeApplyButton->setText(text(m_editing ? T::BS_G_Button_Apply : T::BS_G_Button_Change));
    if (m_editing) {
        // A profile action in edit mode may have changed "any": the SSID edit follows it.
        applyModeEnabling();
        applyNetworkTypeRule();
    }
}

void CMoreSettingDlg::selectChannel(int channel) {
    // A channel the mask does not offer leaves the list without a selection.
    m_channelList->setCurrentIndex(m_channelList->findData(channel));
}

void CMoreSettingDlg::readSsid() {
    char buffer[WL_SSID_BUFFER_MIN] = {};
    const int result = QueryWL_SSID(context().adapter.record(), buffer);
    const std::string_view bytes(buffer, strnlen(buffer, sizeof buffer));
    setQuietly(m_anyCheck, result == -1 || bytes.empty());
    m_ssidEdit->setText(QString::fromStdU16String(SsidText::shown(bytes)));
}

void CMoreSettingDlg::applyModeEnabling() {
    m_channelList->setEnabled(m_editing);
    m_rateList->setEnabled(m_editing);
    m_typeList->setEnabled(m_editing);
    m_anyCheck->setEnabled(m_editing &&
                           m_typeList->currentIndex() == StationCodes::kInfrastructurePosition);
    m_ssidEdit->setEnabled(m_editing && !m_anyCheck->isChecked());
}

// Only an infrastructure network follows an access point's channel and may join any
// SSID; the other types need both given.
void CMoreSettingDlg::applyNetworkTypeRule() {
    if (m_typeList->currentIndex() == StationCodes::kInfrastructurePosition) {
        m_channelList->setEnabled(false);
        m_anyCheck->setEnabled(true);
        return;
    }
    m_channelList->setEnabled(true);
    setQuietly(m_anyCheck, false);
    m_anyCheck->setEnabled(false);
    m_ssidEdit->setEnabled(true);
}

void CMoreSettingDlg::readWepStatus() {
    // A failed query reads as off rather than as a switched-on WEP.
    setQuietly(m_enableWepCheck, QueryWL_WEPStatus(context().adapter.record()) > 0);
    m_wepMoreButton->setEnabled(m_enableWepCheck->isChecked());
}

// ---- actions -----------------------------------------------------------------------

void CMoreSettingDlg::onChangeApply() {
    if (m_editing) {
        applySettings();
        m_editing = false;
        m_changeApplyButton->setText(text(T::BS_G_Button_Change));
        applyModeEnabling();
        return;
    }
    readCurrentValues();
    m_editing = true;
    m_changeApplyButton->setText(text(T::BS_G_Button_Apply));
    applyModeEnabling();
    applyNetworkTypeRule();
}

void CMoreSettingDlg::applySettings() {
    AdapterSettings& settings = context().settings;
    SettingResult result;
    // Nothing selected means nothing to send: the adapter keeps its value.
    if (m_channelList->currentIndex() >= 0)
        result += settings.setChannel(m_channelList->currentText().toInt());
    if (const int rate = StationCodes::rateCode(m_rateList->currentIndex()); rate >= 0)
        result += settings.setTxRate(rate);
    if (const int type = StationCodes::typeCode(m_typeList->currentIndex()); type >= 0)
        result += settings.setNetworkType(NetworkType{type});
    result += settings.setSsid(m_anyCheck->isChecked() ? QString()
                                                       : m_ssidEdit->text().left(kSsidReadLimit));
    reportUnsaved(result);
}

void CMoreSettingDlg::onAnyToggled() {
    m_ssidEdit->setEnabled(!m_anyCheck->isChecked());
}

void CMoreSettingDlg::onEnableWepToggled() {
    const bool enabled = m_enableWepCheck->isChecked();
    SettingResult result = context().settings.setWepEnabled(enabled);
    result += context().settings.restart();
    reportUnsaved(result);
    m_wepMoreButton->setEnabled(enabled);
}

void CMoreSettingDlg::onProfileAction(int action) {
    AdapterSettings& settings = context().settings;
    const QString name = m_profileNameList->currentText();
    const auto tell = [this, &name](const LangText& lead) {
        context().ui.inform(this, text(MainTexts::MP_Dialog_Title),
                            QStringLiteral("%1 \"%2\".").arg(text(lead), name));
    };
    switch (action) {
    case LoadProfile:
        if (const std::optional<SettingResult> loaded = settings.loadProfile(name);
            loaded && !loaded->refusal().isEmpty())
            context().ui.inform(this, text(MainTexts::MP_Dialog_Title),
                                QStringLiteral("The profile \"%1\" is not loaded, nothing is "
                                               "changed: %2.")
                                    .arg(name, loaded->refusal()));
        else if (loaded)
            reportUnsaved(*loaded);
        else
            tell(T::BS_P_Not_Found_Profile);
        break;
    case WriteProfile:
        // A name the store refuses (another letter case, a backslash) is no profile.
        if (!settings.saveProfile(name).recorded())
            tell(BS_P_Write_Profile_Failed);
        fillProfileList();
        break;
    case FactoryDefault:
        reportUnsaved(settings.applyFactoryDefaults());
        break;
    default:
        break;
    }
    readWepStatus();
    readCurrentValues();
    // The three buttons are commands, not choices: none stays marked.
    clearGroup(m_profileActions);
    m_profileNameList->setEditText(name);
}

void CMoreSettingDlg::onLanguageChosen(int position) {
    if (!LanguageChoice::change(context().language, position))
        return;
    applyTexts();
    Widgets::announceByLabels(this);
    if (m_applyMainLayout)
        m_applyMainLayout();
    if (ProgramTray* tray = context().tray)
        tray->applyProgramTexts();
}

} // namespace kx
