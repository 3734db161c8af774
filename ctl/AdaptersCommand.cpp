// kxctl adapters: the adapters found, in order.
#include <QJsonArray>
#include <QJsonObject>

#include "adapter/AdapterSelector.h"
#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlText.h"
#include "driver/MacText.h"

namespace kx {

namespace {

// What the adapter just selected is: bus, chip, firmware and MAC address; answers the
// address as people read it ("-" when the adapter tells none).
QString describe(AppContext& context, QJsonObject& o) {
    WLAdapterInfo* record = context.adapter.record();
    MacText::Mac mac{};
    const bool hasMac = GetNICAdapterMAC(record, mac.data()) != -1;
    const bool ap = FirmwareMode{QueryWL_FirmwareMode_STA_AP(record)} == FirmwareMode::AccessPoint;
    o.insert(QStringLiteral("bus"),
             AdapterSelector::busName(context.adapter.busKind, QStringLiteral("unknown")));
    o.insert(QStringLiteral("chip"), context.adapter.chipVersion);
    o.insert(QStringLiteral("firmware"),
             ap ? QStringLiteral("access-point") : QStringLiteral("station"));
    o.insert(QStringLiteral("mac"),
             hasMac ? QJsonValue(ControlText::macForPrograms(mac)) : QJsonValue());
    return hasMac ? ControlText::mac(mac) : QStringLiteral("-");
}

QStringList row(int n, const QJsonObject& o, const QString& mac, const QString& description,
                bool opened) {
    const auto field = [&](const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        return v.isDouble()                    ? QString::number(v.toInt())
               : v.isNull() || v.isUndefined() ? QStringLiteral("-")
                                               : v.toString();
    };
    return {QString::number(n),
            field("bus"),
            field("chip"),
            field("firmware"),
            mac,
            ControlText::printable(description) +
                (opened ? QString() : QStringLiteral(" (does not open)"))};
}

int run(CommandCall& call) {
    if (!call.arguments.isEmpty())
        return call.usage(QStringLiteral("adapters takes no arguments"));
    ControlSession session(call.context, call.hooks);
    QString problem;
    if (!session.open(1, problem) && session.adapterCount() == 0) {
        call.out.error(problem);
        return ControlCommand::Failure;
    }
    QJsonArray list;
    QList<QStringList> rows{{QStringLiteral("#"), QStringLiteral("bus"), QStringLiteral("chip"),
                             QStringLiteral("firmware"), QStringLiteral("MAC"),
                             QStringLiteral("description")}};
    for (int n = 1; n <= session.adapterCount(); ++n) {
        const QString description = session.view().adapterLines.value(n - 1);
        QJsonObject o{{QStringLiteral("number"), n}, {QStringLiteral("description"), description}};
        const bool opened = (n == 1 && problem.isEmpty()) || session.select(n, problem);
        const QString mac = opened ? describe(call.context, o) : QStringLiteral("-");
        o.insert(QStringLiteral("opens"), opened);
        problem.clear();
        list.append(o);
        rows.append(row(n, o, mac, description, opened));
    }
    if (call.isSet(CommandCall::jsonOption()))
        call.printJson(list);
    else
        call.out.print(ControlText::table(rows));
    return ControlCommand::Done;
}

} // namespace

CommandEntry adaptersCommand() {
    return {QStringLiteral("adapters"),
            QStringLiteral("adapters [--json]"),
            QStringLiteral("The adapters found, in order: number, bus, chip, firmware, MAC "
                           "address and description."),
            {CommandCall::jsonOption()},
            run};
}

} // namespace kx
