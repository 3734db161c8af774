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

#include <QList>
#include <QString>
#include <QStringList>

#include "ctl/CommandCall.h"
#include "ctl/ControlSession.h"

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

private:
    QString overview(const QList<CommandEntry>& commands) const;
    static QString help(const CommandEntry& command);
    int usage(const QString& problem);
    bool selectLanguage(const QString& wanted);

    AppContext& m_ctx;
    ControlOutput& m_out;
    ControlHooks m_hooks;
};

} // namespace kx
