#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "settings/ui/CWEPKeySettingDlg.h"
#include "tests/settings/SettingsFixture.h"

using namespace kx;
using namespace kx::test;

namespace {
const QString k26a = QStringLiteral("00112233445566778899AABBCC");
const QString k26b = QStringLiteral("FFEEDDCCBBAA998877665544FF");
const QString k10a = QStringLiteral("0123456789");
const QString k10b = QStringLiteral("ABCDEF0123");
const QString kPlaceholder64 = QStringLiteral("** ** ** ** **");
const QString kPlaceholder128 = QStringLiteral("** ** ** ** ** ** ** ** ** ** ** ** **");
} // namespace

class TestWepKeySettingDlg final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingShowsPlaceholders_data();
    void openingShowsPlaceholders();
    void failedQueriesLeaveNoSelection();
    void applyWithoutTypingReRecordsStoredKeys_data();
    void applyWithoutTypingReRecordsStoredKeys();
    void typedKeys_data();
    void typedKeys();
    void lengthSwitchMarksAllKeysChanged();
    void maskingWithSameLengthLeavesKeysClear();
    void applyingTurnsWepOn();
    void noDefaultKeyUsesTheAdapters();
    void authenticationChange();

private:
    void open();
    void press();
    QLineEdit* key(int n) const;

    std::unique_ptr<SettingsFixture> m_fx;
    std::unique_ptr<CWEPKeySettingDlg> m_dlg;
};

void TestWepKeySettingDlg::init() {
    m_fx = std::make_unique<SettingsFixture>();
    QCOMPARE(m_fx->selected, 0);
    QVERIFY(m_fx->languageOpen);
}

void TestWepKeySettingDlg::cleanup() {
    m_dlg.reset();
    m_fx.reset();
}

void TestWepKeySettingDlg::open() {
    clearSimTrace();
    m_dlg = std::make_unique<CWEPKeySettingDlg>(m_fx->ctx);
}

void TestWepKeySettingDlg::press() {
    child<QPushButton>(m_dlg.get(), "changeApplyButton")->click();
}

QLineEdit* TestWepKeySettingDlg::key(int n) const {
    return child<QLineEdit>(m_dlg.get(), QStringLiteral("keyEdit%1").arg(n).toLatin1());
}

void TestWepKeySettingDlg::openingShowsPlaceholders_data() {
    QTest::addColumn<int>("wepBit");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("checkedRadio");
    QTest::newRow("64 bit") << 0 << kPlaceholder64 << QStringLiteral("keyLength64Radio");
    QTest::newRow("128 bit") << 1 << kPlaceholder128 << QStringLiteral("keyLength128Radio");
    QTest::newRow("failed query") << -1 << kPlaceholder64 << QStringLiteral("keyLength64Radio");
}

void TestWepKeySettingDlg::openingShowsPlaceholders() {
    QFETCH(int, wepBit);
    QFETCH(QString, placeholder);
    QFETCH(QString, checkedRadio);
    kxsim_force("QueryWL_WEPbit", wepBit);
    kxsim_force("QueryWL_AuthenticationMode", 2);
    kxsim_force("QueryWL_DefaultKeyID", 2);
    open();
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("WEP Key Setting...  "));
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(key(n)->text(), placeholder);
        QVERIFY(!key(n)->isEnabled());
    }
    QVERIFY(child<QRadioButton>(m_dlg.get(), checkedRadio.toLatin1())->isChecked());
    auto* auth = child<QComboBox>(m_dlg.get(), "authenticationList");
    QCOMPARE(auth->count(), 3);
    QCOMPARE(auth->currentIndex(), 1);
    QVERIFY(auth->isEnabled());
    auto* defaultKey = child<QComboBox>(m_dlg.get(), "defaultKeyList");
    QCOMPARE(defaultKey->currentText(), QStringLiteral("#3"));
    QVERIFY(!defaultKey->isEnabled());
    QCOMPARE(callNames(),
             (QStringList{"QueryWL_AuthenticationMode", "QueryWL_WEPbit", "QueryWL_DefaultKeyID"}));
}

void TestWepKeySettingDlg::failedQueriesLeaveNoSelection() {
    kxsim_force("QueryWL_AuthenticationMode", -1);
    kxsim_force("QueryWL_DefaultKeyID", 7);
    open();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "authenticationList")->currentIndex(), -1);
    QCOMPARE(child<QComboBox>(m_dlg.get(), "defaultKeyList")->currentIndex(), -1);
}

void TestWepKeySettingDlg::applyWithoutTypingReRecordsStoredKeys_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("wepBit");
    QTest::addColumn<QString>("recorded");
    QTest::addColumn<QString>("status");
    QTest::newRow("26-digit keys at 64 bit keep 10")
        << k26a + k26b + k26a + k26b << 0
        << k26a.left(10) + k26b.left(10) + k26a.left(10) + k26b.left(10) << QStringLiteral("2");
    const QString zeros(16, u'0');
    QTest::newRow("10-digit keys at 128 bit gain zeros")
        << k10a + k10b + k10a + k10b << 1
        << k10a + zeros + k10b + zeros + k10a + zeros + k10b + zeros << QStringLiteral("6");
    QTest::newRow("short stored text gives the default key")
        << QStringLiteral("0123") << 0 << QStringLiteral("3C5A7E9B2D").repeated(4)
        << QStringLiteral("2");
}

void TestWepKeySettingDlg::applyWithoutTypingReRecordsStoredKeys() {
    QFETCH(QString, stored);
    QFETCH(int, wepBit);
    QFETCH(QString, recorded);
    QFETCH(QString, status);
    QVERIFY(m_fx->ctx.store.writeAdapterValue(AdapterValue::WepDefaultKeys, stored).ok());
    kxsim_force("QueryWL_WEPbit", wepBit);
    open();
    press();
    for (int n = 1; n <= 4; ++n)
        QVERIFY(!m_dlg->keyChanged(n - 1));
    press();
    QCOMPARE(m_fx->adapterValue("WEPDefaultKeys"), recorded);
    QCOMPARE(m_fx->adapterValue("WEPStatus"), status);
    QCOMPARE(callNames().count(QStringLiteral("SetWL_RestartNIC")), 0);
    QCOMPARE(child<QPushButton>(m_dlg.get(), "changeApplyButton")->text(),
             QStringLiteral("Change"));
}

void TestWepKeySettingDlg::typedKeys_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("recorded");
    QTest::newRow("three single digits") << QStringLiteral("1 2 3") << QStringLiteral("0102030000");
    QTest::newRow("bad character") << QStringLiteral("ABCDxE1122") << QStringLiteral("ABCD000000");
    QTest::newRow("more than ten digits")
        << QStringLiteral("0102030405060708") << QStringLiteral("0102030405");
    QTest::newRow("pairs with blanks")
        << QStringLiteral("de ad be ef 01") << QStringLiteral("DEADBEEF01");
}

void TestWepKeySettingDlg::typedKeys() {
    QFETCH(QString, typed);
    QFETCH(QString, recorded);
    QVERIFY(
        m_fx->ctx.store.writeAdapterValue(AdapterValue::WepDefaultKeys, k10a + k10b + k10a + k10b)
            .ok());
    kxsim_force("QueryWL_WEPbit", 0);
    open();
    press();
    key(2)->selectAll();
    QTest::keyClicks(key(2), typed);
    QVERIFY(m_dlg->keyChanged(1));
    QVERIFY(!m_dlg->keyChanged(0));
    press();
    QCOMPARE(m_fx->adapterValue("WEPDefaultKeys"), k10a + recorded + k10a + k10b);
    QCOMPARE(key(2)->text(), kPlaceholder64);
}

void TestWepKeySettingDlg::lengthSwitchMarksAllKeysChanged() {
    QVERIFY(
        m_fx->ctx.store.writeAdapterValue(AdapterValue::WepDefaultKeys, k10a + k10b + k10a + k10b)
            .ok());
    kxsim_force("QueryWL_WEPbit", 0);
    open();
    press();
    child<QRadioButton>(m_dlg.get(), "keyLength128Radio")->click();
    for (int n = 1; n <= 4; ++n) {
        QVERIFY(m_dlg->keyChanged(n - 1));
        QCOMPARE(key(n)->text(), kPlaceholder128);
    }
    key(1)->selectAll();
    QTest::keyClicks(key(1), k26a);
    press();
    const QString zero26(26, u'0');
    QCOMPARE(m_fx->adapterValue("WEPDefaultKeys"), k26a + zero26 + zero26 + zero26);
    QCOMPARE(m_fx->adapterValue("WEPStatus"), QStringLiteral("6"));
}

void TestWepKeySettingDlg::maskingWithSameLengthLeavesKeysClear() {
    kxsim_force("QueryWL_WEPbit", 1);
    open();
    press();
    // Clicking the current length does nothing; the keys stay unchanged.
    child<QRadioButton>(m_dlg.get(), "keyLength128Radio")->click();
    for (int n = 0; n < 4; ++n)
        QVERIFY(!m_dlg->keyChanged(n));
    // There and back: both switches mask, and both change the texts.
    child<QRadioButton>(m_dlg.get(), "keyLength64Radio")->click();
    child<QRadioButton>(m_dlg.get(), "keyLength128Radio")->click();
    QVERIFY(m_dlg->keyChanged(3));
    QCOMPARE(key(4)->text(), kPlaceholder128);
}

void TestWepKeySettingDlg::applyingTurnsWepOn() {
    kxsim_set_int(nullptr, "wep_status", 0);
    open();
    press();
    clearSimTrace();
    press();
    QCOMPARE(simCalls({"SetWL_WEPStatus"}), QStringList{"SetWL_WEPStatus(1)"});
    QCOMPARE(simInt("wep_status"), 1);
    QCOMPARE(callNames().count(QStringLiteral("SetWL_WriteKey")), 4);
}

void TestWepKeySettingDlg::noDefaultKeyUsesTheAdapters() {
    kxsim_set_int(nullptr, "default_key_id", 2);
    kxsim_force("QueryWL_DefaultKeyID", 9);
    open();
    press();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "defaultKeyList")->currentIndex(), -1);
    kxsim_clear_force("QueryWL_DefaultKeyID");
    press();
    QCOMPARE(m_fx->adapterValue("WEPDefaultKeyId"), QStringLiteral("3"));
}

void TestWepKeySettingDlg::authenticationChange() {
    open();
    auto* auth = child<QComboBox>(m_dlg.get(), "authenticationList");
    auth->setCurrentIndex(1);
    emit auth->activated(1);
    QCOMPARE(simCalls({"SetWL_AuthenticationMode"}), QStringList{"SetWL_AuthenticationMode(2)"});
    QCOMPARE(m_fx->adapterValue("AuthentMode"), QStringLiteral("2"));
}

QTEST_MAIN(TestWepKeySettingDlg)
#include "test_wepkeysettingdlg.moc"
