#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "program/ProgramConfig.h"
#include "program/UserProfile.h"
#include "settings/ui/CMoreSettingDlg.h"
#include "tests/settings/SettingsFixture.h"

using namespace kx;
using namespace kx::test;

class TestMoreSettingDlg final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingQueriesInOrder_data();
    void openingQueriesInOrder();
    void channelNotOfferedIsNotSent();
    void channelFallsBackTo6();
    void ratePositions_data();
    void ratePositions();
    void networkTypePositions_data();
    void networkTypePositions();
    void applySendsAndRecordsInOrder();
    void applyWithAnySendsEmptySsid();
    void ssidRecordedAsSent();
    void networkTypeSwitching();
    void writeAndOverwriteProfile();
    void loadProfileAppliesIt();
    void loadMissingProfileChangesNothing();
    void loadProfileOutOfRangeChangesNothing();
    void factoryDefaults();
    void profileWithoutLinkKeepsTheSetChannel();
    void profileActionInEditModeKeepsSsidWithAny();
    void profileNamesAreCaseSensitive();
    void languageSwitchKeepsPositions();
    void extraRateEntriesAreNotOffered();
    void enableWepSwitchesAndRestarts();
    void buttonsOpenTheirDialogs();
    void professionalGate();

private:
    std::unique_ptr<CMoreSettingDlg> open();
    void pressChangeApply();
    void profileAction(const char* button, const QString& name);
    bool anyActionMarked() const;

    std::unique_ptr<SettingsFixture> m_fx;
    std::unique_ptr<CMoreSettingDlg> m_dlg;
    int m_layoutCalls = 0;
};

void TestMoreSettingDlg::init() {
    m_fx = std::make_unique<SettingsFixture>();
    QCOMPARE(m_fx->selected, 0);
    QVERIFY(m_fx->languageOpen);
    m_layoutCalls = 0;
}

void TestMoreSettingDlg::cleanup() {
    m_dlg.reset();
    m_fx.reset();
}

std::unique_ptr<CMoreSettingDlg> TestMoreSettingDlg::open() {
    clearSimTrace();
    return std::make_unique<CMoreSettingDlg>(m_fx->ctx, [this] { ++m_layoutCalls; });
}

void TestMoreSettingDlg::pressChangeApply() {
    child<QPushButton>(m_dlg.get(), "changeApplyButton")->click();
}

void TestMoreSettingDlg::profileAction(const char* button, const QString& name) {
    child<QComboBox>(m_dlg.get(), "profileNameList")->setEditText(name);
    clearSimTrace();
    child<QRadioButton>(m_dlg.get(), button)->click();
}

bool TestMoreSettingDlg::anyActionMarked() const {
    for (const char* name : {"loadProfileButton", "writeProfileButton", "loadDefaultButton"}) {
        if (child<QRadioButton>(m_dlg.get(), name)->isChecked())
            return true;
    }
    return false;
}

void TestMoreSettingDlg::openingQueriesInOrder_data() {
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("channelQuery");
    QTest::newRow("disconnected") << 1 << "QueryWL_DesiredChannel";
    QTest::newRow("connecting") << 2 << "QueryWL_DesiredChannel";
    QTest::newRow("ad hoc") << 3 << "QueryWL_Channel";
    QTest::newRow("connected") << 4 << "QueryWL_Channel";
    QTest::newRow("scanning") << 5 << "QueryWL_DesiredChannel";
}

void TestMoreSettingDlg::openingQueriesInOrder() {
    QFETCH(int, port);
    QFETCH(QString, channelQuery);
    kxsim_force("QueryWL_PortStatus", port);
    m_dlg = open();
    QCOMPARE(callNames(), (QStringList{"QueryWL_PortStatus", channelQuery, "QueryWL_TxRateControl",
                                       "QueryWL_NetworkType", "QueryWL_SSID", "QueryWL_WEPStatus",
                                       "KxOpenAdapter"}));
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("More Setting...  "));
    QCOMPARE(child<QPushButton>(m_dlg.get(), "changeApplyButton")->text(),
             QStringLiteral("Change"));
    for (const char* name : {"channelList", "txRateList", "networkTypeList"})
        QVERIFY(!child<QComboBox>(m_dlg.get(), name)->isEnabled());
    QVERIFY(!child<QLineEdit>(m_dlg.get(), "ssidEdit")->isEnabled());
    QVERIFY(!child<QCheckBox>(m_dlg.get(), "anyCheck")->isEnabled());
}

void TestMoreSettingDlg::channelNotOfferedIsNotSent() {
    m_fx->ctx.adapter.channelMask = 0x07FF; // channels 1..11
    kxsim_force("QueryWL_PortStatus", 1);
    kxsim_force("QueryWL_DesiredChannel", 13);
    const QString recordedBefore = m_fx->adapterValue("RFChannel");
    m_dlg = open();
    auto* channels = child<QComboBox>(m_dlg.get(), "channelList");
    QCOMPARE(channels->count(), 11);
    QCOMPARE(channels->itemText(10), QStringLiteral("11"));
    QCOMPARE(channels->currentIndex(), -1);

    pressChangeApply();
    clearSimTrace();
    pressChangeApply();
    QVERIFY(!callNames().contains(QStringLiteral("SetWL_Channel")));
    QCOMPARE(m_fx->adapterValue("RFChannel"), recordedBefore);
    // The rest is applied all the same.
    QVERIFY(callNames().contains(QStringLiteral("SetWL_TxRateControl")));
    QVERIFY(callNames().contains(QStringLiteral("SetWL_SSID")));
}

void TestMoreSettingDlg::channelFallsBackTo6() {
    kxsim_force("QueryWL_PortStatus", 1);
    kxsim_force("QueryWL_DesiredChannel", 0);
    m_dlg = open();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "channelList")->currentText(), QStringLiteral("6"));
}

void TestMoreSettingDlg::ratePositions_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("position");
    const int codes[] = {1, 2, 4, 8, 15, 16, 32, 64};
    for (int p = 0; p < 8; ++p)
        QTest::addRow("code %d", codes[p]) << codes[p] << p;
    QTest::newRow("unlisted 3") << 3 << 4;
    QTest::newRow("unlisted 128") << 128 << 4;
    QTest::newRow("failed query") << -1 << 4;
}

void TestMoreSettingDlg::ratePositions() {
    QFETCH(int, code);
    QFETCH(int, position);
    kxsim_force("QueryWL_TxRateControl", code);
    m_dlg = open();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "txRateList")->currentIndex(), position);
}

void TestMoreSettingDlg::networkTypePositions_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("position");
    QTest::newRow("ad hoc") << 0 << 0;
    QTest::newRow("infrastructure") << 1 << 1;
    QTest::newRow("pseudo IBSS") << 3 << 2;
    QTest::newRow("unlisted 4") << 4 << 1;
}

void TestMoreSettingDlg::networkTypePositions() {
    QFETCH(int, code);
    QFETCH(int, position);
    kxsim_force("QueryWL_NetworkType", code);
    m_dlg = open();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "networkTypeList")->currentIndex(), position);
}

void TestMoreSettingDlg::applySendsAndRecordsInOrder() {
    m_dlg = open();
    pressChangeApply();
    QCOMPARE(child<QPushButton>(m_dlg.get(), "changeApplyButton")->text(), QStringLiteral("Apply"));
    child<QComboBox>(m_dlg.get(), "channelList")->setCurrentIndex(10); // channel 11
    child<QComboBox>(m_dlg.get(), "txRateList")->setCurrentIndex(3);   // 11M
    auto* types = child<QComboBox>(m_dlg.get(), "networkTypeList");
    types->setCurrentIndex(2); // pseudo IBSS
    emit types->activated(2);
    child<QLineEdit>(m_dlg.get(), "ssidEdit")->setText(QStringLiteral("Lab"));
    clearSimTrace();
    pressChangeApply();
    QCOMPARE(simCalls({"SetWL_"}), (QStringList{"SetWL_Channel(11)", "SetWL_TxRateControl(8)",
                                                "SetWL_NetworkType(3)", "SetWL_SSID(\"Lab\")"}));
    QCOMPARE(m_fx->adapterValue("RFChannel"), QStringLiteral("11"));
    QCOMPARE(m_fx->adapterValue("TxDataRate"), QStringLiteral("8"));
    QCOMPARE(m_fx->adapterValue("NetworkType"), QStringLiteral("3"));
    QCOMPARE(m_fx->adapterValue("SSID"), QStringLiteral("Lab"));
    QCOMPARE(child<QPushButton>(m_dlg.get(), "changeApplyButton")->text(),
             QStringLiteral("Change"));
    QVERIFY(!child<QComboBox>(m_dlg.get(), "channelList")->isEnabled());
}

void TestMoreSettingDlg::applyWithAnySendsEmptySsid() {
    kxsim_force("QueryWL_NetworkType", 1);
    kxsim_force("QueryWL_SSID", -1);
    m_dlg = open();
    auto* any = child<QCheckBox>(m_dlg.get(), "anyCheck");
    QVERIFY(any->isChecked());
    pressChangeApply();
    QVERIFY(any->isEnabled());
    QVERIFY(!child<QLineEdit>(m_dlg.get(), "ssidEdit")->isEnabled());
    child<QLineEdit>(m_dlg.get(), "ssidEdit")->setText(QStringLiteral("ignored"));
    clearSimTrace();
    pressChangeApply();
    QCOMPARE(simCalls({"SetWL_SSID"}), QStringList{"SetWL_SSID(\"\")"});
    QCOMPARE(m_fx->adapterValue("SSID"), QString());
}

void TestMoreSettingDlg::ssidRecordedAsSent() {
    kxsim_force("QueryWL_NetworkType", 0);
    m_dlg = open();
    pressChangeApply();
    auto* ssid = child<QLineEdit>(m_dlg.get(), "ssidEdit");
    ssid->clear();
    QTest::keyClicks(ssid, QString(40, u'S'));
    QCOMPARE(ssid->text().size(), CMoreSettingDlg::kSsidMaxLength);
    // U+20AC goes as its three UTF-8 bytes (the trace shows each as a character).
    ssid->setText(QString::fromUtf16(u"Caf\u20AC"));
    clearSimTrace();
    pressChangeApply();
    QCOMPARE(simCalls({"SetWL_SSID"}),
             QStringList{QString::fromUtf16(u"SetWL_SSID(\"Caf\u00E2\u0082\u00AC\")")});
    QCOMPARE(m_fx->adapterValue("SSID"), QString::fromUtf16(u"Caf\u20AC"));
}

void TestMoreSettingDlg::networkTypeSwitching() {
    kxsim_force("QueryWL_NetworkType", 1);
    kxsim_force("QueryWL_SSID", -1);
    m_dlg = open();
    pressChangeApply();
    auto* channels = child<QComboBox>(m_dlg.get(), "channelList");
    auto* types = child<QComboBox>(m_dlg.get(), "networkTypeList");
    auto* any = child<QCheckBox>(m_dlg.get(), "anyCheck");
    auto* ssid = child<QLineEdit>(m_dlg.get(), "ssidEdit");
    QVERIFY(!channels->isEnabled());
    QVERIFY(any->isEnabled() && any->isChecked());
    for (int position : {0, 2}) {
        types->setCurrentIndex(1);
        emit types->activated(1);
        any->setChecked(true);
        types->setCurrentIndex(position);
        emit types->activated(position);
        QVERIFY(channels->isEnabled());
        QVERIFY(!any->isChecked());
        QVERIFY(!any->isEnabled());
        QVERIFY(ssid->isEnabled());
    }
    types->setCurrentIndex(1);
    emit types->activated(1);
    QVERIFY(!channels->isEnabled());
    QVERIFY(any->isEnabled());
    any->click();
    QVERIFY(!ssid->isEnabled());
}

void TestMoreSettingDlg::writeAndOverwriteProfile() {
    kxsim_set_int(nullptr, "desired_channel", 3);
    m_dlg = open();
    profileAction("writeProfileButton", QStringLiteral("Home"));
    QVERIFY(!anyActionMarked());
    auto* names = child<QComboBox>(m_dlg.get(), "profileNameList");
    QCOMPARE(names->count(), 1);
    QCOMPARE(names->itemText(0), QStringLiteral("Home"));
    QCOMPARE(names->currentText(), QStringLiteral("Home"));
    QVERIFY(m_fx->seam.messages.isEmpty());

    SettingsStore& store = m_fx->ctx.store;
    WirelessSettings saved;
    QCOMPARE(store.findProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store.readProfile(saved), 0);
    const int firstChannel = saved.channel;

    kxsim_set_int(nullptr, "channel", firstChannel == 9 ? 10 : 9);
    kxsim_set_int(nullptr, "desired_channel", firstChannel == 9 ? 10 : 9);
    profileAction("writeProfileButton", QStringLiteral("Home"));
    QCOMPARE(names->count(), 1);
    QCOMPARE(store.findProfile(QStringLiteral("Home")), 0);
    QCOMPARE(store.readProfile(saved), 0);
    QVERIFY(saved.channel != firstChannel);

    profileAction("writeProfileButton", QStringLiteral("Attic"));
    QCOMPARE(names->count(), 2);
    QCOMPARE(names->itemText(0), QStringLiteral("Attic"));
    QCOMPARE(store.profileNames(), (QStringList{"Home", "Attic"}));
}

void TestMoreSettingDlg::loadProfileAppliesIt() {
    SettingsStore& store = m_fx->ctx.store;
    QCOMPARE(store.createProfile(QStringLiteral("Office")), 0);
    WirelessSettings office;
    office.channel = 11;
    office.txRateControl = 2;
    office.ssid = QStringLiteral("Corp");
    office.mode27_5Mbps = 0;
    QCOMPARE(store.findProfile(QStringLiteral("Office")), 0);
    QCOMPARE(store.writeProfile(office), 0);

    m_dlg = open();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "profileNameList")->count(), 1);
    profileAction("loadProfileButton", QStringLiteral("Office"));
    QVERIFY(!anyActionMarked());
    const QStringList sets = simCalls({"SetWL_Channel", "SetWL_TxRateControl", "SetWL_SSID"});
    QCOMPARE(sets,
             (QStringList{"SetWL_Channel(11)", "SetWL_TxRateControl(2)", "SetWL_SSID(\"Corp\")"}));
    QCOMPARE(m_fx->adapterValue("RFChannel"), QStringLiteral("11"));
    // The dialog shows what the adapter now holds.
    QVERIFY(callNames().endsWith(QStringLiteral("QueryWL_SSID")));
    QCOMPARE(child<QComboBox>(m_dlg.get(), "txRateList")->currentIndex(), 1);
}

void TestMoreSettingDlg::loadMissingProfileChangesNothing() {
    m_dlg = open();
    profileAction("loadProfileButton", QStringLiteral("Nowhere"));
    QCOMPARE(m_fx->seam.messages.size(), 1);
    QCOMPARE(m_fx->seam.messages[0].text,
             QStringLiteral("Can't found the specified profile \"Nowhere\"."));
    QVERIFY(simCalls({"SetWL_"}).isEmpty());
    QVERIFY(!anyActionMarked());
}

void TestMoreSettingDlg::loadProfileOutOfRangeChangesNothing() {
    SettingsStore& store = m_fx->ctx.store;
    WirelessSettings settings;
    settings.rtsCtsThreshold = 9999;
    QCOMPARE(store.createProfile(QStringLiteral("Odd")), 0);
    QCOMPARE(store.findProfile(QStringLiteral("Odd")), 0);
    QCOMPARE(store.writeProfile(settings), 0);
    m_dlg = open();
    profileAction("loadProfileButton", QStringLiteral("Odd"));
    QVERIFY(simCalls({"SetWL_"}).isEmpty());
    QCOMPARE(m_fx->seam.messages.size(), 1);
    QVERIFY(m_fx->seam.messages[0].text.contains("rts_threshold does not take 9999"));
}

void TestMoreSettingDlg::factoryDefaults() {
    kxsim_set_int(nullptr, "desired_channel", 2);
    m_dlg = open();
    profileAction("loadDefaultButton", QString());
    QVERIFY(!anyActionMarked());
    QCOMPARE(
        simCalls({"SetWL_Channel", "SetWL_TxRateControl", "SetWL_NetworkType", "SetWL_WEPStatus"}),
        (QStringList{"SetWL_WEPStatus(0)", "SetWL_Channel(6)", "SetWL_TxRateControl(15)",
                     "SetWL_NetworkType(1)"}));
    QCOMPARE(m_fx->adapterValue("RFChannel"), QStringLiteral("6"));
    QVERIFY(m_fx->seam.messages.isEmpty());
}

void TestMoreSettingDlg::profileWithoutLinkKeepsTheSetChannel() {
    // No link: the adapter answers no current channel, only the one it is set to.
    kxsim_force("QueryWL_PortStatus", 1);
    kxsim_force("QueryWL_Channel", -1);
    kxsim_set_int(nullptr, "desired_channel", 9);
    m_dlg = open();
    profileAction("writeProfileButton", QStringLiteral("Roaming"));
    SettingsStore& store = m_fx->ctx.store;
    WirelessSettings saved;
    QCOMPARE(store.findProfile(QStringLiteral("Roaming")), 0);
    QCOMPARE(store.readProfile(saved), 0);
    QCOMPARE(saved.channel, 9);

    kxsim_set_int(nullptr, "desired_channel", 2);
    profileAction("loadProfileButton", QStringLiteral("Roaming"));
    QCOMPARE(simCalls({"SetWL_Channel"}), QStringList{"SetWL_Channel(9)"});
    QCOMPARE(m_fx->adapterValue("RFChannel"), QStringLiteral("9"));
}

void TestMoreSettingDlg::profileActionInEditModeKeepsSsidWithAny() {
    kxsim_force("QueryWL_NetworkType", 1);
    kxsim_set_text(nullptr, "ssid", "Lab");
    m_dlg = open();
    pressChangeApply();
    auto* any = child<QCheckBox>(m_dlg.get(), "anyCheck");
    auto* ssid = child<QLineEdit>(m_dlg.get(), "ssidEdit");
    QVERIFY(!any->isChecked());
    QVERIFY(ssid->isEnabled());
    // The factory's settings have no SSID: "any" comes on, and the edit goes out of reach.
    profileAction("loadDefaultButton", QString());
    QVERIFY(any->isChecked());
    QVERIFY(any->isEnabled());
    QVERIFY(!ssid->isEnabled());
    QCOMPARE(child<QPushButton>(m_dlg.get(), "changeApplyButton")->text(), QStringLiteral("Apply"));
}

void TestMoreSettingDlg::profileNamesAreCaseSensitive() {
    m_dlg = open();
    profileAction("writeProfileButton", QStringLiteral("Home"));
    profileAction("loadProfileButton", QStringLiteral("home"));
    QCOMPARE(m_fx->seam.messages.size(), 1);
    QCOMPARE(m_fx->seam.messages[0].text,
             QStringLiteral("Can't found the specified profile \"home\"."));
    QVERIFY(simCalls({"SetWL_"}).isEmpty());

    // Registry keys ignore letter case: "home" would overwrite "Home", so the store
    // refuses it, and the user is told.
    profileAction("writeProfileButton", QStringLiteral("home"));
    QCOMPARE(m_fx->seam.messages.size(), 2);
    QCOMPARE(m_fx->seam.messages[1].text,
             QStringLiteral("Can't write the specified profile \"home\"."));
    QCOMPARE(m_fx->ctx.store.profileNames(), QStringList{"Home"});
    QVERIFY(!anyActionMarked());
}

void TestMoreSettingDlg::languageSwitchKeepsPositions() {
    kxsim_force("QueryWL_TxRateControl", 8);
    kxsim_force("QueryWL_NetworkType", 3);
    m_dlg = open();
    auto* languages = child<QComboBox>(m_dlg.get(), "languageList");
    QCOMPARE(languages->count(), m_fx->ctx.language.count());
    QCOMPARE(languages->currentIndex(), 0);
    auto* rates = child<QComboBox>(m_dlg.get(), "txRateList");
    const QString englishRate = rates->currentText();

    languages->setCurrentIndex(1);
    emit languages->activated(1);
    QCOMPARE(m_fx->ctx.language.currentId(), 2);
    QCOMPARE(languages->currentIndex(), 1);
    QCOMPARE(rates->currentIndex(), 3);
    QVERIFY(rates->currentText() != englishRate);
    QCOMPARE(child<QComboBox>(m_dlg.get(), "networkTypeList")->currentIndex(), 2);
    QCOMPARE(m_dlg->windowTitle(),
             m_fx->ctx.language.lookup(QStringLiteral("BS_Dialog_Title"), {}) + "  ");
    QVERIFY(m_dlg->windowTitle() != QStringLiteral("More Setting...  "));
    QCOMPARE(m_layoutCalls, 1);
    QCOMPARE(UserProfile::readInt(QStringLiteral("LanguageId"), -1), 2);
    QCOMPARE(UserProfile::readString(QStringLiteral("KXConfigProgramTitle"), {}),
             m_fx->ctx.language.lookup(QStringLiteral("MP_Dialog_Title"), {}));
}

void TestMoreSettingDlg::extraRateEntriesAreNotOffered() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lang.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray text = "[LANGUAGES]\nLanguage_1_Section=One\n[One]\n";
    for (int n = 1; n <= 9; ++n)
        text += QByteArray("BS_G_TxRate_Value_") + QByteArray::number(n) + "=R" +
                QByteArray::number(n) + "\n";
    text += "BS_G_Network_Type_Value_1=A\nBS_G_Network_Type_Value_2=B\n";
    file.write(text);
    file.close();
    QVERIFY(m_fx->ctx.language.open(path, QStringLiteral("LANGUAGES")));
    kxsim_force("QueryWL_NetworkType", 3);
    m_dlg = open();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "txRateList")->count(), 8);
    // A shorter list leaves a code without its entry unselected, and sends nothing for it.
    auto* types = child<QComboBox>(m_dlg.get(), "networkTypeList");
    QCOMPARE(types->count(), 2);
    QCOMPARE(types->currentIndex(), -1);
    pressChangeApply();
    clearSimTrace();
    pressChangeApply();
    QVERIFY(!callNames().contains(QStringLiteral("SetWL_NetworkType")));
}

void TestMoreSettingDlg::enableWepSwitchesAndRestarts() {
    kxsim_set_int(nullptr, "wep_status", 0);
    m_dlg = open();
    auto* wep = child<QCheckBox>(m_dlg.get(), "enableWepCheck");
    auto* more = child<QPushButton>(m_dlg.get(), "wepMoreButton");
    QVERIFY(!wep->isChecked());
    QVERIFY(!more->isEnabled());
    clearSimTrace();
    wep->click();
    QVERIFY(more->isEnabled());
    QVERIFY(simCalls({"SetWL_WEPStatus"}) == QStringList{"SetWL_WEPStatus(1)"});
    QCOMPARE(callNames().last(), QStringLiteral("SetWL_RestartNIC"));
    QCOMPARE(m_fx->adapterValue("WEPStatus"), QStringLiteral("2"));
    // The same without a mouse, as assistive technology toggles it.
    toggleAccessibly(wep);
    QVERIFY(!more->isEnabled());
    QCOMPARE(m_fx->adapterValue("WEPStatus"), QStringLiteral("0"));
}

void TestMoreSettingDlg::buttonsOpenTheirDialogs() {
    kxsim_set_int(nullptr, "wep_status", 1);
    m_dlg = open();
    child<QPushButton>(m_dlg.get(), "wepMoreButton")->click();
    child<QPushButton>(m_dlg.get(), "informationButton")->click();
    child<QPushButton>(m_dlg.get(), "professionalButton")->click();
    QCOMPARE(m_fx->seam.modalClasses, (QStringList{"kx::CWEPKeySettingDlg", "kx::CInformationDlg",
                                                   "kx::CAdvancedSettingDlg"}));
}

void TestMoreSettingDlg::professionalGate() {
    m_dlg = open();
    QVERIFY(child<QPushButton>(m_dlg.get(), "advancedButton")->isHidden());
    QCOMPARE(child<QPushButton>(m_dlg.get(), "professionalButton")->text(),
             QStringLiteral("Advanced Setting..."));
    m_dlg.reset();

    m_fx->ctx.config.Release_Mode = ProgramConfig::kProfessionalCode;
    m_dlg = open();
    auto* advanced = child<QPushButton>(m_dlg.get(), "advancedButton");
    auto* professional = child<QPushButton>(m_dlg.get(), "professionalButton");
    QVERIFY(!advanced->isHidden());
    QCOMPARE(professional->text(), QStringLiteral("Professional Mode"));
    // No sheet to open yet: the button cannot be pressed.
    QVERIFY(!professional->isEnabled());
    advanced->click();
    QCOMPARE(m_fx->seam.modalClasses, QStringList{"kx::CAdvancedSettingDlg"});
    m_dlg.reset();

    int sheetRuns = 0;
    m_fx->ctx.professionalSheet = [&sheetRuns](QWidget*) { ++sheetRuns; };
    m_dlg = open();
    child<QPushButton>(m_dlg.get(), "professionalButton")->click();
    QCOMPARE(sheetRuns, 1);
    QCOMPARE(m_fx->seam.modalClasses.size(), 1);
}

QTEST_MAIN(TestMoreSettingDlg)
#include "test_moresettingdlg.moc"
