#include "mainwnd/CMainDlg.h"

#include <cstring>

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "adapter/DriverCodes.h"
#include "app/AppContext.h"
#include "app/LanguageChoice.h"
#include "app/UiSeam.h"
#include "mainwnd/AccessPointTexts.h"
#include "mainwnd/LinkStatus.h"
#include "mainwnd/MainTexts.h"
#include "mainwnd/ProductIcons.h"
#include "mainwnd/SignalMapping.h"
#include "mainwnd/StatusTexts.h"
#include "mainwnd/SurveyRecord.h"
#include "platform/TextCodec.h"
#include "settings/CMoreSettingDlg.h"
#include "settings/CWEPKeySettingDlg.h"
#include "store/SettingsStore.h"

namespace kx {

namespace {

constexpr int kStatusIconSize = 32;
constexpr int kSsidColumnWidth = 105;
constexpr int kStrengthColumnWidth = 64;
constexpr int kStationColumnWidth = 169;
constexpr int kDefaultTickMs = 1000;
// Rows of the current network layout.
enum { ChannelRow = 0, TypeRow = 1, SsidRow = 2, RateRow = 3, WepRow = 4 };

const QString kNoValue = QStringLiteral("---");
const QString kZeroConfigNotice =
    QStringLiteral("*** Wireless LAN is controlled by Windows Zero Configuration ***");

// Title, five row labels (null: an empty row) and the button of each layout.
struct InfoLayoutTexts {
    const LangText& title;
    std::array<const LangText*, 5> rows;
    const LangText& button;
};

const InfoLayoutTexts kInfoLayouts[] = {
    {MainTexts::MP_STA_Curr_Net_Info_Title,
     {&MainTexts::MP_STA_Curr_Net_Info_Channel, &MainTexts::MP_STA_Curr_Net_Info_Type,
      &MainTexts::MP_STA_Curr_Net_Info_SSID, &MainTexts::MP_STA_Curr_Net_Info_TxRate,
      &MainTexts::MP_STA_Curr_Net_Info_WEP},
     MainTexts::MP_STA_Curr_Net_Info_More_Set},
    {MainTexts::MP_STA_Select_Net_Info_Title,
     {&MainTexts::MP_STA_Select_Net_Info_Channel, &MainTexts::MP_STA_Curr_Net_Info_Type,
      &MainTexts::MP_STA_Select_Net_Info_WEP, &MainTexts::MP_STA_Select_Net_Info_BSSID, nullptr},
     MainTexts::MP_STA_Select_Net_Info_Connect},
    {MainTexts::MP_AP_Curr_Net_Setting_Title,
     {&MainTexts::MP_AP_Curr_Net_Setting_Channel, &MainTexts::MP_AP_Curr_Net_Setting_SSID,
      &MainTexts::MP_AP_Curr_Net_Setting_WEP, &MainTexts::MP_AP_Curr_Net_Setting_Tx_Power, nullptr},
     MainTexts::MP_AP_Curr_Net_Setting_More_Set},
};

// Single-byte text the driver wrote into a buffer, up to its NUL.
template <std::size_t N> QString widened(const char (&buffer)[N]) {
    return QString::fromStdU16String(
        TextCodec::widen(std::string_view(buffer, strnlen(buffer, N))));
}

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1StringView(name));
    return label;
}

// A value field: its value is its text, selectable for copying.
QLabel* makeValue(QWidget* parent, const char* name, QLabel* label) {
    QLabel* value = makeLabel(parent, name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(120);
    label->setBuddy(value);
    return value;
}

QPushButton* makeButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1StringView(name));
    // Enter must not press anything in this window.
    button->setAutoDefault(false);
    return button;
}

QProgressBar* makeBar(QWidget* parent, const char* name, QLabel* label) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1StringView(name));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFixedHeight(14);
    label->setBuddy(bar);
    return bar;
}

} // namespace

CMainDlg::CMainDlg(AppContext& context)
    : QDialog(nullptr), m_ctx(context),
      m_selector(*this, m_adapters, context.adapter, context.config) {
    setObjectName(QStringLiteral("mainDialog"));
    setWindowIcon(ProductIcons::application());
    buildUi();
    connect(&m_timer, &QTimer::timeout, this, &CMainDlg::statusTick);
}

CMainDlg::~CMainDlg() {
    m_timer.stop();
    // Wireless configuration goes back to the system service.
    SetWL_DisableWirelessZeroConfiguration(record(), 0);
}

const LanguageTable& CMainDlg::lang() const {
    return m_ctx.language;
}
QString CMainDlg::txt(const LangText& t) const {
    return m_ctx.language.text(t);
}
const ProgramConfig& CMainDlg::config() const {
    return m_ctx.config;
}
WLAdapterInfo* CMainDlg::record() const {
    return m_ctx.adapter.record();
}

// ---- building -------------------------------------------------------------------------

void CMainDlg::buildUi() {
    auto* top = new QVBoxLayout(this);
    top->setSpacing(10);
    top->addWidget(buildAdapterRow());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(12);
    middle->addWidget(buildListColumn());
    middle->addWidget(buildInfoGroup(), 1);
    top->addLayout(middle);
    top->addWidget(buildBottomArea());
    // Grows with longer translations, but a long status line never resizes the window.
    top->setSizeConstraint(QLayout::SetMinimumSize);
}

QWidget* CMainDlg::buildAdapterRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_adapterLabel = makeLabel(row, "adapterLabel");
    m_adapterList = new QComboBox(row);
    m_adapterList->setObjectName(QStringLiteral("adapterList"));
    // Room for a whole adapter description.
    m_adapterList->setMinimumContentsLength(38);
    m_adapterList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_adapterLabel->setBuddy(m_adapterList);
    m_modeLabel = makeLabel(row, "modeLabel");
    m_modeButton = makeButton(row, "modeButton");
    m_modeLabel->setBuddy(m_modeButton);
    layout->addWidget(m_adapterLabel);
    layout->addWidget(m_adapterList, 1);
    layout->addSpacing(8);
    layout->addWidget(m_modeLabel);
    layout->addWidget(m_modeButton);
    connect(m_adapterList, &QComboBox::activated, this, &CMainDlg::onAdapterActivated);
    connect(m_modeButton, &QPushButton::clicked, this, &CMainDlg::onModeButton);
    return row;
}

QWidget* CMainDlg::buildListColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_listLabel = makeLabel(column, "networkListLabel");
    m_list = new QTreeWidget(column);
    m_list->setObjectName(QStringLiteral("networkList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSortingEnabled(false);
    m_list->header()->setStretchLastSection(false);
    m_list->setFixedWidth(kStationColumnWidth + 2 * m_list->frameWidth() + 4);
    m_list->setMinimumHeight(150);
    m_listLabel->setBuddy(m_list);
    m_listButton = makeButton(column, "listButton");
    layout->addWidget(m_listLabel);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_listButton);
    connect(m_listButton, &QPushButton::clicked, this, &CMainDlg::onListButton);
    connect(m_list, &QTreeWidget::itemClicked, this, &CMainDlg::onListClicked);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CMainDlg::onListDoubleClicked);
    return column;
}

QWidget* CMainDlg::buildInfoGroup() {
    m_infoGroup = new QGroupBox(this);
    m_infoGroup->setObjectName(QStringLiteral("infoGroup"));
    auto* grid = new QGridLayout(m_infoGroup);
    grid->setHorizontalSpacing(10);
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        InfoRow& row = m_rows[static_cast<std::size_t>(i)];
        const QByteArray n = QByteArray::number(i + 1);
        row.label = makeLabel(m_infoGroup, QByteArray("infoLabel" + n).constData());
        row.value = makeValue(m_infoGroup, QByteArray("infoValue" + n).constData(), row.label);
        grid->addWidget(row.label, i, 0);
        grid->addWidget(row.value, i, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(static_cast<int>(m_rows.size()), 1);
    m_groupButton = makeButton(m_infoGroup, "groupButton");
    grid->addWidget(m_groupButton, static_cast<int>(m_rows.size()) + 1, 0, 1, 2, Qt::AlignRight);
    connect(m_groupButton, &QPushButton::clicked, this, &CMainDlg::onGroupButton);
    return m_infoGroup;
}

QWidget* CMainDlg::buildBottomArea() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    m_linkStatusLabel = makeLabel(area, "linkStatusLabel");
    m_linkStatusText = makeValue(area, "linkStatusText", m_linkStatusLabel);
    m_linkStatusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_signalLabel = makeLabel(area, "signalLabel");
    m_signalBar = makeBar(area, "signalBar", m_signalLabel);
    m_signalText = makeLabel(area, "signalText");
    m_qualityLabel = makeLabel(area, "qualityLabel");
    m_qualityBar = makeBar(area, "qualityBar", m_qualityLabel);
    m_qualityText = makeLabel(area, "qualityText");
    m_txLabel = makeLabel(area, "txFrameLabel");
    m_txValue = makeValue(area, "txFrameValue", m_txLabel);
    m_rxLabel = makeLabel(area, "rxFrameLabel");
    m_rxValue = makeValue(area, "rxFrameValue", m_rxLabel);
    m_statusIcon = makeLabel(area, "statusIcon");
    m_statusIcon->setFixedSize(kStatusIconSize, kStatusIconSize);
    // Drawn once: the tick only swaps them.
    for (int f = 0; f < ProductIcons::kStatusFrames; ++f)
        m_statusFrames[static_cast<std::size_t>(f)] =
            ProductIcons::statusFrame(f).pixmap(kStatusIconSize);
    m_statusIcon->setPixmap(m_statusFrames[0]);
    m_notice = makeLabel(area, "zeroConfigNotice");
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setStyleSheet(QStringLiteral("color: #b42318; font-weight: bold;"));
    m_notice->hide();

    grid->addWidget(m_linkStatusLabel, 0, 0);
    grid->addWidget(m_linkStatusText, 0, 1, 1, 3);
    grid->addWidget(m_statusIcon, 0, 4, 2, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_signalLabel, 1, 0);
    grid->addWidget(m_signalBar, 1, 1, 1, 2);
    grid->addWidget(m_signalText, 1, 3);
    grid->addWidget(m_qualityLabel, 2, 0);
    grid->addWidget(m_qualityBar, 2, 1, 1, 2);
    grid->addWidget(m_qualityText, 2, 3);
    auto* frames = new QHBoxLayout;
    frames->setSpacing(8);
    frames->addWidget(m_txLabel);
    frames->addWidget(m_txValue, 1);
    frames->addSpacing(16);
    frames->addWidget(m_rxLabel);
    frames->addWidget(m_rxValue, 1);
    grid->addLayout(frames, 3, 0, 1, 5);
    grid->addWidget(m_notice, 4, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(3, 70);
    return area;
}

// ---- lifecycle ------------------------------------------------------------------------

void CMainDlg::initialise() {
    setWindowIcon(ProductIcons::application());
    setWindowTitle(config().Program_Main_Page_Title);
    m_state = State{};
    m_dots.reset();
    m_ctx.adapter.accessPointMode = false;
    m_history.clear();
    for (QProgressBar* bar : {m_signalBar, m_qualityBar}) {
        bar->setRange(0, 100);
        bar->setValue(0);
    }
    m_selector.discover();
    startStatusTimer();
    hide();
    applyLayout();
}

void CMainDlg::startStatusTimer() {
    // A period of 0 would poll the driver without pause.
    const int period = config().Main_Page_Update_Time_ms;
    m_timer.start(period > 0 ? period : kDefaultTickMs);
}

void CMainDlg::stopStatusTimer() {
    m_timer.stop();
}

bool CMainDlg::accessPointMode() const {
    return m_ctx.adapter.accessPointMode;
}

// ---- the status tick ------------------------------------------------------------------

void CMainDlg::statusTick() {
    if (m_startHidden == 1)
        hide();
    if (m_state.adapterOpen == 0) {
        hide();
        if (m_ctx.tray)
            m_ctx.tray->remove();
        m_selector.discover();
        if (record()->handle == -1)
            return;
        restartAfterDiscovery();
    }
    if (record()->inUse == 0) {
        m_state.adapterOpen = 0;
        return;
    }
    if (KxOpenAdapter(record()) == 0)
        return;
    checkZeroConfiguration();
    advanceStatusIcon();
    if (accessPointMode())
        accessPointTick();
    else
        stationTick();
}

void CMainDlg::restartAfterDiscovery() {
    m_state.scanning = 0;
    m_state.scanCountdown = 0;
    m_state.selectedView = 0;
    m_state.iconFrame = 0;
    m_dots.reset();
    m_state.zeroConfig = -1;
    setListState(true);
    recreateTrayIcon();
}

void CMainDlg::recreateTrayIcon() {
    if (m_ctx.tray)
        m_ctx.tray->createWithProgramTexts();
}

void CMainDlg::advanceStatusIcon() {
    m_statusIcon->setPixmap(m_statusFrames[static_cast<std::size_t>(m_state.iconFrame)]);
    m_state.iconFrame = (m_state.iconFrame + 1) % ProductIcons::kStatusFrames;
}

void CMainDlg::accessPointTick() {
    std::uint32_t counters[2] = {0, 0};
    if (GetTxRxFrameCount(record(), counters) != -1) {
        m_txValue->setText(QString::number(counters[0]));
        m_rxValue->setText(QString::number(counters[1]));
    }
    // The firmware's counters settle only after repeated reads.
    for (int i = 0; i < 8; ++i) {
        std::uint32_t discarded[2] = {0, 0};
        GetTxRxFrameCount(record(), discarded);
    }
    if (++m_state.stationListTicks >= kStationListTicks) {
        refreshStationList();
        m_state.stationListTicks = 0;
    }
    showAccessPointSettings();
}

void CMainDlg::stationTick() {
    if (m_state.scanning) {
        if (m_state.scanCountdown > 0) {
            --m_state.scanCountdown;
        } else {
            fetchScanResults();
            m_state.scanning = 0;
            showInformationGroup(CurrentNetworkLayout);
            showLinkStatusInfo();
            m_state.selectedView = 0;
        }
    }
    if (m_state.selectedView) {
        if (m_state.selectedViewCountdown > 0) {
            --m_state.selectedViewCountdown;
        } else {
            showInformationGroup(CurrentNetworkLayout);
            m_state.selectedView = 0;
        }
    } else {
        showCurrentStatusValue();
    }
    showLinkStatusInfo();
}

// ---- station display ------------------------------------------------------------------

void CMainDlg::showCurrentStatusValue() {
    const LanguageTable& table = lang();
    const int channel = QueryWL_Channel(record());
    if (channel != -1)
        m_rows[ChannelRow].value->setText(channel > 0 ? QString::number(channel) : kNoValue);
    const int type = QueryWL_NetworkType(record());
    if (type != -1)
        m_rows[TypeRow].value->setText(StatusTexts::networkTypeText(table, type));
    const bool current = config().Show_Current_Tx_Data_Rate != 0;
    const int rate = current ? QueryWL_CurrentTxRate(record()) : QueryWL_TxRateControl(record());
    if (rate != -1) {
        QString text = StatusTexts::rateText(table, rate);
        if (current)
            text += QStringLiteral(" - ") + txt(MainTexts::MP_STA_Curr_Net_Tx_Rate_Curr);
        m_rows[RateRow].value->setText(text);
    }
    const int wep = QueryWL_WEPStatus(record());
    if (wep != -1)
        m_rows[WepRow].value->setText(StatusTexts::wepText(table, wep));
}

std::optional<QString> CMainDlg::queryBssid() const {
    char buffer[WL_BSSID_TEXT_BUFFER_MIN] = {};
    if (QueryWL_BSSID(record(), buffer) == -1)
        return std::nullopt;
    return widened(buffer);
}

void CMainDlg::showLinkStatusInfo() {
    if (m_state.scanning)
        return;
    const bool showBssid = config().Show_BSSID != 0;
    const int port = QueryWL_PortStatus(record());
    const int type = LinkStatus::needsNetworkType(port) ? QueryWL_NetworkType(record()) : -1;
    const std::optional<QString> bssid =
        LinkStatus::needsBssid(port, showBssid) ? queryBssid() : std::nullopt;
    const LinkStatus link = LinkStatus::build(lang(), port, type, showBssid, bssid, m_dots);
    m_linkStatusText->setText(link.text);
    if (!m_state.selectedView)
        showSsidRow(link.connected);

    bool hideSignal = link.hideSignal;
    if (hideSignal) {
        m_history.clear();
    } else {
        std::int32_t quality = 0, signal = 0, packets = 0;
        if (QueryWL_CQSLCurrBSS(record(), &quality, &signal, &packets) != 0)
            hideSignal = true;
        else
            showSignal(quality, signal, packets);
    }
    setSignalRowsVisible(!hideSignal);
    showFrameCounts(link.connected);
}

void CMainDlg::showSsidRow(bool connected) {
    char buffer[WL_SSID_BUFFER_MIN] = {};
    const int result =
        connected ? QueryWL_CurrentSSID(record(), buffer) : QueryWL_SSID(record(), buffer);
    // A failed query is no network name, so it does not read as "any network" either.
    QString text = kNoValue;
    if (result != -1) {
        text = widened(buffer);
        if (text.isEmpty())
            text = txt(MainTexts::MP_STA_SSID_any);
    }
    m_rows[SsidRow].value->setText(text);
}

void CMainDlg::showSignal(int qualitySum, int signal, int packets) {
    const ProgramConfig& cfg = config();
    const bool newer = m_ctx.adapter.newerChip();
    m_history.add(qualitySum, signal, packets);
    const SignalHistory::Average avg = m_history.average();
    const SignalRange signalRange{cfg.Signal_Strength_Min, cfg.Signal_Strength_Max};
    m_signalBar->setValue(SignalMapping::signalPercent(avg.signal, signalRange));
    m_signalText->setText(
        SignalMapping::signalText(avg.signal, signalRange, cfg.Show_dBm != 0, newer));
    const SignalRange qualityRange{cfg.Communication_Quality_Min, cfg.Communication_Quality_Max};
    const int quality = SignalMapping::qualityPercent(avg.quality, qualityRange, newer);
    m_qualityBar->setValue(quality);
    m_qualityText->setText(SignalMapping::percentText(quality));
}

void CMainDlg::setSignalRowsVisible(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_signalLabel, m_signalBar, m_signalText,
                                                      m_qualityLabel, m_qualityBar, m_qualityText})
        w->setVisible(visible);
}

void CMainDlg::showFrameCounts(bool connected) {
    std::uint32_t counters[2] = {0, 0};
    if (GetTxRxFrameCount(record(), counters) == -1)
        return;
    m_txValue->setText(connected ? QString::number(counters[0]) : QStringLiteral("0"));
    m_rxValue->setText(connected ? QString::number(counters[1]) : QStringLiteral("0"));
}

// ---- zero configuration ---------------------------------------------------------------

void CMainDlg::checkZeroConfiguration() {
    const bool systemControls =
        ZeroConfigStatus{QueryWL_CheckWZCStatus(record())} == ZeroConfigStatus::SystemService;
    if (systemControls && m_state.zeroConfig != 1) {
        m_state.zeroConfig = 1;
        applyZeroConfigVisuals();
        SetWL_DisableWirelessZeroConfiguration(record(), 0);
    } else if (!systemControls && m_state.zeroConfig != 0) {
        m_state.zeroConfig = 0;
        applyZeroConfigVisuals();
        SetWL_DisableWirelessZeroConfiguration(record(), 1);
    }
    if (m_state.zeroConfig == 1)
        hide();
}

void CMainDlg::recheckZeroConfiguration() {
    m_state.zeroConfig = -1;
    checkZeroConfiguration();
}

void CMainDlg::applyZeroConfigVisuals() {
    if (m_state.zeroConfig == -1)
        return;
    const bool system = m_state.zeroConfig == 1;
    m_groupButton->setVisible(!system);
    m_notice->setText(system ? kZeroConfigNotice : QString());
    m_notice->setVisible(system);
    setFrameRowsVisible(!system);
}

void CMainDlg::setFrameRowsVisible(bool visible) {
    for (QWidget* w : {m_txLabel, m_txValue, m_rxLabel, m_rxValue})
        w->setVisible(visible);
}

// ---- layouts --------------------------------------------------------------------------

void CMainDlg::applyLayout() {
    setWindowIcon(ProductIcons::application());
    // Two trailing blanks: the single-instance test looks for exactly this title.
    setWindowTitle(LanguageChoice::windowTitle(lang()));
    m_adapterLabel->setText(txt(MainTexts::MP_Network_Adapter));
    m_modeLabel->setText(txt(MainTexts::MP_STA_AP_Mode));
    m_modeButton->setText(txt(accessPointMode() ? MainTexts::MP_STA_AP_Toggle_Button_AP
                                                : MainTexts::MP_STA_AP_Toggle_Button_STA));
    const bool modeShown = config().EnableAccessPoint == 1;
    m_modeLabel->setVisible(modeShown);
    m_modeButton->setVisible(modeShown);
    if (accessPointMode()) {
        setListMode(StationList);
        showInformationGroup(AccessPointLayout);
        setBottomArea(AccessPointArea);
    } else {
        setListMode(SiteList);
        showInformationGroup(m_state.selectedView ? SelectedNetworkLayout : CurrentNetworkLayout);
        setBottomArea(StationArea);
    }
}

void CMainDlg::showInformationGroup(int layout) {
    if (layout < CurrentNetworkLayout || layout > AccessPointLayout)
        return;
    const InfoLayoutTexts& texts = kInfoLayouts[layout];
    m_infoGroup->setTitle(txt(texts.title));
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const LangText* label = texts.rows[i];
        m_rows[i].label->setText(label ? txt(*label) : QString());
        m_rows[i].value->clear();
        m_rows[i].label->setVisible(label != nullptr);
        m_rows[i].value->setVisible(label != nullptr);
    }
    m_groupButton->setText(txt(texts.button));
    for (QLabel* value : {m_linkStatusText, m_signalText, m_qualityText, m_txValue, m_rxValue})
        value->clear();
}

void CMainDlg::setListMode(int mode) {
    m_list->clear();
    if (mode == StationList) {
        m_listLabel->setText(txt(MainTexts::MP_AP_Station_List));
        m_listButton->setText(txt(MainTexts::MP_AP_Station_List_Refresh));
        m_list->setColumnCount(1);
        m_list->setHeaderLabels({txt(MainTexts::MP_AP_Station_List_Station_MAC)});
        m_list->setColumnWidth(0, kStationColumnWidth);
    } else {
        m_listLabel->setText(txt(MainTexts::MP_STA_Available_Network));
        m_listButton->setText(txt(MainTexts::MP_STA_Net_List_Refresh));
        m_list->setColumnCount(2);
        m_list->setHeaderLabels(
            {txt(MainTexts::MP_STA_Net_List_SSID), txt(MainTexts::MP_STA_Net_List_Strength)});
        m_list->setColumnWidth(0, kSsidColumnWidth);
        m_list->setColumnWidth(1, kStrengthColumnWidth);
        fillList();
    }
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
}

void CMainDlg::setBottomArea(int area) {
    const bool station = area == StationArea;
    m_linkStatusLabel->setVisible(station);
    m_linkStatusText->setVisible(station);
    setSignalRowsVisible(station);
    setFrameRowsVisible(true);
    m_notice->clear();
    m_notice->hide();
    for (QLabel* value : {m_linkStatusText, m_signalText, m_qualityText, m_txValue, m_rxValue})
        value->clear();
    m_txLabel->setText(txt(MainTexts::MP_STA_Tx_Frame));
    m_rxLabel->setText(txt(MainTexts::MP_STA_Rx_Frame));
    if (station) {
        m_linkStatusLabel->setText(txt(MainTexts::MP_STA_Link_Status));
        m_signalLabel->setText(txt(MainTexts::MP_STA_Signal_Strength));
        m_qualityLabel->setText(txt(MainTexts::MP_STA_Link_Quality));
        for (QProgressBar* bar : {m_signalBar, m_qualityBar}) {
            bar->setRange(0, 100);
            bar->setValue(0);
        }
    }
    // A new layout must not lose what the zero-configuration check found.
    applyZeroConfigVisuals();
}

// ---- site survey ----------------------------------------------------------------------

void CMainDlg::setListState(bool enabled) {
    m_list->setEnabled(enabled);
    m_listButton->setEnabled(enabled);
    // The station list keeps its own texts; these are the site list's.
    if (accessPointMode())
        return;
    m_listButton->setText(txt(enabled ? MainTexts::MP_STA_Net_List_Refresh
                                      : MainTexts::MP_STA_Net_List_Refresh_Scan));
    m_listLabel->setText(txt(enabled ? MainTexts::MP_STA_Available_Network_Normal
                                     : MainTexts::MP_STA_Available_Network_Scan));
}

void CMainDlg::startScan() {
    if (m_state.scanning)
        return;
    setListState(false);
    m_state.scanning = 1;
    m_state.scanCountdown = kScanTicks;
    m_groupButton->hide();
    WL_SiteSurveyStart(record());
}

void CMainDlg::fetchScanResults() {
    if (m_state.zeroConfig != 1)
        m_groupButton->show();
    if (WL_RetrieveSiteSurveyData(record(), &m_survey, WL_SURVEY_MAX_RECORDS) != -1)
        fillList();
    // Also after a failed fetch: the old rows stay and the user can scan again.
    setListState(true);
}

void CMainDlg::endScan() {
    if (!m_state.scanning)
        return;
    m_state.scanning = 0;
    m_state.scanCountdown = 0;
    // Without this the list and the group button would stay disabled for good.
    setListState(true);
    if (m_state.zeroConfig != 1)
        m_groupButton->show();
}

void CMainDlg::endSiteScan() {
    endScan();
}

void CMainDlg::fillList() {
    m_list->clear();
    const ProgramConfig& cfg = config();
    const SignalRange range{cfg.Signal_Strength_Min, cfg.Signal_Strength_Max};
    const int n = SurveyRecord::count(m_survey);
    for (int i = 0; i < n; ++i) {
        const SurveyRecord r(m_survey.records[i]);
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, r.ssidText());
        item->setText(1, SignalMapping::surveyStrengthText(r.signal(), range, cfg.Show_dBm != 0));
    }
}

int CMainDlg::selectedSurveyRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = m_list->indexOfTopLevelItem(selected.first());
    return row < SurveyRecord::count(m_survey) ? row : -1;
}

void CMainDlg::showSelectedNetwork() {
    const int row = selectedSurveyRow();
    if (row < 0)
        return;
    m_state.selectedView = 1;
    m_state.selectedViewCountdown = kSelectedViewTicks;
    showInformationGroup(SelectedNetworkLayout);
    WLSurveyRecord& raw = m_survey.records[row];
    const SurveyRecord r(raw);
    // Keeps the record's mode to the three values the program knows.
    raw.infrastructureMode = static_cast<std::uint32_t>(r.infrastructureMode());
    m_rows[0].value->setText(QString::number(r.channel()));
    m_rows[1].value->setText(StatusTexts::selectedTypeText(lang(), r.infrastructureMode()));
    m_rows[2].value->setText(StatusTexts::onOffText(lang(), r.privacy()));
    m_rows[3].value->setText(r.bssidText());
}

void CMainDlg::connectSelectedNetwork() {
    const int row = selectedSurveyRow();
    if (m_state.zeroConfig == 1 || row < 0)
        return;
    stopStatusTimer();
    const SurveyRecord r(m_survey.records[row]);
    AdapterSettings& settings = m_ctx.settings;
    SettingResult result =
        settings.startJoin(NetworkType{r.networkType()}, r.channel(), r.privacy());
    if (r.privacy()) {
        const QString question = txt(MainTexts::MP_WEP_Default_Message_Line_1) + u'\n' +
                                 txt(MainTexts::MP_WEP_Default_Message_Line_2) + u'\n';
        if (!m_ctx.ui.askYesNo(this, txt(MainTexts::MP_WEP_Default_Message_Title), question)) {
            CWEPKeySettingDlg dialog(m_ctx, this);
            runModalChild(dialog);
        }
    }
    result += settings.completeJoin(r.bssid(), r.ssidBytes());
    reportUnsaved(result);

    m_history.clear();
    startStatusTimer();
    showInformationGroup(CurrentNetworkLayout);
    showLinkStatusInfo();
    m_state.selectedView = 0;
}

// ---- access point ---------------------------------------------------------------------

void CMainDlg::showAccessPointSettings() {
    WLAdapterInfo* rec = record();
    m_rows[0].value->setText(AccessPointTexts::channelText(QueryWL_Channel(rec)));
    char ssid[WL_SSID_BUFFER_MIN] = {};
    m_rows[1].value->setText(QueryWLAP_SSID(rec, ssid) == -1 ? kNoValue : widened(ssid));
    const int wep = QueryWL_WEPStatus(rec);
    const int bits = QueryWL_WEPbit(rec);
    m_rows[2].value->setText(AccessPointTexts::wepText(wep, bits));
    m_rows[3].value->setText(AccessPointTexts::powerText(QueryWLAP_TxPowerLevel(rec)));
}

void CMainDlg::refreshStationList() {
    std::uint8_t buffer[WL_STATION_LIST_BYTES] = {};
    if (WL_RetrieveStationList(record(), buffer, WL_STATION_LIST_BYTES) == -1)
        return;
    m_list->clear();
    for (const QString& mac : AccessPointTexts::stationRows(buffer))
        (new QTreeWidgetItem(m_list))->setText(0, mac);
}

void CMainDlg::resetStationListTicks() {
    m_state.stationListTicks = 0;
}

// ---- commands -------------------------------------------------------------------------

void CMainDlg::clearAdapterLines() {
    m_adapterList->clear();
}

void CMainDlg::addAdapterLine(const QString& description) {
    m_adapterList->addItem(description);
}

void CMainDlg::setCurrentAdapterLine(int index) {
    m_adapterList->setCurrentIndex(index);
}

int CMainDlg::currentAdapterLine() const {
    return m_adapterList->currentIndex();
}

void CMainDlg::adapterOpened() {
    m_state.adapterOpen = 1;
}

void CMainDlg::onAdapterActivated() {
    m_selector.select();
}

void CMainDlg::onListButton() {
    if (accessPointMode())
        refreshStationList();
    else
        startScan();
}

void CMainDlg::onListClicked() {
    // The station list has no survey records behind its rows.
    if (!accessPointMode())
        showSelectedNetwork();
}

void CMainDlg::onListDoubleClicked() {
    if (!accessPointMode())
        connectSelectedNetwork();
}

void CMainDlg::onGroupButton() {
    if (accessPointMode()) {
        stopStatusTimer();
        runAccessPointSettingsDialog();
        showAccessPointSettings();
        startStatusTimer();
    } else if (m_state.selectedView) {
        connectSelectedNetwork();
    } else {
        stopStatusTimer();
        {
            CMoreSettingDlg dialog(
                m_ctx, [this] { applyLayout(); }, this);
            runModalChild(dialog);
        }
        startStatusTimer();
    }
}

void CMainDlg::runModalChild(QDialog& dialog) {
    m_state.noChildDialog = 0;
    m_ctx.ui.runModal(dialog);
    m_state.noChildDialog = 1;
}

void CMainDlg::runAccessPointSettingsDialog() {
    // The access point settings dialog runs here (through runModalChild) once it
    // exists; until then the button only refreshes the access point's values.
}

void CMainDlg::onModeButton() {
    const bool toAccessPoint = !m_ctx.adapter.accessPointMode;
    m_ctx.adapter.accessPointMode = toAccessPoint;
    if (toAccessPoint) {
        m_state.stationListTicks = 0;
        endScan();
    }
    applyLayout();
    if (toAccessPoint)
        showAccessPointSettings();
    reportUnsaved(m_ctx.settings.setNetworkType(toAccessPoint ? NetworkType::AccessPoint
                                                              : NetworkType::Infrastructure));
}

void CMainDlg::onTrayCommand(CTrayIcon::Command command) {
    if (command == CTrayIcon::OpenCommand)
        openWindow();
    else if (command == CTrayIcon::ExitCommand)
        exitProgram();
}

void CMainDlg::openWindow() {
    m_startHidden = 0;
    if (m_state.zeroConfig == 1) {
        message(txt(MainTexts::MP_STA_WZC_Message_1));
        return;
    }
    show();
    raise();
    activateWindow();
}

void CMainDlg::exitProgram() {
    if (m_state.noChildDialog != 1) {
        message(txt(MainTexts::MP_STA_Close_Dialog_Message));
        return;
    }
    m_timer.stop();
    hide();
    emit runEnded();
}

void CMainDlg::message(const QString& text) {
    m_ctx.ui.inform(this, txt(MainTexts::MP_Dialog_Title), text);
}

// ---- window events --------------------------------------------------------------------

void CMainDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void CMainDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
        // Minimising hides: the way back is the tray, as after closing.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
    }
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace kx
