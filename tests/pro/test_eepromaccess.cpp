// The EEPROM page's reads and writes against the simulated adapters: what a written
// card carries after it is plugged in again, and writes that must not happen.
#include <QFile>
#include <QJsonArray>
#include <QTest>

#include <sys/stat.h>

#include "adapter/AdapterState.h"
#include "kx02app/kxsim.h"
#include "pro/eeprom/EepromAccess.h"
#include "pro/eeprom/EepromImageFile.h"
#include "pro/eeprom/ExtendedFields.h"
#include "pro/eeprom/MacEntry.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

enum Line { PciLine = 0, CardLine = 1, UsbLine = 2 };

MacEntry::Mac mac(const char* text) {
    return MacEntry::parse(QString::fromLatin1(text)).value();
}

QByteArray simImage(const char* instance) {
    QByteArray bytes(4096, '\0');
    bytes.resize(kxsim_eeprom(instance, reinterpret_cast<std::uint8_t*>(bytes.data()), 4096));
    return bytes;
}

// The adapter as the program finds it at its next start.
EepromAccess::Content afterReplug(AppContext& ctx, Line line) {
    kxsim_reset();
    ctx.adapter = AdapterState{};
    if (selectSimulatedAdapter(ctx, line) != 0)
        return {};
    return EepromAccess(ctx.adapter, 3101).read();
}

QStringList calls(const QString& fn) {
    QStringList out;
    for (const TraceCall& c : simTrace()) {
        if (c.fn == fn)
            out << c.args.at(1).toString().left(8);
    }
    return out;
}

} // namespace

class TestEepromAccess final : public QObject {
    Q_OBJECT

private slots:
    void newerChipAddressWrittenIsTheAddressAfterReplug();
    void cardSettingsAreWrittenAsOneImage();
    void refusedWritesTouchNothing();
    void binaryImagesRoundTripThroughFiles();
    void failedWritesAreReportedAsFailures();
};

void TestEepromAccess::newerChipAddressWrittenIsTheAddressAfterReplug() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, PciLine), 0);
    EepromAccess access(t.ctx.adapter, 3101);
    EepromAccess::Content c = access.read();
    QCOMPARE(MacEntry::show(c.mac), QStringLiteral("00 1C 7E 21 02 07"));
    QCOMPARE(c.settings.records[6].length, 2); // the channels from their fixed place
    c.mac = mac("02-00-00-12-34-86");
    c.settings.records[8].data[0] = 0x40;
    const EepromAccess::Outcome outcome = access.writeSettings(c);
    QVERIFY(outcome.endsProgram());
    QVERIFY(outcome.message().startsWith(QStringLiteral("EEPROM write process OK!!\n")));
    // Length and command of each record, in the order the firmware expects them.
    QCOMPARE(calls(QStringLiteral("WriteOid")),
             QStringList({"0600fbff", "2000faff", "0200f9ff", "0200f8ff", "0200f7ff", "0100f6ff",
                          "0400f5ff", "0000f0ff"}));

    const EepromAccess::Content again = afterReplug(t.ctx, PciLine);
    QCOMPARE(MacEntry::show(again.mac), QStringLiteral("02 00 00 12 34 86"));
    QCOMPARE(again.settings.records[8].data[0], 0x40);
    std::uint8_t shown[6] = {};
    GetNICAdapterMAC(t.ctx.adapter.record(), shown);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(shown), 6).toHex(), QByteArray("020000123486"));
    QCOMPARE(simTrace().last().fn, QStringLiteral("GetNICAdapterMAC"));
}

void TestEepromAccess::cardSettingsAreWrittenAsOneImage() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    EepromAccess access(t.ctx.adapter, 3101);
    EepromAccess::Content c = access.read();
    QCOMPARE(MacEntry::show(c.mac), QStringLiteral("00 1C 7E 31 01 08"));
    ExtendedFields f = ExtendedFields::fromRecords(c.settings.records);
    f.serialNumber = QStringLiteral("51 52 53");
    QVERIFY(!f.applyTo(c.settings.records).has_value());
    c.mac = mac("001122334455");
    QVERIFY(!access.writeSettings(c).failed);
    QCOMPARE(calls(QStringLiteral("WL_WriteEEPROM")).size(), 1);
    const QByteArray written = simImage("0008");
    QCOMPARE(written.size(), 512);
    QCOMPARE(written,
             QByteArray(reinterpret_cast<const char*>(t.ctx.adapter.eeprom.bytes.data()), 512));
    QVERIFY(written.contains(QByteArray::fromHex("22080406001122334455")));

    const EepromAccess::Content again = afterReplug(t.ctx, CardLine);
    QCOMPARE(MacEntry::show(again.mac), QStringLiteral("00 11 22 33 44 55"));
    // Everything else reads back as it was written.
    EepromSettings expected = c.settings;
    expected.records[1] = again.settings.records[1];
    expected.tuples = again.settings.tuples;
    QVERIFY(again.settings == expected);
    QCOMPARE(simText("0008", "mac"), std::string("00:11:22:33:44:55"));
}

void TestEepromAccess::refusedWritesTouchNothing() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    EepromAccess access(t.ctx.adapter, 3101);
    EepromAccess::Content c = access.read();
    const EepromImage before = t.ctx.adapter.eeprom;
    for (const int id : {20, 21, 22, 23})
        c.settings.records[static_cast<std::size_t>(id)].length = 80;
    const EepromAccess::Outcome tooMuch = access.writeSettings(c);
    QVERIFY(!tooMuch.endsProgram());
    QVERIFY(tooMuch.message().contains(QStringLiteral("records 22, 23 would be left out")));
    QVERIFY(t.ctx.adapter.eeprom.bytes == before.bytes);
    const EepromAccess::Outcome shortImage = access.writeImage(QByteArray(511, '\0'));
    QVERIFY(!shortImage.endsProgram());
    QVERIFY(shortImage.message().contains(QStringLiteral("holds 511 bytes")));
    QVERIFY(calls(QStringLiteral("WL_WriteEEPROM")).isEmpty());
}

void TestEepromAccess::binaryImagesRoundTripThroughFiles() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, UsbLine), 0);
    EepromAccess access(t.ctx.adapter, 3101);
    const std::optional<QByteArray> image = access.readImage();
    QVERIFY(image.has_value());
    QCOMPARE(*image, simImage("0009"));
    const QString file = t.env.path() + QStringLiteral("/usb.bin");
    QVERIFY(!EepromImageFile::save(file, *image).has_value());
    const Checked<QByteArray> loaded = EepromImageFile::load(file, 2048);
    QVERIFY(loaded.ok());
    QCOMPARE(loaded.value(), *image);
    QByteArray edited = loaded.value();
    edited[100] = '\x42';
    QVERIFY(!access.writeImage(edited).failed);
    QCOMPARE(simImage("0009"), edited);

    QCOMPARE(EepromImageFile::save(QString(), *image)->message,
             QStringLiteral("Can't open file \"\" for output!!!"));
    QCOMPARE(EepromImageFile::load(t.env.path() + QStringLiteral("/none"), 2048).problem().message,
             QStringLiteral("Can't open file \"%1/none\" for input!!!").arg(t.env.path()));
    QVERIFY(EepromImageFile::load(file, 512).problem().message.contains(
        QStringLiteral("holds 2048 bytes")));
    // A pipe is refused at once instead of waiting for a writer.
    const QString fifo = t.env.path() + QStringLiteral("/pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(!EepromImageFile::load(fifo, 2048).ok());
}

void TestEepromAccess::failedWritesAreReportedAsFailures() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, PciLine), 0);
    EepromAccess access(t.ctx.adapter, 3101);
    const EepromAccess::Content c = access.read();
    kxsim_force("WriteOid", -1);
    const EepromAccess::Outcome commands = access.writeSettings(c);
    QVERIFY(commands.failed && commands.endsProgram());
    QVERIFY(commands.message().startsWith(QStringLiteral("EEPROM write process error!!Press OK")));
    QCOMPARE(calls(QStringLiteral("WriteOid")).size(), 8); // the update is still sent whole
    kxsim_force("WL_ReadEEPROM", -1);
    QVERIFY(!access.readImage().has_value());
    kxsim_force("WL_WriteEEPROM", -1);
    QVERIFY(access.writeImage(QByteArray(512, '\0')).failed);
}

QTEST_GUILESS_MAIN(TestEepromAccess)
#include "test_eepromaccess.moc"
