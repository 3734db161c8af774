#include "ctl/CommandCall.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "context/AppContext.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlSession.h"
#include "ctl/WholeNumber.h"

namespace kx {

const QCommandLineOption& CommandCall::jsonOption() {
    static const QCommandLineOption json(
        QStringLiteral("json"), QStringLiteral("JSON for programs instead of text for people."));
    return json;
}

bool CommandCall::isSet(const QCommandLineOption& option) const {
    return parser.isSet(option);
}

QString CommandCall::value(const QCommandLineOption& option) const {
    return parser.value(option);
}

std::optional<int> CommandCall::number(const QCommandLineOption& option, int low, int high,
                                       int fallback, const QString& problem) {
    if (!isSet(option))
        return fallback;
    const std::optional<int> n = WholeNumber::of(value(option), low, high);
    if (!n)
        usage(problem);
    return n;
}

int CommandCall::usage(ControlOutput& out, const QString& problem) {
    out.error(problem);
    out.error(QStringLiteral("see kxctl --help"));
    return ControlCommand::Usage;
}

bool CommandCall::open(ControlSession& session) {
    QString problem;
    if (session.open(adapter, problem))
        return true;
    out.error(problem);
    return false;
}

bool CommandCall::surveyed(ControlSession& session) {
    if (!open(session))
        return false;
    if (context.adapter.accessPointMode) {
        out.error(
            QStringLiteral("adapter %1 runs an access point; it has no site survey").arg(adapter));
        return false;
    }
    if (session.monitor().systemControlsAdapter()) {
        out.error(
            QStringLiteral("the system's wireless configuration controls adapter %1").arg(adapter));
        return false;
    }
    if (session.scan())
        return true;
    out.error(QStringLiteral("the site survey failed"));
    return false;
}

int CommandCall::settled(const SettingResult& result, const QString& what) {
    if (!result.readOnlyReason().isEmpty()) {
        out.error(result.readOnlyMessage());
        return ControlCommand::Failure;
    }
    if (result.driverRefused()) {
        out.error(QStringLiteral("the adapter refused %1").arg(what));
        return ControlCommand::Failure;
    }
    if (!result.recorded()) {
        out.error(result.unsavedMessage());
        return ControlCommand::Failure;
    }
    return ControlCommand::Done;
}

void CommandCall::printJson(const QJsonValue& value) {
    const QJsonDocument doc =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    out.print(QString::fromUtf8(doc.toJson(QJsonDocument::Indented)));
}

bool CommandCall::stopRequested() const {
    return hooks.stopRequested && hooks.stopRequested();
}

} // namespace kx
