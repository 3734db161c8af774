// kxctl profile: the stored profiles, one action each.
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlText.h"
#include "ctl/ProfileImport.h"
#include "ctl/ProfileTransfer.h"
#include "platform/AtomicFile.h"

namespace kx {

namespace {

const QCommandLineOption kWithKeys(QStringLiteral("with-keys"),
                                   QStringLiteral("Include the WEP keys (an exported file is "
                                                  "then readable by its owner only)."));
const QCommandLineOption kReplace(QStringLiteral("replace"),
                                  QStringLiteral("Let the file's profiles replace stored ones "
                                                 "of the same name."));

int unknown(CommandCall& call, const QString& name) {
    call.out.error(QStringLiteral("there is no profile \"%1\"").arg(name));
    return ControlCommand::Usage;
}

bool stored(CommandCall& call, const QString& name) {
    return call.context.store.profileNames().contains(name);
}

int list(CommandCall& call, const QString&) {
    const QStringList names = call.context.store.profileNames();
    if (call.isSet(CommandCall::jsonOption()))
        call.printJson(QJsonArray::fromStringList(names));
    else
        for (const QString& n : names)
            call.out.line(ControlText::printable(n));
    return ControlCommand::Done;
}

// A profile's field as `show` prints it for people: the keys on one line.
QString shown(const QJsonValue& v) {
    if (!v.isArray())
        return v.isDouble() ? QString::number(v.toInt()) : v.toString();
    QStringList keys;
    for (const QJsonValue& k : v.toArray())
        keys.append(k.toString());
    return keys.join(u' ');
}

int show(CommandCall& call, const QString& name) {
    SettingsStore& store = call.context.store;
    WirelessSettings settings;
    if (!stored(call, name))
        return unknown(call, name);
    if (store.findProfile(name) != 0 || store.readProfile(settings) != 0) {
        call.out.error(QStringLiteral("the profile \"%1\" cannot be read").arg(name));
        return ControlCommand::Failure;
    }
    const QJsonObject o = ProfileTransfer::json({name, settings, true}, call.isSet(kWithKeys));
    if (call.isSet(CommandCall::jsonOption())) {
        call.printJson(o);
        return ControlCommand::Done;
    }
    QList<QStringList> rows;
    for (auto it = o.begin(); it != o.end(); ++it)
        rows.append({it.key(), ControlText::printable(shown(it.value()))});
    call.out.print(ControlText::fields(rows));
    return ControlCommand::Done;
}

int remove(CommandCall& call, const QString& name) {
    if (!stored(call, name))
        return unknown(call, name);
    if (call.context.store.deleteProfile(name) != 0) {
        call.out.error(QStringLiteral("the profile \"%1\" cannot be deleted: %2")
                           .arg(name, call.context.store.lastFailure().text()));
        return ControlCommand::Failure;
    }
    return ControlCommand::Done;
}

int save(CommandCall& call, const QString& name) {
    if (const QString problem = SettingsStore::nameProblem(name); !problem.isEmpty())
        return call.usage(QStringLiteral("no profile can be called \"%1\": %2")
                              .arg(ControlText::printable(name), problem));
    ControlSession session(call.context, call.hooks);
    if (!call.open(session))
        return ControlCommand::Failure;
    return call.settled(call.context.settings.saveProfile(name), QStringLiteral("the profile"));
}

int load(CommandCall& call, const QString& name) {
    if (!stored(call, name))
        return unknown(call, name);
    ControlSession session(call.context, call.hooks);
    if (!call.open(session))
        return ControlCommand::Failure;
    const std::optional<SettingResult> loaded = call.context.settings.loadProfile(name);
    if (!loaded)
        return unknown(call, name);
    if (!loaded->refusal().isEmpty()) {
        call.out.error(
            QStringLiteral("the profile \"%1\" is not loaded, nothing is changed: %2")
                .arg(ControlText::printable(name), ControlText::printable(loaded->refusal())));
        return ControlCommand::Usage;
    }
    return call.settled(*loaded, QStringLiteral("the profile's settings"));
}

int exportTo(CommandCall& call, const QString& file) {
    const bool withKeys = call.isSet(kWithKeys);
    const QList<ProfileTransfer::Profile> profiles = ProfileTransfer::stored(call.context.store);
    const QByteArray bytes = ProfileTransfer::write(profiles, withKeys);
    if (file == u"-") {
        call.out.print(QString::fromUtf8(bytes));
        return ControlCommand::Done;
    }
    std::string reason;
    // Keys are secrets: such a file is its owner's alone, whatever the umask.
    const mode_t mode = withKeys ? 0600 : 0644;
    if (AtomicFile::replace(QFile::encodeName(file).toStdString(), bytes.toStdString(), mode,
                            reason) != 0) {
        call.out.error(
            QStringLiteral("%1 cannot be written: %2").arg(file, QString::fromStdString(reason)));
        return ControlCommand::Failure;
    }
    call.out.line(QStringLiteral("%1 profiles exported%2")
                      .arg(profiles.size())
                      .arg(withKeys ? QStringLiteral(" with their keys") : QString()));
    return ControlCommand::Done;
}

int importFrom(CommandCall& call, const QString& file) {
    return ProfileImport::run(call, file, call.isSet(kReplace));
}

// The actions in the order the synopsis names them, each with its argument's name.
struct Action {
    const char* name;
    const char* argument; // nullptr: none
    int (*run)(CommandCall& call, const QString& argument);
};
constexpr Action kActions[] = {
    {"list", nullptr, list},        {"show", "NAME", show},     {"load", "NAME", load},
    {"save", "NAME", save},         {"delete", "NAME", remove}, {"export", "FILE", exportTo},
    {"import", "FILE", importFrom},
};

const Action* action(const QString& name) {
    for (const Action& a : kActions) {
        if (name == QLatin1String(a.name))
            return &a;
    }
    return nullptr;
}

int run(CommandCall& call) {
    const QStringList& args = call.arguments;
    const Action* a = action(args.value(0));
    if (args.isEmpty() || args.size() != (a && !a->argument ? 1 : 2))
        return call.usage(QStringLiteral("profile takes list, or show, load, save or delete "
                                         "with a name, or export or import with a file"));
    if (!a)
        return call.usage(QStringLiteral("profile has no action \"%1\"").arg(args.first()));
    return a->run(call, args.value(1));
}

QString synopsis() {
    QStringList actions;
    for (const Action& a : kActions)
        actions.append(a.argument ? QStringLiteral("%1 %2").arg(QLatin1String(a.name),
                                                                QLatin1String(a.argument))
                                  : QLatin1String(a.name));
    return QStringLiteral("profile ") + actions.join(QStringLiteral(" | "));
}

} // namespace

CommandEntry profileCommand() {
    return {QStringLiteral("profile"),
            synopsis(),
            QStringLiteral("The stored profiles. An export writes them as JSON (\"-\" for the "
                           "standard output); an import adds the file's profiles (\"-\" for "
                           "the standard input) and keeps stored ones unless --replace is "
                           "given."),
            {CommandCall::jsonOption(), kWithKeys, kReplace},
            run};
}

} // namespace kx
