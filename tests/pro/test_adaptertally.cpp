// The tally page's rows: names and unsigned counters, the standard or the debug
// counters by chip, and a failed read that leaves the list alone.
#include <QTest>

#include "kx02app/kxsim.h"
#include "pro/AdapterTally.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx;
using namespace kx::test;

class TestAdapterTally : public QObject {
    Q_OBJECT

private slots:
    void countersAreUnsigned();
    void debugRowsOnlyOnTheNewerChip();
    void countersMoveAndReset();
    void failuresLeaveTheListAlone();
};

void TestAdapterTally::countersAreUnsigned() {
    TallyRecord record;
    std::fill(record.bytes.begin() + 8, record.bytes.begin() + 16, 0xFF);
    record.bytes[16] = 0x01;
    record.bytes[23] = 0x80;
    const QList<TallyRow> rows = AdapterTally::rows(record, false);
    QCOMPARE(rows.size(), 21);
    QCOMPARE(rows[0].value, "0");
    QCOMPARE(rows[1].name, "Tx Multicast Frames");
    QCOMPARE(rows[1].value, "18446744073709551615");
    QCOMPARE(rows[2].value, "9223372036854775809");
    QCOMPARE(rows[20].name, "Reserved8");
}

void TestAdapterTally::debugRowsOnlyOnTheNewerChip() {
    TestEnv env;
    SimRecord pci;
    const auto debug = AdapterTally::update(pci.get(), true, true);
    QVERIFY(debug);
    QCOMPARE(debug->size(), 17);
    QStringList indented;
    for (const TallyRow& row : *debug) {
        if (row.name.startsWith("  "))
            indented << row.name;
    }
    QCOMPARE(indented, (QStringList{"  LessThanDataMinLen", "  GreaterThanMaxLen",
                                    "  PLCP_MacLen_Mismatch"}));
    QCOMPARE(debug->last().name, "LossAP");
    QCOMPARE(AdapterTally::update(pci.get(), true, false)->size(), 21);

    SimRecord card(kCardName);
    const auto standard = AdapterTally::update(card.get(), false, true);
    QVERIFY(standard);
    QCOMPARE(standard->size(), 21);
}

void TestAdapterTally::countersMoveAndReset() {
    TestEnv env;
    SimRecord pci;
    kxsim_advance(11500);
    const auto before = AdapterTally::update(pci.get(), true, false);
    QCOMPARE((*before)[10].name, "Rx Unicast Frames");
    QCOMPARE((*before)[10].value, "255");
    const auto after = AdapterTally::reset(pci.get(), true, true);
    QVERIFY(after);
    for (const TallyRow& row : *after)
        QCOMPARE(row.value, "0");
}

void TestAdapterTally::failuresLeaveTheListAlone() {
    TestEnv env;
    SimRecord pci;
    kxsim_force("GetNICAdapterTally", -1);
    QVERIFY(!AdapterTally::update(pci.get(), true, false));
    kxsim_force("ReadOid", -1);
    QVERIFY(!AdapterTally::update(pci.get(), true, true));
    kxsim_clear_force(nullptr);
    kxsim_force("KxOpenAdapter", 0);
    QVERIFY(!AdapterTally::reset(pci.get(), true, false));
}

QTEST_GUILESS_MAIN(TestAdapterTally)
#include "test_adaptertally.moc"
