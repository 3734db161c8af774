// kxctl adapters: the adapters found, in order.
#include <algorithm>
#include <vector>

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

const QCommandLineOption kAll(QStringLiteral("all"),
                              QStringLiteral("Every adapter the driver reports, with its hardware "
                                             "ID and whether KXConfig.INI accepts it."));

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

// Every adapter the driver reports, with its hardware ID and whether the configuration
// accepts it: what an administrator adds to KXConfig.INI.
int all(CommandCall& call) {
    std::vector<WLAdapterListEntry> entries(WL_ADAPTER_LIST_MAX);
    const int count = std::clamp(CreateAllNICAdapterList(entries.data(), WL_ADAPTER_LIST_MAX), 0,
                                 int{WL_ADAPTER_LIST_MAX});
    QJsonArray list;
    QList<QStringList> rows{
        {QStringLiteral("hardware ID"), QStringLiteral("accepted"), QStringLiteral("description")}};
    for (int n = 0; n < count; ++n) {
        const WLAdapterListEntry& e = entries[static_cast<std::size_t>(n)];
        const QString description =
            QString::fromLatin1(e.description, qstrnlen(e.description, sizeof e.description));
        const std::optional<QString> id = AdapterSelector::hardwareIdOf(e.instance);
        const bool accepted = id && AdapterSelector::accepts(call.context.config, *id);
        list.append(
            QJsonObject{{QStringLiteral("description"), description},
                        {QStringLiteral("hardware_id"), id ? QJsonValue(*id) : QJsonValue()},
                        {QStringLiteral("accepted"), accepted}});
        rows.append({id ? ControlText::printable(*id) : QStringLiteral("-"),
                     accepted ? QStringLiteral("yes") : QStringLiteral("no"),
                     ControlText::printable(description)});
    }
    if (call.isSet(CommandCall::jsonOption()))
        call.printJson(list);
    else
        call.out.print(ControlText::table(rows));
    return ControlCommand::Done;
}

int run(CommandCall& call) {
    if (!call.arguments.isEmpty())
        return call.usage(QStringLiteral("adapters takes no arguments"));
    if (call.isSet(kAll))
        return all(call);
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
            QStringLiteral("adapters [--all] [--json]"),
            QStringLiteral("The adapters found, in order: number, bus, chip, firmware, MAC "
                           "address and description."),
            {kAll, CommandCall::jsonOption()},
            run};
}

} // namespace kx
