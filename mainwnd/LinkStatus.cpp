#include "mainwnd/LinkStatus.h"

#include "app/LanguageTable.h"
#include "mainwnd/ConnectingDots.h"
#include "mainwnd/MainTexts.h"

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
    return port == Connecting || port == Scanning || port == Joined;
}

bool LinkStatus::needsBssid(int port, bool showBssid) {
    return showBssid && (port == AdHoc || port == Joined);
}

LinkStatus LinkStatus::build(const LanguageTable& table, int port, int networkType, bool showBssid,
                             const std::optional<QString>& bssid, ConnectingDots& dots) {
    LinkStatus s;
    switch (port) {
    case Disconnected:
        s.text = table.text(MainTexts::MP_STA_Link_Status_Disc);
        break;
    case Connecting:
    case Scanning:
        // An ad hoc network has nothing to connect to: it just is in that mode.
        if (networkType == 0)
            return {table.text(MainTexts::MP_STA_Link_Status_In_Ad_Hoc), false, true};
        return {table.text(MainTexts::MP_STA_Link_Status_Connecting) + dots.takeSuffix(), false,
                true};
    case AdHoc:
        s = {adHocText(table, showBssid, bssid), true, true};
        break;
    case Joined:
        if (networkType == 0)
            s = {adHocText(table, showBssid, bssid), true, true};
        else if (showBssid)
            s = {withBssid(table, MainTexts::MP_STA_Link_Status_Con_AP_1, bssid), true, false};
        else
            s = {table.text(MainTexts::MP_STA_Link_Status_Con_AP), true, false};
        break;
    case Wds:
        s = {table.text(MainTexts::MP_STA_Link_Status_Con_WDS), true, true};
        break;
    case PseudoIbss:
        s = {table.text(MainTexts::MP_STA_Link_Status_Con_PIBSS), true, true};
        break;
    case -1:
        s.text = QStringLiteral("---");
        break;
    default:
        s.text =
            table.text(MainTexts::MP_STA_Link_Status_Unknown) + u'(' + QString::number(port) + u')';
        break;
    }
    dots.reset();
    return s;
}

} // namespace kx
