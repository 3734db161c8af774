// The PER test dialog against the simulated transmitter, opened from the flags page and
// driven tick by tick with the context's clock and the simulation's moving together.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pro/per/PerOptions.h"
#include "pro/per/ui/CPERTestDlg.h"
#include "pro/sheet/ui/CPropertyPSF.h"
#include "tests/pro/ProfessionalFixture.h"

using namespace kx;
using namespace kx::test;

namespace {

const char* const kResultFields[] = {"receivedGoodPacketValue", "lostAndBadPacketValue",
                                     "receivedTimeValue", "packetErrorRateValue",
                                     "throughputValue"};

QStringList results(QDialog& dialog) {
    QStringList texts;
    for (const char* name : kResultFields)
        texts << child<QLineEdit>(&dialog, name)->text();
    return texts;
}

} // namespace

class TestPerTestDlg final : public QObject {
    Q_OBJECT
private slots:
    void measuresTheTransmitter();
    void failedReadsAndOptions();
    void portRefusedOrNotTaken();
};

void TestPerTestDlg::measuresTheTransmitter() {
    ProfessionalFixture fx;
    bool animated = false;
    int ticks = 0;
    fx.steps[QStringLiteral("kx::CPERTestDlg")] = [&](QDialog& dialog) {
        auto& per = static_cast<CPERTestDlg&>(dialog);
        QCOMPARE(per.windowTitle(), "PER Test (MAC Tally Receive)");
        auto* expected = child<QLineEdit>(&per, "expectedPacketEdit");
        auto* button = child<QPushButton>(&per, "startStopButton");
        auto* animation = child<QLabel>(&per, "receivingAnimation");
        QCOMPARE(expected->text(), "3000");
        QVERIFY(child<QCheckBox>(&per, "unicastCheck")->isChecked());
        QVERIFY(child<QCheckBox>(&per, "multicastCheck")->isChecked());
        QVERIFY(!child<QLineEdit>(&per, "portNumberEdit")->isEnabled());

        button->click();
        QCOMPARE(button->text(), "STOP");
        QVERIFY(!expected->isEnabled());
        for (; per.timerActive() && ticks < 200; ++ticks) {
            fx.clock.advanceMs(125);
            kxsim_advance(125);
            per.timerTick();
            animated = animated || animation->isVisibleTo(&per);
        }
        QCOMPARE(results(per), (QStringList{"2970", "30", "5.00", "1.00%", "4.752 Mb/Sec"}));
        QCOMPARE(button->text(), "START");
        QVERIFY(expected->isEnabled());
        QVERIFY(!animation->isVisibleTo(&per));

        expected->setText("2000");
        child<QCheckBox>(&per, "portNumberCheck")->click();
        child<QLineEdit>(&per, "portNumberEdit")->setText("9000");
    };
    fx.runSheet([](QDialog& sheet) {
        child<QPushButton>(showPage<CPropertyPSF>(sheet, "Program Setting Flag"), "perTestButton")
            ->click();
    });
    QCOMPARE(fx.seam.modalClasses, (QStringList{"kx::CMainAdvanced", "kx::CPERTestDlg"}));
    QVERIFY(animated);
    // The last frame at 5.3 s, then one second of silence.
    QCOMPARE(ticks, 43 + 8);
    QCOMPARE(simCalls({"SetWL_SensitivityTest", "SetWL_FirmwareRecvPort"}),
             (QStringList{"SetWL_SensitivityTest(1)", "SetWL_FirmwareRecvPort(0)",
                          "SetWL_SensitivityTest(0)"}));
    const PerOptions kept = PerOptions::load();
    QCOMPARE((QStringList{kept.expectedText, QString::number(kept.packetType), kept.portText}),
             (QStringList{"2000", "3", "9000"}));
    QVERIFY(kept.checkPort);
}

void TestPerTestDlg::failedReadsAndOptions() {
    ProfessionalFixture fx;
    PerOptions{"100", 1, true, "8310"}.store();
    {
        CPERTestDlg per(fx.ctx, nullptr);
        per.show();
        auto* button = child<QPushButton>(&per, "startStopButton");
        auto* unicast = child<QCheckBox>(&per, "unicastCheck");
        auto* multicast = child<QCheckBox>(&per, "multicastCheck");
        QVERIFY(unicast->isChecked() && !multicast->isChecked());
        QVERIFY(child<QLineEdit>(&per, "portNumberEdit")->isEnabled());

        // One type stays checked, whichever way it is unchecked.
        unicast->click();
        QVERIFY(unicast->isChecked());
        toggleAccessibly(multicast);
        toggleAccessibly(unicast);
        QVERIFY(!unicast->isChecked() && multicast->isChecked());
        toggleAccessibly(multicast);
        QVERIFY(multicast->isChecked());

        kxsim_force("GetNICAdapterTally", -1);
        button->click();
        QCOMPARE(fx.seam.messages.last().text, "Get first adapter tally fail!!!");
        QVERIFY(!per.timerActive());
        QCOMPARE(button->text(), "START");
        kxsim_clear_force("GetNICAdapterTally");
        button->click();
        QCOMPARE(simCalls({"SetWL_FirmwareRecvPort"}), QStringList{"SetWL_FirmwareRecvPort(8310)"});
        kxsim_force("GetNICAdapterTally", -1);
        button->click();
        QCOMPARE(fx.seam.messages.last().text, "Get last adapter tally fail!!!");
        QVERIFY(per.timerActive());
        QCOMPARE(button->text(), "STOP");
        kxsim_clear_force("GetNICAdapterTally");
        clearSimTrace();
        // Closed during the test: no figures, the adapter leaves the test mode.
    }
    QCOMPARE(simCalls({"Set"}), QStringList{"SetWL_SensitivityTest(0)"});
    QCOMPARE(PerOptions::load().packetType, int(PerMulticast));
}

// A port no frame can be sent to is refused before anything starts; a port the adapter
// did not take starts no test that could only wait.
void TestPerTestDlg::portRefusedOrNotTaken() {
    ProfessionalFixture fx;
    PerOptions{"100", 3, true, "70000"}.store();
    CPERTestDlg per(fx.ctx, nullptr);
    per.show();
    auto* button = child<QPushButton>(&per, "startStopButton");
    clearSimTrace();
    button->click();
    QCOMPARE(fx.seam.messages.size(), 1);
    QCOMPARE(fx.seam.messages.last().text, "Please enter an integer between 0 and 65535.");
    QCOMPARE(simCalls({"Set", "Get"}), QStringList());
    QVERIFY(!per.timerActive());

    child<QLineEdit>(&per, "portNumberEdit")->setText("65535");
    kxsim_force("SetWL_FirmwareRecvPort", -1);
    button->click();
    QCOMPARE(simCalls({"SetWL_FirmwareRecvPort"}), QStringList{"SetWL_FirmwareRecvPort(65535)"});
    QCOMPARE(fx.seam.messages.last().text, "Set receive port fail!!!");
    QVERIFY(!per.timerActive());
    QCOMPARE(button->text(), "START");
}

QTEST_MAIN(TestPerTestDlg)
#include "test_pertestdlg.moc"
