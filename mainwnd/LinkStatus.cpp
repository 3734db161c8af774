#include "mainwnd/LinkStatus.h"

#include "driver/DriverCodes.h"
#include "mainwnd/ConnectingDots.h"
#include "program/LanguageTable.h"
#include "program/MainTexts.h"

namespace kx {

namespace {

QString withBssid(const LanguageTable& table, const LangText& lead,
                  const std::optional<QString>& bssid) {
    return table.text(lead) + u' ' +
           (bssid ? *bssid : table.text(MainTexts::MP_STA_Link_Status_BSSID_Unknown));
}

QString adHocText(const LanguageTable& table, bool showBssid, const std::optional<QString>& bssid) {
    return showBssid ? withBssid(table, MainTexts::MP_STA_Link_Status_Con_Ad_Hoc_1, bssid)
                     : table.text(MainTexts::MP_STA_Link_Status_Con_Ad_Hoc);
}

} // namespace

bool LinkStatus::needsNetworkType(int port) {
    const auto status = PortStatus{port};
    return status == PortStatus::Connecting || status == PortStatus::Scanning ||
           status == PortStatus::Joined;
}

bool LinkStatus::isLink(int port) {
    switch (PortStatus{port}) {
    case PortStatus::AdHoc:
    case PortStatus::Joined:
    case PortStatus::Wds:
    case PortStatus::PseudoIbss:
        return true;
    default:
        return false;
    }
}

bool LinkStatus::needsBssid(int port, bool showBssid) {
    const auto status = PortStatus{port};
    return showBssid && (status == PortStatus::AdHoc || status == PortStatus::Joined);
}

LinkStatus LinkStatus::build(const LanguageTable& table, int port, int networkType, bool showBssid,
                             const std::optional<QString>& bssid, ConnectingDots& dots) {
    if (port == -1) {
        dots.reset();
        return {QStringLiteral("---"), false, true};
    }
    const bool adHoc = NetworkType{networkType} == NetworkType::AdHoc;
    LinkStatus s;
    switch (PortStatus{port}) {
    case PortStatus::Disconnected:
        s.text = table.text(MainTexts::MP_STA_Link_Status_Disc);
        break;
    case PortStatus::Connecting:
    case PortStatus::Scanning:
        // An ad hoc network has nothing to connect to: it just is in that mode.
        if (adHoc)
            return {table.text(MainTexts::MP_STA_Link_Status_In_Ad_Hoc), false, true};
        return {table.text(MainTexts::MP_STA_Link_Status_Connecting) + dots.takeSuffix(), false,
                true};
    case PortStatus::AdHoc:
        s = {adHocText(table, showBssid, bssid), true, true};
        break;
    case PortStatus::Joined:
        if (adHoc)
            s = {adHocText(table, showBssid, bssid), true, true};
        else if (showBssid)
            s = {withBssid(table, MainTexts::MP_STA_Link_Status_Con_AP_1, bssid), true, false};
        else
            s = {table.text(MainTexts::MP_STA_Link_Status_Con_AP), true, false};
        break;
    case PortStatus::Wds:
        s = {table.text(MainTexts::MP_STA_Link_Status_Con_WDS), true, true};
        break;
    case PortStatus::PseudoIbss:
        s = {table.text(MainTexts::MP_STA_Link_Status_Con_PIBSS), true, true};
        break;
    default:
        s.text =
            table.text(MainTexts::MP_STA_Link_Status_Unknown) + u'(' + QString::number(port) + u')';
        break;
    }
    s.connected = isLink(port);
    dots.reset();
    return s;
}

} // namespace kx
