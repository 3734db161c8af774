#include <QTest>

#include "info/VersionText.h"

using kx::VersionText;

class TestVersionText final : public QObject {
    Q_OBJECT
private slots:
    void driverVersion_data();
    void driverVersion();
    void firmwareVersion_data();
    void firmwareVersion();
    void buildDate_data();
    void buildDate();
    void programVersion();
};

void TestVersionText::driverVersion_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("text");
    // major 1, minor 2, year field 4, month 10, day byte 0x10
    QTest::newRow("1.02.1010.2004") << 0x01024A10 << QStringLiteral("1.02.1010.2004");
    QTest::newRow("hex major and minor")
        << static_cast<int>(0x9A1F3125u) << QStringLiteral("9A.1F.0125.2003");
    QTest::newRow("zero") << 0 << QStringLiteral("0.00.0000.2000");
    QTest::newRow("unknown") << -1 << QStringLiteral("");
}

void TestVersionText::driverVersion() {
    QFETCH(int, version);
    QFETCH(QString, text);
    QCOMPARE(VersionText::driverVersion(version), text);
}

void TestVersionText::firmwareVersion_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("\x02\x01\x43\x15\x00", 5)
                           << QStringLiteral("2.01.0315.2004");
    QTest::newRow("suffix B") << QByteArray("\x02\x01\x43\x15\x0B", 5)
                              << QStringLiteral("2.01.0315.2004-B");
    QTest::newRow("major 9A") << QByteArray("\x9A\x00\x11\x01\x00", 5)
                              << QStringLiteral("9A.00.0101.2001");
    QTest::newRow("high nibbles") << QByteArray("\xFF\xFF\xFF\xFF\xFF", 5)
                                  << QStringLiteral("FF.FF.15FF.2015-FF");
}

void TestVersionText::firmwareVersion() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    std::array<std::uint8_t, VersionText::kFirmwareBytes> raw{};
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    QCOMPARE(VersionText::firmwareVersion(raw), text);
}

void TestVersionText::buildDate_data() {
    QTest::addColumn<QByteArray>("compiler");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded day") << QByteArray("Mar  8 2003") << QStringLiteral("Mar 8 2003");
    QTest::newRow("two-digit day") << QByteArray("Dec 28 2026") << QStringLiteral("Dec 28 2026");
    QTest::newRow("odd shape kept") << QByteArray("yesterday") << QStringLiteral("yesterday");
}

void TestVersionText::buildDate() {
    QFETCH(QByteArray, compiler);
    QFETCH(QString, text);
    QCOMPARE(VersionText::buildDate(compiler.constData()), text);
}

void TestVersionText::programVersion() {
    QCOMPARE(VersionText::programVersion("Mar  8 2003", "09:05:07"),
             QStringLiteral("1.00.0328.2003 - Mar 8 2003 09:05:07"));
}

QTEST_APPLESS_MAIN(TestVersionText)
#include "test_versiontext.moc"
