#include <QFile>
#include <QtTest>

#include <limits>

#include "kx02app/kxsim.h"
#include "program/LanguageChoice.h"
#include "program/LanguageTable.h"
#include "program/MainTexts.h"
#include "program/ProgramConfig.h"
#include "program/UserProfile.h"
#include "tests/support/TestEnv.h"

using kx::LanguageChoice;
using kx::LanguageTable;
using kx::UserProfile;
using kx::test::TestEnv;

namespace {

const QString kDefaultTitle = QStringLiteral("Tolva Wireless LAN Configuration Tool");

QByteArray twoLanguages(const QByteArray& firstTitle) {
    return "[LANGUAGES]\nLanguage_1_Section=English\nLanguage_2_Section=Deutsch\n"
           "[English]\nMP_Dialog_Title=" +
           firstTitle + "\n[Deutsch]\nMP_Dialog_Title=Tolva WLAN-Konfigurationsprogramm\n";
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

QString storedTitle() {
    return UserProfile::readString(LanguageChoice::kProgramTitleValue, QStringLiteral("<none>"));
}

int storedLanguage() {
    return UserProfile::readInt(LanguageChoice::kLanguageIdValue, -99);
}

} // namespace

class TestLanguageChoice final : public QObject {
    Q_OBJECT

    // The program directory of these tests, holding the Unicode language file.
    QString programDir(const TestEnv& env, const QByteArray& languages) {
        const QString dir = env.path() + u'/';
        writeFile(dir + m_config.ML_Unicode_File, languages);
        return dir;
    }

    kx::ProgramConfig m_config;
    LanguageTable m_table;

private slots:
    void init() {
        kxsim_clear_force(nullptr);
        m_config = kx::ProgramConfig{};
        m_table = LanguageTable{};
    }

    void storedLanguageIsSelected_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("current");
        QTest::newRow("2") << 2 << 2;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("5 of two stays on 1") << 5 << 1;
        QTest::newRow("0 stays on 1") << 0 << 1;
        QTest::newRow("-3 stays on 1") << -3 << 1;
    }
    void storedLanguageIsSelected() {
        QFETCH(int, stored);
        QFETCH(int, current);
        TestEnv env;
        QCOMPARE(UserProfile::writeInt(LanguageChoice::kLanguageIdValue, stored), 0);
        LanguageChoice::startup(m_table, m_config, programDir(env, twoLanguages("Title")));
        QCOMPARE(m_table.currentId(), current);
        // The stored choice is not corrected.
        QCOMPARE(storedLanguage(), stored);
    }

    void noStoredLanguageSelectsTheFirst() {
        TestEnv env;
        LanguageChoice::startup(m_table, m_config, programDir(env, twoLanguages("Title")));
        QCOMPARE(m_table.currentId(), 1);
        QCOMPARE(storedLanguage(), -99);
    }

    void oddStoredLanguageIsIgnored() {
        TestEnv env;
        QCOMPARE(
            UserProfile::writeString(LanguageChoice::kLanguageIdValue, QStringLiteral("Deutsch")),
            0);
        LanguageChoice::startup(m_table, m_config, programDir(env, twoLanguages("Title")));
        QCOMPARE(m_table.currentId(), 1);
    }

    void firstStartStoresTheTitleWithoutBlanks() {
        TestEnv env;
        QCOMPARE(UserProfile::writeInt(LanguageChoice::kLanguageIdValue, 2), 0);
        LanguageChoice::startup(m_table, m_config, programDir(env, twoLanguages("Title")));
        QCOMPARE(storedTitle(), QStringLiteral("Tolva WLAN-Konfigurationsprogramm"));
        QCOMPARE(LanguageChoice::programTitle(m_table),
                 QStringLiteral("Tolva WLAN-Konfigurationsprogramm  "));
    }

    void storedTitleIsKeptAtStartup() {
        TestEnv env;
        QCOMPARE(UserProfile::writeString(LanguageChoice::kProgramTitleValue,
                                          QStringLiteral("Edited by hand")),
                 0);
        LanguageChoice::startup(m_table, m_config, programDir(env, twoLanguages("Another title")));
        QCOMPARE(storedTitle(), QStringLiteral("Edited by hand"));
        QCOMPARE(LanguageChoice::programTitle(m_table), QStringLiteral("Edited by hand  "));
    }

    void missingLanguageFileRunsInEnglish() {
        TestEnv env;
        LanguageChoice::startup(m_table, m_config, env.path() + QStringLiteral("/nowhere/"));
        QCOMPARE(m_table.count(), 0);
        QCOMPARE(storedTitle(), kDefaultTitle);
        QCOMPARE(LanguageChoice::programTitle(m_table), kDefaultTitle + QStringLiteral("  "));
    }

    void fileFollowsTheSystemKind_data() {
        QTest::addColumn<int>("unicodeSystem");
        QTest::addColumn<QString>("title");
        QTest::newRow("Unicode system") << 1 << QStringLiteral("From the Unicode file");
        QTest::newRow("older system") << 0 << QStringLiteral("From the single-byte file");
    }
    void fileFollowsTheSystemKind() {
        QFETCH(int, unicodeSystem);
        QFETCH(QString, title);
        TestEnv env;
        m_config.ML_Unicode_File = QStringLiteral("wide.ini");
        m_config.ML_SBCS_File = QStringLiteral("narrow.ini");
        const QString dir = env.path() + u'/';
        writeFile(dir + QStringLiteral("wide.ini"), twoLanguages("From the Unicode file"));
        writeFile(dir + QStringLiteral("narrow.ini"), twoLanguages("From the single-byte file"));
        kxsim_force("QueryWL_IsWindows2000", unicodeSystem);
        LanguageChoice::startup(m_table, m_config, dir);
        QCOMPARE(storedTitle(), title);
    }

    void changeStoresLanguageAndTitle() {
        TestEnv env;
        LanguageChoice::startup(m_table, m_config, programDir(env, twoLanguages("Title one")));
        QCOMPARE(storedTitle(), QStringLiteral("Title one"));

        QVERIFY(LanguageChoice::change(m_table, 1));
        QCOMPARE(m_table.currentId(), 2);
        QCOMPARE(storedLanguage(), 2);
        QCOMPARE(storedTitle(), QStringLiteral("Tolva WLAN-Konfigurationsprogramm"));

        QVERIFY(LanguageChoice::change(m_table, 0));
        QCOMPARE(storedLanguage(), 1);
        QCOMPARE(storedTitle(), QStringLiteral("Title one"));
    }

    void changeToNoLanguageDoesNothing_data() {
        QTest::addColumn<int>("position");
        QTest::newRow("nothing selected") << -1;
        QTest::newRow("past the list") << 2;
        QTest::newRow("far past the list") << std::numeric_limits<int>::max();
    }
    void changeToNoLanguageDoesNothing() {
        QFETCH(int, position);
        TestEnv env;
        LanguageChoice::startup(m_table, m_config, programDir(env, twoLanguages("Title one")));
        QVERIFY(!LanguageChoice::change(m_table, position));
        QCOMPARE(m_table.currentId(), 1);
        QCOMPARE(storedLanguage(), -99);
        QCOMPARE(storedTitle(), QStringLiteral("Title one"));
    }

    void titleWithoutStoredValueIsTheLookedUpOne() {
        // An unwritable registry leaves nothing stored; the window's own title still counts.
        TestEnv env;
        m_table.open(programDir(env, twoLanguages("Title one")) + m_config.ML_Unicode_File,
                     QStringLiteral("LANGUAGES"));
        QCOMPARE(LanguageChoice::programTitle(m_table), QStringLiteral("Title one  "));
    }
};

QTEST_GUILESS_MAIN(TestLanguageChoice)
#include "test_languagechoice.moc"
