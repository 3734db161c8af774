// kxctl set: one setting changed as its dialog changes it.
#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/SettingArgument.h"

namespace kx {

namespace {

int run(CommandCall& call) {
    const QString names = SettingArgument::names().join(QStringLiteral(", "));
    if (call.arguments.size() != 2)
        return call.usage(
            QStringLiteral("set takes a setting and its value; settings: %1").arg(names));
    const QString& name = call.arguments.at(0);
    if (!SettingArgument::names().contains(name))
        return call.usage(QStringLiteral("there is no setting \"%1\"; one of %2").arg(name, names));
    ControlSession session(call.context, call.hooks);
    if (!call.open(session))
        return ControlCommand::Failure;
    const SettingArgument::Outcome outcome =
        SettingArgument::apply(call.context, name, call.arguments.at(1));
    if (!outcome.refusal.isEmpty()) {
        call.out.error(outcome.refusal);
        return ControlCommand::Usage;
    }
    return call.settled(outcome.result, name);
}

} // namespace

CommandEntry setCommand() {
    return {QStringLiteral("set"),
            QStringLiteral("set SETTING VALUE"),
            QStringLiteral("Changes a setting of the adapter and records it. Settings: %1.")
                .arg(SettingArgument::names().join(QStringLiteral(", "))),
            {},
            run};
}

} // namespace kx
