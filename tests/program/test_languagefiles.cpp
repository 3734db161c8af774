#include <QFile>
#include <QProcess>
#include <QtTest>

#include "program/LanguageTable.h"
#include "program/MainTexts.h"
#include "res/TextTables.h"
#include "settings/BasicSettingTexts.h"
#include "settings/WepKeyTexts.h"
#include "tests/support/TestEnv.h"

using kx::LanguageTable;
using kx::test::TestEnv;

namespace {

enum LanguageId { English = 1, German = 2, Chinese = 3 };

// Default for lookups, so a missing key cannot pass for a present one.
const QString kMissing = QStringLiteral("\x01missing");

struct Family {
    const char* pattern;
    QStringList englishLabels;
};

const QList<Family>& families() {
    static const QList<Family> list = {
        {kx::BasicSettingTexts::BS_G_TxRate_Value,
         {"1M bps", "2M bps", "5.5M bps", "11M bps", "Auto", "16.5M bps", "22M bps", "27.5M bps"}},
        {kx::BasicSettingTexts::BS_G_Network_Type_Value,
         {"Ad-Hoc", "Infrastructure", "Pseudo IBSS"}},
        {kx::WepKeyTexts::WS_Authen_Mode_Value, {"Open System", "Shared Key", "Auto"}},
    };
    return list;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

} // namespace

class TestLanguageFiles final : public QObject {
    Q_OBJECT

    static void addFileColumn() {
        QTest::addColumn<QString>("file");
        QTest::newRow("KXMLu.INI") << QStringLiteral("KXMLu.INI");
        QTest::newRow("KXMLa.INI") << QStringLiteral("KXMLa.INI");
    }

    static void openProgramFile(LanguageTable& table, const QString& file, int id) {
        QVERIFY2(table.open(TestEnv::programDir() + file, QStringLiteral("LANGUAGES")),
                 qPrintable(TestEnv::programDir() + file));
        QCOMPARE(table.count(), 3);
        QVERIFY(table.select(id));
    }

private slots:
    void keyCountsMatchTheWindows() {
        QHash<QString, qsizetype> counts;
        qsizetype total = 0;
        QSet<QString> keys;
        for (const kx::TextTable& table : kx::allTextTables()) {
            counts.insert(QString::fromLatin1(table.name), table.texts.size());
            total += table.texts.size();
            for (const kx::LangText& text : table.texts)
                keys.insert(QString::fromLatin1(text.key).toLower());
        }
        QCOMPARE(counts.value(QStringLiteral("MainTexts")), 76);
        QCOMPARE(counts.value(QStringLiteral("BasicSettingTexts")), 26);
        QCOMPARE(counts.value(QStringLiteral("AdvancedSettingTexts")), 7);
        QCOMPARE(counts.value(QStringLiteral("WepKeyTexts")), 15);
        QCOMPARE(counts.value(QStringLiteral("InformationTexts")), 14);
        QCOMPARE(total, 138);
        QCOMPARE(keys.size(), 138); // no key twice, in any case
    }

    void englishEqualsTheDefaults_data() { addFileColumn(); }
    void englishEqualsTheDefaults() {
        QFETCH(QString, file);
        TestEnv env;
        LanguageTable table;
        openProgramFile(table, file, English);
        for (const kx::TextTable& texts : kx::allTextTables()) {
            for (const kx::LangText& text : texts.texts) {
                const QString key = QString::fromLatin1(text.key);
                QCOMPARE(table.lookup(key, kMissing), QString::fromUtf8(text.text));
            }
        }
        for (const Family& family : families())
            QCOMPARE(table.family(family.pattern), family.englishLabels);
        // The list label after a scan reads the same as the layout's in a language file.
        QCOMPARE(table.text(kx::MainTexts::MP_STA_Available_Network_Normal),
                 QStringLiteral("Available Network:"));
    }

    void everyLanguageHasEveryText_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("id");
        for (const char* file : {"KXMLu.INI", "KXMLa.INI"}) {
            QTest::addRow("%s German", file) << QString::fromLatin1(file) << int(German);
            QTest::addRow("%s Chinese", file) << QString::fromLatin1(file) << int(Chinese);
        }
    }
    void everyLanguageHasEveryText() {
        QFETCH(QString, file);
        QFETCH(int, id);
        TestEnv env;
        LanguageTable table;
        openProgramFile(table, file, id);
        for (const kx::TextTable& texts : kx::allTextTables()) {
            for (const kx::LangText& text : texts.texts) {
                const QString value = table.lookup(QString::fromLatin1(text.key), kMissing);
                QVERIFY2(value != kMissing && !value.isEmpty(), text.key);
            }
        }
        for (const Family& family : families())
            QCOMPARE(table.family(family.pattern).size(), family.englishLabels.size());
    }

    void translatedTextsAreServed_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("disconnected");
        QTest::addColumn<QString>("title");
        QTest::newRow("German, Unicode file")
            << QStringLiteral("KXMLu.INI") << int(German) << QStringLiteral("Nicht verbunden.")
            << QStringLiteral("Tolva WLAN-Konfigurationsprogramm");
        QTest::newRow("Chinese, Unicode file")
            << QStringLiteral("KXMLu.INI") << int(Chinese) << QStringLiteral("未連線。")
            << QStringLiteral("Tolva 無線網路設定工具");
        QTest::newRow("Chinese, UTF-8 file")
            << QStringLiteral("KXMLa.INI") << int(Chinese) << QStringLiteral("未連線。")
            << QStringLiteral("Tolva 無線網路設定工具");
    }
    void translatedTextsAreServed() {
        QFETCH(QString, file);
        QFETCH(int, id);
        QFETCH(QString, disconnected);
        QFETCH(QString, title);
        TestEnv env;
        LanguageTable table;
        openProgramFile(table, file, id);
        QCOMPARE(table.text(kx::MainTexts::MP_STA_Link_Status_Disc), disconnected);
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), title);
    }

    void descriptionsAreInTheCurrentLanguage_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("descriptions");
        QTest::newRow("English") << int(English)
                                 << QStringList{"English", "German", "Chinese (Traditional)"};
        QTest::newRow("German") << int(German)
                                << QStringList{"Englisch", "Deutsch", "Chinesisch (traditionell)"};
        QTest::newRow("Chinese") << int(Chinese) << QStringList{"英文", "德文", "繁體中文"};
    }
    void descriptionsAreInTheCurrentLanguage() {
        QFETCH(int, id);
        QFETCH(QStringList, descriptions);
        TestEnv env;
        LanguageTable table;
        openProgramFile(table, QStringLiteral("KXMLu.INI"), id);
        QCOMPARE(table.descriptions(), descriptions);
    }

    void trayTooltipFitsInEveryLanguage() {
        TestEnv env;
        LanguageTable table;
        openProgramFile(table, QStringLiteral("KXMLu.INI"), English);
        for (int id = English; id <= Chinese; ++id) {
            QVERIFY(table.select(id));
            QVERIFY(table.text(kx::MainTexts::MP_Small_Icon_Tip).size() <= 63);
        }
    }

    void fileEncodings() {
        const QByteArray wide = readFile(TestEnv::programDir() + QStringLiteral("KXMLu.INI"));
        const QByteArray narrow = readFile(TestEnv::programDir() + QStringLiteral("KXMLa.INI"));
        QVERIFY(wide.startsWith("\xFF\xFE"));
        QVERIFY(wide.size() % 2 == 0);
        const QString decoded = QString::fromUtf16(
            reinterpret_cast<const char16_t*>(wide.constData() + 2), (wide.size() - 2) / 2);
        QCOMPARE(decoded, QString::fromUtf8(narrow));
        // CRLF line ends only.
        QCOMPARE(narrow.count('\n'), narrow.count("\r\n"));
        QVERIFY(narrow.contains("[LANGUAGES]\r\nLanguage_1_Section="));
    }

    // The generator refuses sources the program would misread.
    void generatorChecksItsSources_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<bool>("accepted");

        const QByteArray title = "MP_Dialog_Title=Tolva Wireless LAN Configuration Tool\n";
        QTest::newRow("unchanged") << title << title << true;
        QTest::newRow("doubled percent") << title << title + "Extra_Text=100%% done\n" << true;
        QTest::newRow("single percent") << title << title + "Extra_Text=100% done\n" << false;
        QTest::newRow("format directive") << title << title + "Extra_Text=%s\n" << false;
        QTest::newRow("line without '='") << title << title + "Extra text\n" << false;
        QTest::newRow("duplicate key") << title << title + "mp_dialog_title=Again\n" << false;
        QTest::newRow("missing text") << title << QByteArray() << false;
        QTest::newRow("empty text") << title << QByteArray("MP_Dialog_Title=\n") << false;
        QTest::newRow("second section") << title << title + "[Other]\n" << false;
        QTest::newRow("invalid UTF-8") << title << title + "Extra_Text=\xC3\x28\n" << false;
    }
    void generatorChecksItsSources() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, accepted);
        TestEnv env;
        QByteArray source = readFile(QStringLiteral(KX_LANG_SOURCE_DIR "/01-English.ini"));
        QVERIFY(source.contains(from));
        source.replace(from, to);
        const QString sourcePath = env.path() + QStringLiteral("/01-English.ini");
        writeFile(sourcePath, source);
        const QString wide = env.path() + QStringLiteral("/KXMLu.INI");
        const QString narrow = env.path() + QStringLiteral("/KXMLa.INI");

        QProcess generator;
        generator.start(QStringLiteral(KX_LANGGEN), {wide, narrow, sourcePath});
        QVERIFY(generator.waitForFinished(30000));
        QCOMPARE(generator.exitCode() == 0, accepted);
        QCOMPARE(QFile::exists(wide), accepted);
        QCOMPARE(QFile::exists(narrow), accepted);
        if (!accepted)
            QVERIFY(!generator.readAllStandardError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLanguageFiles)
#include "test_languagefiles.moc"
