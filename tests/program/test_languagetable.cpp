#include <QFile>
#include <QtTest>

#include "program/LanguageTable.h"
#include "program/MainTexts.h"
#include "settings/BasicSettingTexts.h"
#include "tests/support/ManualClock.h"
#include "tests/support/TestEnv.h"

using kx::LanguageTable;
using kx::test::TestEnv;

namespace {

const QString kList = QStringLiteral("LANGUAGES");

// Two languages, English and a second one whose texts differ.
const QByteArray kTwoLanguages = "[LANGUAGES]\n"
                                 "Language_1_Section=English\n"
                                 "Language_2_Section=Second\n"
                                 "[English]\n"
                                 "Language_1_Description=English\n"
                                 "Language_2_Description=Second language\n"
                                 "MP_Dialog_Title=Title one\n"
                                 "[Second]\n"
                                 "Language_1_Description=First, said in two\n"
                                 "Language_2_Description=Two\n"
                                 "MP_Dialog_Title=Title two\n";

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

// One language whose section holds the given lines.
QByteArray oneLanguage(const QByteArray& lines) {
    return "[LANGUAGES]\nLanguage_1_Section=Only\n[Only]\n" + lines;
}

} // namespace

class TestLanguageTable final : public QObject {
    Q_OBJECT

    QString writeLanguages(const TestEnv& env, const QByteArray& content) {
        const QString path = env.path() + QStringLiteral("/KXMLu.INI");
        writeFile(path, content);
        return path;
    }

private slots:
    void languageList_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");

        QTest::newRow("two languages") << kTwoLanguages << 2;
        QTest::newRow("gap after language 1")
            << QByteArray("[LANGUAGES]\nLanguage_1_Section=A\nLanguage_3_Section=C\n") << 1;
        QTest::newRow("empty value ends the list")
            << QByteArray("[LANGUAGES]\nLanguage_1_Section=\nLanguage_2_Section=B\n") << 0;
        QTest::newRow("no list section") << QByteArray("[English]\nMP_Dialog_Title=x\n") << 0;
        QTest::newRow("list names in any case")
            << QByteArray("[languages]\nlanguage_1_section=A\nLANGUAGE_2_SECTION=B\n") << 2;
    }
    void languageList() {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        TestEnv env;
        LanguageTable table;
        QCOMPARE(table.open(writeLanguages(env, content), kList), count > 0);
        QCOMPARE(table.count(), count);
        QCOMPARE(table.currentId(), count > 0 ? 1 : -1);
        QCOMPARE(table.descriptions().size(), count);
    }

    void missingFileRunsOnDefaults() {
        TestEnv env;
        LanguageTable table;
        QVERIFY(!table.open(env.path() + QStringLiteral("/none.INI"), kList));
        QCOMPARE(table.count(), 0);
        QCOMPARE(table.currentId(), -1);
        QVERIFY(table.descriptions().isEmpty());
        QVERIFY(!table.select(1));
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title),
                 QStringLiteral("Tolva Wireless LAN Configuration Tool"));
        QCOMPARE(table.lookup(QStringLiteral("Any_Key"), QStringLiteral("50%% off")),
                 QStringLiteral("50% off"));
        QVERIFY(table.family(kx::BasicSettingTexts::BS_G_TxRate_Value).isEmpty());
    }

    void reopeningAMissingFileForgetsTheOldOne() {
        TestEnv env;
        LanguageTable table;
        QVERIFY(table.open(writeLanguages(env, kTwoLanguages), kList));
        QVERIFY(table.select(2));
        QVERIFY(!table.open(env.path() + QStringLiteral("/none.INI"), kList));
        QCOMPARE(table.currentId(), -1);
        QVERIFY(table.descriptions().isEmpty());
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title),
                 QStringLiteral("Tolva Wireless LAN Configuration Tool"));
    }

    void selectReadsTheDescriptionsOfTheLanguage() {
        TestEnv env;
        LanguageTable table;
        table.open(writeLanguages(env, kTwoLanguages), kList);
        QCOMPARE(table.descriptions(),
                 (QStringList{QStringLiteral("English"), QStringLiteral("Second language")}));
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title one"));

        QVERIFY(table.select(2));
        QCOMPARE(table.currentId(), 2);
        QCOMPARE(table.descriptions(),
                 (QStringList{QStringLiteral("First, said in two"), QStringLiteral("Two")}));
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title two"));
    }

    void selectOutsideTheListChangesNothing_data() {
        QTest::addColumn<int>("id");
        QTest::newRow("0") << 0;
        QTest::newRow("-1") << -1;
        QTest::newRow("count + 1") << 3;
        QTest::newRow("5") << 5;
    }
    void selectOutsideTheListChangesNothing() {
        QFETCH(int, id);
        TestEnv env;
        LanguageTable table;
        table.open(writeLanguages(env, kTwoLanguages), kList);
        QVERIFY(table.select(2));
        QVERIFY(!table.select(id));
        QCOMPARE(table.currentId(), 2);
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title two"));
    }

    void missingDescriptionShowsTheSectionName() {
        TestEnv env;
        LanguageTable table;
        table.open(writeLanguages(env, "[LANGUAGES]\nLanguage_1_Section=English\n"
                                       "Language_2_Section=Deutsch\n"
                                       "[English]\nLanguage_1_Description=English\n"),
                   kList);
        QCOMPARE(table.descriptions(),
                 (QStringList{QStringLiteral("English"), QStringLiteral("Deutsch")}));
    }

    void lookupText_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");

        QTest::newRow("doubled percent")
            << QByteArray("Key=100%% done") << QStringLiteral("100% done");
        QTest::newRow("format directive shown as is")
            << QByteArray("Key=%s and %d") << QStringLiteral("%s and %d");
        QTest::newRow("single percent at the end")
            << QByteArray("Key=50%") << QStringLiteral("50%");
        QTest::newRow("three percents") << QByteArray("Key=a%%%b") << QStringLiteral("a%%b");
        QTest::newRow("four percents") << QByteArray("Key=%%%%") << QStringLiteral("%%");
        QTest::newRow("empty value is an empty text") << QByteArray("Key=") << QString();
        QTest::newRow("missing key gives the default")
            << QByteArray("Other=x") << QStringLiteral("Default");
        QTest::newRow("key in any case") << QByteArray("KEY=upper") << QStringLiteral("upper");
        QTest::newRow("UTF-8 text") << QByteArray("Key=Verbindungsqualit\xC3\xA4t")
                                    << QStringLiteral("Verbindungsqualität");
    }
    void lookupText() {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        TestEnv env;
        LanguageTable table;
        table.open(writeLanguages(env, oneLanguage(line + "\n")), kList);
        QCOMPARE(table.lookup(QStringLiteral("Key"), QStringLiteral("Default")), expected);
    }

    void utf16FileIsRead() {
        TestEnv env;
        const QString text = QStringLiteral("[LANGUAGES]\r\nLanguage_1_Section=Chinese\r\n"
                                            "[Chinese]\r\nMP_STA_Link_Status_Disc=未連線。\r\n");
        QByteArray bytes("\xFF\xFE", 2);
        for (const QChar c : text) {
            bytes += static_cast<char>(c.unicode() & 0xFF);
            bytes += static_cast<char>(c.unicode() >> 8);
        }
        LanguageTable table;
        QVERIFY(table.open(writeLanguages(env, bytes), kList));
        QCOMPARE(table.text(kx::MainTexts::MP_STA_Link_Status_Disc), QStringLiteral("未連線。"));
    }

    void changedFileIsSeenAtTheNextLookup() {
        TestEnv env;
        LanguageTable table;
        const QString path = writeLanguages(env, oneLanguage("Key=before\n"));
        table.open(path, kList);
        QCOMPARE(table.lookup(QStringLiteral("Key"), QString()), QStringLiteral("before"));
        writeFile(path, oneLanguage("Key=after the edit\nLanguage_1_Description=Renamed\n"));
        QCOMPARE(table.lookup(QStringLiteral("Key"), QString()), QStringLiteral("after the edit"));
        QVERIFY(table.select(1));
        QCOMPARE(table.descriptions(), QStringList{QStringLiteral("Renamed")});
    }

    // A settled file's texts are kept between lookups; neither an edit of the file nor
    // another language may leave the old ones in use.
    void keptTextsFollowTheFileAndTheLanguage() {
        TestEnv env;
        kx::test::ManualClock clock;
        const kx::test::InstalledClock installed(clock);
        const QString path = writeLanguages(env, kTwoLanguages);
        clock.advanceMs(5000);
        LanguageTable table;
        QVERIFY(table.open(path, kList));
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title one"));
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title one"));
        QVERIFY(table.select(2));
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title two"));

        QByteArray edited = kTwoLanguages;
        edited.replace("Title two", "Title two, edited");
        writeFile(path, edited);
        clock.advanceMs(5000);
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title two, edited"));
        QVERIFY(table.select(1));
        QCOMPARE(table.text(kx::MainTexts::MP_Dialog_Title), QStringLiteral("Title one"));
    }

    void overlongValuesAreCut() {
        TestEnv env;
        const QByteArray section(250, 'S');
        const QByteArray description(600, 'D');
        const QByteArray text(3000, 'T');
        LanguageTable table;
        table.open(writeLanguages(env, "[LANGUAGES]\nLanguage_1_Section=Only\n"
                                       "Language_2_Section=" +
                                           section +
                                           "\n[Only]\n"
                                           "Language_1_Description=" +
                                           description +
                                           "\n"
                                           "Key=" +
                                           text + "\n"),
                   kList);
        QCOMPARE(table.count(), 2);
        QCOMPARE(table.descriptions().at(0), QString(511, u'D'));
        // No description for language 2: its (cut) section name stands in.
        QCOMPARE(table.descriptions().at(1), QString(199, u'S'));
        QCOMPARE(table.lookup(QStringLiteral("Key"), QString()), QString(2047, u'T'));
    }

    void familyEndsAtTheFirstEmptyEntry_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("three entries")
            << QByteArray("BS_G_Network_Type_Value_1=Ad-Hoc\nBS_G_Network_Type_Value_2=Infra\n"
                          "BS_G_Network_Type_Value_3=PIBSS\n")
            << QStringList{QStringLiteral("Ad-Hoc"), QStringLiteral("Infra"),
                           QStringLiteral("PIBSS")};
        QTest::newRow("gap ends it")
            << QByteArray("BS_G_Network_Type_Value_1=A\nBS_G_Network_Type_Value_3=C\n")
            << QStringList{QStringLiteral("A")};
        QTest::newRow("empty entry ends it")
            << QByteArray("BS_G_Network_Type_Value_1=A\nBS_G_Network_Type_Value_2=\n"
                          "BS_G_Network_Type_Value_3=C\n")
            << QStringList{QStringLiteral("A")};
        QTest::newRow("none") << QByteArray() << QStringList();
        QTest::newRow("percent rule applies") << QByteArray("BS_G_Network_Type_Value_1=100%%\n")
                                              << QStringList{QStringLiteral("100%")};
    }
    void familyEndsAtTheFirstEmptyEntry() {
        QFETCH(QByteArray, lines);
        QFETCH(QStringList, expected);
        TestEnv env;
        LanguageTable table;
        table.open(writeLanguages(env, oneLanguage(lines)), kList);
        QCOMPARE(table.family(kx::BasicSettingTexts::BS_G_Network_Type_Value), expected);
    }

    void familyEntryByNumber() {
        TestEnv env;
        LanguageTable table;
        table.open(writeLanguages(env, oneLanguage("BS_G_TxRate_Value_5=Auto\n")), kList);
        QCOMPARE(table.familyEntry(kx::BasicSettingTexts::BS_G_TxRate_Value, 5),
                 QStringLiteral("Auto"));
        QCOMPARE(table.familyEntry(kx::BasicSettingTexts::BS_G_TxRate_Value, 1), QString());
    }

    void runawayFamilyIsCapped() {
        TestEnv env;
        QByteArray lines;
        for (int n = 1; n <= 100; ++n)
            lines += "BS_G_TxRate_Value_" + QByteArray::number(n) + "=R\n";
        LanguageTable table;
        table.open(writeLanguages(env, oneLanguage(lines)), kList);
        const QStringList rates = table.family(kx::BasicSettingTexts::BS_G_TxRate_Value);
        QVERIFY(rates.size() >= 8);
        QVERIFY(rates.size() < 100);
    }
};

QTEST_GUILESS_MAIN(TestLanguageTable)
#include "test_languagetable.moc"
