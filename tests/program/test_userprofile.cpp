#include <QFile>
#include <QtTest>

#include "platform/Registry.h"
#include "program/UserProfile.h"
#include "tests/support/TestEnv.h"

using kx::Hive;
using kx::Registry;
using kx::UserProfile;
using kx::test::TestEnv;

class TestUserProfile final : public QObject {
    Q_OBJECT

private slots:
    void keyIsNamedAfterTheProgram() {
        TestEnv env;
        QCOMPARE(UserProfile::keyPath(), QStringLiteral("Software\\Tolva\\KXConfigTest"));
    }

    void firstWriteCreatesTheKey() {
        TestEnv env;
        const std::string key = UserProfile::keyPath().toStdString();
        QVERIFY(!Registry::keyExists(Hive::CurrentUser, key));
        QCOMPARE(UserProfile::writeInt(QStringLiteral("LanguageId"), 3), 0);
        QVERIFY(Registry::keyExists(Hive::CurrentUser, key));
        // Values lie directly in the program's key, as 32-bit numbers.
        std::uint32_t value = 0;
        QCOMPARE(Registry::readDword(Hive::CurrentUser, key, "LanguageId", value), 0);
        QCOMPARE(value, 3u);
    }

    void integers_data() {
        QTest::addColumn<int>("value");
        QTest::newRow("0") << 0;
        QTest::newRow("negative") << -5;
        QTest::newRow("largest") << std::numeric_limits<int>::max();
        QTest::newRow("smallest") << std::numeric_limits<int>::min();
    }
    void integers() {
        QFETCH(int, value);
        TestEnv env;
        QCOMPARE(UserProfile::writeInt(QStringLiteral("Number"), value), 0);
        QCOMPARE(UserProfile::readInt(QStringLiteral("Number"), 77), value);
    }

    void strings_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks kept") << QStringLiteral("  Title  ");
        QTest::newRow("quotes and backslashes") << QStringLiteral("a \"b\" c\\d");
        QTest::newRow("Chinese") << QStringLiteral("Tolva 無線網路設定工具");
    }
    void strings() {
        QFETCH(QString, value);
        TestEnv env;
        QCOMPARE(UserProfile::writeString(QStringLiteral("Text"), value), 0);
        QCOMPARE(UserProfile::readString(QStringLiteral("Text"), QStringLiteral("default")), value);
    }

    void missingValuesGiveTheDefault() {
        TestEnv env;
        QCOMPARE(UserProfile::readInt(QStringLiteral("LanguageId"), 1), 1);
        QCOMPARE(UserProfile::readString(QStringLiteral("KXConfigProgramTitle"), QString()),
                 QString());
    }

    void textThatIsNoNumberReadsAsTheDefault() {
        TestEnv env;
        QCOMPARE(UserProfile::writeString(QStringLiteral("LanguageId"), QStringLiteral("two")), 0);
        QCOMPARE(UserProfile::readInt(QStringLiteral("LanguageId"), 1), 1);
    }

    void unreadableHiveGivesDefaultsAndFailedWrites() {
        TestEnv env;
        QDir().mkpath(env.registryDir());
        const QString hive = QString::fromStdString(Registry::hiveFile(Hive::CurrentUser).string());
        QFile file(hive);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is no registry file\n[\x01\xff");
        file.close();
        QCOMPARE(UserProfile::readInt(QStringLiteral("LanguageId"), 1), 1);
        QCOMPARE(UserProfile::writeInt(QStringLiteral("LanguageId"), 2), -1);
        QCOMPARE(
            UserProfile::writeString(QStringLiteral("KXConfigProgramTitle"), QStringLiteral("x")),
            -1);
    }
};

QTEST_GUILESS_MAIN(TestUserProfile)
#include "test_userprofile.moc"
