// kxctl status: what the main window shows about the adapter, once or per tick.
#include <algorithm>

#include <QJsonDocument>

#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlText.h"
#include "ctl/StatusReport.h"

namespace kx {

namespace {

const QCommandLineOption kWatch(QStringLiteral("watch"),
                                QStringLiteral("A line per tick until interrupted."));
const QCommandLineOption kInterval(QStringLiteral("interval"),
                                   QStringLiteral("Milliseconds between ticks (100-3600000, "
                                                  "1000 by default)."),
                                   QStringLiteral("MS"));
const QCommandLineOption kCount(QStringLiteral("count"),
                                QStringLiteral("End the watch after this many ticks."),
                                QStringLiteral("N"));
const QCommandLineOption kCsv(QStringLiteral("csv"),
                              QStringLiteral("A header line and comma-separated rows."));

constexpr int kDefaultIntervalMs = 1000;

// A line per tick, `count` of them (0: until interrupted), `intervalMs` apart.
int watch(CommandCall& call, ControlSession& session, int intervalMs, int count) {
    const bool csv = call.isSet(kCsv);
    const bool asJson = call.isSet(CommandCall::jsonOption());
    const Clock& clock = call.context.clock;
    const StatusReport report(session);
    if (csv)
        call.out.line(ControlText::csvLine(StatusReport::csvColumns()));
    const qint64 started = clock.tickMs();
    for (int tick = 0; count == 0 || tick < count; ++tick) {
        if (tick > 0) {
            if (call.stopRequested())
                break;
            // Ticks keep their pace however long a tick takes, so the rows plot evenly.
            const qint64 due = started + qint64{tick} * intervalMs;
            call.hooks.pause(static_cast<int>(std::max<qint64>(due - clock.tickMs(), 0)));
            if (call.stopRequested())
                break;
            session.monitor().tick();
        }
        const qint64 wallMs = clock.wallNs() / 1000000;
        if (csv)
            call.out.line(ControlText::csvLine(report.csvRow(wallMs, clock.tickMs() - started)));
        else if (asJson)
            call.out.line(
                QString::fromUtf8(QJsonDocument(report.json()).toJson(QJsonDocument::Compact)));
        else
            call.out.line(report.line(wallMs));
        if (!call.out.ok())
            break;
    }
    return ControlCommand::Done;
}

int run(CommandCall& call) {
    const bool watching = call.isSet(kWatch);
    if (!call.arguments.isEmpty())
        return call.usage(QStringLiteral("status takes no arguments"));
    if (call.isSet(CommandCall::jsonOption()) && call.isSet(kCsv))
        return call.usage(QStringLiteral("--json and --csv exclude each other"));
    if (!watching && (call.isSet(kInterval) || call.isSet(kCount)))
        return call.usage(QStringLiteral("--interval and --count go with --watch"));
    const std::optional<int> interval =
        call.number(kInterval, 100, 3600000, kDefaultIntervalMs,
                    QStringLiteral("--interval takes 100 to 3600000 milliseconds"));
    if (!interval)
        return ControlCommand::Usage;
    // 0: until interrupted.
    const std::optional<int> count = call.number(kCount, 1, 1000000000, watching ? 0 : 1,
                                                 QStringLiteral("--count takes a number from 1"));
    if (!count)
        return ControlCommand::Usage;
    ControlSession session(call.context, call.hooks);
    if (!call.open(session))
        return ControlCommand::Failure;
    if (!watching && !call.isSet(kCsv)) {
        const StatusReport report(session);
        if (call.isSet(CommandCall::jsonOption()))
            call.printJson(report.json());
        else
            call.out.print(report.text());
        return ControlCommand::Done;
    }
    return watch(call, session, *interval, *count);
}

} // namespace

CommandEntry statusCommand() {
    return {QStringLiteral("status"),
            QStringLiteral("status [--json | --csv] [--watch [--interval MS] [--count N]]"),
            QStringLiteral("What the main window shows about the adapter."),
            {CommandCall::jsonOption(), kCsv, kWatch, kInterval, kCount},
            run};
}

} // namespace kx
