#include "ctl/ControlCommand.h"

#include <algorithm>
#include <cstring>

#include <QCommandLineParser>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "adapter/AdapterSelector.h"
#include "context/AppContext.h"
#include "program/LanguageChoice.h"
#include "program/ProgramDirectory.h"
#include "program/UserProfile.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlText.h"
#include "ctl/ProfileTransfer.h"
#include "ctl/SettingArgument.h"
#include "ctl/StatusReport.h"
#include "ctl/SurveyList.h"
#include "platform/AtomicFile.h"
#include "driver/MacText.h"
#include "driver/WepKeyText.h"
#include "store/WepKeys.h"

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
const QCommandLineOption kJson(QStringLiteral("json"),
                               QStringLiteral("JSON for programs instead of text for people."));
const QCommandLineOption kWatch(QStringLiteral("watch"),
                                QStringLiteral("A line per tick until interrupted."));
const QCommandLineOption kInterval(QStringLiteral("interval"),
                                   QStringLiteral("Milliseconds between ticks (100-3600000, "
                                                  "1000 by default)."),
                                   QStringLiteral("MS"));
const QCommandLineOption kCount(QStringLiteral("count"),
                                QStringLiteral("End the watch after this many ticks."),
                                QStringLiteral("N"));
const QCommandLineOption kCsv(QStringLiteral("csv"),
                              QStringLiteral("A header line and comma-separated rows."));
const QCommandLineOption kBssid(QStringLiteral("bssid"),
                                QStringLiteral("The network with this BSSID instead of a name."),
                                QStringLiteral("MAC"));
const QCommandLineOption kKey(QStringLiteral("key"),
                              QStringLiteral("A WEP key of 10 (64-bit) or 26 (128-bit) "
                                             "hexadecimal digits; up to four, keys 1 to 4 in "
                                             "order."),
                              QStringLiteral("HEX"));
const QCommandLineOption kKeyIndex(QStringLiteral("key-index"),
                                   QStringLiteral("The key used to send (1-4, 1 by default)."),
                                   QStringLiteral("N"));
const QCommandLineOption kTimeout(QStringLiteral("timeout"),
                                  QStringLiteral("Seconds to wait for the link (1-600, 15 by "
                                                 "default)."),
                                  QStringLiteral("S"));
const QCommandLineOption kWithKeys(QStringLiteral("with-keys"),
                                   QStringLiteral("Include the WEP keys (an exported file is "
                                                  "then readable by its owner only)."));
const QCommandLineOption kReplace(QStringLiteral("replace"),
                                  QStringLiteral("Let the file's profiles replace stored ones "
                                                 "of the same name."));

constexpr int kDefaultIntervalMs = 1000;
constexpr int kDefaultTimeoutS = 15;
// An export of every profile a user could keep stays far below this.
constexpr qint64 kMaxImportBytes = 4 * 1024 * 1024;

// A whole number from `low` to `high`, as typed.
std::optional<int> numberIn(const QString& text, int low, int high) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
}

QString json(const QJsonValue& value) {
    const QJsonDocument doc =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(doc.toJson(QJsonDocument::Indented));
}

QString outcomeText(ProfileTransfer::Outcome outcome) {
    switch (outcome) {
    case ProfileTransfer::Outcome::Imported:
        return QStringLiteral("imported");
    case ProfileTransfer::Outcome::Replaced:
        return QStringLiteral("replaced");
    case ProfileTransfer::Outcome::Unchanged:
        return QStringLiteral("unchanged");
    case ProfileTransfer::Outcome::Kept:
        return QStringLiteral("kept");
    case ProfileTransfer::Outcome::Refused:
        return QStringLiteral("refused");
    case ProfileTransfer::Outcome::Failed:
        return QStringLiteral("failed");
    }
    return {};
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

int ControlCommand::settled(ControlOutput& output, const SettingResult& result,
                            const QString& what) {
    if (result.driverRefused()) {
        output.error(QStringLiteral("the adapter refused %1").arg(what));
        return Failure;
    }
    if (!result.recorded()) {
        output.error(result.unsavedMessage());
        return Failure;
    }
    return Done;
}

QList<ControlCommand::Command> ControlCommand::commands() const {
    return {
        {QStringLiteral("adapters"),
         QStringLiteral("adapters [--json]"),
         QStringLiteral("The adapters found, in order: number, bus, chip, firmware, MAC "
                        "address and description."),
         {kJson},
         &ControlCommand::adapters},
        {QStringLiteral("status"),
         QStringLiteral("status [--json | --csv] [--watch [--interval MS] [--count N]]"),
         QStringLiteral("What the main window shows about the adapter."),
         {kJson, kCsv, kWatch, kInterval, kCount},
         &ControlCommand::status},
        {QStringLiteral("scan"),
         QStringLiteral("scan [--json]"),
         QStringLiteral("A site survey: the networks in range, strongest first."),
         {kJson},
         &ControlCommand::scan},
        {QStringLiteral("join"),
         QStringLiteral("join SSID | --bssid MAC [--key HEX]... [--key-index N] [--timeout S]"),
         QStringLiteral("Joins a network of the site survey as the main window's connect does "
                        "and waits for the link. Without --key the recorded keys are used."),
         {kBssid, kKey, kKeyIndex, kTimeout},
         &ControlCommand::join},
        {QStringLiteral("set"),
         QStringLiteral("set SETTING VALUE"),
         QStringLiteral("Changes a setting of the adapter and records it. Settings: %1.")
             .arg(SettingArgument::names().join(QStringLiteral(", "))),
         {},
         &ControlCommand::set},
        {QStringLiteral("profile"),
         QStringLiteral("profile list | show NAME | load NAME | save NAME | delete NAME | "
                        "export FILE | import FILE"),
         QStringLiteral("The stored profiles. An export writes them as JSON (\"-\" for the "
                        "standard output); an import adds the file's profiles and keeps "
                        "stored ones unless --replace is given."),
         {kJson, kWithKeys, kReplace},
         &ControlCommand::profile},
    };
}

QString ControlCommand::overview() const {
    QString out = QStringLiteral("Usage: kxctl [--lang LANG] [--adapter N] COMMAND ...\n\n"
                                 "The wireless adapter from a terminal. Commands:\n");
    QList<QStringList> rows;
    for (const Command& c : commands())
        rows.append({QStringLiteral("  ") + c.name, c.synopsis.section(u' ', 1)});
    out += ControlText::table(rows);
    out += QStringLiteral("\n\"kxctl COMMAND --help\" tells more. Exit codes: 0 done, 1 wrong "
                          "command line or input, 2 adapter or driver failure.\n");
    return out;
}

QString ControlCommand::help(const Command& command) {
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
    m_out.error(problem);
    m_out.error(QStringLiteral("see kxctl --help"));
    return Usage;
}

bool ControlCommand::selectLanguage(const QString& wanted) {
    const LanguageTable& table = m_ctx.language;
    int id = numberIn(wanted, 1, table.count()).value_or(0);
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
    const QList<Command> all = commands();
    const auto command =
        std::find_if(all.begin(), all.end(), [&](const Command& c) { return c.name == name; });
    if (command == all.end()) {
        if (name.isEmpty() && (arguments.contains(u"--help") || arguments.contains(u"-h"))) {
            m_out.print(overview());
            return Done;
        }
        if (name.isEmpty()) {
            m_out.error(QStringLiteral("which command?"));
            m_out.error(overview());
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
    Call call{parser, parser.positionalArguments().mid(1), 1};
    if (parser.isSet(kAdapter)) {
        const std::optional<int> n = numberIn(parser.value(kAdapter), 1, AdapterList::kCapacity);
        if (!n)
            return usage(QStringLiteral("--adapter takes a number from 1 to %1")
                             .arg(AdapterList::kCapacity));
        call.adapter = *n;
    }
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
    const int exit = (this->*command->run)(call);
    // A reader that went away ends the command quietly; an answer that could not be
    // written is no success.
    if (!m_out.ok() && !m_out.readerGone()) {
        m_out.error(QStringLiteral("the output cannot be written: %1")
                        .arg(QString::fromLocal8Bit(std::strerror(m_out.failure()))));
        return Failure;
    }
    return exit;
}

bool ControlCommand::open(ControlSession& session, int adapter) {
    QString problem;
    if (session.open(adapter, problem))
        return true;
    m_out.error(problem);
    return false;
}

bool ControlCommand::joinable(ControlSession& session, int adapter) {
    if (m_ctx.adapter.accessPointMode) {
        m_out.error(
            QStringLiteral("adapter %1 runs an access point; it has no site survey").arg(adapter));
        return false;
    }
    if (session.monitor().systemControlsAdapter()) {
        m_out.error(
            QStringLiteral("the system's wireless configuration controls adapter %1").arg(adapter));
        return false;
    }
    return true;
}

int ControlCommand::adapters(const Call& call) {
    if (!call.arguments.isEmpty())
        return usage(QStringLiteral("adapters takes no arguments"));
    ControlSession session(m_ctx, m_hooks);
    QString problem;
    if (!session.open(1, problem) && session.adapterCount() == 0) {
        m_out.error(problem);
        return Failure;
    }
    QJsonArray list;
    QList<QStringList> rows{{QStringLiteral("#"), QStringLiteral("bus"), QStringLiteral("chip"),
                             QStringLiteral("firmware"), QStringLiteral("MAC"),
                             QStringLiteral("description")}};
    for (int n = 1; n <= session.adapterCount(); ++n) {
        const QString description = session.view().adapterLines.value(n - 1);
        QJsonObject o{{QStringLiteral("number"), n}, {QStringLiteral("description"), description}};
        const bool opened = (n == 1 && problem.isEmpty()) || session.select(n, problem);
        QString macShown = QStringLiteral("-");
        if (opened) {
            WLAdapterInfo* record = m_ctx.adapter.record();
            MacText::Mac mac{};
            const bool hasMac = GetNICAdapterMAC(record, mac.data()) != -1;
            if (hasMac)
                macShown = ControlText::mac(mac);
            const bool ap =
                FirmwareMode{QueryWL_FirmwareMode_STA_AP(record)} == FirmwareMode::AccessPoint;
            o.insert(QStringLiteral("bus"),
                     AdapterSelector::busName(m_ctx.adapter.busKind, QStringLiteral("unknown")));
            o.insert(QStringLiteral("chip"), m_ctx.adapter.chipVersion);
            o.insert(QStringLiteral("firmware"),
                     ap ? QStringLiteral("access-point") : QStringLiteral("station"));
            o.insert(QStringLiteral("mac"),
                     hasMac ? QJsonValue(ControlText::macForPrograms(mac)) : QJsonValue());
        }
        o.insert(QStringLiteral("opens"), opened);
        problem.clear();
        list.append(o);
        const auto field = [&](const char* key) {
            const QJsonValue v = o.value(QLatin1String(key));
            return v.isDouble()                    ? QString::number(v.toInt())
                   : v.isNull() || v.isUndefined() ? QStringLiteral("-")
                                                   : v.toString();
        };
        rows.append({QString::number(n), field("bus"), field("chip"), field("firmware"), macShown,
                     ControlText::printable(description) +
                         (opened ? QString() : QStringLiteral(" (does not open)"))});
    }
    m_out.print(call.parser.isSet(kJson) ? json(list) : ControlText::table(rows));
    return Done;
}

int ControlCommand::status(const Call& call) {
    const QCommandLineParser& p = call.parser;
    if (!call.arguments.isEmpty())
        return usage(QStringLiteral("status takes no arguments"));
    if (p.isSet(kJson) && p.isSet(kCsv))
        return usage(QStringLiteral("--json and --csv exclude each other"));
    if (!p.isSet(kWatch) && (p.isSet(kInterval) || p.isSet(kCount)))
        return usage(QStringLiteral("--interval and --count go with --watch"));
    int interval = kDefaultIntervalMs;
    if (p.isSet(kInterval)) {
        const std::optional<int> ms = numberIn(p.value(kInterval), 100, 3600000);
        if (!ms)
            return usage(QStringLiteral("--interval takes 100 to 3600000 milliseconds"));
        interval = *ms;
    }
    int count = p.isSet(kWatch) ? 0 : 1; // 0: until interrupted
    if (p.isSet(kCount)) {
        const std::optional<int> n = numberIn(p.value(kCount), 1, 1000000000);
        if (!n)
            return usage(QStringLiteral("--count takes a number from 1"));
        count = *n;
    }
    ControlSession session(m_ctx, m_hooks);
    if (!open(session, call.adapter))
        return Failure;
    if (!p.isSet(kWatch) && !p.isSet(kCsv)) {
        const StatusReport report(session);
        m_out.print(p.isSet(kJson) ? json(report.json()) : report.text());
        return Done;
    }
    return watch(session, call, interval, count);
}

int ControlCommand::watch(ControlSession& session, const Call& call, int intervalMs, int count) {
    const bool csv = call.parser.isSet(kCsv);
    const bool asJson = call.parser.isSet(kJson);
    const StatusReport report(session);
    if (csv)
        m_out.line(ControlText::csvLine(StatusReport::csvColumns()));
    const qint64 started = m_ctx.clock.tickMs();
    for (int tick = 0; count == 0 || tick < count; ++tick) {
        if (tick > 0) {
            if (m_hooks.stopRequested && m_hooks.stopRequested())
                break;
            // Ticks keep their pace however long a tick takes, so the rows plot evenly.
            const qint64 due = started + qint64{tick} * intervalMs;
            m_hooks.pause(static_cast<int>(std::max<qint64>(due - m_ctx.clock.tickMs(), 0)));
            if (m_hooks.stopRequested && m_hooks.stopRequested())
                break;
            session.monitor().tick();
        }
        const qint64 wallMs = m_ctx.clock.wallNs() / 1000000;
        if (csv)
            m_out.line(ControlText::csvLine(report.csvRow(wallMs, m_ctx.clock.tickMs() - started)));
        else if (asJson)
            m_out.line(
                QString::fromUtf8(QJsonDocument(report.json()).toJson(QJsonDocument::Compact)));
        else
            m_out.line(report.line(wallMs));
        if (!m_out.ok())
            break;
    }
    return Done;
}

int ControlCommand::scan(const Call& call) {
    if (!call.arguments.isEmpty())
        return usage(QStringLiteral("scan takes no arguments"));
    ControlSession session(m_ctx, m_hooks);
    if (!open(session, call.adapter) || !joinable(session, call.adapter))
        return Failure;
    if (!session.scan()) {
        m_out.error(QStringLiteral("the site survey failed"));
        return Failure;
    }
    const SurveyList list(session.monitor().survey());
    m_out.print(call.parser.isSet(kJson) ? json(list.json(m_ctx)) : list.text(m_ctx));
    return Done;
}

int ControlCommand::join(const Call& call) {
    const QCommandLineParser& p = call.parser;
    const bool byBssid = p.isSet(kBssid);
    if (call.arguments.size() != (byBssid ? 0 : 1))
        return usage(QStringLiteral("join takes one SSID or --bssid MAC"));
    const QString bssid = p.value(kBssid);
    if (byBssid && !MacText::parse(bssid.toStdString()))
        return usage(QStringLiteral("\"%1\" is no MAC address (six hexadecimal pairs)").arg(bssid));
    const QStringList typed = p.values(kKey);
    if (typed.size() > WepKeys::kCount)
        return usage(QStringLiteral("at most %1 keys").arg(WepKeys::kCount));
    AdapterSettings::TypedKeys keys;
    std::optional<WepBit> keyLength;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QString& key = typed.at(i);
        const std::optional<WepBit> bits = WepKeyText::exactKeyLength(key.toStdString());
        if (!bits || (keyLength && *keyLength != *bits))
            return usage(QStringLiteral("key %1 is no key of 10 or 26 hexadecimal digits like "
                                        "the others")
                             .arg(i + 1));
        keyLength = bits;
        keys[static_cast<std::size_t>(i)] = key.toUpper();
    }
    int keyIndex = 0;
    if (p.isSet(kKeyIndex)) {
        const std::optional<int> n = numberIn(p.value(kKeyIndex), 1, WepKeys::kCount);
        if (!n || (!typed.isEmpty() && *n > typed.size()))
            return usage(QStringLiteral("--key-index takes 1 to %1, a key that is given")
                             .arg(typed.isEmpty() ? WepKeys::kCount : typed.size()));
        keyIndex = *n - 1;
    }
    int timeoutS = kDefaultTimeoutS;
    if (p.isSet(kTimeout)) {
        const std::optional<int> s = numberIn(p.value(kTimeout), 1, 600);
        if (!s)
            return usage(QStringLiteral("--timeout takes 1 to 600 seconds"));
        timeoutS = *s;
    }

    ControlSession session(m_ctx, m_hooks);
    if (!open(session, call.adapter) || !joinable(session, call.adapter))
        return Failure;
    if (!session.scan()) {
        m_out.error(QStringLiteral("the site survey failed"));
        return Failure;
    }
    const SurveyList list(session.monitor().survey());
    const SurveyList::Network* network =
        byBssid ? list.withBssid(bssid) : list.withSsid(call.arguments.first());
    if (!network) {
        m_out.error(QStringLiteral("no network %1 is in range (see kxctl scan)")
                        .arg(byBssid ? bssid : u'"' + call.arguments.first() + u'"'));
        return Failure;
    }
    if (!typed.isEmpty() && !network->wep)
        m_out.error(QStringLiteral("note: %1 uses no WEP; the keys are not used")
                        .arg(ControlText::printable(network->ssid)));
    const SettingResult result =
        session.join(network->record, keys, keyLength.value_or(WepBit::Bits64), keyIndex);
    if (const int exit = settled(m_out, result, QStringLiteral("the join")); exit != Done)
        return exit;
    const QString name = ControlText::printable(network->ssid);
    if (!session.waitForLink(timeoutS * 1000)) {
        m_out.error(QStringLiteral("no link with \"%1\" after %2 s: %3")
                        .arg(name)
                        .arg(timeoutS)
                        .arg(session.view().linkStatus));
        return Failure;
    }
    m_out.line(QStringLiteral("joined \"%1\" (%2, channel %3)")
                   .arg(name, ControlText::mac(network->bssid))
                   .arg(network->channel));
    return Done;
}

int ControlCommand::set(const Call& call) {
    if (call.arguments.size() != 2)
        return usage(QStringLiteral("set takes a setting and its value; settings: %1")
                         .arg(SettingArgument::names().join(QStringLiteral(", "))));
    const QString& name = call.arguments.at(0);
    if (!SettingArgument::names().contains(name))
        return usage(QStringLiteral("there is no setting \"%1\"; one of %2")
                         .arg(name, SettingArgument::names().join(QStringLiteral(", "))));
    ControlSession session(m_ctx, m_hooks);
    if (!open(session, call.adapter))
        return Failure;
    const SettingArgument::Outcome outcome =
        SettingArgument::apply(m_ctx, name, call.arguments.at(1));
    if (!outcome.refusal.isEmpty()) {
        m_out.error(outcome.refusal);
        return Usage;
    }
    return settled(m_out, outcome.result, name);
}

int ControlCommand::profile(const Call& call) {
    const QStringList& args = call.arguments;
    const QString action = args.value(0);
    SettingsStore& store = m_ctx.store;
    const bool needsName = action != u"list";
    if (args.isEmpty() || args.size() != (needsName ? 2 : 1))
        return usage(QStringLiteral("profile takes list, or show, load, save or delete with a "
                                    "name, or export or import with a file"));
    const QString name = args.value(1);
    const auto unknown = [&] {
        m_out.error(QStringLiteral("there is no profile \"%1\"").arg(name));
        return int(Usage);
    };

    if (action == u"list") {
        const QStringList names = store.profileNames();
        if (call.parser.isSet(kJson))
            m_out.print(json(QJsonArray::fromStringList(names)));
        else
            for (const QString& n : names)
                m_out.line(ControlText::printable(n));
        return Done;
    }
    if (action == u"show") {
        WirelessSettings settings;
        if (!store.profileNames().contains(name))
            return unknown();
        if (store.findProfile(name) != 0 || store.readProfile(settings) != 0) {
            m_out.error(QStringLiteral("the profile \"%1\" cannot be read").arg(name));
            return Failure;
        }
        const QJsonObject o =
            ProfileTransfer::json({name, settings, true}, call.parser.isSet(kWithKeys));
        if (call.parser.isSet(kJson)) {
            m_out.print(json(o));
        } else {
            QList<QStringList> rows;
            for (auto it = o.begin(); it != o.end(); ++it) {
                const QJsonValue v = it.value();
                QString shown = v.isArray()    ? QString()
                                : v.isDouble() ? QString::number(v.toInt())
                                               : v.toString();
                if (v.isArray()) {
                    QStringList keys;
                    for (const QJsonValue& k : v.toArray())
                        keys.append(k.toString());
                    shown = keys.join(u' ');
                }
                rows.append({it.key(), ControlText::printable(shown)});
            }
            m_out.print(ControlText::fields(rows));
        }
        return Done;
    }
    if (action == u"delete") {
        if (!store.profileNames().contains(name))
            return unknown();
        if (store.deleteProfile(name) != 0) {
            m_out.error(QStringLiteral("the profile \"%1\" cannot be deleted: %2")
                            .arg(name, store.lastFailure().text()));
            return Failure;
        }
        return Done;
    }
    if (action == u"export")
        return exportProfiles(name, call.parser.isSet(kWithKeys));
    if (action == u"import")
        return importProfiles(name, call.parser.isSet(kReplace));
    if (action != u"load" && action != u"save")
        return usage(QStringLiteral("profile has no action \"%1\"").arg(action));

    if (action == u"save") {
        if (const QString problem = SettingsStore::nameProblem(name); !problem.isEmpty())
            return usage(QStringLiteral("no profile can be called \"%1\": %2")
                             .arg(ControlText::printable(name), problem));
    } else if (!store.profileNames().contains(name)) {
        return unknown();
    }
    ControlSession session(m_ctx, m_hooks);
    if (!open(session, call.adapter))
        return Failure;
    if (action == u"save")
        return settled(m_out, m_ctx.settings.saveProfile(name), QStringLiteral("the profile"));
    const std::optional<SettingResult> loaded = m_ctx.settings.loadProfile(name);
    if (!loaded)
        return unknown();
    return settled(m_out, *loaded, QStringLiteral("the profile's settings"));
}

int ControlCommand::exportProfiles(const QString& file, bool withKeys) {
    const QList<ProfileTransfer::Profile> profiles = ProfileTransfer::stored(m_ctx.store);
    const QByteArray bytes = ProfileTransfer::write(profiles, withKeys);
    if (file == u"-") {
        m_out.print(QString::fromUtf8(bytes));
        return Done;
    }
    std::string reason;
    // Keys are secrets: such a file is its owner's alone, whatever the umask.
    const mode_t mode = withKeys ? 0600 : 0644;
    if (AtomicFile::replace(QFile::encodeName(file).toStdString(), bytes.toStdString(), mode,
                            reason) != 0) {
        m_out.error(
            QStringLiteral("%1 cannot be written: %2").arg(file, QString::fromStdString(reason)));
        return Failure;
    }
    m_out.line(QStringLiteral("%1 profiles exported%2")
                   .arg(profiles.size())
                   .arg(withKeys ? QStringLiteral(" with their keys") : QString()));
    return Done;
}

int ControlCommand::importProfiles(const QString& file, bool replace) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        m_out.error(QStringLiteral("%1 cannot be read: %2").arg(file, in.errorString()));
        return Usage;
    }
    // A device or a pipe named by mistake would never end; an export is a small file.
    const QByteArray bytes = in.read(kMaxImportBytes + 1);
    if (bytes.size() > kMaxImportBytes) {
        m_out.error(QStringLiteral("%1 is larger than any export of profiles").arg(file));
        return Usage;
    }
    QString error;
    const std::optional<ProfileTransfer::Contents> contents = ProfileTransfer::read(bytes, error);
    if (!contents) {
        m_out.error(QStringLiteral("%1: %2").arg(file, error));
        return Usage;
    }
    QList<ProfileTransfer::Report> reports = contents->unreadable;
    for (const ProfileTransfer::Profile& p : contents->profiles)
        reports.append(ProfileTransfer::import(m_ctx.store, p, replace));
    int exit = Done;
    for (const ProfileTransfer::Report& r : reports) {
        QString line =
            QStringLiteral("%1: %2").arg(ControlText::printable(r.name), outcomeText(r.outcome));
        if (!r.detail.isEmpty())
            line += QStringLiteral(" (%1)").arg(r.detail);
        m_out.line(line);
        if (r.outcome == ProfileTransfer::Outcome::Failed)
            exit = Failure;
        else if ((r.outcome == ProfileTransfer::Outcome::Refused ||
                  r.outcome == ProfileTransfer::Outcome::Kept) &&
                 exit == Done)
            exit = Usage;
    }
    return exit;
}

} // namespace kx
