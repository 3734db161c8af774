// The access point's MAC filter table: the 112 bytes, the box texts, and what a box may hold.
#include <QTest>

#include "settings/MacFilterTable.h"

using kx::MacFilterTable;

class TestMacFilterTable : public QObject {
    Q_OBJECT

private slots:
    void bytesToTextsAndBack();
    void parseEntry_data();
    void parseEntry();
    void textsToTable();
};

void TestMacFilterTable::bytesToTextsAndBack() {
    MacFilterTable::Bytes bytes{};
    const auto put = [&](int entry, std::initializer_list<std::uint8_t> seven) {
        std::copy(seven.begin(), seven.end(), bytes.begin() + 7 * entry);
    };
    put(0, {1, 0x00, 0x16, 0x3E, 0x11, 0x22, 0x33});
    put(5, {0, 0x00, 0x16, 0x3E, 0x44, 0x55, 0x66}); // an address, but not in use
    put(7, {2, 0, 0, 0, 0, 0, 0});                   // in use, all zero
    put(15, {1, 0xFF, 0x0A, 0xB0, 0xC1, 0xD2, 0xE3});
    const MacFilterTable table = MacFilterTable::decode(bytes);
    const QStringList texts = table.texts();
    QCOMPARE(texts.size(), 16);
    QCOMPARE(texts[0], QStringLiteral("00 16 3E 11 22 33"));
    QCOMPARE(texts[5], QString());
    QCOMPARE(texts[7], QStringLiteral("00 00 00 00 00 00"));
    QCOMPARE(texts[15], QStringLiteral("FF 0A B0 C1 D2 E3"));
    QCOMPARE(texts.count(QString()), 13);

    MacFilterTable::Bytes expected = bytes;
    expected[7 * 7] = 1; // any in-use byte goes back as 1
    QCOMPARE(table.encode(), expected);

    int bad = -1;
    const std::optional<MacFilterTable> again = MacFilterTable::fromTexts(texts, bad);
    QVERIFY(again);
    QCOMPARE(bad, -1);
    // What the boxes show comes back, except the all-zero address, which means "unused".
    const MacFilterTable::Bytes sent = again->encode();
    QCOMPARE(std::vector(sent.begin(), sent.begin() + 7),
             std::vector(bytes.begin(), bytes.begin() + 7));
    QCOMPARE(std::vector(sent.begin() + 105, sent.end()),
             std::vector(bytes.begin() + 105, bytes.end()));
    QCOMPARE(sent[7 * 7], 0);
    QCOMPARE(sent[7 * 5 + 6], 0); // the unused entry's address is not kept
}

void TestMacFilterTable::parseEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("mac"); // hex; "refused" when the text is no address
    const QByteArray refused = "refused", station = "00163e112233";
    QTest::newRow("blanks") << "00 16 3E 11 22 33" << station;
    QTest::newRow("colons, lower case") << "00:16:3e:11:22:33" << station;
    QTest::newRow("hyphens") << "00-16-3E-11-22-33" << station;
    QTest::newRow("twelve digits") << "00163E112233" << station;
    QTest::newRow("tabs and surrounding blanks") << "  00\t16\t3E 11  22 33 " << station;
    QTest::newRow("blanks around colons") << "00 : 16 : 3E : 11 : 22 : 33" << station;
    QTest::newRow("single digits") << "0:16:3E:1:2:3" << QByteArray("00163e010203");
    QTest::newRow("empty") << "" << QByteArray("000000000000");
    QTest::newRow("only blanks") << "   " << QByteArray("000000000000");
    QTest::newRow("five octets") << "00 16 3E 11 22" << refused;
    QTest::newRow("seven octets") << "00 16 3E 11 22 33 44" << refused;
    QTest::newRow("eleven digits") << "00163E11223" << refused;
    QTest::newRow("thirteen digits") << "00163E1122334" << refused;
    QTest::newRow("not a digit") << "00:16:3E:11:22:3G" << refused;
    QTest::newRow("double colon") << "00::16:3E:11:22:33" << refused;
    QTest::newRow("three digits") << "001 6 3E 11 22 33" << refused;
    QTest::newRow("dots") << "0016.3E11.2233" << refused;
    // Narrowed to its low byte, U+0130 would read as the digit 0.
    QTest::newRow("wide character") << QStringLiteral("\u0130\u0130 16 3E 11 22 33") << refused;
}

void TestMacFilterTable::parseEntry() {
    QFETCH(QString, text);
    QFETCH(QByteArray, mac);
    const std::optional<MacFilterTable::Mac> parsed = MacFilterTable::parseEntry(text);
    if (mac == "refused") {
        QVERIFY(!parsed);
        return;
    }
    QVERIFY(parsed);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(parsed->data()), 6).toHex(), mac);
}

void TestMacFilterTable::textsToTable() {
    QStringList texts(16);
    texts[2] = QStringLiteral("00:16:3E:11:22:33");
    texts[3] = QStringLiteral("00:16:3E:11:22"); // a typo
    texts[9] = QStringLiteral("nonsense");
    int bad = -1;
    QVERIFY(!MacFilterTable::fromTexts(texts, bad));
    QCOMPARE(bad, 3);
    QCOMPARE(MacFilterTable::entryLabel(bad), QStringLiteral("03."));
    QVERIFY(MacFilterTable::entryError(bad).contains(QStringLiteral("03.")));
    QCOMPARE(MacFilterTable::entryLabel(15), QStringLiteral("15."));

    // Fewer boxes than entries: the rest are unused.
    const std::optional<MacFilterTable> table =
        MacFilterTable::fromTexts({QString(), QStringLiteral("00163e112233")}, bad);
    QVERIFY(table);
    const MacFilterTable::Bytes bytes = table->encode();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes.data()), 14).toHex(),
             QByteArray("00000000000000"
                        "0100163e112233"));
    QVERIFY(std::all_of(bytes.begin() + 14, bytes.end(), [](std::uint8_t b) { return b == 0; }));
}

QTEST_APPLESS_MAIN(TestMacFilterTable)
#include "test_macfiltertable.moc"
