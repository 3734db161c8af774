// The professional sheet's pages and radio clean-up, and the update time entry.
#include <QTest>

#include "kx02app/kxsim.h"
#include "pro/sheet/ProfessionalSheet.h"
#include "pro/sheet/ProgramSettingFlags.h"
#include "tests/kx02app/SimRecord.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestEnv.h"

using namespace kx;
using namespace kx::test;

class TestProfessionalSheet : public QObject {
    Q_OBJECT

private slots:
    void pagesFollowTheirFlags();
    void closingRestoresTheRadio();
    void updateTime_data();
    void updateTime();
};

void TestProfessionalSheet::pagesFollowTheirFlags() {
    ProgramConfig config;
    const auto titles = [&config] {
        QStringList out;
        for (const ProfessionalPageEntry& p : ProfessionalSheet::pages(config))
            out << p.title;
        return out;
    };
    config.DBG_Command_Page = 1;
    QCOMPARE(titles(), QStringList{"DBG Command"});
    config.Program_Setting_Flag_Page = config.EEPROM_Access_Page = config.RF_Hardware_Test_Page =
        config.Adapter_Tally_Page = 2;
    QCOMPARE(titles(), (QStringList{"Program Setting Flag", "EEPROM Access", "RF Hardware Test",
                                    "DBG Command", "Adapter Tally"}));
}

void TestProfessionalSheet::closingRestoresTheRadio() {
    TestEnv env;
    SimRecord card(kCardName);
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 9, 0xFF), 0);
    QCOMPARE(SetWL_WritePHYRegister(card.get(), 11, 0x07), 0);
    clearSimTrace();
    ProfessionalSheet::restoreRadio(card.get());
    QCOMPARE(simCalls({"Set"}),
             (QStringList{"SetWL_WritePHYRegister(9,231)", "SetWL_WritePHYRegister(11,3)",
                          "SetWL_TxContinuous(0)"}));
    // A register that cannot be read keeps its value; the transmitter still stops.
    kxsim_force("QueryWL_ReadPHYRegister", -1);
    clearSimTrace();
    ProfessionalSheet::restoreRadio(card.get());
    QCOMPARE(simCalls({"Set"}), QStringList{"SetWL_TxContinuous(0)"});
}

void TestProfessionalSheet::updateTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ms"); // -1: refused
    QTest::addColumn<QString>("message");
    const QString outOfRange = "Please enter an integer between 0 and 65535.";
    QTest::newRow("lowest") << "0" << 0 << "";
    QTest::newRow("highest, blanks around") << " 65535 " << 65535 << "";
    QTest::newRow("one above") << "65536" << -1 << outOfRange;
    QTest::newRow("negative") << "-1" << -1 << outOfRange;
    QTest::newRow("unit typed") << "500ms" << -1 << "Please enter an integer.";
}

void TestProfessionalSheet::updateTime() {
    QFETCH(QString, text);
    QFETCH(int, ms);
    QFETCH(QString, message);
    const ProgramSettingFlags::UpdateTime entry = ProgramSettingFlags::readUpdateTime(text);
    QCOMPARE(entry.ms.value_or(-1), ms);
    QCOMPARE(entry.message, message);
}

QTEST_GUILESS_MAIN(TestProfessionalSheet)
#include "test_professionalsheet.moc"
