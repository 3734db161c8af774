// An engineer's session in professional mode, from the tray through "More Setting..."
// and "Professional Mode", with the real windows over the simulated PC Card: the display
// flags switch the main window at its next tick, the tally moves and resets, the console
// reads and writes registers and dumps the EEPROM, the PER test measures the world's
// transmitter, the tray cannot end the program under the sheet, and the sheet leaves the
// radio in normal operation.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "app/CTrayIcon.h"
#include "mainwnd/ui/CMainDlg.h"
#include "pro/console/ui/CPropertyDbgCmd.h"
#include "pro/per/ui/CPERTestDlg.h"
#include "pro/sheet/ui/CPropertyPSF.h"
#include "pro/tally/ui/CPropertyTally.h"
#include "program/LanguageChoice.h"
#include "tests/pro/ProfessionalFixture.h"

using namespace kx;
using namespace kx::test;

namespace {

QMenu* trayMenu() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == u"trayMenu")
            return qobject_cast<QMenu*>(w);
    }
    return nullptr;
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

quint64 tallySum(QTreeWidget* list) {
    quint64 sum = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        sum += list->topLevelItem(i)->text(1).toULongLong();
    return sum;
}

} // namespace

class TestProfessionalScenario final : public QObject {
    Q_OBJECT
private slots:
    void engineersSession();

private:
    void flags(QDialog& sheet);
    void tally(QDialog& sheet);
    void console(QDialog& sheet);
    void perTest(QDialog& dialog);

    TestContext* m_fx = nullptr;
    CMainDlg* m_main = nullptr;
};

void TestProfessionalScenario::engineersSession() {
    TestContext fx;
    m_fx = &fx;
    fx.loadShippedConfig();
    fx.ctx.config.Release_Mode = ProgramConfig::kProfessionalCode;
    LanguageChoice::startup(fx.ctx.language, fx.ctx.config, TestEnv::programDir());
    CMainAdvanced::install(fx.ctx);
    CMainDlg mainDlg(fx.ctx);
    m_main = &mainDlg;
    CTrayIcon tray(fx.ctx.language);
    fx.ctx.tray = &tray;
    QVERIFY(tray.createWithProgramTexts());
    connect(&tray, &CTrayIcon::command, &mainDlg, &CMainDlg::onTrayCommand);
    QSignalSpy ended(&mainDlg, &CMainDlg::runEnded);
    mainDlg.initialise();
    trayMenu()->actions().at(0)->trigger();
    QTRY_VERIFY(mainDlg.isVisible());
    // The PC Card, linked to "TolvaNet".
    auto* adapters = child<QComboBox>(&mainDlg, "adapterList");
    adapters->setCurrentIndex(1);
    emit adapters->activated(1);
    kxsim_advance(2000);
    mainDlg.statusTick();

    std::map<QString, std::function<void(QDialog&)>> steps{
        {"kx::CMoreSettingDlg",
         [](QDialog& more) { child<QPushButton>(&more, "professionalButton")->click(); }},
        {"kx::CMainAdvanced",
         [&](QDialog& sheet) {
             QCOMPARE(tabTexts(sheet),
                      (QStringList{"Program Setting Flag", "EEPROM Access", "RF Hardware Test",
                                   "DBG Command", "Adapter Tally"}));
             flags(sheet);
             tally(sheet);
             console(sheet);
             child<QPushButton>(showPage<CPropertyPSF>(sheet, "Program Setting Flag"),
                                "perTestButton")
                 ->click();
             // The tray's exit command waits for the sheet.
             emit tray.command(CTrayIcon::ExitCommand);
             QCOMPARE(fx.seam.messages.last().text,
                      "Please close the current window before you close this program!!!");
             QCOMPARE(ended.count(), 0);
             QVERIFY(sheet.isVisible());
             QTest::keyClick(&sheet, Qt::Key_Escape);
         }},
        {"kx::CPERTestDlg", [this](QDialog& d) { perTest(d); }},
    };
    fx.seam.onModal = [&steps](QDialog& dialog) {
        steps.at(QString::fromLatin1(dialog.metaObject()->className()))(dialog);
        return 0;
    };
    clearSimTrace();
    QTest::mouseClick(child<QPushButton>(&mainDlg, "groupButton"), Qt::LeftButton);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(fx.seam.modalClasses,
             (QStringList{"kx::CMoreSettingDlg", "kx::CMainAdvanced", "kx::CPERTestDlg"}));
    QVERIFY(mainDlg.statusTimerActive());

    // The sheet's last word to the adapter: test patterns, manual RF lines, transmission off.
    const QStringList sent = simCalls({"SetWL_"});
    QCOMPARE(sent.mid(sent.size() - 3),
             (QStringList{"SetWL_WritePHYRegister(9,4)", "SetWL_WritePHYRegister(11,0)",
                          "SetWL_TxContinuous(0)"}));
}

// The main window takes each display flag at its next tick.
void TestProfessionalScenario::flags(QDialog& sheet) {
    auto* page = showPage<CPropertyPSF>(sheet, "Program Setting Flag");
    auto* signal = child<QLabel>(m_main, "signalText");
    auto* dbm = child<QCheckBox>(page, "showDbmCheck");
    QVERIFY(!signal->text().endsWith(" dBm"));
    dbm->click();
    m_main->statusTick();
    QVERIFY2(signal->text().endsWith(" dBm"), qPrintable(signal->text()));
    dbm->click();
    m_main->statusTick();
    QVERIFY(!signal->text().endsWith(" dBm"));
}

void TestProfessionalScenario::tally(QDialog& sheet) {
    auto* page = showPage<CPropertyTally>(sheet, "Adapter Tally");
    auto* list = child<QTreeWidget>(page, "tallyList");
    child<QPushButton>(page, "updateButton")->click();
    const quint64 before = tallySum(list);
    kxsim_advance(3000);
    child<QPushButton>(page, "updateButton")->click();
    QVERIFY(tallySum(list) > before);
    child<QPushButton>(page, "resetButton")->click();
    QCOMPARE(list->topLevelItemCount(), 21);
    QCOMPARE(tallySum(list), 0u);
}

void TestProfessionalScenario::console(QDialog& sheet) {
    auto* page = showPage<CPropertyDbgCmd>(sheet, "DBG Command");
    auto* out = child<QPlainTextEdit>(page, "outputWindow");
    typeInto(child<QLineEdit>(page, "phyRegisterEdit"), "9");
    child<QPushButton>(page, "phyReadButton")->click();
    typeInto(child<QLineEdit>(page, "macAddressEdit"), "00600044");
    typeInto(child<QLineEdit>(page, "macDataEdit"), "00000007");
    child<QPushButton>(page, "macWriteButton")->click();
    child<QPushButton>(page, "showEepromButton")->click();
    const QString shown = out->toPlainText();
    QVERIFY(shown.startsWith("\nRead PHY register:\nAddress: CR9\nValue  : 0x1C\n"
                             "\nWrite MAC register:\nAddress: 0x00600044\nData   : 0x00000007\n"
                             "SUCCESS\n\nShow EEPROM Data:\n"
                             "     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n" +
                             QString(52, u'-') + "\n0000:"));
    QVERIFY(shown.endsWith("\n\nOK!!!\n"));
}

void TestProfessionalScenario::perTest(QDialog& dialog) {
    auto& per = static_cast<CPERTestDlg&>(dialog);
    auto* button = child<QPushButton>(&per, "startStopButton");
    button->click();
    for (int ticks = 0; per.timerActive() && ticks < 200; ++ticks) {
        m_fx->clock.advanceMs(125);
        kxsim_advance(125);
        per.timerTick();
    }
    QCOMPARE(child<QLineEdit>(&per, "receivedGoodPacketValue")->text(), "2970");
    QCOMPARE(child<QLineEdit>(&per, "lostAndBadPacketValue")->text(), "30");
    QCOMPARE(child<QLineEdit>(&per, "packetErrorRateValue")->text(), "1.00%");
}

QTEST_MAIN(TestProfessionalScenario)
#include "test_professionalscenario.moc"
