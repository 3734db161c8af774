#include <QTest>

#include "driver/WepKeyText.h"
#include "platform/TextCodec.h"
#include "store/WepKeys.h"

using kx::WepKeyText;

class TestWepKeyText final : public QObject {
    Q_OBJECT
private slots:
    void placeholders();
    void storedKeys_data();
    void storedKeys();
    void recordedKey_data();
    void recordedKey();
};

void TestWepKeyText::placeholders() {
    QCOMPARE(WepKeyText::placeholder(kx::WepBit::Bits64), std::string("** ** ** ** **"));
    QCOMPARE(WepKeyText::placeholder(kx::WepBit::Bits128),
             std::string("** ** ** ** ** ** ** ** ** ** ** ** **"));
}

void TestWepKeyText::storedKeys_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("keys");
    const QString k26 = QStringLiteral("00112233445566778899AABBCC");
    const QString k10 = QStringLiteral("0123456789");
    const QString dflt = QStringLiteral("3C5A7E9B2D");
    QTest::newRow("empty") << QString() << QStringList{dflt, dflt, dflt, dflt};
    QTest::newRow("39 characters") << QString(39, u'A') << QStringList{dflt, dflt, dflt, dflt};
    QTest::newRow("40 characters")
        << k10 + QStringLiteral("1111111111") + QStringLiteral("2222222222") +
               QStringLiteral("3333333333")
        << QStringList{k10, QStringLiteral("1111111111"), QStringLiteral("2222222222"),
                       QStringLiteral("3333333333")};
    QTest::newRow("50 characters: first 40")
        << QString(10, u'A') + QString(10, u'B') + QString(10, u'C') + QString(10, u'D') +
               QString(10, u'E')
        << QStringList{QString(10, u'A'), QString(10, u'B'), QString(10, u'C'), QString(10, u'D')};
    QTest::newRow("103 characters: short keys")
        << QString(103, u'F')
        << QStringList{QString(10, u'F'), QString(10, u'F'), QString(10, u'F'), QString(10, u'F')};
    QTest::newRow("104 characters") << k26 + k26 + k26 + k26 << QStringList{k26, k26, k26, k26};
    QTest::newRow("longer than 104: first 104")
        << k26 + k26 + k26 + k26 + QStringLiteral("FFFF") << QStringList{k26, k26, k26, k26};
}

void TestWepKeyText::storedKeys() {
    QFETCH(QString, stored);
    QFETCH(QStringList, keys);
    const auto result = kx::WepKeys::fromRecorded(stored);
    QCOMPARE(QStringList(result.begin(), result.end()), keys);
}

void TestWepKeyText::recordedKey_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<QString>("recorded");
    QTest::newRow("26 digits at 64 bit keep 10")
        << QStringLiteral("00112233445566778899AABBCC") << 0 << QStringLiteral("0011223344");
    QTest::newRow("10 digits at 128 bit gain 16 zeros")
        << QStringLiteral("0123456789") << 1 << QStringLiteral("01234567890000000000000000");
    QTest::newRow("single digits") << QStringLiteral("1 2 3") << 0 << QStringLiteral("0102030000");
    QTest::newRow("bad character")
        << QStringLiteral("ABCDxE1122") << 0 << QStringLiteral("ABCD000000");
    QTest::newRow("more than ten digits")
        << QStringLiteral("0102030405060708") << 0 << QStringLiteral("0102030405");
    QTest::newRow("lower case, blanks")
        << QStringLiteral("ab cd\tef 01 23") << 0 << QStringLiteral("ABCDEF0123");
    QTest::newRow("placeholder is zero")
        << QStringLiteral("** ** ** ** **") << 0 << QStringLiteral("0000000000");
    // A character outside Latin-1 narrows to its low byte: U+0141 gives 'A'.
    QTest::newRow("narrowed") << QString::fromUtf16(u"\u0141\u0142") << 0
                              << QStringLiteral("AB00000000");
}

void TestWepKeyText::recordedKey() {
    QFETCH(QString, typed);
    QFETCH(int, keyLength);
    QFETCH(QString, recorded);
    // The key dialog hands its text over narrowed to single bytes.
    const std::string narrowed = kx::TextCodec::narrow(typed.toStdU16String());
    QCOMPARE(QString::fromStdString(WepKeyText::recordedKey(narrowed, kx::WepBit{keyLength})),
             recorded);
}

QTEST_APPLESS_MAIN(TestWepKeyText)
#include "test_wepkeytext.moc"
