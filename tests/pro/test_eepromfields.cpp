// What the EEPROM page and its editors accept from the user, and what they refuse.
#include <QTest>

#include "pro/eeprom/CisFields.h"
#include "pro/eeprom/EepromCodeTable.h"
#include "pro/eeprom/ExtendedFields.h"
#include "pro/eeprom/ExtendedRecordChain.h"
#include "pro/eeprom/MacEntry.h"
#include "pro/eeprom/PciFields.h"

using namespace kx;

namespace {

EepromSettings::Records defaultRecords() {
    EepromSettings::Records records;
    ExtendedRecordChain::applyDefaults(records);
    return records;
}

QByteArray dataOf(const EepromSettings::Tuple& t) {
    return QByteArray(reinterpret_cast<const char*>(t.data.data()), t.link);
}

QByteArray dataOf(const EepromSettings::Record& r) {
    return QByteArray(reinterpret_cast<const char*>(r.data.data()), r.length - 1).toHex(' ');
}

} // namespace

class TestEepromFields final : public QObject {
    Q_OBJECT

private slots:
    void macEntry_data();
    void macEntry();
    void malformedHexIsRefusedByName_data();
    void malformedHexIsRefusedByName();
    void overlongEntriesGetTheStandardMessage();
    void extendedFieldsStoreWhatWasTyped();
    void unknownCodesAreKeptUnlessAnotherIsChosen();
    void versionTupleRebuild();
    void namesThatDoNotFitAreRefused();
    void supplyVoltageAndManufacturer();
    void pciIdsAreTypedHighByteFirst();
};

void TestEepromFields::macEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("mac"); // empty: refused

    QTest::newRow("blanks") << "00 1C 7E 21 02 07" << QByteArray("001c7e210207");
    QTest::newRow("colons") << "00:1c:7e:21:02:07" << QByteArray("001c7e210207");
    QTest::newRow("hyphens, blanks around")
        << " 00-1C - 7E-21-02-07 " << QByteArray("001c7e210207");
    QTest::newRow("single digits with colons") << "0:1:2:3:4:5" << QByteArray("000102030405");
    QTest::newRow("single digits with blanks") << "0 1 2 3 4 5" << QByteArray("000102030405");
    QTest::newRow("twelve digits") << "001C7E210207" << QByteArray("001c7e210207");
    QTest::newRow("five bytes") << "00:1C:7E:21:02" << QByteArray();
    QTest::newRow("seven bytes") << "00:1C:7E:21:02:07:08" << QByteArray();
    QTest::newRow("eleven digits") << "001C7E21020" << QByteArray();
    QTest::newRow("runs of four") << "001C 7E21 0207" << QByteArray();
    QTest::newRow("double colon") << "00::1C:7E:21:02:07" << QByteArray();
    QTest::newRow("dots") << "00.1C.7E.21.02.07" << QByteArray();
    QTest::newRow("not hex") << "00 1C 7E 21 02 0G" << QByteArray();
    QTest::newRow("empty") << "" << QByteArray();
}

void TestEepromFields::macEntry() {
    QFETCH(QString, text);
    QFETCH(QByteArray, mac);
    const Checked<MacEntry::Mac> parsed = MacEntry::parse(text);
    QCOMPARE(parsed.ok(), !mac.isEmpty());
    if (parsed.ok())
        QCOMPARE(MacEntry::show(parsed.value()),
                 QString::fromLatin1(QByteArray::fromHex(mac).toHex(' ').toUpper()));
    else
        QCOMPARE(parsed.problem().field, QStringLiteral("MAC Address"));
}

void TestEepromFields::malformedHexIsRefusedByName_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("letter in a 16-bit value") << "Allowed Channel"
                                              << "3FFG";
    QTest::newRow("blank inside") << "Default Channel"
                                  << "1 04";
    QTest::newRow("prefix") << "USB Vendor ID"
                            << "0x1D5A";
    QTest::newRow("not a byte") << "Hardware Version"
                                << "1G";
    QTest::newRow("letter in a byte list") << "Serial Number"
                                           << "00 01 02 0g";
    QTest::newRow("thirteen bytes for twelve") << "Serial Number"
                                               << "000102030405060708090A0B0C";
    QTest::newRow("comma") << "Tx Set Point Value"
                           << "2B,2B";
}

void TestEepromFields::malformedHexIsRefusedByName() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    const struct {
        const char* name;
        QString ExtendedFields::*member;
    } kFields[] = {{"Allowed Channel", &ExtendedFields::allowedChannel},
                   {"Default Channel", &ExtendedFields::defaultChannel},
                   {"USB Vendor ID", &ExtendedFields::usbVendorId},
                   {"Hardware Version", &ExtendedFields::hardwareVersion},
                   {"Serial Number", &ExtendedFields::serialNumber},
                   {"Tx Set Point Value", &ExtendedFields::txSetPoint}};
    EepromSettings::Records records = defaultRecords();
    const EepromSettings::Records before = records;
    ExtendedFields f = ExtendedFields::fromRecords(records);
    f.txIntegration = QStringLiteral("11 22"); // a good change that must not land either
    for (const auto& entry : kFields) {
        if (field == QLatin1String(entry.name))
            f.*entry.member = text;
    }
    const std::optional<EepromProblem> problem = f.applyTo(records);
    QVERIFY(problem.has_value());
    QCOMPARE(problem->field, field);
    QVERIFY(problem->message.startsWith(field + u':'));
    QVERIFY(records == before);
}

// Fields with a character limit refuse a longer entry before reading it.
void TestEepromFields::overlongEntriesGetTheStandardMessage() {
    EepromSettings::Records records = defaultRecords();
    const EepromSettings::Records before = records;
    ExtendedFields f = ExtendedFields::fromRecords(records);
    f.hardwareVersion = QStringLiteral("123");
    std::optional<EepromProblem> problem = f.applyTo(records);
    QCOMPARE(problem->field, QStringLiteral("Hardware Version"));
    QCOMPARE(problem->message, QStringLiteral("Please enter no more than 2 characters."));
    f.hardwareVersion = QStringLiteral("1 2");
    QCOMPARE(f.applyTo(records)->field, QStringLiteral("Hardware Version"));
    f.hardwareVersion = QStringLiteral("12");
    f.defaultChannel = QStringLiteral("10400");
    problem = f.applyTo(records);
    QCOMPARE(problem->field, QStringLiteral("Default Channel"));
    QCOMPARE(problem->message, QStringLiteral("Please enter no more than 4 characters."));
    QVERIFY(records == before);

    EepromSettings::Tuples tuples;
    tuples[0] = {0x20, 4, {}};
    CisFields cis = CisFields::fromTuples(tuples);
    cis.card = QStringLiteral(" 3101");
    QCOMPARE(cis.applyTo(tuples)->message,
             QStringLiteral("Please enter no more than 4 characters."));

    const Checked<MacEntry::Mac> mac = MacEntry::parse(QStringLiteral("00 - 1C - 7E - 21 - 02-07"));
    QCOMPARE(mac.problem().message, QStringLiteral("Please enter no more than 24 characters."));
}

void TestEepromFields::extendedFieldsStoreWhatWasTyped() {
    EepromSettings::Records records = defaultRecords();
    ExtendedFields f = ExtendedFields::fromRecords(records);
    QCOMPARE(f.allowedChannel, QStringLiteral("3FFF"));
    QCOMPARE(f.defaultChannel, QStringLiteral("0400"));
    QCOMPARE(f.usbStrings[1],
             QStringLiteral("0E 03 54 00 6F 00 6C 00 76 00 61 00 20 00 00 00 00 00 00 00"));
    f.allowedChannel = QStringLiteral(" 7ff");
    f.defaultChannel = QString(); // empty reads as 0
    f.serialNumber = QStringLiteral("A1 B2 C3");
    f.hardwareVersion = QStringLiteral("2");
    f.usbVendorId = QStringLiteral("abcd");
    f.usbStrings[0] = QStringLiteral("FF FF"); // shown only
    QVERIFY(!f.applyTo(records).has_value());
    QCOMPARE(records[6].length, 3);
    QCOMPARE(dataOf(records[6]), QByteArray("ff 07"));
    QCOMPARE(dataOf(records[7]), QByteArray("00 00"));
    QCOMPARE(dataOf(records[9]), QByteArray("a1 b2 c3 00 00 00 00 00 00 00 00 00"));
    QCOMPARE(dataOf(records[5]), QByteArray("02"));
    QCOMPARE(dataOf(records[11]), QByteArray("cd ab"));
    QCOMPARE(dataOf(records[13]), QByteArray("04 03 09 04 00 00 00 00 00 00"));
}

void TestEepromFields::unknownCodesAreKeptUnlessAnotherIsChosen() {
    EepromSettings::Records records = defaultRecords();
    records[8].data[0] = 0x31;
    QCOMPARE(ExtendedFields::fromRecords(records).selection[EepromCodeTable::Region], 3); // Spain
    records[8].data[0] = 0x77;
    records[10].data[0] = 0x09;
    ExtendedFields f = ExtendedFields::fromRecords(records);
    QCOMPARE(f.selection[EepromCodeTable::Region], -1);
    QCOMPARE(f.selection[EepromCodeTable::RfModule], -1);
    QVERIFY(!f.applyTo(records).has_value());
    QCOMPARE(records[8].data[0], 0x77);
    QCOMPARE(records[10].data[0], 0x09);
    f.selection[EepromCodeTable::Region] = 5;
    f.selection[EepromCodeTable::PaType] = 4;
    QVERIFY(!f.applyTo(records).has_value());
    QCOMPARE(records[8].data[0], 0x40);  // Japan
    QCOMPARE(records[16].data[0], 0x04); // GATAX GA2P4W11
}

void TestEepromFields::versionTupleRebuild() {
    EepromSettings::Tuples tuples;
    tuples[0].code = 0x15;
    const QByteArray read =
        QByteArray::fromHex("0400") + "ACME" + '\0' + "WLAN Card" + '\0' + '\0' + '\0';
    tuples[0].link = static_cast<std::uint8_t>(read.size());
    std::copy(read.begin(), read.end(), tuples[0].data.begin());
    CisFields f = CisFields::fromTuples(tuples);
    QCOMPARE(f.names[0], QStringLiteral("ACME"));
    QCOMPARE(f.names[1], QStringLiteral("WLAN Card"));
    QCOMPARE(f.names[3], QString());
    f.names[2] = QStringLiteral("  caf\u00e9  "); // trimmed, stored as one byte per character
    QVERIFY(!f.applyTo(tuples).has_value());
    const QByteArray wanted =
        QByteArray::fromHex("0500") + "ACME" + '\0' + "WLAN Card" + '\0' + "caf\xe9" + '\0' + '\0';
    QCOMPARE(dataOf(tuples[0]).toHex(' '),
             (wanted + QByteArray(79 - wanted.size(), '\0') + '\xFF').toHex(' '));
}

void TestEepromFields::namesThatDoNotFitAreRefused() {
    EepromSettings::Tuples tuples;
    tuples[0].code = 0x15;
    tuples[0].link = 2;
    CisFields f = CisFields::fromTuples(tuples);
    f.names = {QString(30, u'M'), QString(40, u'P'), QStringLiteral("abc"), QString()};
    QVERIFY(!f.applyTo(tuples).has_value()); // 73 characters: exactly full
    QCOMPARE(tuples[0].data[78], 0);
    f.names[3] = QStringLiteral("x");
    EepromSettings::Tuples before = tuples;
    std::optional<EepromProblem> problem = f.applyTo(tuples);
    QVERIFY(problem.has_value());
    QCOMPARE(problem->field, QStringLiteral("Additional Info 2"));
    QVERIFY(tuples == before);
    f.names = {QStringLiteral("Tolva"), QString(80, u'P'), QString(), QString()};
    QCOMPARE(f.applyTo(tuples)->field, QStringLiteral("Product Name"));
    f.names[1] = QStringLiteral("\u65e0\u7ebf"); // no single-byte form
    QCOMPARE(f.applyTo(tuples)->field, QStringLiteral("Product Name"));
}

void TestEepromFields::supplyVoltageAndManufacturer() {
    EepromSettings::Tuples tuples;
    tuples[0] = {0x1B, 16, {}};
    tuples[1] = {0x20, 4, {0x7E, 0x1C, 0x01, 0x31}};
    tuples[2] = {0x1B, 3, {}};
    QCOMPARE(CisFields::fromTuples(tuples).voltage, int(CisFields::ThreeVolt)); // last one wins
    tuples[2].code = 0x80;
    CisFields f = CisFields::fromTuples(tuples);
    QCOMPARE(f.voltage, int(CisFields::FiveVolt)); // 16 bytes, not the 3.3 Volt ones
    QCOMPARE(f.manufacturer, QStringLiteral("1C7E"));
    QCOMPARE(f.card, QStringLiteral("3101"));
    f.voltage = CisFields::ThreeVolt;
    f.card = QStringLiteral("3102");
    QVERIFY(!f.applyTo(tuples).has_value());
    QCOMPARE(dataOf(tuples[0]).toHex(), QByteArray("c1011977b51e35b53c363605467fffff"));
    QCOMPARE(dataOf(tuples[1]).toHex(), QByteArray("7e1c0231"));
    QCOMPARE(tuples[2].link, 3);
    f.manufacturer = QStringLiteral("1C7E0");
    QCOMPARE(f.applyTo(tuples)->field, QStringLiteral("TPLMID_MANF"));
}

void TestEepromFields::pciIdsAreTypedHighByteFirst() {
    PciFields::Ids ids{0x02, 0x21, 0x7E, 0x1C};
    PciFields f = PciFields::fromIds(ids);
    QCOMPARE(f.vendor, QStringLiteral("1C7E"));
    QCOMPARE(f.device, QStringLiteral("2102"));
    f.vendor = QStringLiteral("7B"); // one byte: the high one
    QVERIFY(!f.applyTo(ids).has_value());
    QCOMPARE(ids, (PciFields::Ids{0x02, 0x21, 0x00, 0x7B}));
    f.device = QStringLiteral("21 0x");
    QCOMPARE(f.applyTo(ids)->field, QStringLiteral("Device ID"));
    QCOMPARE(ids, (PciFields::Ids{0x02, 0x21, 0x00, 0x7B}));
}

QTEST_GUILESS_MAIN(TestEepromFields)
#include "test_eepromfields.moc"
