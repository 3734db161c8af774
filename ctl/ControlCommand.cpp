#include "ctl/ControlCommand.h"

#include <algorithm>
#include <cstring>

#include <QCommandLineParser>

#include "adapter/AdapterList.h"
#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlText.h"
#include "ctl/WholeNumber.h"
#include "program/LanguageChoice.h"
#include "program/ProgramDirectory.h"
#include "program/UserProfile.h"

namespace kx {

namespace {

const QCommandLineOption kLang(QStringLiteral("lang"),
                               QStringLiteral("Texts in this language: its number, name or "
                                              "description in the language file."),
                               QStringLiteral("LANG"));
const QCommandLineOption kAdapter(QStringLiteral("adapter"),
                                  QStringLiteral("The adapter of this number (kxctl adapters); "
                                                 "1 by default."),
                                  QStringLiteral("N"));
const QCommandLineOption kHelp(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("This help."));

QList<CommandEntry> commands() {
    return {adaptersCommand(), statusCommand(),      scanCommand(),   joinCommand(),
            setCommand(),      accessPointCommand(), profileCommand()};
}

} // namespace

ControlCommand::ControlCommand(AppContext& context, ControlOutput& output, ControlHooks hooks)
    : m_ctx(context), m_out(output), m_hooks(std::move(hooks)) {}

void ControlCommand::loadProgramFiles(AppContext& context) {
    // The user's key is named after the program; ours is the tray program's, so that
    // both share the language, the settings and the profiles.
    UserProfile::setProgramName(kTrayProgram);
    context.config.load(ProgramConfig::defaultPath());
    LanguageChoice::open(context.language, context.config, ProgramDirectory::path());
}

QString ControlCommand::overview(const QList<CommandEntry>& commands) const {
    QString out = QStringLiteral("Usage: kxctl [--lang LANG] [--adapter N] COMMAND ...\n\n"
                                 "The wireless adapter from a terminal. Commands:\n");
    QList<QStringList> rows;
    for (const CommandEntry& c : commands)
        rows.append({QStringLiteral("  ") + c.name, c.synopsis.section(u' ', 1)});
    out += ControlText::table(rows);
    out += QStringLiteral("\n\"kxctl COMMAND --help\" tells more. Exit codes: 0 done, 1 wrong "
                          "command line or input, 2 adapter or driver failure.\n");
    return out;
}

QString ControlCommand::help(const CommandEntry& command) {
    QString out = QStringLiteral("Usage: kxctl [--lang LANG] [--adapter N] %1\n\n%2\n\nOptions:\n")
                      .arg(command.synopsis, command.description);
    QList<QStringList> rows;
    for (const QCommandLineOption& o : command.options + QList{kLang, kAdapter, kHelp}) {
        QStringList names;
        for (const QString& n : o.names())
            names.append((n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n);
        QString left = QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!o.valueName().isEmpty())
            left += u' ' + o.valueName();
        rows.append({left, o.description()});
    }
    return out + ControlText::table(rows);
}

int ControlCommand::usage(const QString& problem) {
    return CommandCall::usage(m_out, problem);
}

bool ControlCommand::selectLanguage(const QString& wanted) {
    const LanguageTable& table = m_ctx.language;
    int id = WholeNumber::of(wanted, 1, table.count()).value_or(0);
    for (int i = 0; id == 0 && i < table.count(); ++i) {
        if (table.sections().at(i).compare(wanted, Qt::CaseInsensitive) == 0 ||
            table.descriptions().value(i).compare(wanted, Qt::CaseInsensitive) == 0)
            id = i + 1;
    }
    return id != 0 && m_ctx.language.select(id);
}

int ControlCommand::run(const QStringList& arguments) {
    QString name;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == u"--lang" || a == u"--adapter")
            ++i;
        else if (!a.startsWith(u'-')) {
            name = a;
            break;
        }
    }
    const QList<CommandEntry> all = commands();
    const auto command =
        std::find_if(all.begin(), all.end(), [&](const CommandEntry& c) { return c.name == name; });
    if (command == all.end()) {
        if (name.isEmpty() && (arguments.contains(u"--help") || arguments.contains(u"-h"))) {
            m_out.print(overview(all));
            return Done;
        }
        if (name.isEmpty()) {
            m_out.error(QStringLiteral("which command?"));
            m_out.error(overview(all));
            return Usage;
        }
        return usage(QStringLiteral("there is no command \"%1\"").arg(name));
    }

    QCommandLineParser parser;
    parser.addOptions({kLang, kAdapter, kHelp});
    parser.addOptions(command->options);
    if (!parser.parse(QStringList{QStringLiteral("kxctl")} + arguments))
        return usage(parser.errorText());
    if (parser.isSet(kHelp)) {
        m_out.print(help(*command));
        return Done;
    }
    CommandCall call{m_ctx, m_out, m_hooks, parser, parser.positionalArguments().mid(1), 1};
    const std::optional<int> adapter = call.number(
        kAdapter, 1, AdapterList::kCapacity, 1,
        QStringLiteral("--adapter takes a number from 1 to %1").arg(AdapterList::kCapacity));
    if (!adapter)
        return Usage;
    call.adapter = *adapter;
    if (parser.isSet(kLang) && !selectLanguage(parser.value(kLang))) {
        QStringList known;
        for (int i = 0; i < m_ctx.language.count(); ++i)
            known.append(
                QStringLiteral("%1 %2 (%3)")
                    .arg(i + 1)
                    .arg(m_ctx.language.sections().at(i), m_ctx.language.descriptions().value(i)));
        return usage(QStringLiteral("there is no language \"%1\"; the language file has: %2")
                         .arg(parser.value(kLang), known.join(QStringLiteral(", "))));
    }
    const int exit = command->run(call);
    // A reader that went away ends the command quietly; an answer that could not be
    // written is no success.
    if (!m_out.ok() && !m_out.readerGone()) {
        m_out.error(QStringLiteral("the output cannot be written: %1")
                        .arg(QString::fromLocal8Bit(std::strerror(m_out.failure()))));
        return Failure;
    }
    return exit;
}

} // namespace kx
