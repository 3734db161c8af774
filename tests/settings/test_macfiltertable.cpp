// The access point's MAC filter table: the 112 bytes, the box texts, and what a box may hold.
#include <QTest>

#include "settings/MacFilterTable.h"

using kx::MacFilterTable;

namespace {

QByteArray hex(const MacFilterTable::Bytes& bytes, int from, int count) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()) + from, count).toHex();
}

} // namespace

class TestMacFilterTable : public QObject {
    Q_OBJECT

private slots:
    void bytesToTextsAndBack();
    void parseEntry_data();
    void parseEntry();
    void refusedBoxIsNamed();
};

void TestMacFilterTable::bytesToTextsAndBack() {
    MacFilterTable::Bytes bytes{};
    const std::uint8_t used[7] = {1, 0x00, 0x16, 0x3E, 0x11, 0x22, 0x33};
    const std::uint8_t unused[7] = {0, 0x00, 0x16, 0x3E, 0x44, 0x55, 0x66};
    std::copy_n(used, 7, bytes.begin());
    std::copy_n(unused, 7, bytes.begin() + 7);
    bytes[105] = 2; // entry 15 in use, all zero
    QStringList texts = MacFilterTable::decode(bytes).texts();
    QCOMPARE(texts.size(), 16);
    QCOMPARE(texts[0], QStringLiteral("00 16 3E 11 22 33"));
    QCOMPARE(texts[1], QString());
    QCOMPARE(texts[15], QStringLiteral("00 00 00 00 00 00"));

    // Back from the boxes: the all-zero address is no station.
    texts[2] = QStringLiteral("FF:0A:B0:C1:D2:E3");
    int bad = -1;
    const std::optional<MacFilterTable> edited = MacFilterTable::fromTexts(texts, bad);
    QVERIFY(edited);
    const MacFilterTable::Bytes sent = edited->encode();
    QCOMPARE(hex(sent, 0, 21), QByteArray("0100163e112233"
                                          "00000000000000"
                                          "01ff0ab0c1d2e3"));
    QCOMPARE(hex(sent, 105, 7), QByteArray("00000000000000"));
}

void TestMacFilterTable::parseEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("mac"); // empty: refused
    const QByteArray refused, station = "00163e112233";
    QTest::newRow("blanks") << "00 16 3E 11 22 33" << station;
    QTest::newRow("colons, lower case") << "00:16:3e:11:22:33" << station;
    QTest::newRow("hyphens") << "00-16-3E-11-22-33" << station;
    QTest::newRow("twelve digits") << "00163E112233" << station;
    QTest::newRow("tabs, blanks around") << " 00\t16\t3E 11  22 : 33 " << station;
    QTest::newRow("single digits") << "0:16:3E:1:2:3" << QByteArray("00163e010203");
    QTest::newRow("empty") << "  " << QByteArray("000000000000");
    QTest::newRow("five octets") << "00 16 3E 11 22" << refused;
    QTest::newRow("seven octets") << "00 16 3E 11 22 33 44" << refused;
    QTest::newRow("eleven digits") << "00163E11223" << refused;
    QTest::newRow("not a digit") << "00:16:3E:11:22:3G" << refused;
    QTest::newRow("double colon") << "00::16:3E:11:22:33" << refused;
    QTest::newRow("three digits") << "001 6 3E 11 22 33" << refused;
    // Narrowed to its low byte, U+0130 would read as the digit 0.
    QTest::newRow("wide character") << QStringLiteral("\u0130\u0130 16 3E 11 22 33") << refused;
}

void TestMacFilterTable::parseEntry() {
    QFETCH(QString, text);
    QFETCH(QByteArray, mac);
    const std::optional<MacFilterTable::Mac> parsed = MacFilterTable::parseEntry(text);
    QCOMPARE(parsed.has_value(), !mac.isEmpty());
    if (parsed)
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(parsed->data()), 6).toHex(), mac);
}

void TestMacFilterTable::refusedBoxIsNamed() {
    QStringList texts(16);
    texts[3] = QStringLiteral("00:16:3E:11:22"); // a typo
    texts[9] = QStringLiteral("nonsense");
    int bad = -1;
    QVERIFY(!MacFilterTable::fromTexts(texts, bad));
    QCOMPARE(bad, 3);
    QVERIFY(MacFilterTable::entryError(bad).contains(QStringLiteral("03.")));
    QCOMPARE(MacFilterTable::entryLabel(15), QStringLiteral("15."));
}

QTEST_APPLESS_MAIN(TestMacFilterTable)
#include "test_macfiltertable.moc"
