#include <QTest>

#include "driver/HexText.h"

using kx::HexText;

class TestHexText final : public QObject {
    Q_OBJECT

private slots:
    void toBytes_data();
    void toBytes();
    void toBytesWritesExactlyN();
    void fromBytes_data();
    void fromBytes();
};

void TestHexText::toBytes_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("pairs") << QByteArray("3C5A7E9B2D") << 5 << QByteArray::fromHex("3C5A7E9B2D");
    QTest::newRow("lower case") << QByteArray("3c5a7e9b2d") << 5
                                << QByteArray::fromHex("3C5A7E9B2D");
    QTest::newRow("blanks between pairs")
        << QByteArray("3C 5A 7E 9B 2D") << 5 << QByteArray::fromHex("3C5A7E9B2D");
    QTest::newRow("tabs and runs of blanks")
        << QByteArray("\t3C\t\t5A  7E") << 5 << QByteArray::fromHex("3C5A7E0000");
    QTest::newRow("single digits") << QByteArray("1 2 3") << 5 << QByteArray::fromHex("0102030000");
    QTest::newRow("single digit at the end")
        << QByteArray("AB C") << 3 << QByteArray::fromHex("AB0C00");
    QTest::newRow("odd run pairs from the left")
        << QByteArray("ABC") << 3 << QByteArray::fromHex("AB0C00");
    QTest::newRow("bad character stops")
        << QByteArray("12G456") << 3 << QByteArray::fromHex("120000");
    QTest::newRow("pending digit dropped at bad character")
        << QByteArray("12 3-45") << 3 << QByteArray::fromHex("120000");
    QTest::newRow("colon is not a separator")
        << QByteArray("00:11:22") << 3 << QByteArray::fromHex("000000");
    QTest::newRow("more digits than n")
        << QByteArray("0102030405060708") << 5 << QByteArray::fromHex("0102030405");
    QTest::newRow("more single digits than n")
        << QByteArray("1 2 3 4") << 2 << QByteArray::fromHex("0102");
    QTest::newRow("empty") << QByteArray() << 5 << QByteArray(5, '\0');
    QTest::newRow("only blanks") << QByteArray("   \t ") << 2 << QByteArray(2, '\0');
    QTest::newRow("128-bit key") << QByteArray("00112233445566778899AABBCC") << 13
                                 << QByteArray::fromHex("00112233445566778899AABBCC");
    QTest::newRow("MAC with blanks")
        << QByteArray("00 0D 0A 12 34 ff") << 6 << QByteArray::fromHex("000D0A1234FF");
}

void TestHexText::toBytes() {
    QFETCH(QByteArray, text);
    QFETCH(int, n);
    QFETCH(QByteArray, expected);

    QByteArray out(n, '\x77');
    HexText::toBytes(text.toStdString(), reinterpret_cast<std::uint8_t*>(out.data()), n);
    QCOMPARE(out.toHex(' '), expected.toHex(' '));
}

// Parsing must neither leave stale bytes nor write past the n bytes it was given.
void TestHexText::toBytesWritesExactlyN() {
    QByteArray buffer(8, '\x55');
    HexText::toBytes("0102030405060708", reinterpret_cast<std::uint8_t*>(buffer.data()) + 1, 3);
    QCOMPARE(buffer.toHex(), QByteArray("5501020355555555"));

    HexText::toBytes("0102", reinterpret_cast<std::uint8_t*>(buffer.data()), 0);
    QCOMPARE(buffer.toHex(), QByteArray("5501020355555555"));
}

void TestHexText::fromBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<QString>("expected");

    QTest::newRow("MAC with blanks")
        << QByteArray::fromHex("020000123456") << true << QStringLiteral("02 00 00 12 34 56");
    QTest::newRow("upper case, no separator")
        << QByteArray::fromHex("9afF0b") << false << QStringLiteral("9AFF0B");
    QTest::newRow("one byte, no trailing blank")
        << QByteArray::fromHex("0A") << true << QStringLiteral("0A");
    QTest::newRow("empty") << QByteArray() << true << QString();
}

void TestHexText::fromBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, separator);
    QFETCH(QString, expected);

    QCOMPARE(QString::fromStdString(
                 HexText::fromBytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size()), separator)),
             expected);
}

QTEST_GUILESS_MAIN(TestHexText)
#include "test_hextext.moc"
