// The tally page's rows: unsigned counters, the debug rows only on the newer chip, reset,
// and failures that leave the list alone.
#include <QTest>

#include "kx02app/kxsim.h"
#include "pro/tally/AdapterTally.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/TestEnv.h"

using namespace kx;
using namespace kx::test;

class TestAdapterTally : public QObject {
    Q_OBJECT

private slots:
    void countersAreUnsigned();
    void rowsByChipResetAndFailures();
};

void TestAdapterTally::countersAreUnsigned() {
    TallyRecord record;
    std::fill(record.bytes.begin() + 8, record.bytes.begin() + 16, 0xFF);
    record.bytes[16] = 0x01;
    record.bytes[23] = 0x80;
    const QList<TallyRow> rows = AdapterTally::rows(record, false);
    QCOMPARE(rows.size(), 21);
    QCOMPARE(rows[1].name, "Tx Multicast Frames");
    QCOMPARE(rows[1].value, "18446744073709551615");
    QCOMPARE(rows[2].value, "9223372036854775809");
}

void TestAdapterTally::rowsByChipResetAndFailures() {
    TestEnv env;
    SimRecord pci;
    kxsim_advance(11500);
    const auto debug = AdapterTally::update(pci.get(), true, true);
    QCOMPARE(debug->size(), 17);
    QCOMPARE((*debug)[8].name, "  LessThanDataMinLen");
    QCOMPARE((*debug)[11].name, "NotifyNDISRxFrmCnt");
    QCOMPARE(AdapterTally::update(pci.get(), true, false)->at(10).value, "255");
    const auto reset = AdapterTally::reset(pci.get(), true, true);
    for (const TallyRow& row : *reset)
        QCOMPARE(row.value, "0");
    SimRecord card(kCardName);
    QCOMPARE(AdapterTally::update(card.get(), false, true)->size(), 21);

    kxsim_force("ReadOid", -1);
    QVERIFY(!AdapterTally::update(pci.get(), true, true));
    kxsim_force("KxOpenAdapter", 0);
    QVERIFY(!AdapterTally::update(pci.get(), true, false));
}

QTEST_GUILESS_MAIN(TestAdapterTally)
#include "test_adaptertally.moc"
