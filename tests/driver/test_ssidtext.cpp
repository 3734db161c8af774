// Network names shown and typed by one rule: every name the air brings reads back to
// its bytes.
#include <QTest>

#include "driver/SsidText.h"

using kx::SsidText;

class TestSsidText final : public QObject {
    Q_OBJECT
private slots:
    void shownAndTypedBack_data();
    void shownAndTypedBack();
    void typedNamesThatAreNone();
};

void TestSsidText::shownAndTypedBack_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC") << QString::fromUtf8("Café €");
    QTest::newRow("Latin-1 byte") << QByteArray("Caf\xE9") << QStringLiteral("Caf\\xE9");
    QTest::newRow("cut at 32 bytes") << QByteArray("ab\xE2\x82") << QStringLiteral("ab\\xE2\\x82");
    QTest::newRow("control") << QByteArray("a\x1B[2J") << QStringLiteral("a\\x1B[2J");
    QTest::newRow("C1 control as UTF-8") << QByteArray("\xC2\x85") << QStringLiteral("\\xC2\\x85");
    QTest::newRow("backslash that reads as an escape")
        << QByteArray("\\x41") << QStringLiteral("\\x5Cx41");
    QTest::newRow("backslash alone") << QByteArray("a\\b\\") << QStringLiteral("a\\b\\");
}

void TestSsidText::shownAndTypedBack() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const std::string raw = bytes.toStdString();
    QCOMPARE(QString::fromStdU16String(SsidText::shown(raw)), shown);
    QCOMPARE(SsidText::fromTyped(shown.toStdU16String()), std::optional<std::string>(raw));
}

void TestSsidText::typedNamesThatAreNone() {
    QCOMPARE(SsidText::fromTyped(u"caf\\xe9"), std::optional<std::string>("caf\xE9"));
    QCOMPARE(SsidText::fromTyped(std::u16string(32, u'x'))->size(), 32u);
    for (const std::u16string& none :
         {std::u16string(33, u'x'), std::u16string(11, u'\u20AC'), std::u16string(u"a\nb"),
          std::u16string(u"a\\x00"), std::u16string(1, char16_t(0xD800))})
        QVERIFY(!SsidText::fromTyped(none));
}

QTEST_GUILESS_MAIN(TestSsidText)
#include "test_ssidtext.moc"
