#pragma once
// What `kxctl status` says about the selected adapter, taken from the main window's
// view after a tick: for people as the window shows it, in the user's language; for
// programs as JSON or comma-separated rows, with the driver's codes under names that
// are never translated.

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace kx {

class ControlSession;

class StatusReport final {
public:
    explicit StatusReport(ControlSession& session) : m_session(session) {}

    // The information group, then the link with signal, quality and frame counts; in
    // access-point mode the stations and the frame counts.
    QString text() const;
    // One line of a watch: the local time and what changes from tick to tick.
    QString line(qint64 wallMs) const;
    QJsonObject json() const;
    static QStringList csvColumns();
    QStringList csvRow(qint64 wallMs, qint64 elapsedMs) const;

private:
    QJsonObject stationJson() const;
    QJsonObject accessPointJson() const;

    ControlSession& m_session;
};

} // namespace kx
