#include "mainwnd/StationMonitor.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "context/AppContext.h"
#include "driver/DriverCodes.h"
#include "driver/SsidText.h"
#include "mainwnd/AccessPointTexts.h"
#include "mainwnd/LinkStatus.h"
#include "mainwnd/MonitorHost.h"
#include "mainwnd/SignalMapping.h"
#include "mainwnd/StatusTexts.h"
#include "mainwnd/SurveyRecord.h"
#include "platform/TextCodec.h"
#include "program/LanguageChoice.h"
#include "program/MainTexts.h"

namespace kx {

namespace {

// The firmware's counters settle only after repeated reads.
constexpr int kExtraFrameCountReads = 8;
// Rows of the current network layout.
enum { ChannelRow = 0, TypeRow = 1, SsidRow = 2, RateRow = 3, WepRow = 4 };

const QString kNoValue = QStringLiteral("---");
const QString kZeroConfigNotice =
    QStringLiteral("*** Wireless LAN is controlled by Windows Zero Configuration ***");

// Title, five row labels (null: an empty row) and the button of each layout.
struct InfoLayoutTexts {
    const LangText& title;
    std::array<const LangText*, MainView::kInfoRows> rows;
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
template <std::size_t N> std::string_view driverText(const char (&buffer)[N]) {
    return {buffer, strnlen(buffer, N)};
}

template <std::size_t N> QString widened(const char (&buffer)[N]) {
    return QString::fromStdU16String(TextCodec::widen(driverText(buffer)));
}

// A network name as people see it (driver/SsidText.h).
template <std::size_t N> QString shownSsid(const char (&buffer)[N]) {
    return QString::fromStdU16String(SsidText::shown(driverText(buffer)));
}

} // namespace

StationMonitor::StationMonitor(AppContext& context, MonitorHost& host, Role role)
    : m_ctx(context), m_host(host), m_role(role),
      m_selector(*this, m_adapters, context.adapter, context.config) {}

StationMonitor::~StationMonitor() {
    if (m_role == Role::Owner)
        SetWL_DisableWirelessZeroConfiguration(adapter(), 0);
}

QString StationMonitor::text(const LangText& t) const {
    return m_ctx.language.text(t);
}

WLAdapterInfo* StationMonitor::adapter() const {
    return m_ctx.adapter.record();
}

bool StationMonitor::accessPointMode() const {
    return m_ctx.adapter.accessPointMode;
}

// ---- start and the tick ------------------------------------------------------------

void StationMonitor::initialise() {
    m_view.title = m_ctx.config.Program_Main_Page_Title;
    m_state = State{};
    m_dots.reset();
    m_ctx.adapter.accessPointMode = false;
    m_history.clear();
    m_view.signalPercent = 0;
    m_view.qualityPercent = 0;
    m_selector.discover();
    applyLayout();
}

void StationMonitor::tick() {
    if (!m_state.adapterOpen) {
        m_host.hideWindow();
        m_host.removeTrayIcon();
        m_selector.discover();
        if (adapter()->handle == -1)
            return;
        restartAfterDiscovery();
    }
    if (adapter()->inUse == 0) {
        m_state.adapterOpen = false;
        return;
    }
    if (KxOpenAdapter(adapter()) == 0)
        return;
    checkZeroConfiguration();
    advanceStatusIcon();
    if (accessPointMode())
        accessPointTick();
    else
        stationTick();
}

void StationMonitor::restartAfterDiscovery() {
    m_state.scanning = false;
    m_state.scanCountdown = 0;
    m_state.selectedView = false;
    m_state.nextIconFrame = 0;
    m_dots.reset();
    m_state.zeroConfig = ZeroConfig::Unknown;
    setListState(true);
    m_host.restoreTrayIcon();
}

void StationMonitor::advanceStatusIcon() {
    m_view.iconFrame = m_state.nextIconFrame;
    m_state.nextIconFrame = (m_state.nextIconFrame + 1) % MainView::kIconFrames;
}

void StationMonitor::accessPointTick() {
    std::uint32_t counters[2] = {0, 0};
    if (GetTxRxFrameCount(adapter(), counters) != -1) {
        m_view.txFrames = QString::number(counters[0]);
        m_view.rxFrames = QString::number(counters[1]);
    }
    for (int i = 0; i < kExtraFrameCountReads; ++i) {
        std::uint32_t discarded[2] = {0, 0};
        GetTxRxFrameCount(adapter(), discarded);
    }
    if (++m_state.stationListTicks >= kStationListTicks) {
        refreshStationList();
        m_state.stationListTicks = 0;
    }
    showAccessPointSettings();
}

void StationMonitor::stationTick() {
    if (m_state.scanning) {
        if (m_state.scanCountdown > 0) {
            --m_state.scanCountdown;
        } else {
            fetchScanResults();
            m_state.scanning = false;
            showInformationGroup(CurrentNetworkLayout);
            showLinkStatusInfo();
            m_state.selectedView = false;
        }
    }
    if (m_state.selectedView) {
        if (m_state.selectedViewCountdown > 0) {
            --m_state.selectedViewCountdown;
        } else {
            showInformationGroup(CurrentNetworkLayout);
            m_state.selectedView = false;
        }
    } else {
        showCurrentStatusValue();
    }
    showLinkStatusInfo();
}

// ---- station display ---------------------------------------------------------------

// A row whose query answered exactly -1 keeps what it showed.
void StationMonitor::showCurrentStatusValue() {
    const LanguageTable& table = m_ctx.language;
    auto& rows = m_view.info;
    MainView::Answers& answers = m_view.answers;
    const int channel = QueryWL_Channel(adapter());
    if (channel != -1) {
        rows[ChannelRow].value = channel > 0 ? QString::number(channel) : kNoValue;
        answers.channel = channel;
    }
    const int type = QueryWL_NetworkType(adapter());
    if (type != -1) {
        rows[TypeRow].value = StatusTexts::networkTypeText(table, type);
        answers.networkType = type;
    }
    const bool current = m_ctx.config.Show_Current_Tx_Data_Rate != 0;
    const int rate = current ? QueryWL_CurrentTxRate(adapter()) : QueryWL_TxRateControl(adapter());
    if (rate != -1) {
        QString shown = StatusTexts::rateText(table, rate);
        if (current)
            shown += QStringLiteral(" - ") + text(MainTexts::MP_STA_Curr_Net_Tx_Rate_Curr);
        rows[RateRow].value = shown;
        answers.txRate = rate;
    }
    const int wep = QueryWL_WEPStatus(adapter());
    if (wep != -1) {
        rows[WepRow].value = StatusTexts::wepText(table, wep);
        answers.wepStatus = wep;
    }
}

void StationMonitor::showLinkStatusInfo() {
    if (m_state.scanning)
        return;
    const bool showBssid = m_ctx.config.Show_BSSID != 0;
    const int port = QueryWL_PortStatus(adapter());
    const int type = LinkStatus::needsNetworkType(port) ? QueryWL_NetworkType(adapter()) : -1;
    std::optional<QString> bssid;
    if (LinkStatus::needsBssid(port, showBssid)) {
        char buffer[WL_BSSID_TEXT_BUFFER_MIN] = {};
        if (QueryWL_BSSID(adapter(), buffer) != -1)
            bssid = widened(buffer);
    }
    const LinkStatus link = LinkStatus::build(m_ctx.language, port, type, showBssid, bssid, m_dots);
    m_view.linkStatus = link.text;
    m_view.answers.portStatus = port;
    if (!m_state.selectedView)
        showSsidRow(link.connected);

    bool hideSignal = link.hideSignal;
    if (hideSignal) {
        m_history.clear();
    } else {
        std::int32_t quality = 0, signal = 0, packets = 0;
        if (QueryWL_CQSLCurrBSS(adapter(), &quality, &signal, &packets) != 0)
            hideSignal = true;
        else
            showSignal(quality, signal, packets);
    }
    m_view.signalShown = !hideSignal;
    if (hideSignal)
        m_view.answers.signal = -1;
    showFrameCounts(link.connected);
}

void StationMonitor::showSsidRow(bool connected) {
    char buffer[WL_SSID_BUFFER_MIN] = {};
    const int result =
        connected ? QueryWL_CurrentSSID(adapter(), buffer) : QueryWL_SSID(adapter(), buffer);
    // A failed query is no network name, so it does not read as "any network" either.
    QString shown = kNoValue;
    m_view.answers.ssid.clear();
    if (result != -1) {
        shown = shownSsid(buffer);
        m_view.answers.ssid = shown;
        if (shown.isEmpty())
            shown = text(MainTexts::MP_STA_SSID_any);
    }
    m_view.info[SsidRow].value = shown;
}

void StationMonitor::showSignal(int qualitySum, int signal, int packets) {
    const ProgramConfig& cfg = m_ctx.config;
    const bool newer = m_ctx.adapter.newerChip();
    m_history.add(qualitySum, signal, packets);
    const SignalHistory::Average avg = m_history.average();
    m_view.answers.signal = avg.signal;
    const SignalRange signalRange{cfg.Signal_Strength_Min, cfg.Signal_Strength_Max};
    m_view.signalPercent = SignalMapping::signalPercent(avg.signal, signalRange);
    m_view.signalText =
        SignalMapping::signalText(avg.signal, signalRange, cfg.Show_dBm != 0, newer);
    const SignalRange qualityRange{cfg.Communication_Quality_Min, cfg.Communication_Quality_Max};
    m_view.qualityPercent = SignalMapping::qualityPercent(avg.quality, qualityRange, newer);
    m_view.qualityText = SignalMapping::percentText(m_view.qualityPercent);
}

void StationMonitor::showFrameCounts(bool connected) {
    std::uint32_t counters[2] = {0, 0};
    if (GetTxRxFrameCount(adapter(), counters) == -1)
        return;
    m_view.txFrames = connected ? QString::number(counters[0]) : QStringLiteral("0");
    m_view.rxFrames = connected ? QString::number(counters[1]) : QStringLiteral("0");
}

// ---- zero configuration ------------------------------------------------------------

void StationMonitor::checkZeroConfiguration() {
    const bool systemControls =
        ZeroConfigStatus{QueryWL_CheckWZCStatus(adapter())} == ZeroConfigStatus::SystemService;
    const bool owner = m_role == Role::Owner;
    if (systemControls && m_state.zeroConfig != ZeroConfig::SystemService) {
        m_state.zeroConfig = ZeroConfig::SystemService;
        applyZeroConfigView();
        if (owner)
            SetWL_DisableWirelessZeroConfiguration(adapter(), 0);
    } else if (!systemControls && m_state.zeroConfig != ZeroConfig::Program) {
        m_state.zeroConfig = ZeroConfig::Program;
        applyZeroConfigView();
        if (owner)
            SetWL_DisableWirelessZeroConfiguration(adapter(), 1);
    }
    if (systemControlsAdapter())
        m_host.hideWindow();
}

void StationMonitor::recheckZeroConfiguration() {
    m_state.zeroConfig = ZeroConfig::Unknown;
    checkZeroConfiguration();
}

void StationMonitor::applyZeroConfigView() {
    if (m_state.zeroConfig == ZeroConfig::Unknown)
        return;
    const bool system = systemControlsAdapter();
    m_view.groupButtonShown = !system;
    m_view.notice = system ? kZeroConfigNotice : QString();
    m_view.noticeShown = system;
    m_view.framesShown = !system;
}

// ---- layouts -----------------------------------------------------------------------

void StationMonitor::applyLayout() {
    m_view.title = LanguageChoice::windowTitle(m_ctx.language);
    m_view.adapterLabel = text(MainTexts::MP_Network_Adapter);
    m_view.modeLabel = text(MainTexts::MP_STA_AP_Mode);
    m_view.modeButton = text(accessPointMode() ? MainTexts::MP_STA_AP_Toggle_Button_AP
                                               : MainTexts::MP_STA_AP_Toggle_Button_STA);
    m_view.modeShown = m_ctx.config.EnableAccessPoint == 1;
    if (accessPointMode()) {
        setListMode(StationList);
        showInformationGroup(AccessPointLayout);
        setBottomArea(false);
    } else {
        setListMode(SiteList);
        showInformationGroup(m_state.selectedView ? SelectedNetworkLayout : CurrentNetworkLayout);
        setBottomArea(true);
    }
}

void StationMonitor::showInformationGroup(InfoLayout layout) {
    const InfoLayoutTexts& texts = kInfoLayouts[layout];
    m_view.groupTitle = text(texts.title);
    for (std::size_t i = 0; i < m_view.info.size(); ++i) {
        const LangText* label = texts.rows[i];
        m_view.info[i] = {label ? text(*label) : QString(), QString(), label != nullptr};
    }
    m_view.groupButton = text(texts.button);
    m_view.answers = {};
    for (QString* value : {&m_view.linkStatus, &m_view.signalText, &m_view.qualityText,
                           &m_view.txFrames, &m_view.rxFrames})
        value->clear();
}

void StationMonitor::clearRows() {
    m_view.rows.clear();
    ++m_view.rowsRevision;
}

void StationMonitor::setListMode(ListMode mode) {
    clearRows();
    if (mode == StationList) {
        m_view.listLabel = text(MainTexts::MP_AP_Station_List);
        m_view.listButton = text(MainTexts::MP_AP_Station_List_Refresh);
        m_view.columns = {
            {text(MainTexts::MP_AP_Station_List_Station_MAC), MainView::kStationColumnWidth}};
    } else {
        m_view.listLabel = text(MainTexts::MP_STA_Available_Network);
        m_view.listButton = text(MainTexts::MP_STA_Net_List_Refresh);
        m_view.columns = {
            {text(MainTexts::MP_STA_Net_List_SSID), MainView::kSsidColumnWidth},
            {text(MainTexts::MP_STA_Net_List_Strength), MainView::kStrengthColumnWidth}};
        fillList();
    }
}

void StationMonitor::setBottomArea(bool station) {
    m_view.linkStatusShown = station;
    m_view.signalShown = station;
    m_view.framesShown = true;
    m_view.notice.clear();
    m_view.noticeShown = false;
    for (QString* value : {&m_view.linkStatus, &m_view.signalText, &m_view.qualityText,
                           &m_view.txFrames, &m_view.rxFrames})
        value->clear();
    m_view.txLabel = text(MainTexts::MP_STA_Tx_Frame);
    m_view.rxLabel = text(MainTexts::MP_STA_Rx_Frame);
    if (station) {
        m_view.linkStatusLabel = text(MainTexts::MP_STA_Link_Status);
        m_view.signalLabel = text(MainTexts::MP_STA_Signal_Strength);
        m_view.qualityLabel = text(MainTexts::MP_STA_Link_Quality);
        m_view.signalPercent = 0;
        m_view.qualityPercent = 0;
    }
    // A new layout must not lose what the zero-configuration check found.
    applyZeroConfigView();
}

// ---- site survey -------------------------------------------------------------------

void StationMonitor::setListState(bool enabled) {
    m_view.listEnabled = enabled;
    // The station list keeps its own texts; these are the site list's.
    if (accessPointMode())
        return;
    m_view.listButton = text(enabled ? MainTexts::MP_STA_Net_List_Refresh
                                     : MainTexts::MP_STA_Net_List_Refresh_Scan);
    m_view.listLabel = text(enabled ? MainTexts::MP_STA_Available_Network_Normal
                                    : MainTexts::MP_STA_Available_Network_Scan);
}

void StationMonitor::pressListButton() {
    if (accessPointMode())
        refreshStationList();
    else
        startScan();
}

void StationMonitor::startScan() {
    if (m_state.scanning)
        return;
    setListState(false);
    m_state.scanning = true;
    m_state.scanCountdown = kScanTicks;
    m_view.groupButtonShown = false;
    WL_SiteSurveyStart(adapter());
}

void StationMonitor::fetchScanResults() {
    if (!systemControlsAdapter())
        m_view.groupButtonShown = true;
    m_state.lastScanFailed =
        WL_RetrieveSiteSurveyData(adapter(), &m_survey, WL_SURVEY_MAX_RECORDS) == -1;
    if (!m_state.lastScanFailed)
        fillList();
    // Also after a failed fetch: the old rows stay and the user can scan again.
    setListState(true);
}

void StationMonitor::endScan() {
    if (!m_state.scanning)
        return;
    m_state.scanning = false;
    m_state.scanCountdown = 0;
    // Without this the list and the group button would stay disabled for good.
    setListState(true);
    if (!systemControlsAdapter())
        m_view.groupButtonShown = true;
}

void StationMonitor::endSiteScan() {
    endScan();
}

void StationMonitor::fillList() {
    clearRows();
    const ProgramConfig& cfg = m_ctx.config;
    const SignalRange range{cfg.Signal_Strength_Min, cfg.Signal_Strength_Max};
    const int n = SurveyRecord::count(m_survey);
    for (int i = 0; i < n; ++i) {
        const SurveyRecord r(m_survey.records[i]);
        m_view.rows.append({r.ssidText(), SignalMapping::surveyStrengthText(r.signal(), range,
                                                                            cfg.Show_dBm != 0)});
    }
}

int StationMonitor::surveyRow(int row) const {
    // The station list has no survey records behind its rows.
    if (accessPointMode() || row < 0)
        return -1;
    return row < SurveyRecord::count(m_survey) ? row : -1;
}

void StationMonitor::showSelectedNetwork(int row) {
    row = surveyRow(row);
    if (row < 0)
        return;
    m_state.selectedView = true;
    m_state.selectedViewCountdown = kSelectedViewTicks;
    showInformationGroup(SelectedNetworkLayout);
    WLSurveyRecord& raw = m_survey.records[row];
    const SurveyRecord r(raw);
    // Keeps the record's mode to the three values the program knows.
    raw.infrastructureMode = static_cast<std::uint32_t>(r.infrastructureMode());
    m_view.info[0].value = QString::number(r.channel());
    m_view.info[1].value = StatusTexts::selectedTypeText(m_ctx.language, r.infrastructureMode());
    m_view.info[2].value = StatusTexts::onOffText(m_ctx.language, r.privacy());
    m_view.info[3].value = r.bssidText();
}

SettingResult StationMonitor::join(int row) {
    row = surveyRow(row);
    if (systemControlsAdapter() || row < 0)
        return {};
    m_host.stopStatusTimer();
    const SurveyRecord r(m_survey.records[row]);
    SettingResult result = m_ctx.settings.startJoin(r.networkType(), r.channel(), r.privacy());
    if (r.privacy()) {
        const QString question = text(MainTexts::MP_WEP_Default_Message_Line_1) + u'\n' +
                                 text(MainTexts::MP_WEP_Default_Message_Line_2) + u'\n';
        if (!m_host.keepWepKeys(text(MainTexts::MP_WEP_Default_Message_Title), question))
            m_host.editWepKeys();
    }
    result += m_ctx.settings.completeJoin(r.bssid(), r.ssidBytes());

    m_history.clear();
    m_host.startStatusTimer();
    showInformationGroup(CurrentNetworkLayout);
    showLinkStatusInfo();
    m_state.selectedView = false;
    return result;
}

// ---- access point ------------------------------------------------------------------

void StationMonitor::showAccessPointSettings() {
    auto& rows = m_view.info;
    MainView::Answers& answers = m_view.answers;
    answers.channel = QueryWL_Channel(adapter());
    rows[0].value = AccessPointTexts::channelText(answers.channel);
    char ssid[WL_SSID_BUFFER_MIN] = {};
    const bool named = QueryWLAP_SSID(adapter(), ssid) != -1;
    answers.ssid = named ? shownSsid(ssid) : QString();
    rows[1].value = named ? answers.ssid : kNoValue;
    answers.wepStatus = QueryWL_WEPStatus(adapter());
    answers.wepBits = QueryWL_WEPbit(adapter());
    rows[2].value = AccessPointTexts::wepText(answers.wepStatus, answers.wepBits);
    answers.txPower = QueryWLAP_TxPowerLevel(adapter());
    rows[3].value = AccessPointTexts::powerText(answers.txPower);
}

void StationMonitor::refreshStationList() {
    std::uint8_t buffer[WL_STATION_LIST_BYTES] = {};
    if (WL_RetrieveStationList(adapter(), buffer, WL_STATION_LIST_BYTES) == -1)
        return;
    clearRows();
    for (const QString& mac : AccessPointTexts::stationRows(buffer))
        m_view.rows.append({mac});
}

void StationMonitor::resetStationListTicks() {
    m_state.stationListTicks = 0;
}

SettingResult StationMonitor::switchMode() {
    const bool toAccessPoint = !accessPointMode();
    m_ctx.adapter.accessPointMode = toAccessPoint;
    if (toAccessPoint) {
        m_state.stationListTicks = 0;
        endScan();
    }
    applyLayout();
    if (toAccessPoint)
        showAccessPointSettings();
    return m_ctx.settings.setNetworkType(toAccessPoint ? NetworkType::AccessPoint
                                                       : NetworkType::Infrastructure);
}

// ---- adapters ----------------------------------------------------------------------

void StationMonitor::selectAdapter(int line) {
    m_view.currentAdapterLine = line;
    m_selector.select();
}

void StationMonitor::clearAdapterLines() {
    m_view.adapterLines.clear();
    m_view.currentAdapterLine = -1;
    ++m_view.adapterLinesRevision;
}

void StationMonitor::addAdapterLine(const QString& description) {
    m_view.adapterLines.append(description);
    // As a drop-down list does, the first line becomes the current one.
    if (m_view.currentAdapterLine < 0)
        m_view.currentAdapterLine = 0;
    ++m_view.adapterLinesRevision;
}

void StationMonitor::setCurrentAdapterLine(int index) {
    m_view.currentAdapterLine = index;
}

int StationMonitor::currentAdapterLine() const {
    return m_view.currentAdapterLine;
}

void StationMonitor::adapterOpened() {
    m_state.adapterOpen = true;
}

} // namespace kx
