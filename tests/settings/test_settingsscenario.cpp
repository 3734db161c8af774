// A user's afternoon with the station settings, from the tray icon through "More
// Setting..." into every sub-dialog, with the real windows over the simulated adapter;
// and the four dialogs looked at in every shipped language.

#include <algorithm>
#include <functional>
#include <map>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "adapter/AdapterState.h"
#include "app/CTrayIcon.h"
#include "info/ui/CInformationDlg.h"
#include "mainwnd/ui/CMainDlg.h"
#include "program/LanguageChoice.h"
#include "program/ProgramConfig.h"
#include "program/UserProfile.h"
#include "settings/ui/CAdvancedSettingDlg.h"
#include "settings/ui/CMoreSettingDlg.h"
#include "settings/ui/CWEPKeySettingDlg.h"
#include "tests/settings/SettingsFixture.h"

using namespace kx;
using namespace kx::test;

namespace {

const QString kKey1 = QStringLiteral("00112233445566778899AABBCC");
const QString kZeroKey = QString(26, u'0');

// The values of one key as the hive file holds them ("name" -> text), read from the
// file itself: what the adapter's driver finds at its next start.
QMap<QString, QString> hiveValues(const QString& file, const QString& keyPath) {
    QFile hive(file);
    if (!hive.open(QIODevice::ReadOnly))
        return {};
    const QString header = QStringLiteral("[%1]").arg(keyPath);
    QMap<QString, QString> values;
    bool inKey = false;
    for (const QString& line : QString::fromUtf8(hive.readAll()).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            inKey = trimmed.compare(header, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = trimmed.indexOf(QStringLiteral("\"="));
        if (!inKey || !trimmed.startsWith(u'"') || eq < 0)
            continue;
        QString value = trimmed.mid(eq + 2);
        if (value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2)
                        .replace(QStringLiteral("\\\""), QStringLiteral("\""))
                        .replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        values.insert(trimmed.mid(1, eq - 1), value);
    }
    return values;
}

QMenu* trayMenu() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == u"trayMenu")
            return qobject_cast<QMenu*>(w);
    }
    return nullptr;
}

void activate(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class TestSettingsScenario final : public QObject {
    Q_OBJECT
private slots:
    void userStoryFromTheTray();
    void controlsAnnouncedAndWhole_data();
    void controlsAnnouncedAndWhole();

private:
    void generalSettings(QDialog& more);
    void wepKeys(QDialog& wep);
    void profiles(QDialog& more);
    void germanAndBack(QDialog& more);
    void advanced(QDialog& advanced);
    void information(QDialog& info);

    CMainDlg* m_main = nullptr;
    CTrayIcon* m_tray = nullptr;
    TestContext* m_fx = nullptr;
};

void TestSettingsScenario::userStoryFromTheTray() {
    TestContext fx;
    m_fx = &fx;
    ScriptedSeam& seam = fx.seam;
    fx.loadShippedConfig();
    LanguageChoice::startup(fx.ctx.language, fx.ctx.config, TestEnv::programDir());
    CMainDlg mainDlg(fx.ctx);
    CTrayIcon tray(fx.ctx.language);
    fx.ctx.tray = &tray;
    QVERIFY(tray.createWithProgramTexts());
    m_main = &mainDlg;
    m_tray = &tray;
    connect(&tray, &CTrayIcon::command, &mainDlg, &CMainDlg::onTrayCommand);
    mainDlg.initialise();
    QVERIFY(!mainDlg.isVisible());

    QMenu* menu = trayMenu();
    QVERIFY(menu != nullptr);
    menu->actions().at(0)->trigger();
    QTRY_VERIFY(mainDlg.isVisible());

    std::map<QString, std::function<void(QDialog&)>> steps{
        {QStringLiteral("kx::CMoreSettingDlg"),
         [this](QDialog& more) {
             generalSettings(more);
             profiles(more);
             germanAndBack(more);
             child<QPushButton>(&more, "professionalButton")->click();
             child<QPushButton>(&more, "informationButton")->click();
         }},
        {QStringLiteral("kx::CWEPKeySettingDlg"), [this](QDialog& d) { wepKeys(d); }},
        {QStringLiteral("kx::CAdvancedSettingDlg"), [this](QDialog& d) { advanced(d); }},
        {QStringLiteral("kx::CInformationDlg"), [this](QDialog& d) { information(d); }},
    };
    seam.onModal = [&steps](QDialog& dialog) {
        // A dialog without a step is only counted; the list of dialogs run tells.
        if (const auto step = steps.find(QString::fromLatin1(dialog.metaObject()->className()));
            step != steps.end())
            step->second(dialog);
        return 0;
    };
    QTest::mouseClick(child<QPushButton>(&mainDlg, "groupButton"), Qt::LeftButton);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(seam.modalClasses, (QStringList{"kx::CMoreSettingDlg", "kx::CWEPKeySettingDlg",
                                             "kx::CAdvancedSettingDlg", "kx::CInformationDlg"}));
    QVERIFY(mainDlg.statusTimerActive());
    QVERIFY(seam.messages.isEmpty());

    // Everything the user changed is in the adapter's key, where its driver looks.
    const QMap<QString, QString> adapter =
        hiveValues(fx.env.registryDir() + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"),
                   QStringLiteral("HKEY_LOCAL_MACHINE\\") + fx.ctx.adapter.registryKey);
    const std::pair<const char*, QString> expected[] = {
        {"RFChannel", QStringLiteral("11")},
        {"TxDataRate", QStringLiteral("8")},
        {"NetworkType", QStringLiteral("0")},
        {"SSID", QStringLiteral("Workshop")},
        {"AuthentMode", QStringLiteral("2")},
        {"WEPStatus", QStringLiteral("6")},
        {"WEPDefaultKeyId", QStringLiteral("2")},
        {"WEPDefaultKeys", kKey1 + kZeroKey + kZeroKey + kZeroKey},
        {"FragmentThreshold", QStringLiteral("1280")},
        {"RTSCTSThreshold", QStringLiteral("1000")},
        {"PowerSaveMode", QStringLiteral("1")},
        {"PowerSaveLevel", QStringLiteral("0")},
        {"Preamble", QStringLiteral("3")},
    };
    for (const auto& [name, text] : expected)
        QCOMPARE(adapter.value(QString::fromLatin1(name), QStringLiteral("<missing>")), text);

    const QMap<QString, QString> user =
        hiveValues(fx.env.registryDir() + QStringLiteral("/HKEY_CURRENT_USER.reg"),
                   QStringLiteral("HKEY_CURRENT_USER\\") + UserProfile::keyPath());
    QCOMPARE(user.value(QStringLiteral("LanguageId")), QStringLiteral("dword:00000001"));
    QCOMPARE(user.value(QStringLiteral("KXConfigProgramTitle")),
             QStringLiteral("Tolva Wireless LAN Configuration Tool"));
    QCOMPARE(user.value(QStringLiteral("ProfileLink")), QStringLiteral("Workshop"));

    // The adapter itself runs on what was set.
    QCOMPARE(simInt("desired_channel"), 11);
    QCOMPARE(simInt("network_type"), 0);
    QCOMPARE(simInt("wep_status"), 1);
    QCOMPARE(simInt("wep_bit"), 1);
}

// Channel, rate, type and SSID: "Change", edit, "Apply".
void TestSettingsScenario::generalSettings(QDialog& more) {
    QCOMPARE(more.windowTitle(), QStringLiteral("More Setting...  "));
    auto* button = child<QPushButton>(&more, "changeApplyButton");
    button->click();
    QCOMPARE(button->text(), QStringLiteral("Apply"));
    auto* channels = child<QComboBox>(&more, "channelList");
    channels->setCurrentIndex(channels->findText(QStringLiteral("11")));
    child<QComboBox>(&more, "txRateList")->setCurrentIndex(3);
    activate(child<QComboBox>(&more, "networkTypeList"), 0);
    auto* ssid = child<QLineEdit>(&more, "ssidEdit");
    QVERIFY(ssid->isEnabled());
    typeInto(ssid, QStringLiteral("Workshop"));
    clearSimTrace();
    button->click();
    QCOMPARE(simCalls({"SetWL_"}),
             (QStringList{"SetWL_Channel(11)", "SetWL_TxRateControl(8)", "SetWL_NetworkType(0)",
                          "SetWL_SSID(\"Workshop\")"}));
    QCOMPARE(button->text(), QStringLiteral("Change"));

    // WEP on with the recorded keys, then the keys themselves.
    auto* wep = child<QCheckBox>(&more, "enableWepCheck");
    QVERIFY(!wep->isChecked());
    clearSimTrace();
    wep->click();
    QCOMPARE(callNames().filter(QStringLiteral("Set")),
             (QStringList{"SetWL_WriteKey", "SetWL_WriteKey", "SetWL_WriteKey", "SetWL_WriteKey",
                          "SetWL_WEPStatus", "SetWL_RestartNIC"}));
    child<QPushButton>(&more, "wepMoreButton")->click();
}

void TestSettingsScenario::wepKeys(QDialog& wep) {
    QCOMPARE(wep.windowTitle(), QStringLiteral("WEP Key Setting...  "));
    activate(child<QComboBox>(&wep, "authenticationList"), 1);
    QCOMPARE(simCalls({"SetWL_AuthenticationMode"}), QStringList{"SetWL_AuthenticationMode(2)"});
    child<QPushButton>(&wep, "changeApplyButton")->click();
    child<QRadioButton>(&wep, "keyLength128Radio")->click();
    typeInto(child<QLineEdit>(&wep, "keyEdit1"), kKey1);
    child<QComboBox>(&wep, "defaultKeyList")->setCurrentIndex(1);
    clearSimTrace();
    child<QPushButton>(&wep, "changeApplyButton")->click();
    // The keys go out in the new length, the second as default; no restart.
    const QString zeros = QStringLiteral("00").repeated(13);
    QCOMPARE(simCalls({"SetWL_"}),
             (QStringList{QStringLiteral("SetWL_WriteKey(0,1,0,\"%1\")").arg(kKey1.toLower()),
                          QStringLiteral("SetWL_WriteKey(1,1,1,\"%1\")").arg(zeros),
                          QStringLiteral("SetWL_WriteKey(2,1,0,\"%1\")").arg(zeros),
                          QStringLiteral("SetWL_WriteKey(3,1,0,\"%1\")").arg(zeros),
                          "SetWL_WEPStatus(1)"}));
    QCOMPARE(m_fx->adapterValue("WEPDefaultKeys"), kKey1 + kZeroKey + kZeroKey + kZeroKey);
    QCOMPARE(m_fx->adapterValue("WEPStatus"), QStringLiteral("6"));
    QCOMPARE(m_fx->adapterValue("WEPDefaultKeyId"), QStringLiteral("2"));
}

// Save the settings as a profile, fall back to the factory's, and get them back.
void TestSettingsScenario::profiles(QDialog& more) {
    auto* names = child<QComboBox>(&more, "profileNameList");
    names->setEditText(QStringLiteral("Workshop"));
    child<QRadioButton>(&more, "writeProfileButton")->click();
    QCOMPARE(names->count(), 1);
    QCOMPARE(names->itemText(0), QStringLiteral("Workshop"));

    child<QRadioButton>(&more, "loadDefaultButton")->click();
    QCOMPARE(m_fx->adapterValue("RFChannel"), QStringLiteral("6"));
    QCOMPARE(m_fx->adapterValue("SSID"), QString());
    QCOMPARE(m_fx->adapterValue("WEPStatus"), QStringLiteral("0"));
    QVERIFY(!child<QCheckBox>(&more, "enableWepCheck")->isChecked());
    QVERIFY(!child<QPushButton>(&more, "wepMoreButton")->isEnabled());

    names->setEditText(QStringLiteral("Workshop"));
    child<QRadioButton>(&more, "loadProfileButton")->click();
    QCOMPARE(m_fx->adapterValue("RFChannel"), QStringLiteral("11"));
    QCOMPARE(m_fx->adapterValue("SSID"), QStringLiteral("Workshop"));
    QCOMPARE(m_fx->adapterValue("WEPStatus"), QStringLiteral("6"));
    QCOMPARE(child<QComboBox>(&more, "networkTypeList")->currentIndex(), 0);
    QCOMPARE(child<QLineEdit>(&more, "ssidEdit")->text(), QStringLiteral("Workshop"));
    QVERIFY(child<QCheckBox>(&more, "enableWepCheck")->isChecked());
    QVERIFY(child<QPushButton>(&more, "wepMoreButton")->isEnabled());
    for (const char* name : {"loadProfileButton", "writeProfileButton", "loadDefaultButton"})
        QVERIFY(!child<QRadioButton>(&more, name)->isChecked());
}

// Every open window, the tray and the stored title follow the language, and come back.
void TestSettingsScenario::germanAndBack(QDialog& more) {
    auto* languages = child<QComboBox>(&more, "languageList");
    auto* rates = child<QComboBox>(&more, "txRateList");
    auto* groupButton = child<QPushButton>(m_main, "groupButton");
    activate(languages, 1);
    QCOMPARE(more.windowTitle(), QStringLiteral("Weitere Einstellungen...  "));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tolva WLAN-Konfigurationsprogramm  "));
    QCOMPARE(groupButton->text(), QStringLiteral("Weitere Einstellungen..."));
    QCOMPARE(rates->currentText(), QStringLiteral("11 Mbit/s"));
    QCOMPARE(languages->currentText(), QStringLiteral("Deutsch"));
    QCOMPARE(m_tray->tooltip(), QStringLiteral("KXConfig --- WLAN-Konfigurationsprogramm"));
    QCOMPARE(trayMenu()->actions().at(0)->text(), QStringLiteral("Programmfenster öffnen"));
    QCOMPARE(UserProfile::readInt(QStringLiteral("LanguageId"), -1), 2);
    QCOMPARE(UserProfile::readString(QStringLiteral("KXConfigProgramTitle"), {}),
             QStringLiteral("Tolva WLAN-Konfigurationsprogramm"));

    activate(languages, 0);
    QCOMPARE(more.windowTitle(), QStringLiteral("More Setting...  "));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tolva Wireless LAN Configuration Tool  "));
    QCOMPARE(groupButton->text(), QStringLiteral("More Setting..."));
    QCOMPARE(rates->currentText(), QStringLiteral("11M bps"));
    QCOMPARE(m_tray->tooltip(), QStringLiteral("KXConfig --- Wireless LAN Configuration Tool"));
    QCOMPARE(trayMenu()->actions().at(1)->text(), QStringLiteral("Exit KXConfig"));
}

void TestSettingsScenario::advanced(QDialog& advanced) {
    QCOMPARE(advanced.windowTitle(), QStringLiteral("Advanced Setting...  "));
    child<QSlider>(&advanced, "fragmentSlider")->setValue(1280);
    child<QSlider>(&advanced, "rtsSlider")->setValue(1000);
    clearSimTrace();
    child<QCheckBox>(&advanced, "powerSaveCheck")->click();
    QCOMPARE(simCalls(), (QStringList{"SetWL_PSMode(1)", "SetWL_RestartNIC()"}));
}

void TestSettingsScenario::information(QDialog& info) {
    QCOMPARE(info.windowTitle(), QStringLiteral("Information...  "));
    QVERIFY(child<QLineEdit>(&info, "utilityVersionValue")
                ->text()
                .startsWith(QStringLiteral("1.00.0328.2003 - ")));
    QVERIFY(child<QLineEdit>(&info, "macAddressValue")->text() !=
            QStringLiteral("00 00 00 00 00 00"));
}

// ---- every dialog in every language --------------------------------------------------

void TestSettingsScenario::controlsAnnouncedAndWhole_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 1;
    QTest::newRow("German") << 2;
    QTest::newRow("Chinese") << 3;
}

// Each edit, list and slider is found through the label in front of it and is reached
// with the Tab key; no caption, title or key placeholder is cut off; titles carry their
// two trailing blanks.
void TestSettingsScenario::controlsAnnouncedAndWhole() {
    QFETCH(int, language);
    SettingsFixture fx;
    QVERIFY(fx.languageOpen);
    QVERIFY(fx.ctx.language.select(language));
    fx.ctx.adapter.chipVersion = AdapterState::kNewerChip;
    kxsim_force("QueryWL_WEPbit", 1); // the longest placeholders

    AppContext& ctx = fx.ctx;
    const std::function<std::unique_ptr<QDialog>()> dialogs[] = {
        [&] { return std::make_unique<CMoreSettingDlg>(ctx, std::function<void()>{}); },
        [&] { return std::make_unique<CWEPKeySettingDlg>(ctx); },
        [&] { return std::make_unique<CAdvancedSettingDlg>(ctx); },
        [&] { return std::make_unique<CInformationDlg>(ctx); },
    };
    for (const auto& make : dialogs) {
        const std::unique_ptr<QDialog> dialog = make();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const QString name = dialog->objectName();
        QVERIFY2(dialog->windowTitle().endsWith(QStringLiteral("  ")), qPrintable(name));
        QVERIFY2(!dialog->windowTitle().trimmed().isEmpty(), qPrintable(name));

        const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            const QString where = name + u'/' + w->objectName();
            const bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                               qobject_cast<QSlider*>(w) || qobject_cast<QProgressBar*>(w);
            // A combo box's own edit is announced with the combo box.
            if (field && !qobject_cast<QComboBox*>(w->parentWidget())) {
                const bool announced = std::any_of(labels.begin(), labels.end(),
                                                   [w](QLabel* l) { return l->buddy() == w; });
                QVERIFY2(announced, qPrintable(where + QStringLiteral(" has no label")));
                QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(where));
            }
            if (!w->isVisible())
                continue;
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(where + QStringLiteral(": ") + label->text()));
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                QVERIFY2(button->width() >= button->sizeHint().width(),
                         qPrintable(where + QStringLiteral(": ") + button->text()));
            } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
                QVERIFY2(group->width() >= group->fontMetrics().horizontalAdvance(group->title()),
                         qPrintable(where + QStringLiteral(": ") + group->title()));
            } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                // Frame and text margins take their share of the width.
                QVERIFY2(edit->contentsRect().width() - 4 >=
                             edit->fontMetrics().horizontalAdvance(edit->text()),
                         qPrintable(where + QStringLiteral(": ") + edit->text()));
            }
        }
    }
}

QTEST_MAIN(TestSettingsScenario)
#include "test_settingsscenario.moc"
