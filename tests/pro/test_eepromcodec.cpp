// EEPROM images and their settings, both ways, from images built here.
#include <QRandomGenerator>
#include <QTest>

#include <vector>

#include "adapter/AdapterState.h"
#include "pro/eeprom/CisChain.h"
#include "pro/eeprom/EepromCodec.h"
#include "pro/eeprom/ExtendedRecordChain.h"
#include "pro/eeprom/NewerChipFields.h"
#include "pro/eeprom/VersionTuple.h"

using namespace kx;

namespace {

const QByteArray kMac = QByteArray::fromHex("001C7E310108");

struct Chain final {
    QByteArray bytes;
    Chain& tuple(int code, const QByteArray& data) {
        bytes += char(code);
        bytes += char(data.size());
        bytes += data;
        return *this;
    }
    Chain& record(int id, const QByteArray& data) {
        bytes += char(data.size() + 1);
        bytes += char(id);
        bytes += data;
        return *this;
    }
    // Padded with erased bytes to a whole area.
    QByteArray area() const { return bytes + QByteArray(256 - bytes.size(), '\xFF'); }
};

// The records an adapter leaves the factory with, in the order they are written.
Chain factoryRecords(bool usb, const QByteArray& extra = {}) {
    Chain c;
    c.record(1, kMac)
        .record(2, QByteArray(14, '\x2B'))
        .record(3, QByteArray(14, '\xE5'))
        .record(5, "\x10")
        .record(6, QByteArray::fromHex("FF07"))
        .record(7, QByteArray::fromHex("0600"))
        .record(8, "\x31")
        .record(9, QByteArray::fromHex("A1A2A3A4A5A6A7A8A9AAABAC"))
        .record(10, "\x03");
    if (usb) {
        c.record(11, QByteArray::fromHex("5A1D"))
            .record(12, QByteArray::fromHex("0131"))
            .record(13, QByteArray::fromHex("04030904000000000000"))
            .record(14, QByteArray::fromHex("0E0354006F006C007600610020000000000000"))
            .record(15, QByteArray::fromHex("1203550053004200200057004C0041004E000000"));
    }
    c.record(16, "\x02");
    if (!extra.isEmpty())
        c.record(17, extra);
    c.bytes += QByteArray::fromHex("03000000");
    return c;
}

QByteArray versionData() {
    QByteArray d =
        QByteArray::fromHex("0500") + "Tolva" + '\0' + "KX3101 WLAN Card" + '\0' + '\0' + '\0';
    d += QByteArray(79 - d.size(), '\0');
    return d + '\xFF';
}

EepromImage image(int bus, const QByteArray& head, const QByteArray& records) {
    EepromImage img;
    img.length = bus == BusUsb ? 2048 : 512;
    img.extendedOffset = bus == BusUsb ? 1792 : 256;
    img.bytes.fill(0);
    std::copy(head.begin(), head.end(), img.bytes.begin());
    std::copy(records.begin(), records.end(), img.bytes.begin() + img.extendedOffset);
    return img;
}

QByteArray hexOf(const EepromImage& img, int from, int n) {
    return QByteArray(reinterpret_cast<const char*>(img.bytes.data() + from), n).toHex(' ');
}

EepromCodec::Mac macOf(const QByteArray& bytes) {
    EepromCodec::Mac mac{};
    std::copy_n(bytes.begin(), mac.size(), mac.begin());
    return mac;
}

} // namespace

class TestEepromCodec final : public QObject {
    Q_OBJECT

private slots:
    void factoryImagesRoundTripByteForByte_data();
    void factoryImagesRoundTripByteForByte();
    void emptyExtendedAreaIsWrittenWithDefaults();
    void newAddressReachesRecordAndNodeTuple();
    void recordsThatDoNotFitAreRefusedByName();
    void tuplesThatDoNotFitAreRefused();
    void cisDecodeDropsTupleReachingTheAreaEnd();
    void newerChipFieldsAndCommandRecords();
    void decodersStayInsideTheirBytes();
    void rewritingAWrittenImageChangesNothing();
};

void TestEepromCodec::factoryImagesRoundTripByteForByte_data() {
    QTest::addColumn<int>("bus");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("records");

    // A vendor tuple longer than the editor's 80 bytes must come back whole.
    const QByteArray cis = Chain()
                               .tuple(0x15, versionData())
                               .tuple(0x20, QByteArray::fromHex("7E1C0131"))
                               .tuple(0x21, QByteArray::fromHex("0600"))
                               .tuple(0x1B, QByteArray::fromHex("C1011977B51E35B53C363605467FFFFF"))
                               .tuple(0x22, QByteArray::fromHex("0406") + kMac)
                               .tuple(0x80, QByteArray(100, '\x5C'))
                               .area();
    QTest::newRow("PCMCIA") << int(BusPcmcia) << cis
                            << factoryRecords(false, QByteArray::fromHex("C0FFEE")).area();
    QTest::newRow("PCI") << int(BusPci) << Chain{QByteArray::fromHex("01317E1C")}.area()
                         << factoryRecords(false).area();
    // USB leaves everything before its extended records alone.
    QByteArray usbHead(1792, '\0');
    for (int i = 0; i < usbHead.size(); ++i)
        usbHead[i] = char(i * 7);
    QTest::newRow("USB") << int(BusUsb) << usbHead << factoryRecords(true).area();
}

void TestEepromCodec::factoryImagesRoundTripByteForByte() {
    QFETCH(int, bus);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, records);
    const EepromImage img = image(bus, head, records);
    const EepromSettings settings = EepromCodec::decode(img, bus);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(EepromCodec::recordMac(settings).data()), 6),
             kMac);
    const Checked<EepromImage> out =
        EepromCodec::encode(settings, EepromCodec::recordMac(settings), img, bus);
    QVERIFY(out.ok());
    QCOMPARE(hexOf(out.value(), 0, 4096), hexOf(img, 0, 4096));
}

void TestEepromCodec::emptyExtendedAreaIsWrittenWithDefaults() {
    const EepromImage img = image(BusPci, QByteArray::fromHex("01317E1C"), QByteArray(256, '\xFF'));
    const EepromSettings s = EepromCodec::decode(img, BusPci);
    QCOMPARE(s.records[4].length, 0);
    const Checked<EepromImage> out = EepromCodec::encode(s, EepromCodec::recordMac(s), img, BusPci);
    QVERIFY(out.ok());
    // Records 1-3, 5-10 and 16 with their defaults (11-15 are for USB only), then the end.
    Chain wanted;
    wanted.record(1, QByteArray::fromHex("001C7E000001"))
        .record(2, QByteArray(14, '\x2B'))
        .record(3, QByteArray(14, '\xE5'))
        .record(5, "\x10")
        .record(6, QByteArray::fromHex("FF3F"))
        .record(7, QByteArray::fromHex("0004"))
        .record(8, "\x10")
        .record(9, QByteArray::fromHex("000102030405060708090A0B"))
        .record(10, "\x03")
        .record(16, "\x01");
    wanted.bytes += QByteArray::fromHex("03000000");
    QCOMPARE(hexOf(out.value(), 256, 256), wanted.area().toHex(' '));
    QCOMPARE(hexOf(out.value(), 0, 5), QByteArray("01 31 7e 1c ff"));
}

void TestEepromCodec::newAddressReachesRecordAndNodeTuple() {
    const QByteArray cis = Chain()
                               .tuple(0x22, QByteArray::fromHex("0202AAAA"))
                               .tuple(0x22, QByteArray::fromHex("0406") + kMac)
                               .area();
    const EepromImage img = image(BusPcmcia, cis, factoryRecords(false).area());
    const EepromCodec::Mac mac = macOf(QByteArray::fromHex("0A0B0C0D0E0F"));
    const Checked<EepromImage> out =
        EepromCodec::encode(EepromCodec::decode(img, BusPcmcia), mac, img, BusPcmcia);
    QVERIFY(out.ok());
    QCOMPARE(hexOf(out.value(), 0, 16),
             QByteArray("22 04 02 02 aa aa 22 08 04 06 0a 0b 0c 0d 0e 0f"));
    QCOMPARE(hexOf(out.value(), 256, 8), QByteArray("07 01 0a 0b 0c 0d 0e 0f"));
}

void TestEepromCodec::recordsThatDoNotFitAreRefusedByName() {
    // The factory records take 74 bytes; two full records and one of 16 bytes, plus the
    // end record, fill the 256 bytes exactly.
    for (const int last : {15, 16}) {
        EepromImage img = image(BusPci, {}, QByteArray(256, '\xFF'));
        EepromSettings s = EepromCodec::decode(img, BusPci);
        for (const int id : {17, 18})
            s.records[static_cast<std::size_t>(id)].length = 80;
        s.records[19].length = last;
        std::fill_n(s.records[19].data.begin(), last - 1, std::uint8_t{0x19});
        const Checked<EepromImage> out =
            EepromCodec::encode(s, EepromCodec::recordMac(s), img, BusPci);
        QCOMPARE(out.ok(), last == 15);
        if (!out.ok()) {
            QCOMPARE(out.problem().field, QStringLiteral("Extended EEPROM Data"));
            QVERIFY(out.problem().message.contains(QStringLiteral("record 19 would")));
            continue;
        }
        QCOMPARE(hexOf(out.value(), 256 + 252, 4), QByteArray("03 00 00 00"));
        QCOMPARE(EepromCodec::decode(out.value(), BusPci).records[19], s.records[19]);
    }
    // Too long a record in the middle names it and every one after it.
    EepromImage img = image(BusPci, {}, QByteArray(256, '\xFF'));
    EepromSettings s = EepromCodec::decode(img, BusPci);
    for (const int id : {17, 18, 20})
        s.records[static_cast<std::size_t>(id)].length = 80;
    const Checked<EepromImage> out = EepromCodec::encode(s, EepromCodec::recordMac(s), img, BusPci);
    QVERIFY(!out.ok());
    QVERIFY(out.problem().message.contains(QStringLiteral("record 20 would")));
}

void TestEepromCodec::tuplesThatDoNotFitAreRefused() {
    Chain chain;
    chain.tuple(0x15, QByteArray(20, 'x')).tuple(0x80, QByteArray(200, '\x01')).tuple(0x22, "ab");
    const EepromImage img = image(BusPcmcia, chain.area(), factoryRecords(false).area());
    EepromSettings s = EepromCodec::decode(img, BusPcmcia);
    QCOMPARE(s.tuples[2].code, 0x22);
    s.tuples[0].link = VersionTuple::kLink; // as the card editor rewrites it
    const Checked<EepromImage> out =
        EepromCodec::encode(s, EepromCodec::recordMac(s), img, BusPcmcia);
    QVERIFY(!out.ok());
    QCOMPARE(out.problem().field, QStringLiteral("PCMCIA Card Information Structure"));
    QVERIFY(out.problem().message.contains(QStringLiteral("tuples 0x80, 0x22 would")));
}

void TestEepromCodec::cisDecodeDropsTupleReachingTheAreaEnd() {
    // The second tuple would end on the area's last byte: it and the rest are dropped.
    const QByteArray area = Chain().tuple(0x20, "abcd").tuple(0x80, QByteArray(248, 'z')).area();
    const EepromSettings::Tuples tuples =
        CisChain::decode(reinterpret_cast<const std::uint8_t*>(area.constData()), 256);
    QCOMPARE(tuples[0].code, 0x20);
    QCOMPARE(tuples[1].code, EepromSettings::kEndCode);
    // One byte shorter, it stays.
    const QByteArray shorter = Chain().tuple(0x20, "abcd").tuple(0x80, QByteArray(247, 'z')).area();
    QCOMPARE(
        CisChain::decode(reinterpret_cast<const std::uint8_t*>(shorter.constData()), 256)[1].link,
        247);
}

void TestEepromCodec::newerChipFieldsAndCommandRecords() {
    QByteArray head(256, '\0');
    head.replace(0, 4, QByteArray::fromHex("02217E1C"));
    head.replace(0x06, 2, QByteArray::fromHex("1100"));
    head.replace(0x10, 14, QByteArray(14, '\x2C'));
    head.replace(0x20, 14, QByteArray(14, '\xE6'));
    head.replace(0x30, 4, QByteArray::fromHex("FF070B00"));
    head.replace(0x60, 2, QByteArray::fromHex("4000"));
    const EepromImage img = image(BusPci, head, QByteArray(256, '\xFF'));
    EepromSettings s = EepromCodec::decode(img, BusPci);
    NewerChipFields::decode(img.bytes.data(), 512).applyTo(s);
    QCOMPARE(s.records[6].length, 2);
    QCOMPARE(s.records[8].data[0], 0x40);

    const std::vector<WLFirmwareRecord> records =
        NewerChipFields::commands(s, macOf(QByteArray::fromHex("00117F80FF01")));
    QStringList sent;
    for (const WLFirmwareRecord& r : records) {
        QStringList entries;
        for (int i = 0; i < 32; ++i)
            entries << QString::number(r.data[i], 16);
        while (!entries.isEmpty() && entries.last() == u"0")
            entries.removeLast();
        sent << QStringLiteral("%1/%2: %3").arg(r.id, 0, 16).arg(r.length).arg(entries.join(u' '));
    }
    const QString c = QStringLiteral("2c ").repeated(14), e = QStringLiteral("e6 ").repeated(14);
    QCOMPARE(sent, QStringList({
                       // Address bytes from 0x80 on go sign-extended.
                       QStringLiteral("fffb/6: 0 11 7f ff80 ffff 1"),
                       QStringLiteral("fffa/32: ") + c + QStringLiteral("0 0 ") + e.trimmed(),
                       QStringLiteral("fff9/2: 11"),
                       QStringLiteral("fff8/2: ff 7"),
                       QStringLiteral("fff7/2: b"),
                       QStringLiteral("fff6/1: 40"),
                       QStringLiteral("fff5/4: 2 21 7e 1c"),
                       QStringLiteral("fff0/0: "),
                   }));
}

void TestEepromCodec::decodersStayInsideTheirBytes() {
    // Under the address sanitizer a read past the buffer fails the run.
    QRandomGenerator random(12);
    for (std::size_t size = 0; size < 300; ++size) {
        std::vector<std::uint8_t> bytes(size);
        for (std::uint8_t& b : bytes)
            b = static_cast<std::uint8_t>(random.bounded(size % 3 == 0 ? 4 : 256));
        CisChain::decode(bytes.data(), bytes.size());
        ExtendedRecordChain::decode(bytes.data(), bytes.size());
        NewerChipFields::decode(bytes.data(), bytes.size());
        VersionTuple::decode(bytes.data(), bytes.size());
    }
    QCOMPARE(CisChain::decode(nullptr, 10)[0].code, EepromSettings::kEndCode);
    QCOMPARE(ExtendedRecordChain::decode(nullptr, 10)[1].length, 0);
    QCOMPARE(VersionTuple::decode(nullptr, 10)[0], std::string());
}

void TestEepromCodec::rewritingAWrittenImageChangesNothing() {
    QRandomGenerator random(2004);
    const auto noise = [&](std::uint8_t* out, int n) {
        for (int i = 0; i < n; ++i)
            out[i] = static_cast<std::uint8_t>(random.bounded(256));
    };
    for (int round = 0; round < 600; ++round) {
        const int bus = 1 + round % 3;
        EepromImage img = image(bus, {}, {});
        noise(img.bytes.data(), EepromImage::kCapacity);
        // Mostly well-formed chains with odd entries, so decoding gets past the start.
        for (const int start : {0, img.extendedOffset}) {
            int pos = start;
            while (pos < start + 240 && random.bounded(12) != 0) {
                const int length = static_cast<int>(random.bounded(start == 0 ? 60 : 84));
                img.bytes[static_cast<std::size_t>(pos)] = static_cast<std::uint8_t>(
                    start == 0 ? random.bounded(256) : random.bounded(36));
                img.bytes[static_cast<std::size_t>(pos + 1)] = static_cast<std::uint8_t>(length);
                pos += length + (start == 0 ? 2 : 1);
            }
        }
        const Checked<EepromImage> once =
            EepromCodec::encode(EepromCodec::decode(img, bus),
                                EepromCodec::recordMac(EepromCodec::decode(img, bus)), img, bus);
        if (!once.ok())
            continue;
        const EepromSettings s = EepromCodec::decode(once.value(), bus);
        const Checked<EepromImage> twice =
            EepromCodec::encode(s, EepromCodec::recordMac(s), once.value(), bus);
        QVERIFY(twice.ok());
        QCOMPARE(hexOf(twice.value(), 0, 4096), hexOf(once.value(), 0, 4096));
    }
}

QTEST_GUILESS_MAIN(TestEepromCodec)
#include "test_eepromcodec.moc"
