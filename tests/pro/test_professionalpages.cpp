// The professional sheet and its pages as the user meets them: which tabs it carries,
// the radio put back however it closes, flags that act the moment they are clicked, the
// update time entry, the tally list and the debug console's output window.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

#include "pro/console/ui/CPropertyDbgCmd.h"
#include "pro/sheet/ui/CPropertyPSF.h"
#include "pro/tally/ui/CPropertyTally.h"
#include "tests/pro/ProfessionalFixture.h"

using namespace kx;
using namespace kx::test;

namespace {

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QStringList column(QTreeWidget* list, int c) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(c);
    return texts;
}

} // namespace

class TestProfessionalPages final : public QObject {
    Q_OBJECT
private slots:
    void tabsFollowTheConfiguration();
    void everyCloseRestoresTheRadio_data();
    void everyCloseRestoresTheRadio();
    void flagsActAtOnceAndOutliveCancel();
    void updateTime_data();
    void updateTime();
    void tallyList();
    void consoleTranscript();
    void withoutEngineeringEachPageSaysNotSupported();
};

void TestProfessionalPages::tabsFollowTheConfiguration() {
    ProfessionalFixture fx;
    QCOMPARE(fx.selected, 0);
    ProgramConfig& config = fx.ctx.config;
    // Nothing turned on: a message, never an empty sheet.
    config.Program_Setting_Flag_Page = config.EEPROM_Access_Page = config.RF_Hardware_Test_Page =
        config.DBG_Command_Page = config.Adapter_Tally_Page = 0;
    fx.runSheet([](QDialog&) {});
    QVERIFY(fx.seam.modalClasses.isEmpty());
    QCOMPARE(fx.seam.messages.size(), 1);
    QVERIFY(fx.seam.messages[0].text.startsWith("No professional page is configured."));

    QStringList tabs;
    config.DBG_Command_Page = 1;
    fx.runSheet([&tabs](QDialog& sheet) {
        QCOMPARE(sheet.windowTitle(), "Professional mode setting");
        tabs = tabTexts(sheet);
    });
    QCOMPARE(tabs, QStringList{"DBG Command"});

    // The shipped file turns every page on: the sheet's order; a page is made when its
    // tab is first shown.
    fx.loadShippedConfig();
    config.Release_Mode = ProgramConfig::kProfessionalCode;
    fx.runSheet([&tabs](QDialog& sheet) {
        tabs = tabTexts(sheet);
        QVERIFY(sheet.findChild<CPropertyPSF*>() != nullptr);
        QVERIFY(sheet.findChild<CPropertyTally*>() == nullptr);
        QVERIFY(showPage<CPropertyTally>(sheet, "Adapter Tally") != nullptr);
    });
    QCOMPARE(tabs, (QStringList{"Program Setting Flag", "EEPROM Access", "RF Hardware Test",
                                "DBG Command", "Adapter Tally"}));
}

void TestProfessionalPages::everyCloseRestoresTheRadio_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"OK", "Cancel", "Escape", "close box"})
        QTest::newRow(how) << how;
}

void TestProfessionalPages::everyCloseRestoresTheRadio() {
    QFETCH(QString, how);
    ProfessionalFixture fx(1);
    WLAdapterInfo* adapter = fx.ctx.adapter.record();
    // As a CW test leaves the radio: both pattern bits, manual RF lines, transmitting.
    QCOMPARE(SetWL_WritePHYRegister(adapter, 9, 0x1C), 0);
    QCOMPARE(SetWL_WritePHYRegister(adapter, 11, 0x07), 0);
    QCOMPARE(SetWL_TxContinuous(adapter, 1), 0);
    fx.runSheet([&](QDialog& sheet) {
        showPage<CPropertyTally>(sheet, "Adapter Tally");
        QCOMPARE(simInt("tx_continuous"), 1);
        auto* buttons = child<QDialogButtonBox>(&sheet, "sheetButtons");
        if (how == u"OK")
            buttons->button(QDialogButtonBox::Ok)->click();
        else if (how == u"Cancel")
            buttons->button(QDialogButtonBox::Cancel)->click();
        else if (how == u"Escape")
            QTest::keyClick(&sheet, Qt::Key_Escape);
        else
            sheet.close();
        QVERIFY(sheet.isHidden());
    });
    QCOMPARE(fx.phyRegister(9), 0x04);
    QCOMPARE(fx.phyRegister(11), 0x03);
    QCOMPARE(simInt("tx_continuous"), 0);
}

void TestProfessionalPages::flagsActAtOnceAndOutliveCancel() {
    ProfessionalFixture fx;
    ProgramConfig& config = fx.ctx.config;
    config.Show_Current_Tx_Data_Rate = 1;
    fx.runSheet([&config](QDialog& sheet) {
        auto* page = showPage<CPropertyPSF>(sheet, "Program Setting Flag");
        QVERIFY(child<QCheckBox>(page, "showCurrentRateCheck")->isChecked());
        QVERIFY(!child<QCheckBox>(page, "showDbmCheck")->isChecked());
        child<QCheckBox>(page, "showDbmCheck")->click();
        toggleAccessibly(child<QCheckBox>(page, "showBssidCheck"));
        child<QCheckBox>(page, "showCurrentRateCheck")->click();
        QCOMPARE(config.Show_dBm, 1);
        QCOMPARE(config.Show_BSSID, 1);
        QCOMPARE(config.Show_Current_Tx_Data_Rate, 0);
        child<QDialogButtonBox>(&sheet, "sheetButtons")->button(QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(config.Show_dBm, 1);
    QCOMPARE(config.Show_BSSID, 1);
    QCOMPARE(config.Show_Current_Tx_Data_Rate, 0);
}

void TestProfessionalPages::updateTime_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("taken");
    QTest::addColumn<QString>("message");
    QTest::newRow("above the range")
        << "65536" << 1000 << "Please enter an integer between 0 and 65535.";
    QTest::newRow("no integer") << "1e3" << 1000 << "Please enter an integer.";
    QTest::newRow("lowest") << "0" << 0 << "";
    QTest::newRow("highest") << "65535" << 65535 << "";
}

void TestProfessionalPages::updateTime() {
    QFETCH(QString, typed);
    QFETCH(int, taken);
    QFETCH(QString, message);
    ProfessionalFixture fx;
    QCOMPARE(fx.ctx.config.Main_Page_Update_Time_ms, 1000);
    fx.runSheet([&](QDialog& sheet) {
        auto* page = showPage<CPropertyPSF>(sheet, "Program Setting Flag");
        auto* edit = child<QLineEdit>(page, "updateTimeEdit");
        QCOMPARE(edit->text(), "1000");
        typeInto(edit, typed);
        child<QPushButton>(page, "applyButton")->click();
        QCOMPARE(fx.ctx.config.Main_Page_Update_Time_ms, taken);
        QCOMPARE(fx.seam.messages.isEmpty() ? QString() : fx.seam.messages.last().text, message);
        if (!message.isEmpty())
            QTRY_VERIFY(edit->hasFocus());
    });
}

void TestProfessionalPages::tallyList() {
    {
        ProfessionalFixture newer;
        kxsim_set_int(nullptr, "tally10", 500);
        newer.runSheet([](QDialog& sheet) {
            auto* page = showPage<CPropertyTally>(sheet, "Adapter Tally");
            auto* list = child<QTreeWidget>(page, "tallyList");
            auto* debug = child<QCheckBox>(page, "dbgTallyCheck");
            auto* update = child<QPushButton>(page, "updateButton");
            QCOMPARE(list->topLevelItemCount(), 0); // nothing is read before Update
            QVERIFY(debug->isVisibleTo(page));
            update->click();
            QCOMPARE(list->topLevelItemCount(), 21);
            QCOMPARE(list->topLevelItem(10)->text(0), "Rx Unicast Frames");
            QCOMPARE(list->topLevelItem(10)->text(1), "500");
            debug->click();
            QCOMPARE(list->topLevelItemCount(), 21); // until Update
            update->click();
            QCOMPARE(list->topLevelItemCount(), 17);
            QCOMPARE(column(list, 0).filter(QRegularExpression("^  \\S")).size(), 3);
            // A read that fails leaves the list as it was.
            kxsim_force("ReadOid", -1);
            update->click();
            QCOMPARE(list->topLevelItemCount(), 17);
            kxsim_clear_force("ReadOid");
            debug->click();
            child<QPushButton>(page, "resetButton")->click();
            QCOMPARE(column(list, 1), QStringList(21, "0"));
        });
    }
    // The older chip keeps no debug counters: no check box, always the 21 rows.
    ProfessionalFixture older(1);
    older.runSheet([](QDialog& sheet) {
        auto* page = showPage<CPropertyTally>(sheet, "Adapter Tally");
        QVERIFY(!child<QCheckBox>(page, "dbgTallyCheck")->isVisibleTo(page));
        child<QPushButton>(page, "updateButton")->click();
        QCOMPARE(child<QTreeWidget>(page, "tallyList")->topLevelItemCount(), 21);
    });
}

void TestProfessionalPages::consoleTranscript() {
    {
        ProfessionalFixture older(1);
        older.runSheet([](QDialog& sheet) {
            auto* page = showPage<CPropertyDbgCmd>(sheet, "DBG Command");
            QCOMPARE(child<QGroupBox>(page, "ioAccessGroup")->title(), "I/O Access for KX3101");
            QVERIFY(!child<QCheckBox>(page, "oldDbgModCheck")->isVisibleTo(page));
            auto* out = child<QPlainTextEdit>(page, "outputWindow");
            QVERIFY(QFontInfo(out->font()).fixedPitch());
            typeInto(child<QLineEdit>(page, "phyRegisterEdit"), "9");
            child<QPushButton>(page, "phyReadButton")->click();
            // Wherever the user leaves the caret, the next command appends.
            out->moveCursor(QTextCursor::Start);
            typeInto(child<QLineEdit>(page, "macAddressEdit"), "60004g");
            clearSimTrace();
            child<QPushButton>(page, "macWriteButton")->click();
            QCOMPARE(simCalls(), QStringList());
            typeInto(child<QLineEdit>(page, "macAddressEdit"), "600044");
            typeInto(child<QLineEdit>(page, "macDataEdit"), "7");
            child<QPushButton>(page, "macWriteButton")->click();
            QCOMPARE(out->toPlainText(),
                     "\nRead PHY register:\nAddress: CR9\nValue  : 0x1C\n"
                     "\nMAC Address: enter at most 8 hexadecimal digits; nothing was sent.\n"
                     "\nWrite MAC register:\nAddress: 0x00600044\nData   : 0x00000007\nSUCCESS\n");
            child<QPushButton>(page, "showEepromButton")->click();
            const QStringList rows =
                out->toPlainText().split(u'\n').filter(QRegularExpression("^[0-9A-F]{4}:"));
            QCOMPARE(rows.size(), 32);
            QVERIFY(rows.last().startsWith("01F0:"));
            QVERIFY(out->toPlainText().endsWith("\n\nOK!!!\n"));
        });
    }
    // In old debug mode the newer chip's memory is only written.
    ProfessionalFixture newer;
    newer.runSheet([](QDialog& sheet) {
        auto* page = showPage<CPropertyDbgCmd>(sheet, "DBG Command");
        QCOMPARE(child<QGroupBox>(page, "ioAccessGroup")->title(), "I/O Access for KX3102");
        auto* oldMode = child<QCheckBox>(page, "oldDbgModCheck");
        auto* read = child<QPushButton>(page, "macReadButton");
        toggleAccessibly(oldMode);
        QVERIFY(!read->isEnabled());
        oldMode->click();
        QVERIFY(read->isEnabled());
    });
}

// A driver without engineering functions (the kernel's): every page is still there and
// says above itself what it cannot do; with them no page carries the notice.
void TestProfessionalPages::withoutEngineeringEachPageSaysNotSupported() {
    ProfessionalFixture fx;
    QStringList notices;
    const auto collect = [&](QDialog& sheet) {
        auto* tabs = child<QTabWidget>(&sheet, "pages");
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->tabBar()->setCurrentIndex(i);
            const auto* notice = tabs->widget(i)->findChild<QLabel*>("notSupportedNotice");
            notices << (notice ? notice->text() : QString());
            // The page itself is there below the notice.
            if (tabs->widget(i)->layout()->count() != (notice ? 2 : 1))
                notices.last() = QStringLiteral("no page");
        }
    };
    fx.runSheet(collect);
    QCOMPARE(notices, QStringList(5, QString()));
    kxsim_force("QueryWL_EngineeringSupport", 0);
    notices.clear();
    fx.runSheet(collect);
    QCOMPARE(notices.size(), 5);
    QCOMPARE(notices[1], QString("Not supported: this adapter's driver has no EEPROM access. What "
                                 "this page asks of the adapter fails."));
    QVERIFY(notices[4].contains("no adapter counters"));
}

QTEST_MAIN(TestProfessionalPages)
#include "test_professionalpages.moc"
