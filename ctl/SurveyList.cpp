#include "ctl/SurveyList.h"

#include <algorithm>

#include <QJsonObject>

#include "context/AppContext.h"
#include "ctl/ControlText.h"
#include "driver/MacText.h"
#include "driver/SsidText.h"
#include "mainwnd/SignalMapping.h"
#include "mainwnd/StatusTexts.h"
#include "mainwnd/SurveyRecord.h"
#include "program/MainTexts.h"

namespace kx {

namespace {

constexpr const char* kModeNames[] = {"adhoc", "infrastructure", "unknown"};

SignalRange signalRange(const ProgramConfig& config) {
    return {config.Signal_Strength_Min, config.Signal_Strength_Max};
}

} // namespace

SurveyList::SurveyList(const WLSurveyBuffer& survey) {
    const int n = SurveyRecord::count(survey);
    for (int i = 0; i < n; ++i) {
        const SurveyRecord r(survey.records[i]);
        MacText::Mac bssid{};
        std::copy_n(r.bssid(), bssid.size(), bssid.begin());
        m_networks.append(
            {i, r.ssidText(), bssid, r.channel(), r.infrastructureMode(), r.privacy(), r.signal()});
    }
    std::stable_sort(m_networks.begin(), m_networks.end(),
                     [](const Network& a, const Network& b) { return a.signal > b.signal; });
}

const SurveyList::Network* SurveyList::withSsid(const QString& ssid) const {
    // The same bytes however typed: "\xe9" is "\xE9".
    const auto bytes = [](const QString& name) {
        return SsidText::fromTyped(name.toStdU16String());
    };
    const std::optional<std::string> wanted = bytes(ssid);
    const auto it = std::find_if(m_networks.begin(), m_networks.end(), [&](const Network& n) {
        return n.ssid == ssid || (wanted && bytes(n.ssid) == wanted);
    });
    return it == m_networks.end() ? nullptr : &*it;
}

const SurveyList::Network* SurveyList::withBssid(const QString& bssid) const {
    const std::optional<MacText::Mac> wanted = MacText::parse(bssid.toStdString());
    if (!wanted)
        return nullptr;
    const auto it = std::find_if(m_networks.begin(), m_networks.end(),
                                 [&](const Network& n) { return n.bssid == *wanted; });
    return it == m_networks.end() ? nullptr : &*it;
}

QString SurveyList::text(const AppContext& context) const {
    const LanguageTable& t = context.language;
    const auto heading = [&](const LangText& label) { return ControlText::heading(t.text(label)); };
    QList<QStringList> rows{{heading(MainTexts::MP_STA_Net_List_Strength),
                             heading(MainTexts::MP_STA_Select_Net_Info_Channel),
                             heading(MainTexts::MP_STA_Curr_Net_Info_Type),
                             heading(MainTexts::MP_STA_Select_Net_Info_WEP),
                             heading(MainTexts::MP_STA_Select_Net_Info_BSSID),
                             heading(MainTexts::MP_STA_Net_List_SSID)}};
    const bool dbm = context.config.Show_dBm != 0;
    for (const Network& n : m_networks) {
        rows.append({SignalMapping::surveyStrengthText(n.signal, signalRange(context.config), dbm),
                     QString::number(n.channel), StatusTexts::selectedTypeText(t, n.mode),
                     StatusTexts::onOffText(t, n.wep), ControlText::mac(n.bssid),
                     ControlText::printable(n.ssid)});
    }
    return ControlText::table(rows);
}

QJsonArray SurveyList::json(const AppContext& context) const {
    const SignalRange range = signalRange(context.config);
    QJsonArray out;
    for (const Network& n : m_networks) {
        out.append(QJsonObject{
            {QStringLiteral("ssid"), n.ssid},
            {QStringLiteral("bssid"), ControlText::macForPrograms(n.bssid)},
            {QStringLiteral("channel"), n.channel},
            {QStringLiteral("mode"), QLatin1String(kModeNames[n.mode])},
            {QStringLiteral("wep"), n.wep},
            {QStringLiteral("signal"), n.signal},
            {QStringLiteral("signal_percent"), SignalMapping::signalPercent(n.signal, range)}});
    }
    return out;
}

} // namespace kx
