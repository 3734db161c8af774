// EEPROM images of the simulated adapters: layout, record lookup and persistence.
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <sys/stat.h>

#include "kx02app/kxsim.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx::test;

namespace {

std::vector<std::uint8_t> image(const char* instance) {
    std::vector<std::uint8_t> bytes(4096, 0);
    bytes.resize(static_cast<std::size_t>(kxsim_eeprom(instance, bytes.data(), 4096)));
    return bytes;
}

QByteArray record(std::vector<std::uint8_t> bytes, int bus, int item, int room = 80) {
    bytes.resize(4096, 0xFF);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(std::max(room, 1)), 0xEE);
    std::int32_t length = room;
    if (QueryWL_ExtEEPROM_IDData(bytes.data(), bus, item, out.data(), &length) != 0)
        return "absent";
    return QByteArray(reinterpret_cast<const char*>(out.data()), length).toHex(' ');
}

} // namespace

class TestSimEeprom : public QObject {
    Q_OBJECT

private slots:
    void readCopiesTheImageOnly_data();
    void readCopiesTheImageOnly();
    void cardInformationChain();
    void newerChipFixedFields();
    void extendedRecords_data();
    void extendedRecords();
    void lookupOfBadImages();
    void writesPersistAcrossReset();
    void fifosInTheImagesPlaceHangNothing();
    void newerChipCommandRecordsUpdateTheImage();
};

void TestSimEeprom::readCopiesTheImageOnly_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::newRow("PCI") << QString(kPciName) << 512;
    QTest::newRow("PCMCIA") << QString(kCardName) << 512;
    QTest::newRow("USB") << QString(kUsbName) << 2048;
}

void TestSimEeprom::readCopiesTheImageOnly() {
    QFETCH(QString, name);
    QFETCH(int, size);
    TestEnv env;
    SimRecord r(name.toLatin1().constData());
    std::vector<std::uint8_t> buffer(4096, 0xCD);
    QCOMPARE(WL_ReadEEPROM(r.get(), 3101, 1, buffer.data(), 4096), 0);
    QVERIFY(
        std::all_of(buffer.begin() + size, buffer.end(), [](std::uint8_t b) { return b == 0xCD; }));
    std::vector<std::uint8_t> shorter(16, 0xCD);
    QCOMPARE(WL_ReadEEPROM(r.get(), 3101, 1, shorter.data(), 8), 0);
    QCOMPARE(shorter[8], 0xCD);
    QCOMPARE(WL_ReadEEPROM(r.get(), 3101, 1, nullptr, 8), -1);
    QCOMPARE(WL_ReadEEPROM(r.get(), 3101, 1, shorter.data(), -1), -1);
}

void TestSimEeprom::cardInformationChain() {
    TestEnv env;
    const std::vector<std::uint8_t> bytes = image("0008");
    std::vector<int> codes;
    std::size_t pos = 0;
    while (pos < 256 && bytes[pos] != 0xFF) {
        codes.push_back(bytes[pos]);
        if (bytes[pos] == 0x22)
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(&bytes[pos + 1]), 9).toHex(' '),
                     QByteArray("08 04 06 00 1c 7e 31 01 08"));
        pos += bytes[pos + 1] + 2u;
    }
    QVERIFY(pos < 256);
    QCOMPARE(codes, (std::vector<int>{0x15, 0x20, 0x21, 0x1B, 0x22}));
    QVERIFY(std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.begin() + 256,
                        [](std::uint8_t b) { return b == 0xFF; }));
}

void TestSimEeprom::newerChipFixedFields() {
    TestEnv env;
    const std::vector<std::uint8_t> b = image("0007");
    const auto at = [&](int offset, int n) {
        return QByteArray(reinterpret_cast<const char*>(&b[static_cast<std::size_t>(offset)]), n)
            .toHex(' ');
    };
    QCOMPARE(at(0x00, 4), QByteArray("02 21 7e 1c"));
    QCOMPARE(at(0x06, 2), QByteArray("10 00"));
    QCOMPARE(at(0x10, 2), QByteArray("2b 2b"));
    QCOMPARE(at(0x20, 2), QByteArray("e5 e5"));
    QCOMPARE(at(0x30, 4), QByteArray("ff 3f 06 00"));
    QCOMPARE(at(0x60, 2), QByteArray("10 00"));
}

void TestSimEeprom::extendedRecords_data() {
    QTest::addColumn<QString>("instance");
    QTest::addColumn<int>("bus");
    QTest::addColumn<int>("item");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("card MAC") << "0008" << 1 << 1 << QByteArray("00 1c 7e 31 01 08");
    QTest::newRow("card channels 1-11") << "0008" << 1 << 6 << QByteArray("ff 07");
    QTest::newRow("card has no USB IDs") << "0008" << 1 << 11 << QByteArray("absent");
    QTest::newRow("record 4 unused") << "0008" << 1 << 4 << QByteArray("absent");
    QTest::newRow("PCI channels") << "0007" << 2 << 6 << QByteArray("ff 3f");
    QTest::newRow("USB vendor") << "0009" << 3 << 11 << QByteArray("5a 1d");
    QTest::newRow("USB PA type") << "0009" << 3 << 16 << QByteArray("01");
    QTest::newRow("USB image read at the PCI offset") << "0009" << 2 << 6 << QByteArray("absent");
}

void TestSimEeprom::extendedRecords() {
    QFETCH(QString, instance);
    QFETCH(int, bus);
    QFETCH(int, item);
    QFETCH(QByteArray, data);
    TestEnv env;
    QCOMPARE(record(image(instance.toLatin1().constData()), bus, item), data);
}

void TestSimEeprom::lookupOfBadImages() {
    TestEnv env;
    std::vector<std::uint8_t> bytes = image("0008");
    // Room for one byte: one byte copied, the length says so.
    QCOMPARE(record(bytes, 1, 1, 1), QByteArray("00"));
    std::int32_t length = 2;
    std::uint8_t out[2] = {};
    QCOMPARE(QueryWL_ExtEEPROM_IDData(nullptr, 1, 6, out, &length), -1);
    QCOMPARE(QueryWL_ExtEEPROM_IDData(bytes.data(), 1, 6, out, nullptr), -1);
    length = -1;
    bytes.resize(4096, 0xFF);
    QCOMPARE(QueryWL_ExtEEPROM_IDData(bytes.data(), 1, 6, out, &length), -1);
    // A record must end inside the 256-byte area.
    for (const int last : {12, 13}) {
        std::vector<std::uint8_t> chain(4096, 0xFF);
        for (const int at : {256, 337, 418}) {
            chain[static_cast<std::size_t>(at)] = 80;
            chain[static_cast<std::size_t>(at) + 1] = 5;
        }
        chain[499] = static_cast<std::uint8_t>(last);
        chain[500] = 6;
        QCOMPARE(record(chain, 1, 6) != "absent", last == 12);
    }
    std::vector<std::uint8_t> zeros(4096, 0);
    QCOMPARE(record(zeros, 3, 6), QByteArray("absent"));
    // The same at the USB offset.
    std::vector<std::uint8_t> tail(4096, 0xFF);
    tail[1792 + 254] = 79;
    tail[1792 + 255] = 7;
    QCOMPARE(record(tail, 3, 7), QByteArray("absent"));
}

void TestSimEeprom::writesPersistAcrossReset() {
    TestEnv env;
    {
        SimRecord r(kCardName);
        std::vector<std::uint8_t> bytes = image("0008");
        bytes[300] ^= 0xFF;
        bytes.resize(4096, 0x77); // longer than the EEPROM: the rest is cut
        QCOMPARE(WL_WriteEEPROM(r.get(), bytes.data(), static_cast<std::int32_t>(bytes.size())), 0);
        QCOMPARE(WL_WriteEEPROM(r.get(), nullptr, 10), -1);
        QCOMPARE(WL_WriteEEPROM(r.get(), bytes.data(), 0), -1);
    }
    const std::uint8_t changed = image("0008")[300];
    kxsim_reset();
    const std::vector<std::uint8_t> after = image("0008");
    QCOMPARE(after.size(), 512u);
    QCOMPARE(after[300], changed);
    QVERIFY(QDir(env.path() + "/state").entryList({"eeprom-*"}, QDir::Files).size() == 1);
    // Other adapters keep their factory image.
    QCOMPARE(image("0007")[0], 0x02);
}

void TestSimEeprom::fifosInTheImagesPlaceHangNothing() {
    TestEnv env;
    const QByteArray file = QFile::encodeName(env.path() + "/state/eeprom-0008.bin");
    QVERIFY(QDir().mkpath(env.path() + "/state"));
    QCOMPARE(::mkfifo(file.constData(), 0600), 0);
    QCOMPARE(::mkfifo((file + ".tmp").constData(), 0600), 0);
    kxsim_reset(); // the card starts from its factory image
    SimRecord r(kCardName);
    std::vector<std::uint8_t> bytes = image("0008");
    bytes[300] ^= 0xFF;
    QCOMPARE(WL_WriteEEPROM(r.get(), bytes.data(), static_cast<std::int32_t>(bytes.size())), 0);
    kxsim_reset();
    QCOMPARE(image("0008")[300], bytes[300]);
}

void TestSimEeprom::newerChipCommandRecordsUpdateTheImage() {
    TestEnv env;
    SimRecord r;
    WLFirmwareRecord channels{};
    channels.length = 2;
    channels.id = 0xFFF8;
    channels.data[0] = 0xFF;
    channels.data[1] = 0x07;
    QCOMPARE(WriteOid(r.get(), WL_OID_FIRMWARE_RECORD, &channels, sizeof channels), 0);
    WLFirmwareRecord mac{};
    mac.length = 6;
    mac.id = 0xFFFB;
    const std::uint16_t entries[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0xFF80}; // sign-extended
    std::copy(std::begin(entries), std::end(entries), mac.data);
    QCOMPARE(WriteOid(r.get(), WL_OID_FIRMWARE_RECORD, &mac, sizeof mac), 0);
    WLFirmwareRecord end{};
    end.id = 0xFFF0;
    QCOMPARE(WriteOid(r.get(), WL_OID_FIRMWARE_RECORD, &end, sizeof end), 0);
    kxsim_reset();
    const std::vector<std::uint8_t> b = image("0007");
    QCOMPARE(b[0x30], 0xFF);
    QCOMPARE(b[0x31], 0x07);
    QCOMPARE(b[0x0D], 0x80);
    // A re-plugged card takes its address from the EEPROM.
    QCOMPARE(simText("0007", "mac"), std::string("00:11:22:33:44:80"));
    // The older chip knows no such commands.
    SimRecord card(kCardName);
    QCOMPARE(WriteOid(card.get(), WL_OID_FIRMWARE_RECORD, &channels, sizeof channels), -1);
}

QTEST_GUILESS_MAIN(TestSimEeprom)
#include "tst_simeeprom.moc"
