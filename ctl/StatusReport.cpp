#include "ctl/StatusReport.h"

#include <cstring>

#include <QDateTime>
#include <QJsonArray>

#include "context/AppContext.h"
#include "ctl/CodeNames.h"
#include "ctl/ControlSession.h"
#include "ctl/ControlText.h"
#include "driver/MacText.h"
#include "mainwnd/LinkStatus.h"
#include "mainwnd/SignalMapping.h"
#include "platform/TextCodec.h"

namespace kx {

namespace {

QJsonValue number(int value) {
    return value < 0 ? QJsonValue() : QJsonValue(value);
}

// The frame counts are shown as numbers, or not at all.
QJsonValue count(const QString& shown) {
    bool ok = false;
    const qint64 n = shown.toLongLong(&ok);
    return ok ? QJsonValue(n) : QJsonValue();
}

QJsonValue named(std::span<const CodeNames::Name> names, int code) {
    const QString name = CodeNames::nameOf(names, code);
    return name.isEmpty() ? QJsonValue() : QJsonValue(name);
}

QStringList row(const MainView::InfoRow& r) {
    return {r.label, ControlText::printable(r.value)};
}

QString csvValue(const QJsonValue& value) {
    if (value.isArray())
        return QString::number(value.toArray().size());
    if (value.isDouble())
        return QString::number(value.toInteger());
    if (value.isBool())
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString();
}

} // namespace

QString StatusReport::text() const {
    const MainView& v = m_session.view();
    QString out = ControlText::fields(
        {{v.adapterLabel, ControlText::printable(v.adapterLines.value(v.currentAdapterLine))}});
    out += v.groupTitle + u'\n';
    QList<QStringList> info;
    for (const MainView::InfoRow& r : v.info) {
        if (r.shown && !r.label.isEmpty())
            info.append(row(r));
    }
    out += ControlText::fields(info, 2);
    if (v.noticeShown)
        out += v.notice + u'\n';
    QList<QStringList> bottom;
    if (v.linkStatusShown)
        bottom.append({v.linkStatusLabel, v.linkStatus});
    if (v.linkStatusShown && v.signalShown) {
        bottom.append({v.signalLabel, v.signalText});
        bottom.append({v.qualityLabel, v.qualityText});
    }
    if (v.framesShown) {
        bottom.append({v.txLabel, v.txFrames});
        bottom.append({v.rxLabel, v.rxFrames});
    }
    out += ControlText::fields(bottom);
    if (m_session.context().adapter.accessPointMode) {
        out += v.listLabel + u'\n';
        for (const QStringList& station : v.rows)
            out += QStringLiteral("  ") + ControlText::printable(station.value(0)) + u'\n';
    }
    return out;
}

QString StatusReport::line(qint64 wallMs) const {
    const MainView& v = m_session.view();
    QStringList parts{QDateTime::fromMSecsSinceEpoch(wallMs).toString(QStringLiteral("HH:mm:ss"))};
    const auto add = [&](const QString& label, const QString& value) {
        parts.append(label + u' ' + ControlText::printable(value));
    };
    if (m_session.context().adapter.accessPointMode) {
        add(v.info[0].label, v.info[0].value);
        add(v.info[1].label, v.info[1].value);
        add(v.listLabel, QString::number(v.rows.size()));
    } else {
        parts.append(v.linkStatus);
        if (v.signalShown) {
            add(v.signalLabel, v.signalText);
            add(v.qualityLabel, v.qualityText);
        }
    }
    if (v.framesShown) {
        add(v.txLabel, v.txFrames);
        add(v.rxLabel, v.rxFrames);
    }
    if (v.noticeShown)
        parts.append(v.notice);
    return parts.join(QStringLiteral("  "));
}

QJsonObject StatusReport::json() const {
    const MainView& v = m_session.view();
    QJsonObject o = m_session.context().adapter.accessPointMode ? accessPointJson() : stationJson();
    o.insert(QStringLiteral("adapter"), v.adapterLines.value(v.currentAdapterLine));
    o.insert(QStringLiteral("system_controls_adapter"),
             m_session.monitor().systemControlsAdapter());
    o.insert(QStringLiteral("tx_frames"), count(v.txFrames));
    o.insert(QStringLiteral("rx_frames"), count(v.rxFrames));
    return o;
}

QJsonObject StatusReport::stationJson() const {
    AppContext& ctx = m_session.context();
    const MainView& v = m_session.view();
    const MainView::Answers& a = v.answers;
    QJsonObject o{
        {QStringLiteral("mode"), QStringLiteral("station")},
        {QStringLiteral("port_status"), number(a.portStatus)},
        {QStringLiteral("link"), named(CodeNames::links(), a.portStatus)},
        {QStringLiteral("channel"), number(a.channel)},
        {QStringLiteral("network_type"), named(CodeNames::networkTypes(), a.networkType)},
        {QStringLiteral("ssid"), a.ssid},
        {QStringLiteral("tx_rate"), named(CodeNames::rates(), a.txRate)},
        {QStringLiteral("tx_rate_code"), number(a.txRate)},
        {QStringLiteral("wep"), a.wepStatus < 0 ? QJsonValue() : QJsonValue(a.wepStatus == 1)}};
    QJsonValue bssid;
    if (LinkStatus::isLink(a.portStatus)) {
        char text[WL_BSSID_TEXT_BUFFER_MIN] = {};
        if (QueryWL_BSSID(ctx.adapter.record(), text) != -1) {
            const QString raw = QString::fromStdU16String(
                TextCodec::widen(std::string_view(text, strnlen(text, sizeof text))));
            const std::optional<MacText::Mac> mac = MacText::parse(raw.toStdString());
            bssid = mac ? ControlText::macForPrograms(*mac) : raw;
        }
    }
    o.insert(QStringLiteral("bssid"), bssid);
    const bool signal = v.signalShown && a.signal >= 0;
    const ProgramConfig& cfg = ctx.config;
    const SignalRange range{cfg.Signal_Strength_Min, cfg.Signal_Strength_Max};
    o.insert(QStringLiteral("signal_percent"), signal ? QJsonValue(v.signalPercent) : QJsonValue());
    o.insert(QStringLiteral("signal_dbm"),
             signal ? QJsonValue(SignalMapping::signalDbm(a.signal, range, ctx.adapter.newerChip()))
                    : QJsonValue());
    o.insert(QStringLiteral("quality_percent"),
             signal ? QJsonValue(v.qualityPercent) : QJsonValue());
    return o;
}

QJsonObject StatusReport::accessPointJson() const {
    const MainView& v = m_session.view();
    const MainView::Answers& a = v.answers;
    QJsonArray stations;
    for (const QStringList& station : v.rows) {
        const std::optional<MacText::Mac> mac = MacText::parse(station.value(0).toStdString());
        stations.append(mac ? ControlText::macForPrograms(*mac) : station.value(0));
    }
    const bool wep = a.wepStatus > 0;
    return {
        {QStringLiteral("mode"), QStringLiteral("access-point")},
        {QStringLiteral("channel"),
         a.channel >= 1 && a.channel <= 14 ? QJsonValue(a.channel) : QJsonValue()},
        {QStringLiteral("ssid"), a.ssid},
        {QStringLiteral("wep"), wep},
        {QStringLiteral("wep_key_bits"), wep ? QJsonValue(a.wepBits > 0 ? 128 : 64) : QJsonValue()},
        {QStringLiteral("tx_power"), a.txPower < 0 ? 0 : a.txPower},
        {QStringLiteral("stations"), stations}};
}

QStringList StatusReport::csvColumns() {
    return {"time",      "elapsed_ms", "mode",           "link",       "ssid",
            "channel",   "tx_rate",    "signal_percent", "signal_dbm", "quality_percent",
            "tx_frames", "rx_frames",  "stations"};
}

QStringList StatusReport::csvRow(qint64 wallMs, qint64 elapsedMs) const {
    const QJsonObject o = json();
    QStringList fields{QDateTime::fromMSecsSinceEpoch(wallMs, Qt::UTC).toString(Qt::ISODateWithMs),
                       QString::number(elapsedMs)};
    for (const QString& column : csvColumns().mid(2))
        fields.append(csvValue(o.value(column)));
    return fields;
}

} // namespace kx
