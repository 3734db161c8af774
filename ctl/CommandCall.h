#pragma once
// What one kxctl command runs with (the program's state, where it writes, the waits and
// its parsed command line) and what every command does alike: read an option's number,
// refuse a command line, open the adapter, say what became of a change.

#include <optional>

#include <QCommandLineOption>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace kx {

struct AppContext;
struct ControlHooks;
class ControlOutput;
class ControlSession;
class SettingResult;
struct CommandCall;

// One command of kxctl, as its help shows it and its run starts it; each has a file
// of its own (ctl/*Command.cpp).
struct CommandEntry {
    QString name;
    QString synopsis;
    QString description;
    QList<QCommandLineOption> options;
    int (*run)(CommandCall& call);
};

struct CommandCall {
    AppContext& context;
    ControlOutput& out;
    const ControlHooks& hooks;
    const QCommandLineParser& parser;
    QStringList arguments; // the positional ones after the command
    int adapter = 1;

    // "--json", which several commands take.
    static const QCommandLineOption& jsonOption();

    bool isSet(const QCommandLineOption& option) const;
    QString value(const QCommandLineOption& option) const;
    // The option's number from `low` to `high`, `fallback` when the option is not given;
    // nullopt, `problem` said, when it is no such number.
    std::optional<int> number(const QCommandLineOption& option, int low, int high, int fallback,
                              const QString& problem);
    // Says what is wrong with the command line; answers the exit code for it.
    int usage(const QString& problem) { return usage(out, problem); }
    static int usage(ControlOutput& out, const QString& problem);
    // Opens the adapter of the command line; false, the reason said, when it does not.
    bool open(ControlSession& session);
    // Opens the adapter, checks it can survey and join (a station, not the system
    // service's) and runs a site survey; false, the reason said, when any step fails.
    bool surveyed(ControlSession& session);
    // What a change became: Done, or Failure with the reason said (`what` names it).
    int settled(const SettingResult& result, const QString& what);
    // Indented JSON for programs.
    void printJson(const QJsonValue& value);
    // The user asked the command to end (an interrupt).
    bool stopRequested() const;
};

} // namespace kx
