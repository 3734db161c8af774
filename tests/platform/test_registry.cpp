#include "platform/FileLock.h"
#include "platform/RegParser.h"
#include "platform/Registry.h"
#include "tests/platform/RegistryPayload.h"
#include "tests/support/ManualClock.h"
#include "tests/support/OrdinaryUser.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using kx::Hive;
using kx::Registry;

namespace {

constexpr Hive LM = Hive::LocalMachine;

std::string str(const QByteArray& bytes) {
    return bytes.toStdString();
}

QByteArray hiveText(const QByteArray& body) {
    return "Windows Registry Editor Version 5.00\n\n" + body;
}

QByteArray utf16leWithBom(const QString& text) {
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    return bytes;
}

QString hivePath(Hive hive = LM) {
    return QString::fromStdString(Registry::hiveFile(hive).string());
}

void writeHive(const QByteArray& content) {
    QDir().mkpath(QString::fromStdString(Registry::directory().string()));
    QFile file(hivePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readHive(Hive hive = LM) {
    QFile file(hivePath(hive));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

kx::RegHive parseHive(const QByteArray& content) {
    kx::RegHive hive("HKEY_LOCAL_MACHINE");
    kx::RegParseError error;
    if (kx::RegParser::parse(content.toStdString(), hive, error) != 0)
        qWarning("parse failed at line %zu: %s", error.line, error.reason.c_str());
    return hive;
}

// Everything written to stderr while it lives.
class StderrCapture final {
public:
    StderrCapture() {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }
    QByteArray text() {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QTemporaryFile m_file;
    int m_saved = -1;
};

// The writer helper as a child process; its stdout goes to outFd when given.
pid_t spawnWriter(const std::vector<std::string>& args, int outFd = -1) {
    std::vector<std::string> all{KX_REGISTRY_WRITER};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int exitCodeOf(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

std::optional<std::string> readText(std::string_view path, std::string_view name) {
    std::string out;
    if (Registry::readString(LM, path, name, out) != 0)
        return std::nullopt;
    return out;
}

} // namespace

class TestRegistry final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void directoryFollowsEnvironment();
    void textRoundTrip_data();
    void textRoundTrip();
    void namesIgnoreAsciiCaseOnly();
    void writtenFileFormat();
    void handWrittenFiles_data();
    void handWrittenFiles();
    void valueConversions_data();
    void valueConversions();
    void otherTypesSurviveRewrite();
    void brokenHiveIsNeverWritten_data();
    void brokenHiveIsNeverWritten();
    void unreadableLinesAreSkippedAndKept_data();
    void unreadableLinesAreSkippedAndKept();
    void rewriteKeepsWhatThePersonWrote();
    void hostileNamesAreRefused_data();
    void hostileNamesAreRefused();
    void missingKeysAndHives();
    void hiveThatIsNoFile();
    void failuresSayWhy_data();
    void failuresSayWhy();
    void heldLockFailsInBoundedTime();
    void filesArePrivate();
    void missingValuesAreAddedInOneWrite();
    void seesOtherProcessesWrites();
    void readOnlyUserHasNoFullAccess();
    void killedWriterNeverTearsTheHive();
    void concurrentWritersLoseNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRegistry::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("KXCONFIG_REGISTRY_DIR", (m_dir->path() + QStringLiteral("/registry")).toUtf8());
}

void TestRegistry::directoryFollowsEnvironment() {
    const QByteArray home = qgetenv("HOME");
    qputenv("KXCONFIG_REGISTRY_DIR", "/r/dir");
    qputenv("XDG_DATA_HOME", "/xdg");
    QCOMPARE(Registry::directory().string(), std::string("/r/dir"));
    QCOMPARE(Registry::hiveFile(Hive::CurrentUser).string(),
             std::string("/r/dir/HKEY_CURRENT_USER.reg"));
    qunsetenv("KXCONFIG_REGISTRY_DIR");
    QCOMPARE(Registry::directory().string(), std::string("/xdg/kxconfig/registry"));
    qputenv("HOME", "/home/u");
    qputenv("XDG_DATA_HOME", "relative/ignored");
    QCOMPARE(Registry::directory().string(), std::string("/home/u/.local/share/kxconfig/registry"));
    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(Registry::directory().string(), std::string("/home/u/.local/share/kxconfig/registry"));
    qputenv("HOME", home);
}

void TestRegistry::textRoundTrip_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("plain") << QByteArray("hello");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("backslashes and quotes") << QByteArray("C:\\dir\\\"q\"\\");
    QTest::newRow("non-ASCII") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                             "e \xE6\x97\xA5 \xF0\x9F\x98\x80");
    QTest::newRow("line feed") << QByteArray("a\nb");
    QTest::newRow("CRLF at end") << QByteArray("ab\r\n");
    QTest::newRow("only a line break") << QByteArray("\n");
    QTest::newRow("section injection") << QByteArray("x\"\n[HKEY_LOCAL_MACHINE\\Evil]\n\"a\"=\"b");
    QTest::newRow("tab and DEL") << QByteArray("a\tb\x7F");
    QTest::newRow("embedded NUL") << QByteArray("a\0b", 3);
    QTest::newRow("trailing NUL") << QByteArray("ab\0", 3);
}

void TestRegistry::textRoundTrip() {
    QFETCH(QByteArray, text);
    QCOMPARE(Registry::createKey(LM, "Software\\T"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\T", "Value", str(text)), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\T", "After", "sentinel"), 0);
    QCOMPARE(readText("Software\\T", "Value"), std::optional(str(text)));
    QCOMPARE(readText("Software\\T", "After"), std::optional<std::string>("sentinel"));
    QCOMPARE(Registry::subKeyNames(LM, ""), std::vector<std::string>{"Software"});
    QCOMPARE(Registry::subKeyNames(LM, "Software"), std::vector<std::string>{"T"});
    // Every line of the file is one the format knows: nothing was injected.
    for (const QByteArray& line : readHive().split('\n')) {
        QVERIFY2(line.isEmpty() || line.startsWith("Windows Registry") || line.startsWith('"') ||
                     line.startsWith("  ") || line == "[HKEY_LOCAL_MACHINE\\Software]" ||
                     line == "[HKEY_LOCAL_MACHINE\\Software\\T]",
                 line.constData());
    }
}

void TestRegistry::namesIgnoreAsciiCaseOnly() {
    QCOMPARE(Registry::createKey(LM, "Software\\Tolva\\KXConfig"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Tolva\\KXConfig", "LanguageName", "x"), 0);
    QCOMPARE(readText("SOFTWARE\\tolva\\kxconfig", "languagename"),
             std::optional<std::string>("x"));
    QCOMPARE(Registry::writeString(LM, "software\\TOLVA\\KXConfig", "LANGUAGENAME", "y"), 0);
    QCOMPARE(Registry::valueNames(LM, "Software\\Tolva\\KXConfig"),
             std::vector<std::string>{"LanguageName"});
    QCOMPARE(readText("Software\\Tolva\\KXConfig", "LanguageName"),
             std::optional<std::string>("y"));
    QVERIFY(Registry::keyExists(LM, "SOFTWARE\\TOLVA"));
    QCOMPARE(Registry::createKey(LM, "SOFTWARE\\TOLVA\\KXCONFIG\\Sub"), 0);
    QCOMPARE(Registry::subKeyNames(LM, "software\\tolva"), std::vector<std::string>{"KXConfig"});
    QCOMPARE(Registry::subKeyNames(LM, "Software\\Tolva\\KXConfig"),
             std::vector<std::string>{"Sub"});

    // Non-ASCII letters are compared as they are; the ASCII letters beside them fold.
    const std::string upperUmlaut = "\xC3\x84rger"; // Ärger
    const std::string lowerUmlaut = "\xC3\xA4rger"; // ärger
    const std::string shouting = "\xC3\x84RGER";    // ÄRGER
    QCOMPARE(Registry::writeString(LM, "Software\\Tolva", upperUmlaut, "1"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Tolva", lowerUmlaut, "2"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Tolva", shouting, "3"), 0);
    QCOMPARE(Registry::valueNames(LM, "Software\\Tolva"),
             (std::vector<std::string>{upperUmlaut, lowerUmlaut}));
    QCOMPARE(readText("Software\\Tolva", upperUmlaut), std::optional<std::string>("3"));
    QCOMPARE(readText("Software\\Tolva", lowerUmlaut), std::optional<std::string>("2"));

    const std::string quoted = "q\"uo\\te";
    QCOMPARE(Registry::writeDword(LM, "Software\\Tolva", quoted, 7), 0);
    std::uint32_t number = 0;
    QCOMPARE(Registry::readDword(LM, "Software\\Tolva", quoted, number), 0);
    QCOMPARE(number, 7u);
}

void TestRegistry::writtenFileFormat() {
    QCOMPARE(Registry::createKey(LM, "Software\\Tolva"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Tolva", "Name", "C:\\a \"b\""), 0);
    QCOMPARE(Registry::writeDword(LM, "Software\\Tolva", "Count", 42), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Tolva", "", "def"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Tolva", "Lines", "a\nb"), 0);
    QCOMPARE(readHive(), QByteArray("Windows Registry Editor Version 5.00\n"
                                    "\n"
                                    "[HKEY_LOCAL_MACHINE\\Software]\n"
                                    "\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\Tolva]\n"
                                    "\"Name\"=\"C:\\\\a \\\"b\\\"\"\n"
                                    "\"Count\"=dword:0000002a\n"
                                    "@=\"def\"\n"
                                    "\"Lines\"=hex(1):61,00,0a,00,62,00,00,00\n"
                                    "\n"));

    QCOMPARE(Registry::createKey(Hive::CurrentUser, "Software"), 0);
    QCOMPARE(readHive(Hive::CurrentUser), QByteArray("Windows Registry Editor Version 5.00\n\n"
                                                     "[HKEY_CURRENT_USER\\Software]\n\n"));
    QVERIFY(!Registry::keyExists(LM, "Software\\Other"));
    QVERIFY(!Registry::keyExists(Hive::CurrentUser, "Software\\Tolva"));
    QVERIFY(QFile::exists(hivePath() + QStringLiteral(".lock")));
}

void TestRegistry::handWrittenFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("version 5 with CRLF")
        << QByteArray("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A\\B]\r\n"
                      "\"Name\"=\"Va\\\\l\\\"ue\"\r\n\r\n")
        << QByteArray("A\\B") << QByteArray("Name") << QByteArray("Va\\l\"ue");
    QTest::newRow("REGEDIT4") << QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"y\"\n")
                              << QByteArray("A") << QByteArray("x") << QByteArray("y");
    QTest::newRow("UTF-8 BOM, non-ASCII")
        << QByteArray("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\"
                      "A]\n\"Gr\xC3\xBC\xC3\x9F"
                      "e\"=\"s\xC3\xBC\xC3\x9F\"")
        << QByteArray("A")
        << QByteArray("Gr\xC3\xBC\xC3\x9F"
                      "e")
        << QByteArray("s\xC3\xBC\xC3\x9F");
    QTest::newRow("UTF-16LE BOM, CRLF")
        << utf16leWithBom(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                         "[HKEY_LOCAL_MACHINE\\A]\r\n\"k\"=\"\u00E9t\u00E9\"\r\n"))
        << QByteArray("A") << QByteArray("k") << QByteArray("\xC3\xA9t\xC3\xA9");
    QTest::newRow("comments and blanks")
        << hiveText("; exported by hand\n   ; indented\n\n[HKEY_LOCAL_MACHINE\\A]\n; mid\n\n"
                    "  \"x\" = \"y\"  \n")
        << QByteArray("A") << QByteArray("x") << QByteArray("y");
    QTest::newRow("hex(2) over continued lines")
        << hiveText("[HKEY_LOCAL_MACHINE\\A]\n\"p\"=hex(2):25,00,50,00,\\\n  41,00,\\\r\n"
                    "  00,00\n")
        << QByteArray("A") << QByteArray("p") << QByteArray("%PA");
    QTest::newRow("default value") << hiveText("[HKEY_LOCAL_MACHINE\\A]\n@=\"d\"\n")
                                   << QByteArray("A") << QByteArray("") << QByteArray("d");
    QTest::newRow("case of hive, key and value")
        << hiveText("[hkey_local_machine\\Software\\Tolva]\n\"Mode\"=\"m\"\n")
        << QByteArray("SOFTWARE\\TOLVA") << QByteArray("mode") << QByteArray("m");
    QTest::newRow("later line of a value wins")
        << hiveText("[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"1\"\n[HKEY_LOCAL_MACHINE\\B]\n"
                    "[HKEY_LOCAL_MACHINE\\a]\n\"X\"=\"2\"\n")
        << QByteArray("A") << QByteArray("x") << QByteArray("2");
    QTest::newRow("lone backslash stays")
        << hiveText("[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"C:\\dir\"\n") << QByteArray("A")
        << QByteArray("x") << QByteArray("C:\\dir");
    QTest::newRow("root key") << hiveText("[HKEY_LOCAL_MACHINE]\n\"x\"=\"r\"\n") << QByteArray("")
                              << QByteArray("x") << QByteArray("r");
    QTest::newRow("implied parent key") << hiveText("[HKEY_LOCAL_MACHINE\\A\\B\\C]\n")
                                        << QByteArray("A\\B") << QByteArray() << QByteArray();
    QTest::newRow("CR-only line ends")
        << QByteArray("REGEDIT4\r\r[HKEY_LOCAL_MACHINE\\A]\r\"x\"=\"y\"\r\"z\"=\"w\"\r")
        << QByteArray("A") << QByteArray("z") << QByteArray("w");
    QTest::newRow("comment after a value")
        << hiveText("[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"a;b\" ; not \"data\"\n") << QByteArray("A")
        << QByteArray("x") << QByteArray("a;b");
    QTest::newRow("blanks after dword:, then a comment")
        << hiveText("[HKEY_LOCAL_MACHINE\\A]\n\"n\"=dword:  0000002a ;the answer\n")
        << QByteArray("A") << QByteArray("n") << QByteArray("42");
    QTest::newRow("trailing backslash on a key name")
        << hiveText("[HKEY_LOCAL_MACHINE\\A\\B\\]\n\"x\"=\"y\"\n") << QByteArray("A\\B")
        << QByteArray("x") << QByteArray("y");
    QTest::newRow("REGEDIT4 hex(2) is 8-bit text")
        << QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"p\"=hex(2):25,50,41,25,00\n")
        << QByteArray("A") << QByteArray("p") << QByteArray("%PA%");
    QTest::newRow("continuation ended by the next value")
        << hiveText("[HKEY_LOCAL_MACHINE\\A]\n\"h\"=hex:01,\\\n\"x\"=\"y\"\n") << QByteArray("A")
        << QByteArray("x") << QByteArray("y");
    QTest::newRow("continuation ended by the end of the file")
        << hiveText("[HKEY_LOCAL_MACHINE\\A]\n\"x\"=hex(1):79,00,\\\n  00,00,\\") << QByteArray("A")
        << QByteArray("x") << QByteArray("y");
}

void TestRegistry::handWrittenFiles() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);
    writeHive(file);
    QVERIFY(Registry::keyExists(LM, str(path)));
    if (!name.isNull())
        QCOMPARE(readText(str(path), str(name)), std::optional(str(expected)));
    // The file stays usable by the program: it can be written and read back.
    QCOMPARE(Registry::writeString(LM, str(path), "added", "z"), 0);
    QCOMPARE(readText(str(path), "added"), std::optional<std::string>("z"));
    if (!name.isNull())
        QCOMPARE(readText(str(path), str(name)), std::optional(str(expected)));
}

void TestRegistry::valueConversions_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QVariant>("text");   // invalid: readString fails
    QTest::addColumn<QVariant>("number"); // invalid: readDword fails

    const QVariant none;
    QTest::newRow("dword") << QByteArray("dword:0000002a") << QVariant("42") << QVariant(42u);
    QTest::newRow("dword max") << QByteArray("dword:ffffffff") << QVariant("4294967295")
                               << QVariant(4294967295u);
    QTest::newRow("short dword") << QByteArray("dword:7") << QVariant("7") << QVariant(7u);
    QTest::newRow("decimal text") << QByteArray("\"7\"") << QVariant("7") << QVariant(7u);
    QTest::newRow("negative text wraps")
        << QByteArray("\"-1\"") << QVariant("-1") << QVariant(4294967295u);
    QTest::newRow("text past 32 bits")
        << QByteArray("\"4294967296\"") << QVariant("4294967296") << none;
    QTest::newRow("text past the int minimum")
        << QByteArray("\"-2147483649\"") << QVariant("-2147483649") << none;
    QTest::newRow("trailing letters") << QByteArray("\"12abc\"") << QVariant("12abc") << none;
    QTest::newRow("empty text") << QByteArray("\"\"") << QVariant("") << none;
    QTest::newRow("hex(1) text") << QByteArray("hex(1):34,00,32,00,00,00") << QVariant("42")
                                 << QVariant(42u);
    QTest::newRow("hex(1) without NUL")
        << QByteArray("hex(1):6f,00,6b,00") << QVariant("ok") << none;
    QTest::newRow("hex(4) dword") << QByteArray("hex(4):2a,00,00,00") << QVariant("42")
                                  << QVariant(42u);
    QTest::newRow("binary") << QByteArray("hex:01,02") << none << none;
    QTest::newRow("empty binary") << QByteArray("hex:") << none << none;
    QTest::newRow("multi-string") << QByteArray("hex(7):61,00,00,00,00,00") << none << none;
    QTest::newRow("qword") << QByteArray("hex(b):2a,00,00,00,00,00,00,00") << none << none;
}

void TestRegistry::valueConversions() {
    QFETCH(QByteArray, line);
    QFETCH(QVariant, text);
    QFETCH(QVariant, number);
    writeHive(hiveText("[HKEY_LOCAL_MACHINE\\K]\n\"v\"=" + line + "\n"));
    std::string out = "unchanged";
    QCOMPARE(Registry::readString(LM, "K", "v", out), text.isValid() ? 0 : -1);
    QCOMPARE(out, text.isValid() ? text.toString().toStdString() : std::string("unchanged"));
    std::uint32_t value = 12345;
    QCOMPARE(Registry::readDword(LM, "K", "v", value), number.isValid() ? 0 : -1);
    QCOMPARE(value, number.isValid() ? number.toUInt() : 12345u);
}

void TestRegistry::otherTypesSurviveRewrite() {
    const QByteArray original =
        hiveText("; hand-made\n[HKEY_LOCAL_MACHINE\\K]\n"
                 "\"bin\"=hex:00,01,02,ff\n"
                 "\"multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
                 "\"qword\"=hex(b):01,00,00,00,00,00,00,00\n"
                 "\"expand\"=hex(2):25,00,41,00,25,00\n"
                 "\"odd\"=hex(1):41,00,42\n"
                 "\"long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,\\\n"
                 "  15,16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,\\\n"
                 "  2e,2f\n"
                 "\"type 0\"=hex(0):\n"
                 "\"big type\"=hex(ffff0001):01\n");
    writeHive(original);
    QCOMPARE(Registry::writeString(LM, "K", "new", "n"), 0);
    const QByteArray rewritten = readHive();
    QVERIFY(rewritten != original);
    const kx::RegHive before = parseHive(original);
    const kx::RegHive after = parseHive(rewritten);
    const kx::RegKey* old = before.findKey("K");
    const kx::RegKey* now = after.findKey("K");
    QVERIFY(old && now);
    QCOMPARE(now->values.size(), old->values.size() + 1);
    for (std::size_t i = 0; i < old->values.size(); ++i) {
        const kx::RegValue& a = old->values[i];
        const kx::RegValue& b = now->values[i];
        QCOMPARE(b.name, a.name);
        QVERIFY(b.kind == kx::RegValue::Kind::Binary);
        QCOMPARE(b.type, a.type);
        QCOMPARE(b.bytes, a.bytes);
    }
    QCOMPARE(old->values[5].bytes.size(), std::size_t(48));
}

void TestRegistry::brokenHiveIsNeverWritten_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    const QByteArray good = "[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"x\"\n";
    QTest::newRow("no header") << good << 1;
    QTest::newRow("unknown header") << "Windows Registry Editor Version 9\n\n" + good << 1;
    QTest::newRow("UTF-16 big endian") << QByteArray("\xFE\xFF\0W", 4) << 1;
}

void TestRegistry::brokenHiveIsNeverWritten() {
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    writeHive(content);
    StderrCapture capture;
    std::string text;
    QCOMPARE(Registry::readString(LM, "K", "v", text), -1);
    QVERIFY(!Registry::keyExists(LM, "K"));
    QVERIFY(!Registry::openFullAccess(LM, "K"));
    QVERIFY(Registry::valueNames(LM, "K").empty());
    QCOMPARE(Registry::writeString(LM, "K", "v", "new"), -1);
    QCOMPARE(Registry::writeDword(LM, "K", "v", 1), -1);
    QCOMPARE(Registry::createKey(LM, "Other"), -1);
    QCOMPARE(Registry::deleteValue(LM, "K", "v"), -1);
    QCOMPARE(readHive(), content);
    const QByteArray said = capture.text();
    QCOMPARE(said.count('\n'), 1);
    QVERIFY2(said.contains(hivePath().toUtf8()), said.constData());
    QVERIFY2(said.contains("line " + QByteArray::number(line) + " "), said.constData());
}

void TestRegistry::unreadableLinesAreSkippedAndKept_data() {
    QTest::addColumn<QByteArray>("bad");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("warnings");
    const auto row = [](const char* tag, const QByteArray& bad, int line = 5, int warnings = 1) {
        QTest::newRow(tag) << bad << line << warnings;
    };
    row("stray line", "garbage");
    row("# is no comment", "# Channel for the office");
    row("unterminated string", "\"w\"=\"open");
    row("unterminated name", "\"w=\"x");
    row("text after string", "\"w\"=\"a\"b");
    row("bad dword digits", "\"w\"=dword:xyz");
    row("dword too long", "\"w\"=dword:123456789");
    row("empty dword", "\"w\"=dword:");
    row("unknown type", "\"w\"=qword:1");
    row("bad hex byte", "\"w\"=hex:01,zz");
    row("hex byte too long", "\"w\"=hex:012");
    row("comment inside a continued value", "\"w\"=hex:01,\\ ;c\n  02");
    row("missing equals", "\"w\" \"x\"");
    // The values under a section that cannot be read belong to no key, not to the one
    // before it.
    row("other hive", "[HKEY_CURRENT_USER\\K]\n\"w\"=\"x\"", 5, 2);
    row("unclosed section", "[HKEY_LOCAL_MACHINE\\K\n\"w\"=\"x\"", 5, 2);
    row("empty key name", "[HKEY_LOCAL_MACHINE\\A\\\\B]\n\"w\"=\"x\"", 5, 2);
    row("value before any section", "\"w\"=\"x\"", 3);
}

// A line the registry editor would not import costs that line only: it is said once with
// file and line, every other value reads, and a rewrite keeps the line as it was.
void TestRegistry::unreadableLinesAreSkippedAndKept() {
    QFETCH(QByteArray, bad);
    QFETCH(int, line);
    QFETCH(int, warnings);
    const QByteArray good = "[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"x\"\n";
    const QByteArray after = "[HKEY_LOCAL_MACHINE\\L]\n\"u\"=\"y\"\n";
    writeHive(line == 3 ? hiveText(bad + "\n" + good + after)
                        : hiveText(good + bad + "\n" + after));
    StderrCapture capture;
    QCOMPARE(readText("K", "v"), std::optional<std::string>("x"));
    QCOMPARE(readText("L", "u"), std::optional<std::string>("y"));
    QCOMPARE(readText("K", "w"), std::nullopt);
    QCOMPARE(Registry::writeString(LM, "K", "added", "z"), 0);
    QCOMPARE(readText("K", "added"), std::optional<std::string>("z"));
    const QByteArray said = capture.text();
    QCOMPARE(said.count('\n'), warnings);
    QVERIFY2(said.contains(hivePath().toUtf8() + ", line " + QByteArray::number(line) + ":"),
             said.constData());
    QVERIFY2(readHive().contains(bad), readHive().constData());
    QCOMPARE(readText("L", "u"), std::optional<std::string>("y"));
}

void TestRegistry::rewriteKeepsWhatThePersonWrote() {
    writeHive("Windows Registry Editor Version 5.00\r\n"
              "; Settings of the office PC\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Net\\0007]\r\n"
              "# tried channel 11 first\r\n"
              "\"RFChannel\"=\"6\" ; the quiet one\r\n"
              "\"SSID\"=\"Lab\r\n"
              "; off until the new keys come\r\n"
              "\"WEPStatus\"=\"0\"\r\n");
    QCOMPARE(Registry::writeString(LM, "Net\\0007", "RFChannel", "11"), 0);
    QCOMPARE(Registry::deleteValue(LM, "Net\\0007", "WEPStatus"), 0);
    QCOMPARE(Registry::writeString(LM, "Net\\0007", "TxDataRate", "15"), 0);
    const QByteArray rewritten = readHive();
    QCOMPARE(rewritten, hiveText("; Settings of the office PC\n"
                                 "\n"
                                 "[HKEY_LOCAL_MACHINE\\Net]\n"
                                 "\n"
                                 "[HKEY_LOCAL_MACHINE\\Net\\0007]\n"
                                 "# tried channel 11 first\n"
                                 "\"RFChannel\"=\"11\" ; the quiet one\n"
                                 "\"TxDataRate\"=\"15\"\n"
                                 "\"SSID\"=\"Lab\n"
                                 "; off until the new keys come\n"
                                 "\n"));
    // Read again, the file gives the same hive: the next write changes only its value.
    QCOMPARE(Registry::writeString(LM, "Net\\0007", "TxDataRate", "4"), 0);
    QCOMPARE(readHive(), QByteArray(rewritten).replace("\"15\"", "\"4\""));
}

void TestRegistry::hostileNamesAreRefused_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("LF in value name") << QByteArray("K") << QByteArray("a\nb");
    QTest::newRow("CR in value name") << QByteArray("K") << QByteArray("a\rb");
    QTest::newRow("control in value name") << QByteArray("K") << QByteArray("a\x01");
    QTest::newRow("DEL in value name") << QByteArray("K") << QByteArray("\x7F");
    QTest::newRow("section in value name")
        << QByteArray("K") << QByteArray("x\"=\"1\"\n[HKEY_LOCAL_MACHINE\\Evil]\n\"y");
    QTest::newRow("LF in key") << QByteArray("K\\a\n[HKEY_LOCAL_MACHINE\\Evil]") << QByteArray("v");
    QTest::newRow("brackets in key") << QByteArray("K\\[Evil]") << QByteArray("v");
    QTest::newRow("closing bracket in key") << QByteArray("K\\a]") << QByteArray("v");
    QTest::newRow("empty component") << QByteArray("K\\\\Sub") << QByteArray("v");
    QTest::newRow("leading backslash") << QByteArray("\\K") << QByteArray("v");
    QTest::newRow("trailing backslash") << QByteArray("K\\") << QByteArray("v");
}

void TestRegistry::hostileNamesAreRefused() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, name);
    QCOMPARE(Registry::createKey(LM, "K"), 0);
    QCOMPARE(Registry::writeString(LM, "K", "v", "safe"), 0);
    const QByteArray before = readHive();
    QCOMPARE(Registry::createKey(LM, str(path)), path == "K" ? 0 : -1);
    QCOMPARE(Registry::writeString(LM, str(path), str(name), "x"), -1);
    QCOMPARE(Registry::writeDword(LM, str(path), str(name), 1), -1);
    QCOMPARE(readHive(), before);
    QCOMPARE(Registry::subKeyNames(LM, ""), std::vector<std::string>{"K"});
    QCOMPARE(readText("K", "v"), std::optional<std::string>("safe"));
}

void TestRegistry::missingKeysAndHives() {
    std::string text;
    std::uint32_t number = 0;
    QCOMPARE(Registry::readString(LM, "A", "v", text), -1);
    QCOMPARE(Registry::readDword(LM, "A", "v", number), -1);
    QVERIFY(!Registry::keyExists(LM, "A"));
    QVERIFY(!Registry::openFullAccess(LM, "A"));
    QCOMPARE(Registry::writeString(LM, "A", "v", "x"), -1);
    QCOMPARE(Registry::writeDword(LM, "A", "v", 1), -1);
    QVERIFY(!QFile::exists(QString::fromStdString(Registry::directory().string())));

    QCOMPARE(Registry::createKey(LM, "A\\B\\C"), 0);
    QVERIFY(QFile::exists(hivePath()));
    QVERIFY(Registry::keyExists(LM, "A"));
    QVERIFY(Registry::keyExists(LM, "A\\B"));
    QVERIFY(Registry::openFullAccess(LM, "A\\B\\C"));
    QVERIFY(!Registry::keyExists(LM, "A\\B\\C\\D"));
    QVERIFY(!Registry::keyExists(LM, "A\\BB"));
    QCOMPARE(Registry::createKey(LM, "A\\B\\C"), 0);
    QCOMPARE(Registry::writeString(LM, "A\\B\\X", "v", "x"), -1);
    QCOMPARE(Registry::readString(LM, "A\\B\\C", "v", text), -1);
    QCOMPARE(Registry::deleteValue(LM, "A\\B\\C", "v"), -1);
    QCOMPARE(Registry::createKey(LM, "A\\D"), 0);
    QCOMPARE(Registry::subKeyNames(LM, "A"), (std::vector<std::string>{"B", "D"}));

    QCOMPARE(Registry::writeString(LM, "A\\B\\C", "v", "x"), 0);
    QCOMPARE(Registry::writeString(LM, "A\\B\\C", "w", "y"), 0);
    QCOMPARE(Registry::deleteValue(LM, "A\\B\\C", "V"), 0);
    QCOMPARE(Registry::readString(LM, "A\\B\\C", "v", text), -1);
    QCOMPARE(Registry::valueNames(LM, "A\\B\\C"), std::vector<std::string>{"w"});
    QCOMPARE(Registry::readString(Hive::CurrentUser, "A\\B\\C", "w", text), -1);
}

void TestRegistry::hiveThatIsNoFile() {
    QVERIFY(QDir().mkpath(hivePath()));
    std::string text;
    QVERIFY(!Registry::keyExists(LM, "K"));
    QCOMPARE(Registry::readString(LM, "K", "v", text), -1);
    QCOMPARE(Registry::createKey(LM, "K"), -1);
    QVERIFY(QFileInfo(hivePath()).isDir());
}

void TestRegistry::failuresSayWhy_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("hive is a directory") << "directory" << QByteArray("is a directory");
    QTest::newRow("hive is a FIFO") << "fifo" << QByteArray("is not a regular file");
    QTest::newRow("hive over the size limit") << "huge" << QByteArray("is larger than 64 MiB");
    QTest::newRow("hive that cannot be read at all")
        << "broken" << QByteArray("does not parse at line 1 (missing registry editor header)");
    QTest::newRow("no such key") << "nokey" << QByteArray("there is no key K");
    // Somebody else's hives, or links to them, are never taken for ours.
    QTest::newRow("hive is a symbolic link") << "link" << QByteArray("is a symbolic link");
    QTest::newRow("directory others may write")
        << "open directory" << QByteArray("may be written by other users");
    QTest::newRow("directory of another user")
        << "foreign directory" << QByteArray("belongs to another user");
}

// The caller tells the user "Settings cannot be saved: <file>: <reason>"; both must be there.
void TestRegistry::failuresSayWhy() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, reason);
    QVERIFY(QDir().mkpath(QString::fromStdString(Registry::directory().string())));
    const std::string file = Registry::hiveFile(LM).string();
    if (kind == "directory")
        QVERIFY(QDir().mkpath(hivePath()));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(file.c_str(), 0600), 0);
    else if (kind == "huge") {
        writeHive(hiveText("[HKEY_LOCAL_MACHINE\\K]\n"));
        QCOMPARE(::truncate(file.c_str(), 65 * 1024 * 1024), 0); // sparse: costs no disk
    } else if (kind == "broken")
        writeHive("[HKEY_LOCAL_MACHINE\\K]\n");
    else if (kind == "link") {
        writeHive(hiveText("[HKEY_LOCAL_MACHINE\\K]\n"));
        const QString planted = m_dir->path() + QStringLiteral("/planted.reg");
        QVERIFY(QFile::rename(hivePath(), planted));
        QVERIFY(QFile::link(planted, hivePath()));
    }
    // These name the registry directory, the others the hive.
    const std::string dir = Registry::directory().string();
    const bool wholeDirectory = kind == "open directory" || kind == "foreign directory";
    if (kind == "open directory")
        QCOMPARE(::chmod(dir.c_str(), 0777), 0);
    if (kind == "foreign directory" && ::chown(dir.c_str(), 65534, 65534) != 0)
        QSKIP("only the administrator can give a directory away");
    StderrCapture quiet;
    QCOMPARE(Registry::writeString(LM, "K", "v", "x"), -1);
    QCOMPARE(Registry::lastFailure().file.string(), wholeDirectory ? dir : file);
    QCOMPARE(QByteArray::fromStdString(Registry::lastFailure().reason), reason);
    QVERIFY(!Registry::openFullAccess(LM, "K"));
    QCOMPARE(QByteArray::fromStdString(Registry::lastFailure().reason), reason);
}

void TestRegistry::heldLockFailsInBoundedTime() {
    QCOMPARE(Registry::createKey(LM, "K"), 0);
    const std::filesystem::path lockFile = Registry::hiveFile(LM).string() + ".lock";
    const std::vector<kx::RegistryDefault> install{{"K\\0007", "MatchingDeviceId", "PCI"}};
    {
        const kx::FileLock other(lockFile, std::chrono::milliseconds(0));
        QVERIFY(other.isHeld());
        QElapsedTimer timer;
        timer.start();
        // What the driver does at its start gives up rather than stall the program.
        QCOMPARE(Registry::ensureValues(LM, install), -1);
        QVERIFY(timer.elapsed() < 10000);
        QCOMPARE(Registry::lastFailure().file.string(), lockFile.string());
        QCOMPARE(Registry::lastFailure().reason, std::string("held by another program"));
        QCOMPARE(Registry::waitForLocks(std::chrono::milliseconds(50)), -1);
        QCOMPARE(Registry::lastFailure().file.string(), lockFile.string());
    }
    QCOMPARE(Registry::waitForLocks(std::chrono::milliseconds(50)), 0);
    QCOMPARE(Registry::ensureValues(LM, install), 0);
    QCOMPARE(Registry::writeString(LM, "K", "v", "x"), 0);

    // Read-only for the rest of a run: every write fails at once, saying why.
    Registry::setReadOnly(kx::RegistryFailure{lockFile, "locked since start-up"});
    QCOMPARE(Registry::writeString(LM, "K", "v", "y"), -1);
    QCOMPARE(Registry::lastFailure().reason, std::string("locked since start-up"));
    QVERIFY(!Registry::openFullAccess(LM, "K"));
    Registry::setReadOnly(std::nullopt);
    QCOMPARE(readText("K", "v"), std::optional<std::string>("x"));
    QCOMPARE(Registry::writeString(LM, "K", "v", "y"), 0);
}

void TestRegistry::filesArePrivate() {
    const auto modeOf = [](const std::filesystem::path& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    // The default place, the one an earlier version created 0755.
    qunsetenv("KXCONFIG_REGISTRY_DIR");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    const auto restore = qScopeGuard([&] {
        if (dataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", dataHome);
    });
    const std::filesystem::path dir = Registry::directory();
    const std::filesystem::path hive = Registry::hiveFile(LM);
    const std::filesystem::path lock = hive.string() + ".lock";
    const mode_t umask = ::umask(0);
    QCOMPARE(Registry::createKey(LM, "K"), 0);
    QCOMPARE(Registry::writeString(LM, "K", "WEPDefaultKeys", "0123456789"), 0);
    ::umask(umask);
    QCOMPARE(modeOf(dir), 0700);
    QCOMPARE(modeOf(hive), 0600);
    QCOMPARE(modeOf(lock), 0600);

    // What an earlier version left open is closed at the next write.
    QCOMPARE(::chmod(dir.c_str(), 0755), 0);
    QCOMPARE(::chmod(hive.c_str(), 0644), 0);
    QCOMPARE(::chmod(lock.c_str(), 0666), 0);
    QCOMPARE(Registry::writeString(LM, "K", "v", "x"), 0);
    QCOMPARE(modeOf(dir), 0700);
    QCOMPARE(modeOf(hive), 0600);
    QCOMPARE(modeOf(lock), 0600);

    // Another local user reads no key, even where the directories above let him pass.
    QCOMPARE(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755), 0);
    QCOMPARE(::chmod(dir.parent_path().c_str(), 0755), 0);
    QCOMPARE(::chmod(dir.c_str(), 0711), 0);
    const int read = kx::test::runAsOrdinaryUser([&] {
        std::string text;
        const int fd = ::open(hive.c_str(), O_RDONLY);
        return (fd < 0 ? 0 : 1) |
               (Registry::readString(LM, "K", "WEPDefaultKeys", text) != 0 ? 0 : 2);
    });
    QCOMPARE(read, 0);
}

// Many adapters' keys cost one write, not two per adapter.
void TestRegistry::missingValuesAreAddedInOneWrite() {
    QCOMPARE(Registry::createKey(LM, "A\\0001"), 0);
    QCOMPARE(Registry::writeString(LM, "A\\0001", "Id", "kept"), 0);
    std::vector<kx::RegistryDefault> defaults{{"A\\0001", "Id", "new"}};
    for (int i = 1; i <= 50; ++i)
        defaults.push_back({"A\\" + std::to_string(1000 + i), "Id", "new"});
    defaults.push_back({"A\\bad]", "Id", "x"});
    QCOMPARE(Registry::ensureValues(LM, defaults), -1);
    QCOMPARE(readText("A\\0001", "Id"), std::optional<std::string>("kept"));
    QCOMPARE(readText("A\\1050", "Id"), std::optional<std::string>("new"));
    QCOMPARE(Registry::subKeyNames(LM, "A").size(), std::size_t(51));
    defaults.pop_back();
    struct stat before {};
    QCOMPARE(::stat(Registry::hiveFile(LM).c_str(), &before), 0);
    QCOMPARE(Registry::ensureValues(LM, defaults), 0);
    struct stat after {};
    QCOMPARE(::stat(Registry::hiveFile(LM).c_str(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino); // nothing was missing: no write
}

void TestRegistry::seesOtherProcessesWrites() {
    QCOMPARE(Registry::createKey(LM, "K"), 0);
    QCOMPARE(Registry::writeString(LM, "K", "v", "old"), 0);
    // Once the file has settled, reads may come from the cache.
    kx::test::ManualClock clock;
    const kx::test::InstalledClock installed(clock);
    clock.advanceMs(2000);
    QCOMPARE(readText("K", "v"), std::optional<std::string>("old"));
    QCOMPARE(exitCodeOf(spawnWriter({"set", "K", "v", "new"})), 0);
    QCOMPARE(readText("K", "v"), std::optional<std::string>("new"));

    // An edit in place that keeps inode, size and modification time is still seen.
    clock.advanceMs(2000);
    QCOMPARE(readText("K", "v"), std::optional<std::string>("new"));
    const std::string file = Registry::hiveFile(LM).string();
    struct stat before {};
    QCOMPARE(::stat(file.c_str(), &before), 0);
    QByteArray content = readHive();
    content.replace("\"new\"", "\"NEW\"");
    {
        QFile f(hivePath());
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.write(content);
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    QCOMPARE(readText("K", "v"), std::optional<std::string>("NEW"));
}

void TestRegistry::readOnlyUserHasNoFullAccess() {
    QCOMPARE(Registry::createKey(LM, "K"), 0);
    QCOMPARE(Registry::writeString(LM, "K", "v", "kept"), 0);
    const QByteArray before = readHive();
    const std::string dir = Registry::directory().string();
    const std::string file = Registry::hiveFile(LM).string();
    QCOMPARE(::chmod(dir.c_str(), 0555), 0);
    QCOMPARE(::chmod(file.c_str(), 0444), 0);

    // Each check that fails sets one bit of the result.
    const auto check = [] {
        int failures = 0;
        std::string text;
        if (Registry::readString(LM, "K", "v", text) != 0 || text != "kept")
            failures |= 1;
        if (Registry::openFullAccess(LM, "K"))
            failures |= 2;
        if (Registry::writeString(LM, "K", "v", "changed") != -1)
            failures |= 4;
        if (Registry::createKey(LM, "K\\New") != -1)
            failures |= 8;
        if (Registry::createKey(LM, "K") != 0 || !Registry::keyExists(LM, "K"))
            failures |= 16;
        // The write names what the user may not write.
        Registry::writeString(LM, "K", "v", "changed");
        if (Registry::lastFailure().file != Registry::directory() ||
            Registry::lastFailure().reason != std::strerror(EACCES))
            failures |= 32;
        return failures;
    };
    QCOMPARE(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755), 0);
    const int failures = kx::test::runAsOrdinaryUser(check);
    ::chmod(dir.c_str(), 0755);
    ::chmod(file.c_str(), 0644);
    QCOMPARE(failures, 0);
    QCOMPARE(readHive(), before);
    // The same hive opens for full access once it may be written again.
    QVERIFY(Registry::openFullAccess(LM, "K"));
}

void TestRegistry::killedWriterNeverTearsTheHive() {
    QCOMPARE(Registry::createKey(LM, "Software\\Kill"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Kill", "sentinel", "stays"), 0);
    QCOMPARE(Registry::writeString(LM, "Software\\Kill", "payload", kx::test::registryPayload(0)),
             0);
    QRandomGenerator random(20240611);
    constexpr int kRounds = 60;
    int killedWhileWriting = 0;
    for (int round = 0; round < kRounds; ++round) {
        int fds[2];
        QCOMPARE(::pipe2(fds, O_CLOEXEC), 0);
        const pid_t pid = spawnWriter({"loop", "Software\\Kill"}, fds[1]);
        ::close(fds[1]);
        QVERIFY(pid > 0);
        // Wait for the first write to have held, then kill at a varied moment.
        pollfd ready{fds[0], POLLIN, 0};
        const bool started = ::poll(&ready, 1, 10000) == 1;
        ::close(fds[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(15000)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        QVERIFY(started);
        if (WIFSIGNALED(status))
            ++killedWhileWriting;

        const std::optional<std::string> payload = readText("Software\\Kill", "payload");
        QVERIFY2(payload.has_value(), "the hive no longer parses");
        QVERIFY2(kx::test::isWholePayload(*payload), payload->substr(0, 40).c_str());
        QCOMPARE(readText("Software\\Kill", "sentinel"), std::optional<std::string>("stays"));
    }
    QCOMPARE(killedWhileWriting, kRounds);
    // The next writer clears the temporary files the killed ones left.
    QCOMPARE(Registry::writeString(LM, "Software\\Kill", "done", "1"), 0);
    const QStringList left = QDir(QString::fromStdString(Registry::directory().string()))
                                 .entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, (QStringList{QStringLiteral("HKEY_LOCAL_MACHINE.reg"),
                                QStringLiteral("HKEY_LOCAL_MACHINE.reg.lock")}));
}

void TestRegistry::concurrentWritersLoseNothing() {
    QCOMPARE(Registry::createKey(LM, "Software\\Both"), 0);
    constexpr int kEach = 120;
    const pid_t first = spawnWriter({"many", "Software\\Both", "a", std::to_string(kEach)});
    const pid_t second = spawnWriter({"many", "Software\\Both", "b", std::to_string(kEach)});
    QVERIFY(first > 0 && second > 0);
    QCOMPARE(exitCodeOf(first), 0);
    QCOMPARE(exitCodeOf(second), 0);
    QCOMPARE(Registry::valueNames(LM, "Software\\Both").size(), std::size_t(2 * kEach));
    for (const char* prefix : {"a", "b"}) {
        for (int i = 0; i < kEach; ++i) {
            std::uint32_t value = 0;
            const std::string name = prefix + std::to_string(i);
            QCOMPARE(Registry::readDword(LM, "Software\\Both", name, value), 0);
            QCOMPARE(value, static_cast<std::uint32_t>(i));
        }
    }
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
