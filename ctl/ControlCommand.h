#pragma once
// kxctl: the adapter from a terminal and from scripts, on the logic, the registry, the
// language files and the driver library of the tray program, which may run at the same
// time. One run is one command:
//   kxctl [--lang LANG] [--adapter N] COMMAND [OPTION...] [ARGUMENT...]
// Texts for people come from the language tables where the window has them; machine
// output (--json, --csv) is never translated.
//
// Exit codes: 0 done; 1 the command line or its input is wrong (an unknown option, a
// value the dialogs refuse, an unknown profile, a file that holds no profiles); 2 the
// adapter, the driver or the system failed (no adapter, a setting the adapter refused or
// the registry did not take, no link, an output that cannot be written); 128 + the signal's
// number (130 for Ctrl+C, 143 for SIGTERM) when a signal cut the command short, waiting
// for a lock that another program keeps included.

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include "ctl/ControlSession.h"

class QCommandLineParser;

namespace kx {

struct AppContext;
class ControlOutput;

class ControlCommand final {
public:
    enum Exit { Done = 0, Usage = 1, Failure = 2 };
    // The program whose settings kxctl shares, beside it in the program directory.
    static inline const QString kTrayProgram = QStringLiteral("kxconfig");

    ControlCommand(AppContext& context, ControlOutput& output, ControlHooks hooks);

    // The arguments after the program name; answers the exit code.
    int run(const QStringList& arguments);

    // The configuration and the language files of the program directory, in the user's
    // stored language, as the tray program starts, and the tray program's user settings;
    // nothing is written.
    static void loadProgramFiles(AppContext& context);
    // What a change became: Done, or Failure with the reason said (`what` names it).
    static int settled(ControlOutput& output, const SettingResult& result, const QString& what);

    // A command's parsed line.
    struct Call {
        const QCommandLineParser& parser;
        QStringList arguments; // the positional ones after the command
        int adapter = 1;
    };

private:
    struct Command {
        QString name;
        QString synopsis;
        QString description;
        QList<QCommandLineOption> options;
        int (ControlCommand::*run)(const Call&);
    };

    QList<Command> commands() const;
    QString overview() const;
    static QString help(const Command& command);
    int usage(const QString& problem);
    bool selectLanguage(const QString& wanted);
    bool open(ControlSession& session, int adapter);
    // Whether the adapter can survey and join: a station, not the system service's.
    bool joinable(ControlSession& session, int adapter);

    int adapters(const Call& call);
    int status(const Call& call);
    int watch(ControlSession& session, const Call& call, int intervalMs, int count);
    int scan(const Call& call);
    int join(const Call& call);
    int set(const Call& call);
    int profile(const Call& call);
    int exportProfiles(const QString& file, bool withKeys);
    int importProfiles(const QString& file, bool replace);

    AppContext& m_ctx;
    ControlOutput& m_out;
    ControlHooks m_hooks;
};

} // namespace kx
