// The RF test page as a person uses it, against the simulated adapters: what the
// transmitter sends after each control, and what the page shows.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "kx02app/kxsim.h"
#include "pro/rftest/ui/CHWTest.h"
#include "pro/sheet/ProfessionalSheet.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/pro/RadioProbe.h"
#include "tests/support/Children.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

enum Line { PciLine = 0, CardLine = 1 };

} // namespace

class TestHwTest final : public QObject {
    Q_OBJECT

private slots:
    void continuousTransmissionAsInTheLab();
    void antennasOnEachVisit();
    void newerChipAndConfiguration();
};

void TestHwTest::continuousTransmissionAsInTheLab() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    kxsim_set_int("0008", "pa_gain", 0);
    CHWTest page(t.ctx);
    page.show();
    auto* rate = child<QComboBox>(&page, "txRateList");
    QCOMPARE(rate->currentText(), QStringLiteral("11M bps"));
    QCOMPARE(child<QComboBox>(&page, "channelList")->count(), 14);
    QPushButton* start = child<QPushButton>(&page, "startButton");

    child<QRadioButton>(&page, "cwRadio")->click();
    start->click();
    QCOMPARE(start->text(), QStringLiteral("STOP"));
    QCOMPARE(card("emit_pattern"), 1);
    QCOMPARE(card("emit_rate"), 3);

    rate->setCurrentIndex(1); // 2M bps: stopped, changed, started again
    QCOMPARE(card("emit_rate"), 1);
    QCOMPARE(card("emit_pattern"), 1);
    QCOMPARE(start->text(), QStringLiteral("STOP"));

    QLineEdit* gain = child<QLineEdit>(&page, "paGainValue");
    QToolButton* up = child<QToolButton>(&page, "paGainStepUp");
    QToolButton* down = child<QToolButton>(&page, "paGainStepDown");
    QCOMPARE(gain->text(), QStringLiteral("0"));
    down->click();
    QCOMPARE(gain->text(), QStringLiteral("0"));
    for (int i = 0; i < 16; ++i)
        up->click();
    QCOMPARE(gain->text(), QStringLiteral("F"));
    QCOMPARE(card("pa_gain"), 15);
    child<QPushButton>(&page, "queryButton")->click();
    QCOMPARE(child<QLineEdit>(&page, "txPowerValue")->text(), QStringLiteral("6C"));

    // Another tab leaves it running; closing the sheet stops it and restores the lines.
    page.hide();
    QCOMPARE(card("tx_continuous"), 1);
    ProfessionalSheet::restoreRadio(t.ctx.adapter.record());
    QCOMPARE(card("tx_continuous"), 0);
    QCOMPARE(phy(t.ctx, 9) & 0x18, 0);
    QCOMPARE(phy(t.ctx, 11) & 0x04, 0);
}

void TestHwTest::antennasOnEachVisit() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    // As the sheet holds it: one tab among others.
    QTabWidget tabs;
    auto& page = *new CHWTest(t.ctx, &tabs);
    tabs.addTab(&page, page.windowTitle());
    tabs.addTab(new QWidget, QStringLiteral("Other"));
    tabs.show();
    QCOMPARE(tabs.tabText(0), QStringLiteral("RF Hardware Test"));
    QVERIFY(child<QRadioButton>(&page, "txAnt1Radio")->isChecked());
    QVERIFY(!child<QRadioButton>(&page, "txAutoRadio")->isEnabled());
    clearSimTrace();
    child<QRadioButton>(&page, "rxAnt2Radio")->click();
    QCOMPARE(simCalls({QStringLiteral("SetWL_FirmwareAntenna")}),
             QStringList({"SetWL_FirmwareAntennaDiversity(1,2)"}));
    QCOMPARE(t.adapterValue("AntennaSelect"), QStringLiteral("2"));

    // Coming back to the tab reads them again; an unknown antenna selects nothing.
    tabs.setCurrentIndex(1);
    kxsim_force("QueryWL_FirmwareAntennaDiversity", -1);
    tabs.setCurrentIndex(0);
    QVERIFY(!child<QRadioButton>(&page, "rxAnt2Radio")->isChecked());
    QVERIFY(!child<QRadioButton>(&page, "rxAnt1Radio")->isChecked());
    QCOMPARE(simCalls({QStringLiteral("SetWL")}).size(), 1); // a visit sends nothing
}

void TestHwTest::newerChipAndConfiguration() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, PciLine), 0);
    t.ctx.config.RF_Test_Change_Rate = 0;
    t.ctx.config.RF_Test_Spreading = 0;
    CHWTest page(t.ctx);
    page.show();
    QVERIFY(child<QComboBox>(&page, "txRateList")->isHidden());
    QVERIFY(!child<QRadioButton>(&page, "spreadingEnableRadio")->isEnabled());
    child<QRadioButton>(&page, "scramblerDisableRadio")->click();
    QCOMPARE(t.seam.messages.size(), 1);
    QCOMPARE(t.seam.messages.constFirst().text, QStringLiteral("not supperted yet"));

    child<QRadioButton>(&page, "normalRadio")->click();
    child<QPushButton>(&page, "startButton")->click();
    QCOMPARE(simInt("0007", "emit_pattern"), 0);
    child<QPushButton>(&page, "dozeButton")->click();
    QCOMPARE(simInt("0007", "dozing"), 1);
}

QTEST_MAIN(TestHwTest)
#include "test_hwtest.moc"
