#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "adapter/AdapterState.h"
#include "settings/ui/CAdvancedSettingDlg.h"
#include "tests/settings/SettingsFixture.h"

using namespace kx;
using namespace kx::test;

class TestAdvancedSettingDlg final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingSendsInOrder();
    void openingWithRtsZeroRestartsTwice();
    void fragmentTexts_data();
    void fragmentTexts();
    void failedRtsQueryMeansOff();
    void levelOutOfRangeSendsZero();
    void olderChipKeepsPreambleDisabledButSendsIt();
    void newerChipEnablesPreamble();
    void autoOffWithoutChoiceSendsLong();
    void preambleChoiceSendsWithoutRestart();
    void sliderMovesSendAllThree();
    void rtsUnchangedCausesNoExtraRestart();
    void levelControlsOffOutsideInfrastructure_data();
    void levelControlsOffOutsideInfrastructure();
    void powerSaveAndHighRate();
    void sliderSettings();

private:
    void open();
    template <typename W> W* get(const char* name) const { return child<W>(m_dlg.get(), name); }

    std::unique_ptr<SettingsFixture> m_fx;
    std::unique_ptr<CAdvancedSettingDlg> m_dlg;
};

void TestAdvancedSettingDlg::init() {
    m_fx = std::make_unique<SettingsFixture>();
    QCOMPARE(m_fx->selected, 0);
    QVERIFY(m_fx->languageOpen);
    kxsim_force("QueryWL_PSMode", 0);
    kxsim_force("QueryWL_27_5Mbps", 0);
    kxsim_force("QueryWL_PSLevel", 2);
    kxsim_force("QueryWL_NetworkType", 1);
    kxsim_force("QueryWL_PreambleMode", 3);
    kxsim_force("QueryWL_FragmentationThreshold", 1000);
    kxsim_force("QueryWL_RTS_CTS_Threshold", 500);
}

void TestAdvancedSettingDlg::cleanup() {
    m_dlg.reset();
    m_fx.reset();
}

void TestAdvancedSettingDlg::open() {
    clearSimTrace();
    m_dlg = std::make_unique<CAdvancedSettingDlg>(m_fx->ctx);
}

void TestAdvancedSettingDlg::openingSendsInOrder() {
    open();
    QCOMPARE(simCalls(), (QStringList{
                             "QueryWL_PSMode()",
                             "QueryWL_27_5Mbps()",
                             "QueryWL_PSLevel()",
                             "QueryWL_NetworkType()",
                             "SetWL_PSLevel(2)",
                             "SetWL_RestartNIC()",
                             "QueryWL_PreambleMode()",
                             "QueryWL_FragmentationThreshold()",
                             "SetWL_FragmentationThreshold(1000)",
                             "QueryWL_RTS_CTS_Threshold()",
                             "SetWL_RTS_CTS_Threshold(500)",
                             "SetWL_RestartNIC()",
                             "SetWL_PSMode(0)",
                             "SetWL_RestartNIC()",
                             "SetWL_PreambleMode(3)",
                         }));
    QCOMPARE(m_fx->adapterValue("PowerSaveLevel"), QStringLiteral("2"));
    QCOMPARE(m_fx->adapterValue("FragmentThreshold"), QStringLiteral("1000"));
    QCOMPARE(m_fx->adapterValue("RTSCTSThreshold"), QStringLiteral("500"));
    QCOMPARE(m_fx->adapterValue("PowerSaveMode"), QStringLiteral("0"));
    QCOMPARE(m_fx->adapterValue("Preamble"), QStringLiteral("3"));
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("Advanced Setting...  "));
    QCOMPARE(get<QLabel>("levelValueLabel")->text(), QStringLiteral("< Level 2 >"));
    QVERIFY(get<QWidget>("levelPanel")->isHidden());
}

void TestAdvancedSettingDlg::openingWithRtsZeroRestartsTwice() {
    kxsim_force("QueryWL_RTS_CTS_Threshold", 0);
    open();
    QCOMPARE(restarts(), 2);
    QCOMPARE(get<QLabel>("rtsValueLabel")->text(), QStringLiteral("< 0 >"));
}

void TestAdvancedSettingDlg::fragmentTexts_data() {
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("sent");
    QTest::addColumn<QString>("text");
    QTest::newRow("2306 off") << 2306 << 2306 << QStringLiteral("< 2306 (Disable) >");
    QTest::newRow("2305") << 2305 << 2305 << QStringLiteral("< 2305 >");
    QTest::newRow("256") << 256 << 256 << QStringLiteral("< 256 >");
    QTest::newRow("too small") << 100 << 2306 << QStringLiteral("< 2306 (Disable) >");
    QTest::newRow("failed") << -1 << 2306 << QStringLiteral("< 2306 (Disable) >");
}

void TestAdvancedSettingDlg::fragmentTexts() {
    QFETCH(int, reported);
    QFETCH(int, sent);
    QFETCH(QString, text);
    kxsim_force("QueryWL_FragmentationThreshold", reported);
    open();
    QCOMPARE(get<QSlider>("fragmentSlider")->value(), sent);
    QCOMPARE(get<QLabel>("fragmentValueLabel")->text(), text);
    QCOMPARE(simCalls({"SetWL_FragmentationThreshold"}),
             QStringList{QStringLiteral("SetWL_FragmentationThreshold(%1)").arg(sent)});
    QCOMPARE(m_fx->adapterValue("FragmentThreshold"), QString::number(sent));
}

void TestAdvancedSettingDlg::failedRtsQueryMeansOff() {
    kxsim_force("QueryWL_RTS_CTS_Threshold", -1);
    open();
    QCOMPARE(get<QSlider>("rtsSlider")->value(), 2305);
    QCOMPARE(get<QLabel>("rtsValueLabel")->text(), QStringLiteral("< 2305 (Disable) >"));
    QCOMPARE(m_fx->adapterValue("RTSCTSThreshold"), QStringLiteral("2305"));
}

void TestAdvancedSettingDlg::levelOutOfRangeSendsZero() {
    kxsim_force("QueryWL_PSLevel", 7);
    open();
    QCOMPARE(simCalls({"SetWL_PSLevel"}), QStringList{"SetWL_PSLevel(0)"});
    QCOMPARE(m_fx->adapterValue("PowerSaveLevel"), QStringLiteral("0"));
}

void TestAdvancedSettingDlg::olderChipKeepsPreambleDisabledButSendsIt() {
    m_fx->ctx.adapter.chipVersion = AdapterState::kOlderChip;
    kxsim_force("QueryWL_PreambleMode", 2);
    open();
    QVERIFY(!get<QCheckBox>("autoPreambleCheck")->isEnabled());
    QVERIFY(!get<QRadioButton>("longPreambleRadio")->isEnabled());
    QVERIFY(!get<QRadioButton>("shortPreambleRadio")->isEnabled());
    QVERIFY(get<QRadioButton>("shortPreambleRadio")->isChecked());
    QCOMPARE(simCalls({"SetWL_PreambleMode"}), QStringList{"SetWL_PreambleMode(2)"});
    QCOMPARE(m_fx->adapterValue("Preamble"), QStringLiteral("2"));
}

void TestAdvancedSettingDlg::newerChipEnablesPreamble() {
    m_fx->ctx.adapter.chipVersion = AdapterState::kNewerChip;
    kxsim_force("QueryWL_PreambleMode", 1);
    open();
    QVERIFY(get<QCheckBox>("autoPreambleCheck")->isEnabled());
    QVERIFY(!get<QCheckBox>("autoPreambleCheck")->isChecked());
    QVERIFY(get<QRadioButton>("longPreambleRadio")->isEnabled());
    QVERIFY(get<QRadioButton>("longPreambleRadio")->isChecked());
    QCOMPARE(simCalls({"SetWL_PreambleMode"}), QStringList{"SetWL_PreambleMode(1)"});
}

void TestAdvancedSettingDlg::autoOffWithoutChoiceSendsLong() {
    m_fx->ctx.adapter.chipVersion = AdapterState::kNewerChip;
    open();
    auto* automatic = get<QCheckBox>("autoPreambleCheck");
    QVERIFY(automatic->isChecked());
    QVERIFY(!get<QRadioButton>("longPreambleRadio")->isEnabled());
    clearSimTrace();
    automatic->click();
    QCOMPARE(simCalls(), QStringList{"SetWL_PreambleMode(1)"});
    QVERIFY(get<QRadioButton>("longPreambleRadio")->isChecked());
    QVERIFY(get<QRadioButton>("longPreambleRadio")->isEnabled());
    QCOMPARE(m_fx->adapterValue("Preamble"), QStringLiteral("1"));
    automatic->click();
    QVERIFY(!get<QRadioButton>("longPreambleRadio")->isChecked());
    QCOMPARE(m_fx->adapterValue("Preamble"), QStringLiteral("3"));
}

void TestAdvancedSettingDlg::preambleChoiceSendsWithoutRestart() {
    m_fx->ctx.adapter.chipVersion = AdapterState::kNewerChip;
    kxsim_force("QueryWL_PreambleMode", 1);
    open();
    clearSimTrace();
    get<QRadioButton>("shortPreambleRadio")->click();
    QCOMPARE(simCalls(), QStringList{"SetWL_PreambleMode(2)"});
    QCOMPARE(m_fx->adapterValue("Preamble"), QStringLiteral("2"));
    clearSimTrace();
    toggleAccessibly(get<QRadioButton>("longPreambleRadio"));
    QCOMPARE(simCalls(), QStringList{"SetWL_PreambleMode(1)"});
}

void TestAdvancedSettingDlg::sliderMovesSendAllThree() {
    open();
    auto* fragment = get<QSlider>("fragmentSlider");
    clearSimTrace();
    fragment->setFocus();
    QTest::keyClick(fragment, Qt::Key_PageUp);
    QCOMPARE(fragment->value(), 1128);
    QCOMPARE(simCalls({"Set"}),
             (QStringList{"SetWL_PSLevel(2)", "SetWL_RestartNIC()",
                          "SetWL_FragmentationThreshold(1128)", "SetWL_RTS_CTS_Threshold(500)"}));
    QCOMPARE(m_fx->adapterValue("FragmentThreshold"), QStringLiteral("1128"));
    QCOMPARE(get<QLabel>("fragmentValueLabel")->text(), QStringLiteral("< 1128 >"));

    auto* rts = get<QSlider>("rtsSlider");
    clearSimTrace();
    rts->setValue(2305);
    QCOMPARE(restarts(), 2);
    QCOMPARE(get<QLabel>("rtsValueLabel")->text(), QStringLiteral("< 2305 (Disable) >"));
    QCOMPARE(m_fx->adapterValue("RTSCTSThreshold"), QStringLiteral("2305"));
}

void TestAdvancedSettingDlg::rtsUnchangedCausesNoExtraRestart() {
    open();
    auto* rts = get<QSlider>("rtsSlider");
    clearSimTrace();
    rts->setValue(600);
    QCOMPARE(restarts(), 2);
    clearSimTrace();
    get<QSlider>("fragmentSlider")->setValue(2306);
    QCOMPARE(restarts(), 1);
    QCOMPARE(simCalls({"SetWL_RTS_CTS_Threshold"}), QStringList{"SetWL_RTS_CTS_Threshold(600)"});
    // Back to the value sent at opening: it differs from the last sent, so it restarts.
    clearSimTrace();
    rts->setValue(500);
    QCOMPARE(restarts(), 2);
}

void TestAdvancedSettingDlg::levelControlsOffOutsideInfrastructure_data() {
    QTest::addColumn<int>("networkType");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("ad hoc") << 0 << false;
    QTest::newRow("infrastructure") << 1 << true;
    QTest::newRow("pseudo IBSS") << 3 << false;
    QTest::newRow("failed") << -1 << false;
}

void TestAdvancedSettingDlg::levelControlsOffOutsideInfrastructure() {
    QFETCH(int, networkType);
    QFETCH(bool, enabled);
    kxsim_force("QueryWL_NetworkType", networkType);
    open();
    QCOMPARE(get<QSlider>("levelSlider")->isEnabled(), enabled);
    QCOMPARE(get<QLabel>("levelValueLabel")->isEnabled(), enabled);
    QCOMPARE(get<QLabel>("levelMoreLabel")->isEnabled(), enabled);
    // The level is sent all the same.
    QCOMPARE(simCalls({"SetWL_PSLevel"}), QStringList{"SetWL_PSLevel(2)"});
}

void TestAdvancedSettingDlg::powerSaveAndHighRate() {
    kxsim_force("QueryWL_PSMode", -1);
    kxsim_force("QueryWL_27_5Mbps", 1);
    open();
    auto* powerSave = get<QCheckBox>("powerSaveCheck");
    auto* highRate = get<QCheckBox>("highRateCheck");
    QVERIFY(!powerSave->isChecked());
    QVERIFY(highRate->isChecked());
    QCOMPARE(highRate->text(), QStringLiteral("Enable Proprietary High Rate"));
    clearSimTrace();
    powerSave->click();
    QCOMPARE(simCalls(), (QStringList{"SetWL_PSMode(1)", "SetWL_RestartNIC()"}));
    QCOMPARE(m_fx->adapterValue("PowerSaveMode"), QStringLiteral("1"));
    clearSimTrace();
    toggleAccessibly(highRate);
    QCOMPARE(simCalls(), QStringList{"SetWL_27_5Mbps(0)"});
    QCOMPARE(m_fx->adapterValue("27_5Mbps"), QStringLiteral("0"));
}

void TestAdvancedSettingDlg::sliderSettings() {
    open();
    struct Expected {
        const char* name;
        int minimum, maximum, step;
    };
    for (const Expected& e :
         {Expected{"levelSlider", 0, 4, 1}, Expected{"fragmentSlider", 256, 2306, 128},
          Expected{"rtsSlider", 0, 2305, 128}}) {
        auto* slider = get<QSlider>(e.name);
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->minimum(), e.minimum);
        QCOMPARE(slider->maximum(), e.maximum);
        QCOMPARE(slider->tickInterval(), e.step);
        QCOMPARE(slider->pageStep(), e.step);
    }
    QCOMPARE(get<QLabel>("fragmentMinLabel")->buddy(), get<QSlider>("fragmentSlider"));
}

QTEST_MAIN(TestAdvancedSettingDlg)
#include "test_advancedsettingdlg.moc"
