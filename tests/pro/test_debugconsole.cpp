// The debug console against the simulated chips: number fields, the transcript line by
// line, chip memory and the old debug reply, the EEPROM dump.
#include <QTest>

#include "adapter/AdapterState.h"
#include "kx02app/kxsim.h"
#include "pro/console/ConsoleField.h"
#include "pro/console/DebugConsole.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestEnv.h"

using namespace kx;
using namespace kx::test;

class TestDebugConsole : public QObject {
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void registersAndRefusals();
    void chipMemoryAndOldDebugMode();
    void eepromDump_data();
    void eepromDump();
};

void TestDebugConsole::fields_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<qint64>("value"); // -1: refused
    QTest::newRow("blanks around") << " 1c " << true << qint64(0x1C);
    QTest::newRow("eight digits") << "FFFFFFFF" << true << qint64(0xFFFFFFFF);
    QTest::newRow("nine digits") << "123456789" << true << qint64(-1);
    // Its low byte is '1': narrowing before checking would let it through.
    QTest::newRow("dotless i") << QString(QChar(0x0131)) << true << qint64(-1);
    QTest::newRow("register empty") << "" << false << qint64(0);
    // A register number is the digits the field starts with; none is negative.
    QTest::newRow("register, text after it") << "12x" << false << qint64(12);
    QTest::newRow("register negative") << "-5" << false << qint64(-1);
    QTest::newRow("register too large") << "2147483648" << false << qint64(-1);
}

void TestDebugConsole::fields() {
    QFETCH(QString, text);
    QFETCH(bool, hex);
    QFETCH(qint64, value);
    const std::optional<qint64> parsed = hex ? std::optional<qint64>(ConsoleField::hex(text))
                                             : std::optional<qint64>(ConsoleField::decimal(text));
    QCOMPARE(parsed.value_or(-1), value);
}

void TestDebugConsole::registersAndRefusals() {
    TestEnv env;
    SimRecord card(kCardName);
    const DebugConsole console(card.get(), AdapterState::kOlderChip);
    QCOMPARE(console.readPhy({.phyRegister = "9"}),
             "\r\nRead PHY register:\r\nAddress: CR9\r\nValue  : 0x1C\r\n");
    QCOMPARE(console.writePhy({.phyRegister = "11", .phyData = "7"}),
             "\r\nWrite PHY register:\r\nAddress: CR11\r\nData   : 0x0007\r\nSUCCESS\r\n");
    QCOMPARE(
        console.writeMac({.macAddress = "400104", .macData = "1"}),
        "\r\nWrite MAC register:\r\nAddress: 0x00400104\r\nData   : 0x00000001\r\nSUCCESS\r\n");
    QCOMPARE(console.readMac({.macAddress = "400104"}),
             "\r\nRead MAC register:\r\nAddress: 0x00400104\r\nValue  : 0x00000001\r\n");

    // A field that is no number: one line naming it, and nothing reaches the chip. Only
    // the fields a command uses count.
    clearSimTrace();
    QCOMPARE(console.writePhy({.phyRegister = "9", .phyData = "1g"}),
             "\r\nPHY Data: enter at most 8 hexadecimal digits; nothing was sent.\r\n");
    QCOMPARE(console.readPhy({.phyRegister = "-9", .phyData = "1g"}),
             "\r\nPHY CR: enter a decimal register number of 0 or more; nothing was sent.\r\n");
    QCOMPARE(console.writeMac({.macAddress = "10", .macData = "zz"}),
             "\r\nMAC Data: enter at most 8 hexadecimal digits; nothing was sent.\r\n");
    QCOMPARE(simCalls(), QStringList());
}

void TestDebugConsole::chipMemoryAndOldDebugMode() {
    TestEnv env;
    SimRecord pci;
    const DebugConsole console(pci.get(), AdapterState::kNewerChip);
    QVERIFY(console.writeMac({.macAddress = "8000", .macData = "CAFE"}).endsWith("SUCCESS\r\n"));
    QCOMPARE(console.readMac({.macAddress = "8000"}),
             "\r\nRead KX3105 Memory:\r\nAddress: 0x00008000\r\nValue  : 0x0000CAFE\r\n");

    const DebugConsole::Fields old{
        .macAddress = "9000", .macData = "12345678", .oldDebugMode = true};
    const QStringList lines = console.writeMac(old).split("\r\n");
    QCOMPARE(lines.mid(0, 4), (QStringList{"", "Write KX3105 Memory:", "Address: 0x00009000",
                                           "Data   : 0x12345678"}));
    QVERIFY(lines[4].startsWith("0000:78 56 34 12 "));
    QCOMPARE(lines[4].size(), 5 + 16 * 3 - 1);
    QCOMPARE(lines.mid(5), (QStringList{"SUCCESS", ""}));
    QCOMPARE(kxsim_set_int(nullptr, "old_debug_words", 0), 0);
    QCOMPARE(console.writeMac(old).split("\r\n").mid(4), (QStringList{"SUCCESS", ""}));
    // A reply claiming more than its buffer holds is shown up to the buffer's end.
    QCOMPARE(kxsim_set_int(nullptr, "old_debug_words", 0xFFFFFFFF), 0);
    const QStringList all = console.writeMac(old).split("\r\n");
    QCOMPARE(all.size(), 4 + 65 + 2);
    QVERIFY(all[68].startsWith("0400:"));
    QCOMPARE(all[68].size(), 5 + 4 * 3 - 1);
}

void TestDebugConsole::eepromDump_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("rows");
    QTest::newRow("no adapter yet") << 0 << 0;
    QTest::newRow("PCI") << 512 << 32;
    QTest::newRow("USB") << 2048 << 128;
}

void TestDebugConsole::eepromDump() {
    QFETCH(int, length);
    QFETCH(int, rows);
    EepromImage image;
    for (std::size_t i = 0; i < image.bytes.size(); ++i)
        image.bytes[i] = static_cast<std::uint8_t>(i);
    image.length = length;
    const QStringList lines = DebugConsole::eepromDump(image).split("\r\n");
    QCOMPARE(lines.mid(0, 4), (QStringList{"", "Show EEPROM Data:",
                                           "     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F",
                                           QString(52, '-')}));
    QCOMPARE(lines.size(), 4 + rows + 3);
    if (rows > 0)
        QCOMPARE(lines[3 + rows], QString::asprintf("%04X:", 16 * (rows - 1)) +
                                      "F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF");
    QCOMPARE(lines.mid(4 + rows), (QStringList{"", "OK!!!", ""}));
}

QTEST_GUILESS_MAIN(TestDebugConsole)
#include "test_debugconsole.moc"
