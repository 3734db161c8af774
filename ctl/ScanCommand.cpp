// kxctl scan: a site survey, strongest network first.
#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/SurveyList.h"

namespace kx {

namespace {

int run(CommandCall& call) {
    if (!call.arguments.isEmpty())
        return call.usage(QStringLiteral("scan takes no arguments"));
    ControlSession session(call.context, call.hooks);
    if (!call.surveyed(session))
        return ControlCommand::Failure;
    const SurveyList list(session.monitor().survey());
    if (call.isSet(CommandCall::jsonOption()))
        call.printJson(list.json(call.context));
    else
        call.out.print(list.text(call.context));
    return ControlCommand::Done;
}

} // namespace

CommandEntry scanCommand() {
    return {QStringLiteral("scan"),
            QStringLiteral("scan [--json]"),
            QStringLiteral("A site survey: the networks in range, strongest first."),
            {CommandCall::jsonOption()},
            run};
}

} // namespace kx
