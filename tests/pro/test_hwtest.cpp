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
#include "tests/settings/SettingsFixture.h"
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
    void radioRowsShowTheCardAndActOnEveryChoice();
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

// Every row shows the card as it stands after each operation, and choosing an entry
// acts whether it was checked or not: by mouse, keyboard and accessible toggle alike.
void TestHwTest::radioRowsShowTheCardAndActOnEveryChoice() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    CHWTest page(t.ctx);
    page.show();
    auto* enable = child<QRadioButton>(&page, "scramblerEnableRadio");
    auto* disable = child<QRadioButton>(&page, "scramblerDisableRadio");
    auto* suppression = child<QRadioButton>(&page, "carrierSuppressionRadio");
    // Announced as what they are, though no group holds them exclusive.
    QCOMPARE(QAccessible::queryAccessibleInterface(enable)->role(), QAccessible::RadioButton);
    enable->click();
    suppression->click();
    child<QPushButton>(&page, "startButton")->click();
    // Carrier suppression turned the scrambler off.
    QCOMPARE(card("scrambler"), 0);
    QVERIFY(disable->isChecked() && !enable->isChecked());

    // The running pattern chosen again restarts the transmission.
    clearSimTrace();
    suppression->setFocus();
    QTest::keyClick(suppression, Qt::Key_Space);
    QCOMPARE(simCalls({"SetWL_TxContinuous"}),
             (QStringList{"SetWL_TxContinuous(0)", "SetWL_TxContinuous(1)"}));
    QVERIFY(suppression->isChecked());

    clearSimTrace();
    toggleAccessibly(disable);
    QCOMPARE(simCalls({"SetWL_CRScrambler"}), QStringList{"SetWL_CRScrambler(0)"});
    QVERIFY(disable->isChecked());

    // A band the card refused is not shown as chosen.
    auto* japan = child<QRadioButton>(&page, "japanRadio");
    kxsim_force("SetWL_FilterBand", -1);
    japan->click();
    QVERIFY(!japan->isChecked());
}

QTEST_MAIN(TestHwTest)
#include "test_hwtest.moc"
