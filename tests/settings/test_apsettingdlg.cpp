// The access point settings dialog over the simulated access-point adapter: what opening
// reads and sends again, what "Apply" and each control send and record, and where its
// buttons lead.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "adapter/AdapterState.h"
#include "context/AppContext.h"
#include "settings/ui/CAPSettingDlg.h"
#include "tests/settings/SettingsFixture.h"

using namespace kx;
using namespace kx::test;

namespace {

// The built-in world's third adapter runs access-point firmware.
constexpr int kAccessPointLine = 2;
constexpr int kChannels1_6_11 = 0x421;

struct AccessPointFixture : TestContext {
    int selected = selectSimulatedAdapter(ctx, kAccessPointLine);
};

void choose(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
}

QByteArray heardSsid() {
    char heard[64] = {};
    kxsim_get_text(nullptr, "ap_ssid", heard, sizeof heard);
    return heard;
}

} // namespace

class TestAPSettingDlg final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingReadsAndSendsAgain();
    void channelOnApply_data();
    void channelOnApply();
    void applySendsRatesHidingAndSsid();
    void ssidSentAsRecorded();
    void ssidSentAgainIsTheOneShown();
    void noBasicRateIsSent();
    void wepTurnsOffAtOnce();
    void slidersSendBothRecordOne();
    void preambleFollowsTheChip();
    void buttonsOpenTheirDialogs();

private:
    void open();
    template <typename W> W* get(const char* name) const { return child<W>(m_dlg.get(), name); }
    void pressChangeApply() { get<QPushButton>("changeApplyButton")->click(); }

    std::unique_ptr<AccessPointFixture> m_fx;
    std::unique_ptr<CAPSettingDlg> m_dlg;
};

void TestAPSettingDlg::init() {
    m_fx = std::make_unique<AccessPointFixture>();
    QCOMPARE(m_fx->selected, 0);
    QVERIFY(m_fx->ctx.adapter.accessPointMode);
}

void TestAPSettingDlg::cleanup() {
    m_dlg.reset();
    m_fx.reset();
}

void TestAPSettingDlg::open() {
    clearSimTrace();
    m_dlg = std::make_unique<CAPSettingDlg>(m_fx->ctx);
}

void TestAPSettingDlg::openingReadsAndSendsAgain() {
    kxsim_force("QueryWLAP_FragmentationThreshold", 2304);
    kxsim_force("QueryWLAP_RTS_CTS_Threshold", -1);
    kxsim_force("QueryWLAP_TxPowerLevel", 7);
    kxsim_force("QueryWL_AuthenticationMode", -1);
    open();
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("Access Point Setting"));
    QCOMPARE(simCalls(), (QStringList{
                             "QueryWL_OperationChannelList()",
                             "QueryWL_DesiredChannel()",
                             "QueryWL_BasicRate()",
                             "QueryWLAP_SSID(null)",
                             "QueryWLAP_HideSSIDState()",
                             "QueryWL_WEPStatus()",
                             "QueryWL_AuthenticationMode()",
                             "QueryWLAP_TxPowerLevel()",
                             "QueryWLAP_FragmentationThreshold()",
                             "SetWLAP_FragmentationThreshold(2304)",
                             "QueryWLAP_RTS_CTS_Threshold()",
                             "SetWLAP_RTS_CTS_Threshold(2305)",
                             "QueryWL_PreambleMode()",
                             "SetWL_PreambleMode(3)",
                         }));
    QCOMPARE(m_fx->adapterValue("FragmentThreshold"), QStringLiteral("2304"));
    QCOMPARE(m_fx->adapterValue("Preamble"), QStringLiteral("3"));
    QCOMPARE(m_fx->adapterValue("RTSCTSThreshold"), QStringLiteral("<missing>"));
    // A threshold at the maximum is off; any other shows its number.
    QCOMPARE(get<QLabel>("fragmentValueLabel")->text(), QStringLiteral("2304"));
    QCOMPARE(get<QLabel>("rtsValueLabel")->text(), QStringLiteral("Disable"));
    QCOMPARE(get<QComboBox>("txPowerList")->currentIndex(), 0);
    QCOMPARE(get<QComboBox>("authenticationList")->currentIndex(), -1);
    QVERIFY(!get<QCheckBox>("autoPreambleCheck")->isEnabled());
    QCOMPARE(get<QLineEdit>("ssidEdit")->text(), QStringLiteral("TolvaAP"));

    // View mode: what "Apply" sends cannot be edited yet.
    auto* button = get<QPushButton>("changeApplyButton");
    QCOMPARE(button->text(), QStringLiteral("Change"));
    for (const char* name :
         {"channelList", "txPowerList", "ssidEdit", "hideSsidCheck", "rate0Check", "rate3Check"})
        QVERIFY2(!get<QWidget>(name)->isEnabled(), name);
    pressChangeApply();
    QCOMPARE(button->text(), QStringLiteral("Apply"));
    QVERIFY(get<QComboBox>("channelList")->isEnabled());
    QVERIFY(get<QCheckBox>("rate3Check")->isEnabled());

    // Each field is announced by the label in front of it.
    for (const char* field : {"channelList", "ssidEdit", "txPowerList", "wepList",
                              "authenticationList", "fragmentSlider", "rtsSlider"}) {
        const QList<QLabel*> labels = m_dlg->findChildren<QLabel*>();
        QVERIFY2(std::any_of(labels.begin(), labels.end(),
                             [&](QLabel* l) { return l->buddy() == get<QWidget>(field); }),
                 field);
    }
}

void TestAPSettingDlg::channelOnApply_data() {
    QTest::addColumn<int>("operationChannels");
    QTest::addColumn<int>("desired");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("listed") << kChannels1_6_11 << 11 << 2 << QStringList{"SetWL_Channel(11)"};
    QTest::newRow("not listed") << kChannels1_6_11 << 3 << -1 << QStringList{};
    QTest::newRow("list failed") << -1 << 6 << -1 << QStringList{};
}

// A channel the list cannot show is never sent: the adapter keeps its own.
void TestAPSettingDlg::channelOnApply() {
    QFETCH(int, operationChannels);
    QFETCH(int, desired);
    QFETCH(int, position);
    QFETCH(QStringList, sent);
    kxsim_force("QueryWL_OperationChannelList", operationChannels);
    kxsim_force("QueryWL_DesiredChannel", desired);
    open();
    QCOMPARE(get<QComboBox>("channelList")->count(), operationChannels < 0 ? 0 : 3);
    QCOMPARE(get<QComboBox>("channelList")->currentIndex(), position);
    pressChangeApply();
    clearSimTrace();
    pressChangeApply();
    QCOMPARE(simCalls({"SetWL_Channel"}), sent);
    QCOMPARE(m_fx->adapterValue("RFChannel"),
             sent.isEmpty() ? QStringLiteral("<missing>") : QString::number(desired));
}

void TestAPSettingDlg::applySendsRatesHidingAndSsid() {
    kxsim_force("QueryWL_BasicRate", 3);
    open();
    QVERIFY(get<QCheckBox>("rate0Check")->isChecked());
    QVERIFY(get<QCheckBox>("rate1Check")->isChecked());
    QVERIFY(!get<QCheckBox>("rate2Check")->isChecked());
    QVERIFY(!get<QCheckBox>("rate3Check")->isChecked());
    pressChangeApply();
    clearSimTrace();
    get<QCheckBox>("rate0Check")->click();
    get<QCheckBox>("rate1Check")->click();
    toggleAccessibly(get<QCheckBox>("rate3Check"));
    get<QCheckBox>("hideSsidCheck")->click();
    get<QLineEdit>("ssidEdit")->setText(QStringLiteral("Workshop"));
    // Nothing is sent before "Apply".
    QVERIFY(simCalls({"Set", "WriteOid"}).isEmpty());
    pressChangeApply();
    QCOMPARE(simCalls({"Set", "WriteOid"}),
             (QStringList{"SetWL_Channel(6)", "SetWL_BasicRate(8)", "SetWLAP_HideSSIDState(1)",
                          "SetWLAP_SSID(\"Workshop\")",
                          "WriteOid(4278321586,\"08000000576f726b73686f70" +
                              QStringLiteral("00").repeated(24) + "\",36)"}));
    QCOMPARE(m_fx->adapterValue("RFChannel"), QStringLiteral("6"));
    QCOMPARE(m_fx->adapterValue("SSID"), QStringLiteral("Workshop"));
    QCOMPARE(get<QPushButton>("changeApplyButton")->text(), QStringLiteral("Change"));
    QVERIFY(!get<QLineEdit>("ssidEdit")->isEnabled());
    QCOMPARE(simInt("ap_hide_ssid"), 1);
}

// The box takes no more than an SSID holds (32 bytes); the name reaches the adapter as
// UTF-8, and the registry holds it as typed.
void TestAPSettingDlg::ssidSentAsRecorded() {
    open();
    pressChangeApply();
    auto* ssid = get<QLineEdit>("ssidEdit");
    ssid->clear();
    QTest::keyClicks(ssid, QString(40, u'x'));
    QCOMPARE(ssid->text().size(), 32);
    ssid->backspace();
    ssid->insert(QStringLiteral("\u00e9")); // two bytes, one too many
    QCOMPARE(ssid->text().size(), 31);
    ssid->setText(QStringLiteral("Caf\u00e9 \u20ac"));
    pressChangeApply();
    char heard[64] = {};
    kxsim_get_text(nullptr, "ap_ssid", heard, sizeof heard);
    QCOMPARE(QByteArray(heard), QByteArray("Caf\xc3\xa9 \xe2\x82\xac"));
    QCOMPARE(m_fx->adapterValue("SSID"), QStringLiteral("Caf\u00e9 \u20ac"));
}

// A WEP change sends the SSID again: an empty record (left by "any network" in station
// mode) keeps the access point's own name, and a recorded one that differs is what the
// box shows and the notice explains.
void TestAPSettingDlg::ssidSentAgainIsTheOneShown() {
    QVERIFY(m_fx->ctx.store.writeAdapterValue(AdapterValue::Ssid, QString()).ok());
    open();
    QCOMPARE(get<QLineEdit>("ssidEdit")->text(), QStringLiteral("TolvaAP"));
    QVERIFY(get<QLabel>("ssidNotice")->isHidden());
    choose(get<QComboBox>("wepList"), 1);
    QCOMPARE(heardSsid(), QByteArray("TolvaAP"));

    QVERIFY(m_fx->ctx.store.writeAdapterValue(AdapterValue::Ssid, QStringLiteral("Workshop")).ok());
    open();
    auto* notice = get<QLabel>("ssidNotice");
    QCOMPARE(get<QLineEdit>("ssidEdit")->text(), QStringLiteral("Workshop"));
    QVERIFY(!notice->isHidden());
    QVERIFY(notice->text().contains(QStringLiteral("\"TolvaAP\"")));
    choose(get<QComboBox>("wepList"), 0);
    QCOMPARE(heardSsid(), QByteArray("Workshop"));
    QVERIFY(notice->isHidden());
}

// A rate set without a rate leaves stations nothing to join with: refused whole, also
// after the rates could not be read.
void TestAPSettingDlg::noBasicRateIsSent() {
    kxsim_force("QueryWL_BasicRate", -1);
    open();
    QVERIFY(!get<QLabel>("ratesUnreadNotice")->isHidden());
    pressChangeApply();
    get<QLineEdit>("ssidEdit")->setText(QStringLiteral("Workshop"));
    clearSimTrace();
    pressChangeApply();
    QCOMPARE(simCalls({"Set", "WriteOid"}), QStringList());
    QCOMPARE(m_fx->seam.messages.size(), 1);
    QVERIFY(m_fx->seam.messages[0].text.contains(QStringLiteral("\"Basic Rate\"")));
    QCOMPARE(get<QPushButton>("changeApplyButton")->text(), QStringLiteral("Apply"));
}

void TestAPSettingDlg::wepTurnsOffAtOnce() {
    kxsim_force("QueryWL_WEPStatus", 1);
    open();
    auto* wepSetting = get<QPushButton>("wepSettingButton");
    QVERIFY(wepSetting->isEnabled());
    QCOMPARE(get<QComboBox>("wepList")->currentIndex(), 1);

    clearSimTrace();
    choose(get<QComboBox>("wepList"), 0);
    // Off, and the access point hears its SSID again.
    const QStringList calls = simCalls({"SetWL_WEPStatus", "WriteOid"});
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0], QStringLiteral("SetWL_WEPStatus(0)"));
    QVERIFY(calls[1].startsWith(QStringLiteral("WriteOid(4278321586,")));
    QCOMPARE(m_fx->adapterValue("WEPStatus"), QStringLiteral("0"));
    QVERIFY(!wepSetting->isEnabled());
    choose(get<QComboBox>("wepList"), 1);
    QVERIFY(wepSetting->isEnabled());
}

void TestAPSettingDlg::slidersSendBothRecordOne() {
    kxsim_force("QueryWLAP_FragmentationThreshold", 1000);
    kxsim_force("QueryWLAP_RTS_CTS_Threshold", 500);
    open();
    auto* rts = get<QSlider>("rtsSlider");
    QCOMPARE(rts->pageStep(), 128);
    clearSimTrace();
    rts->setFocus();
    QTest::keyClick(rts, Qt::Key_PageUp);
    QCOMPARE(simCalls({"Set"}), (QStringList{"SetWLAP_FragmentationThreshold(1000)",
                                             "SetWLAP_RTS_CTS_Threshold(628)"}));
    QCOMPARE(get<QLabel>("rtsValueLabel")->text(), QStringLiteral("628"));
    QCOMPARE(m_fx->adapterValue("RTSCTSThreshold"), QStringLiteral("<missing>"));

    clearSimTrace();
    get<QSlider>("fragmentSlider")->setValue(2306);
    QCOMPARE(simCalls({"Set"}), (QStringList{"SetWLAP_FragmentationThreshold(2306)",
                                             "SetWLAP_RTS_CTS_Threshold(628)"}));
    QCOMPARE(get<QLabel>("fragmentValueLabel")->text(), QStringLiteral("Disable"));
    QCOMPARE(m_fx->adapterValue("FragmentThreshold"), QStringLiteral("2306"));
}

// The older chip's controls stay disabled (see the opening); the newer chip's answer.
void TestAPSettingDlg::preambleFollowsTheChip() {
    kxsim_force("QueryWL_PreambleMode", 2);
    m_fx->ctx.adapter.chipVersion = AdapterState::kNewerChip;
    open();
    auto* longPreamble = get<QRadioButton>("longPreambleRadio");
    QVERIFY(longPreamble->isEnabled());
    QCOMPARE(longPreamble->text(), QStringLiteral("Long"));
    clearSimTrace();
    toggleAccessibly(longPreamble);
    QCOMPARE(simCalls(), QStringList{"SetWL_PreambleMode(1)"});
    QCOMPARE(m_fx->adapterValue("Preamble"), QStringLiteral("1"));
}

void TestAPSettingDlg::buttonsOpenTheirDialogs() {
    kxsim_force("QueryWL_WEPStatus", 1);
    open();
    for (const char* name : {"wepSettingButton", "macFilterButton", "dbgCmdButton"})
        get<QPushButton>(name)->click();
    QCOMPARE(m_fx->seam.modalClasses, (QStringList{"kx::CWEPKeySettingDlg", "kx::CMACFilterDlg",
                                                   "kx::CAdvancedSettingDlg"}));

    // In professional mode "DbgCmd" opens the professional sheet instead.
    m_fx->ctx.config.Release_Mode = ProgramConfig::kProfessionalCode;
    int sheetRuns = 0;
    m_fx->ctx.professionalSheet = [&sheetRuns](QWidget*) { ++sheetRuns; };
    open();
    get<QPushButton>("dbgCmdButton")->click();
    QCOMPARE(sheetRuns, 1);
    QCOMPARE(m_fx->seam.modalClasses.size(), 3);
    get<QPushButton>("okButton")->click();
    QCOMPARE(m_dlg->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestAPSettingDlg)
#include "test_apsettingdlg.moc"
