#include "platform/PrivateProfile.h"
#include "tests/support/ManualClock.h"
#include "tests/support/OrdinaryUser.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using kx::PrivateProfile;

namespace {

constexpr std::size_t kCapacity = 256;

QByteArray utf16le(const QString& text, bool bom = true) {
    QByteArray bytes = bom ? QByteArray("\xFF\xFE") : QByteArray();
    for (QChar c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    return bytes;
}

std::u16string u16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

QString fromU16(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

} // namespace

class TestPrivateProfile final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void readsLikeThePrivateProfileRoutines_data();
    void readsLikeThePrivateProfileRoutines();
    void cutsToCapacity_data();
    void cutsToCapacity();
    void integers_data();
    void integers();
    void unreadableFilesGiveDefaults();
    void noPermissionGivesDefaults();
    void hugeAndBinaryFiles();
    void changedFileIsSeen();
    void lookupsDoNotReparse();
    void readersSurviveRewrites();

private:
    std::filesystem::path write(const QByteArray& content,
                                const QString& name = QStringLiteral("t.ini"));
    QString get(const std::filesystem::path& file, const QString& section, const QString& key,
                std::size_t capacity = kCapacity);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPrivateProfile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

std::filesystem::path TestPrivateProfile::write(const QByteArray& content, const QString& name) {
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    return path.toStdString();
}

QString TestPrivateProfile::get(const std::filesystem::path& file, const QString& section,
                                const QString& key, std::size_t capacity) {
    return fromU16(PrivateProfile::getString(u16(section), u16(key), u"DEF", file, capacity));
}

void TestPrivateProfile::readsLikeThePrivateProfileRoutines_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString s = QStringLiteral("S");
    const QString k = QStringLiteral("k");
    const QString v = QStringLiteral("v");
    const QString dflt = QStringLiteral("DEF");
    QTest::newRow("plain") << QByteArray("[S]\nk=v\n") << s << k << v;
    QTest::newRow("names ignore case") << QByteArray("[Sec]\nKey=v") << "sEC"
                                       << "KEY" << v;
    QTest::newRow("blanks around names and =")
        << QByteArray("  [ S ]  \n  k  =  v  \n") << s << k << v;
    QTest::newRow("blanks in caller's names") << QByteArray("[S]\nk=v") << " S "
                                              << "\tk" << v;
    QTest::newRow("tabs, inner blank kept")
        << QByteArray("[S]\n\tk\t=\tv w\t\n") << s << k << "v w";
    QTest::newRow("double quotes") << QByteArray("[S]\nk=\"  v  \"") << s << k << "  v  ";
    QTest::newRow("single quotes") << QByteArray("[S]\nk= 'v' ") << s << k << v;
    QTest::newRow("mismatched quotes") << QByteArray("[S]\nk=\"v'") << s << k << "\"v'";
    QTest::newRow("lone quote") << QByteArray("[S]\nk=\"") << s << k << "\"";
    QTest::newRow("quotes inside") << QByteArray("[S]\nk=a\"b\"") << s << k << "a\"b\"";
    QTest::newRow("empty quotes") << QByteArray("[S]\nk=\"\"") << s << k << "";
    QTest::newRow("comments") << QByteArray("[S]\n;k=x\n  ;k=y\nk=v") << s << k << v;
    QTest::newRow("semicolon inside a value") << QByteArray("[S]\nk=a;b") << s << k << "a;b";
    QTest::newRow("equals inside a value") << QByteArray("[S]\nk=a=b") << s << k << "a=b";
    QTest::newRow("first key wins") << QByteArray("[S]\nk=1\nK=2") << s << k << "1";
    QTest::newRow("first section wins")
        << QByteArray("[S]\nk=1\n[T]\n[s]\nk=2\nj=3") << s << k << "1";
    QTest::newRow("repeated section is ignored")
        << QByteArray("[S]\nk=1\n[T]\n[s]\nk=2\nj=3") << s << "j" << dflt;
    QTest::newRow("empty value") << QByteArray("[S]\nk=\nj=x") << s << k << "";
    QTest::newRow("blank value") << QByteArray("[S]\nk=  \t") << s << k << "";
    QTest::newRow("missing key") << QByteArray("[S]\nj=v") << s << k << dflt;
    QTest::newRow("missing section") << QByteArray("[T]\nk=v") << s << k << dflt;
    QTest::newRow("empty file") << QByteArray() << s << k << dflt;
    QTest::newRow("key before any section") << QByteArray("k=v\n[S]\n") << s << k << dflt;
    QTest::newRow("line without =") << QByteArray("[S]\nk\nk=v") << s << k << v;
    QTest::newRow("key of a line without =") << QByteArray("[S]\nk v\n") << s << "k v" << dflt;
    QTest::newRow("section without ]") << QByteArray("[S\nk=v") << s << k << v;
    QTest::newRow("text after ]") << QByteArray("[S] x\nk=v") << s << k << v;
    QTest::newRow("CRLF") << QByteArray("[S]\r\nk=v\r\nj=w\r\n") << s << k << v;
    QTest::newRow("CR only") << QByteArray("[S]\rk=v\r") << s << k << v;
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[S]\nk=\xC3\xA9t\xC3\xA9") << s << k
                               << QStringLiteral("\u00E9t\u00E9");
    QTest::newRow("UTF-8 without BOM")
        << QByteArray("[S]\nk=\xE6\x97\xA5") << s << k << QStringLiteral("\u65E5");
    QTest::newRow("invalid UTF-8")
        << QByteArray("[S]\nk=a\xFFz") << s << k << QStringLiteral("a\uFFFDz");
    QTest::newRow("UTF-16LE BOM") << utf16le(QStringLiteral("[S]\r\nk=\u65E5\u672C\r\n")) << s << k
                                  << QStringLiteral("\u65E5\u672C");
    QTest::newRow("UTF-16LE odd length")
        << utf16le(QStringLiteral("[S]\r\nk=v")) + 'x' << s << k << v;
    QTest::newRow("UTF-16LE surrogate pair")
        << utf16le(QStringLiteral("[S]\nk=\U0001F600")) << s << k << QStringLiteral("\U0001F600");
    QTest::newRow("Latin-1 section case")
        << QByteArray("[\xC3\x84rger]\nk=v") << QStringLiteral("\u00E4RGER") << k << v;
    QTest::newRow("Cyrillic key case") << QByteArray("[S]\n\xD0\xAF\xD0\x97\xD0\xAB\xD0\x9A=v") << s
                                       << QStringLiteral("\u044F\u0437\u044B\u043A") << v;
    QTest::newRow("NUL ends a line") << QByteArray("[S]\nk=a\0b\nj=c", 14) << s << k << "a";
    QTest::newRow("line after NUL") << QByteArray("[S]\nk=a\0b\nj=c", 14) << s << "j"
                                    << "c";
}

void TestPrivateProfile::readsLikeThePrivateProfileRoutines() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(get(write(file), section, key), expected);
}

void TestPrivateProfile::cutsToCapacity_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << "k" << 7 << "abcdef";
    QTest::newRow("cut") << "k" << 4 << "abc";
    QTest::newRow("room for the terminator only") << "k" << 1 << "";
    QTest::newRow("no room") << "k" << 0 << "";
    QTest::newRow("default is cut too") << "missing" << 3 << "DE";
    QTest::newRow("not inside a surrogate pair") << "e" << 3 << "a";
    QTest::newRow("whole surrogate pair") << "e" << 4 << QStringLiteral("a\U0001F600");
}

void TestPrivateProfile::cutsToCapacity() {
    QFETCH(QString, key);
    QFETCH(int, capacity);
    QFETCH(QString, expected);
    const auto file = write(QByteArray("[S]\nk=abcdef\ne=a\xF0\x9F\x98\x80\n"));
    QCOMPARE(get(file, QStringLiteral("S"), key, static_cast<std::size_t>(capacity)), expected);
}

void TestPrivateProfile::integers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("number") << QByteArray("42") << 42;
    QTest::newRow("blanks") << QByteArray("  42\t") << 42;
    QTest::newRow("plus") << QByteArray("+7") << 7;
    QTest::newRow("minus") << QByteArray("-13") << -13;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("trailing text") << QByteArray("12abc") << 12;
    QTest::newRow("decimal point") << QByteArray("1.5") << 1;
    QTest::newRow("quoted") << QByteArray("\"5\"") << 5;
    QTest::newRow("hex is not read") << QByteArray("0x10") << 0;
    QTest::newRow("letters") << QByteArray("abc") << 0;
    // An empty value is the default (77), as a missing one; "Fail_Avoid_Count=" must not
    // read as 0.
    QTest::newRow("empty") << QByteArray("") << 77;
    QTest::newRow("blanks only") << QByteArray(" \t ") << 77;
    QTest::newRow("empty quotes") << QByteArray("\"\"") << 77;
    QTest::newRow("sign only") << QByteArray("-") << 0;
    QTest::newRow("blank after sign") << QByteArray("- 5") << 0;
    QTest::newRow("double sign") << QByteArray("--5") << 0;
    QTest::newRow("int max") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("int min") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("saturates above") << QByteArray("2147483648") << 2147483647;
    QTest::newRow("saturates below") << QByteArray("-2147483649") << int(-2147483647 - 1);
    QTest::newRow("very long number") << QByteArray(400, '9') << 2147483647;
}

void TestPrivateProfile::integers() {
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    const auto file = write("[S]\nk=" + value + "\n");
    QCOMPARE(PrivateProfile::getInt(u"s", u"K", 77, file), expected);
    QCOMPARE(PrivateProfile::getInt(u"S", u"missing", 77, file), 77);
}

void TestPrivateProfile::unreadableFilesGiveDefaults() {
    const std::filesystem::path dir = m_dir->path().toStdString();
    QCOMPARE(get(dir / "missing.ini", "S", "k"), QStringLiteral("DEF"));
    QCOMPARE(get(dir, "S", "k"), QStringLiteral("DEF"));
    QCOMPARE(PrivateProfile::getInt(u"S", u"k", -5, dir), -5);
    // A FIFO with no writer must not block the reader.
    const std::filesystem::path fifo = dir / "fifo.ini";
    QCOMPARE(::mkfifo(fifo.c_str(), 0644), 0);
    QCOMPARE(get(fifo, "S", "k"), QStringLiteral("DEF"));
    QCOMPARE(get("/dev/zero", "S", "k"), QStringLiteral("DEF"));

    // What start-up says about a KXConfig.INI it cannot use.
    QCOMPARE(PrivateProfile::unreadableReason(dir / "missing.ini"),
             std::string("No such file or directory"));
    QCOMPARE(PrivateProfile::unreadableReason(dir), std::string("is a directory"));
    QCOMPARE(PrivateProfile::unreadableReason(fifo), std::string("is not a regular file"));
    QCOMPARE(PrivateProfile::unreadableReason(write("[S]\n")), std::string());
}

void TestPrivateProfile::noPermissionGivesDefaults() {
    const auto file = write("[S]\nk=v\n");
    QCOMPARE(::chmod(file.c_str(), 0), 0);
    QCOMPARE(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755), 0);
    const int read = kx::test::runAsOrdinaryUser([&] {
        return PrivateProfile::getString(u"S", u"k", u"DEF", file, kCapacity) == u"DEF" ? 0 : 1;
    });
    const QString result = read == 0 ? QStringLiteral("DEF") : QStringLiteral("read");
    QCOMPARE(result, QStringLiteral("DEF"));
}

void TestPrivateProfile::hugeAndBinaryFiles() {
    const QByteArray huge = "[S]\nk=" + QByteArray(10 * 1024 * 1024, 'x') + "\nj=after\n";
    const auto hugeFile = write(huge, QStringLiteral("huge.ini"));
    QCOMPARE(get(hugeFile, "S", "k"), QString(255, u'x'));
    QCOMPARE(get(hugeFile, "S", "j"), QStringLiteral("after"));

    QRandomGenerator random(7);
    for (const QByteArray& prefix : {QByteArray(), QByteArray("\xFF\xFE"), QByteArray("\xFE\xFF"),
                                     QByteArray("\xEF\xBB\xBF[S]\nk=")}) {
        QByteArray noise(256 * 1024, '\0');
        for (char& c : noise)
            c = static_cast<char>(random.bounded(256));
        const auto file = write(prefix + noise, QStringLiteral("noise.ini"));
        QVERIFY(get(file, "S", "k").size() < qsizetype(kCapacity));
        (void)PrivateProfile::getInt(u"S", u"k", 1, file);
    }
}

void TestPrivateProfile::changedFileIsSeen() {
    const auto file = write("[S]\nk=one\n");
    QCOMPARE(get(file, "S", "k"), QStringLiteral("one"));
    write("[S]\nk=three\n");
    QCOMPARE(get(file, "S", "k"), QStringLiteral("three"));

    // Once settled the file is served from the cache; an edit that keeps its inode,
    // size and modification time must still be seen.
    kx::test::ManualClock clock;
    const kx::test::InstalledClock installed(clock);
    clock.advanceMs(2000);
    QCOMPARE(get(file, "S", "k"), QStringLiteral("three"));
    struct stat before {};
    QCOMPARE(::stat(file.c_str(), &before), 0);
    {
        QFile f(QString::fromStdString(file.string()));
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.write("[S]\nk=seven\n");
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    QCOMPARE(get(file, "S", "k"), QStringLiteral("seven"));
}

void TestPrivateProfile::lookupsDoNotReparse() {
    QByteArray content = "[LANGUAGES]\nLanguage_1_Section=English\n[English]\n";
    for (int i = 0; content.size() < 2 * 1024 * 1024; ++i)
        content += "Text_Key_" + QByteArray::number(i) + " = Some text of the window " +
                   QByteArray::number(i) + "\n";
    const auto file = write(content);
    kx::test::ManualClock clock;
    const kx::test::InstalledClock installed(clock);
    clock.advanceMs(2000);
    QCOMPARE(get(file, "English", "Text_Key_10"), QStringLiteral("Some text of the window 10"));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 1000 && timer.elapsed() < 3000; ++i) {
        const QString key = QStringLiteral("text_key_%1").arg(i * 7);
        QCOMPARE(get(file, "ENGLISH", key),
                 QStringLiteral("Some text of the window %1").arg(i * 7));
    }
    // Parsing the file for each lookup takes well over a minute.
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

void TestPrivateProfile::readersSurviveRewrites() {
    const auto file = write("[S]\nk=old\n");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    const auto reader = [&] {
        while (!stop) {
            const std::u16string v = PrivateProfile::getString(u"S", u"k", u"", file, kCapacity);
            if (v != u"old" && v != u"newer" && v != u"")
                ++bad;
        }
    };
    std::thread first(reader);
    std::thread second(reader);
    int failedRenames = 0;
    for (int i = 0; i < 200; ++i) {
        const QByteArray content = i % 2 ? "[S]\nk=old\n" : "[S]\nk=newer\n";
        const std::string temp = file.string() + ".new";
        QFile f(QString::fromStdString(temp));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(content);
        f.close();
        if (::rename(temp.c_str(), file.c_str()) != 0)
            ++failedRenames;
    }
    stop = true;
    first.join();
    second.join();
    QCOMPARE(failedRenames, 0);
    QCOMPARE(bad.load(), 0);
}

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "test_privateprofile.moc"
