// A user's session with the access point, from the tray icon: the access point's
// settings and its MAC filter changed through "More Setting...", what the adapter and
// the registry make of them, whom the access point then lets in, and what a station in
// the same world hears of it.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include "app/CTrayIcon.h"
#include "mainwnd/ui/CMainDlg.h"
#include "tests/settings/SettingsFixture.h"

using namespace kx;
using namespace kx::test;

namespace {

constexpr int kStationLine = 0;
constexpr int kAccessPointLine = 2;
const QString kFirstStation = QStringLiteral("00 16 3E 11 22 33");
const QString kSecondStation = QStringLiteral("00 16 3E 44 55 66");
const QString kNewSsid = QStringLiteral("Workshop AP");

QMenu* trayMenu() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == u"trayMenu")
            return qobject_cast<QMenu*>(w);
    }
    return nullptr;
}

void choose(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
}

QStringList rows(QTreeWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(0);
    return texts;
}

} // namespace

class TestApScenario final : public QObject {
    Q_OBJECT
private slots:
    void accessPointFromTheTray();

private:
    void selectAdapter(int line);
    // What the main window's list shows after a press of its button and enough ticks
    // for a survey to end.
    QStringList listAfterRefresh();
    void openAccessPointSetting(const std::function<void(QDialog&)>& settings,
                                const std::function<void(QDialog&)>& filter);
    void changeEverything(QDialog& ap);
    void hideSsid(QDialog& ap);
    static void filterType(QDialog& filter, int type, const QString& address);

    TestContext* m_fx = nullptr;
    CMainDlg* m_main = nullptr;
};

void TestApScenario::selectAdapter(int line) {
    auto* adapters = child<QComboBox>(m_main, "adapterList");
    adapters->setCurrentIndex(line);
    emit adapters->activated(line);
    // Long enough for an adapter's driver to be on the air.
    kxsim_advance(2000);
}

QStringList TestApScenario::listAfterRefresh() {
    child<QPushButton>(m_main, "listButton")->click();
    for (int i = 0; i <= StationMonitor::kScanTicks + 1; ++i)
        m_main->statusTick();
    return rows(child<QTreeWidget>(m_main, "networkList"));
}

void TestApScenario::openAccessPointSetting(const std::function<void(QDialog&)>& settings,
                                            const std::function<void(QDialog&)>& filter) {
    m_fx->seam.onModal = [&](QDialog& dialog) {
        const QString name = QString::fromLatin1(dialog.metaObject()->className());
        if (name == u"kx::CAPSettingDlg")
            settings(dialog);
        else if (name == u"kx::CMACFilterDlg")
            filter(dialog);
        return 0;
    };
    auto* more = child<QPushButton>(m_main, "groupButton");
    QCOMPARE(more->text(), QStringLiteral("More Setting..."));
    QTest::mouseClick(more, Qt::LeftButton);
    m_fx->seam.onModal = nullptr;
}

void TestApScenario::accessPointFromTheTray() {
    TestContext fx;
    m_fx = &fx;
    fx.loadShippedConfig();
    QVERIFY(fx.openShippedLanguage());
    CMainDlg mainDlg(fx.ctx);
    m_main = &mainDlg;
    CTrayIcon tray(fx.ctx.language);
    fx.ctx.tray = &tray;
    QVERIFY(tray.createWithProgramTexts());
    connect(&tray, &CTrayIcon::command, &mainDlg, &CMainDlg::onTrayCommand);
    mainDlg.initialise();
    QVERIFY(trayMenu() != nullptr);
    trayMenu()->actions().at(0)->trigger();
    QTRY_VERIFY(mainDlg.isVisible());

    selectAdapter(kAccessPointLine);
    QVERIFY(fx.ctx.adapter.accessPointMode);
    QCOMPARE(listAfterRefresh(), (QStringList{kFirstStation, kSecondStation}));

    // Every setting, and the first station turned away.
    clearSimTrace();
    openAccessPointSetting([this](QDialog& ap) { changeEverything(ap); },
                           [](QDialog& filter) { filterType(filter, 2, kFirstStation); });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(fx.seam.modalClasses,
             (QStringList{"kx::CAPSettingDlg", "kx::CWEPKeySettingDlg", "kx::CMACFilterDlg"}));
    QVERIFY(mainDlg.statusTimerActive());
    QVERIFY(fx.seam.messages.isEmpty());
    const std::pair<const char*, QString> sent[] = {
        {"SetWL_Channel", QStringLiteral("SetWL_Channel(11)")},
        {"SetWL_BasicRate", QStringLiteral("SetWL_BasicRate(15)")},
        {"SetWLAP_HideSSIDState", QStringLiteral("SetWLAP_HideSSIDState(0)")},
        {"SetWLAP_SSID", QStringLiteral("SetWLAP_SSID(\"%1\")").arg(kNewSsid)},
        {"SetWLAP_TxPowerLevel", QStringLiteral("SetWLAP_TxPowerLevel(2)")},
        {"SetWL_WEPStatus", QStringLiteral("SetWL_WEPStatus(1)")},
        {"SetWL_AuthenticationMode", QStringLiteral("SetWL_AuthenticationMode(1)")},
        {"SetWLAP_FragmentationThreshold", QStringLiteral("SetWLAP_FragmentationThreshold(1280)")},
        {"SetWLAP_RTS_CTS_Threshold", QStringLiteral("SetWLAP_RTS_CTS_Threshold(1000)")},
        {"SetWL_PreambleMode", QStringLiteral("SetWL_PreambleMode(3)")},
        {"SetWLAP_FilterMode", QStringLiteral("SetWLAP_FilterMode(2)")},
    };
    for (const auto& [fn, call] : sent)
        QVERIFY2(simCalls({QString::fromLatin1(fn)}).endsWith(call), fn);
    const std::pair<const char*, QString> recorded[] = {
        {"RFChannel", QStringLiteral("11")},
        {"SSID", kNewSsid},
        {"AuthentMode", QStringLiteral("1")},
        {"WEPStatus", QStringLiteral("2")},
        {"FragmentThreshold", QStringLiteral("1280")},
        {"Preamble", QStringLiteral("3")},
        {"RTSCTSThreshold", QStringLiteral("<missing>")},
    };
    for (const auto& [name, value] : recorded)
        QCOMPARE(fx.adapterValue(name), value);

    // The window shows the new settings at once, and the station list loses the first
    // station at its next refresh.
    QCOMPARE(child<QLabel>(m_main, "infoValue1")->text(), QStringLiteral("11"));
    QCOMPARE(child<QLabel>(m_main, "infoValue2")->text(), kNewSsid);
    QCOMPARE(child<QLabel>(m_main, "infoValue3")->text(), QStringLiteral("Enable (64-bit)"));
    QCOMPARE(child<QLabel>(m_main, "infoValue4")->text(), QStringLiteral("Level 2"));
    QCOMPARE(listAfterRefresh(), QStringList{kSecondStation});

    // A station hears the access point under its new name.
    selectAdapter(kStationLine);
    const QStringList heard = listAfterRefresh();
    QVERIFY2(heard.contains(kNewSsid), qPrintable(heard.join(u'|')));
    const qsizetype unnamed = heard.count(QString());

    // Hidden, and the filter off again.
    selectAdapter(kAccessPointLine);
    openAccessPointSetting([this](QDialog& ap) { hideSsid(ap); },
                           [](QDialog& filter) { filterType(filter, 0, QString()); });
    QCOMPARE(simInt("ap_hide_ssid"), 1);
    QCOMPARE(listAfterRefresh(), (QStringList{kFirstStation, kSecondStation}));

    selectAdapter(kStationLine);
    const QStringList hidden = listAfterRefresh();
    QVERIFY2(!hidden.contains(kNewSsid), qPrintable(hidden.join(u'|')));
    QCOMPARE(hidden.count(QString()), unnamed + 1);
}

void TestApScenario::changeEverything(QDialog& ap) {
    QCOMPARE(ap.windowTitle(), QStringLiteral("Access Point Setting"));
    auto* button = child<QPushButton>(&ap, "changeApplyButton");
    button->click();
    auto* channels = child<QComboBox>(&ap, "channelList");
    channels->setCurrentIndex(channels->findText(QStringLiteral("11")));
    for (const char* rate : {"rate0Check", "rate1Check", "rate2Check", "rate3Check"}) {
        if (!child<QCheckBox>(&ap, rate)->isChecked())
            child<QCheckBox>(&ap, rate)->click();
    }
    auto* ssid = child<QLineEdit>(&ap, "ssidEdit");
    ssid->selectAll();
    QTest::keyClicks(ssid, kNewSsid);
    button->click();
    QCOMPARE(button->text(), QStringLiteral("Change"));

    choose(child<QComboBox>(&ap, "txPowerList"), 2);
    choose(child<QComboBox>(&ap, "wepList"), 1);
    child<QPushButton>(&ap, "wepSettingButton")->click();
    choose(child<QComboBox>(&ap, "authenticationList"), 0);
    child<QSlider>(&ap, "fragmentSlider")->setValue(1280);
    child<QSlider>(&ap, "rtsSlider")->setValue(1000);
    child<QPushButton>(&ap, "macFilterButton")->click();
    child<QPushButton>(&ap, "okButton")->click();
}

void TestApScenario::hideSsid(QDialog& ap) {
    auto* button = child<QPushButton>(&ap, "changeApplyButton");
    button->click();
    child<QCheckBox>(&ap, "hideSsidCheck")->click();
    button->click();
    child<QPushButton>(&ap, "macFilterButton")->click();
}

void TestApScenario::filterType(QDialog& filter, int type, const QString& address) {
    if (!address.isEmpty()) {
        child<QLineEdit>(&filter, "entryEdit0")->setText(address);
        child<QPushButton>(&filter, "applyButton")->click();
    }
    choose(child<QComboBox>(&filter, "filterTypeList"), type);
}

QTEST_MAIN(TestApScenario)
#include "test_apscenario.moc"
